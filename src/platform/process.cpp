#include "platform/process.h"

#include "platform/qt_workarounds.h"

#include <QGuiApplication>
#include <QThreadPool>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace velto {

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void prepareForLongIdle() {
    // Qt splits large fills across its thread pool; the clock draws such art only now and
    // then (at start-up, a digit it has not shown yet), so the threads need not linger for
    // half a minute afterwards, each to wake once more only to end.
    constexpr int kPoolIdleMs = 2000;
    QThreadPool::globalInstance()->setExpiryTimeout(kPoolIdleMs);
    workarounds::avoidPaintingWakeUps();
#ifdef __GLIBC__
    // One heap for every thread: the C library gives each new thread a heap of its own, and
    // the few the clock has (Qt's drawing pool, the bus, the sound) each kept a few hundred
    // kilobytes they touched once. They allocate seldom, so sharing costs nothing to notice.
    mallopt(M_ARENA_MAX, 1);
#endif
}

} // namespace velto
