#include "platform/process.h"

#include "platform/qt_workarounds.h"

#include <QGuiApplication>
#include <QThreadPool>

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
}

} // namespace velto
