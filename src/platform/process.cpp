#include "platform/process.h"

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
    // On X11 a window painted through shared memory makes the server answer every flush
    // with an event, which wakes two of our threads each second. The clock repaints a few
    // small pieces a second, cheaply sent over the connection itself; the user's own choice
    // stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
}

} // namespace velto
