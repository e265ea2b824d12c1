#include "platform/qt_platform.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace velto {

QString currentUserName() {
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name) {
        return QString::fromLocal8Bit(pw->pw_name);
    }
    return QString::number(getuid());
}

bool displayAvailable(QString* why) {
    // Qt aborts with a core dump when it finds no display; say it plainly instead.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return true;
    }
    *why = QStringLiteral("no display found (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    return false;
}

namespace {
int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here: the event loop picks the byte up.
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &byte, 1);
}
} // namespace

void quitOnTerminationSignals() {
    if (signalPipe[0] >= 0 || ::pipe(signalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char byte = 0;
        [[maybe_unused]] const auto n = ::read(signalPipe[0], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(sig, &action, nullptr);
    }
}

} // namespace velto
