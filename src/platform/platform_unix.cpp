#include "platform/qt_platform.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <pwd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#ifndef Q_OS_MACOS
#include <xcb/xcb.h>
#endif

namespace velto {

QString currentUserName() {
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name) {
        return QString::fromLocal8Bit(pw->pw_name);
    }
    return QString::number(getuid());
}

bool ownedByCurrentUser(const QFileInfo& info) {
    return info.ownerId() == getuid();
}

void returnFreeMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

long peakResidentKiB() {
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) {
        return 0;
    }
#ifdef Q_OS_MACOS
    return usage.ru_maxrss / 1024; // bytes there
#else
    return usage.ru_maxrss;
#endif
}

// ---- LocalInstanceGuard: a later start's request comes as one datagram ----

namespace {

/// The address of the socket at `path`; false when there is none or it is too long for one.
bool socketAddress(const QString& path, sockaddr_un* address) {
    const QByteArray name = QFile::encodeName(path);
    *address = {};
    address->sun_family = AF_UNIX;
    if (name.isEmpty() || name.size() >= static_cast<qsizetype>(sizeof(address->sun_path))) {
        return false;
    }
    std::memcpy(address->sun_path, name.constData(), name.size());
    return true;
}

const sockaddr* asAddress(const sockaddr_un& address) {
    return reinterpret_cast<const sockaddr*>(&address);
}

} // namespace

void LocalInstanceGuard::askFirstToShow() {
    sockaddr_un address{};
    if (!socketAddress(socketPath(), &address)) {
        return;
    }
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    if (fd < 0) {
        return;
    }
    // The first holds the lock, but while it is still starting it may not listen yet: it is
    // asked again for a moment.
    constexpr int kTries = 50;
    constexpr unsigned long kPauseMs = 20;
    for (int i = 0; i < kTries; ++i) {
        if (::sendto(fd, kShow, sizeof(kShow) - 1, MSG_DONTWAIT, asAddress(address),
                     sizeof(address)) >= 0 ||
            (errno != ENOENT && errno != ECONNREFUSED)) {
            break; // sent, or a full queue (the first has been asked plenty) or worse
        }
        QThread::msleep(kPauseMs);
    }
    ::close(fd);
}

void LocalInstanceGuard::listen() {
    const auto cannot = [](const char* why) {
        qWarning("velto: cannot listen for later starts (%s); they will still be refused", why);
    };
    sockaddr_un address{};
    if (!socketAddress(socketPath(), &address)) {
        cannot("the path of the socket is too long");
        return;
    }
    // We own the lock, so a socket left behind by a crashed run can go.
    ::unlink(address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    if (fd < 0 || ::fcntl(fd, F_SETFD, FD_CLOEXEC) != 0 || ::fcntl(fd, F_SETFL, O_NONBLOCK) != 0 ||
        ::bind(fd, asAddress(address), sizeof(address)) != 0) {
        cannot(std::strerror(errno));
        if (fd >= 0) {
            ::close(fd);
        }
        return;
    }
    // Only the user may send (the folder is closed to others already).
    ::chmod(address.sun_path, S_IRUSR | S_IWUSR);
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    listener_ = notifier;
    connect(notifier, &QSocketNotifier::activated, this, [this, fd] {
        // Every waiting message is read; one longer than the buffer arrives cut short, and
        // so is not the one message either.
        char buffer[16];
        ssize_t n = 0;
        while ((n = ::recv(fd, buffer, sizeof(buffer), 0)) >= 0) {
            heard(QByteArray(buffer, static_cast<qsizetype>(n)));
        }
    });
}

void LocalInstanceGuard::stopListening() {
    auto* notifier = qobject_cast<QSocketNotifier*>(listener_);
    if (notifier == nullptr) {
        return;
    }
    const auto fd = static_cast<int>(notifier->socket());
    delete notifier;
    listener_ = nullptr;
    ::close(fd);
    QFile::remove(socketPath());
}

#ifndef Q_OS_MACOS
namespace {
xcb_connection_t* displayProbe = nullptr; // displayAvailable()'s connection, until Qt has one
} // namespace
#endif

bool displayAvailable(QString* why) {
#ifdef Q_OS_MACOS
    Q_UNUSED(why);
    return true; // the window server is always there
#else
    // Qt aborts with a core dump when it finds no display; say it plainly instead.
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const QString display = qEnvironmentVariable("DISPLAY");
    if (!platform.isEmpty() && platform != QLatin1String("xcb")) {
        return true; // offscreen, wayland, vnc...: Qt reports those itself
    }
    if (platform.isEmpty() && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return true;
    }
    if (display.isEmpty()) {
        *why = QStringLiteral("no display found (neither DISPLAY nor WAYLAND_DISPLAY is set)");
        return false;
    }
    // The X server is asked exactly as Qt will ask it: one that is gone, refuses us or
    // never existed fails here, with its name, instead of inside Qt. A server that is just
    // resetting (it does when its last client leaves) refuses for a moment: asked again.
    constexpr int kTries = 10;
    constexpr int kPauseUs = 100'000;
    for (int i = 0; i < kTries; ++i) {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection) == 0) {
            // Kept until Qt has its own connection: were it the server's last client, its
            // leaving would reset the server just as Qt connects, and Qt would be refused.
            displayProbe = connection;
            return true;
        }
        xcb_disconnect(connection);
        if (i + 1 < kTries) {
            ::usleep(kPauseUs);
        }
    }
    *why = QStringLiteral("cannot open display \"%1\" (no X server answers there)").arg(display);
    return false;
#endif
}

void endDisplayCheck() {
#ifndef Q_OS_MACOS
    if (displayProbe != nullptr) {
        xcb_disconnect(displayProbe);
        displayProbe = nullptr;
    }
#endif
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
        // exit(), not quit(): Qt lets the windows refuse a quit, and the clock's window
        // refuses every close that is not the program's own (it goes to the tray instead).
        QCoreApplication::exit(0);
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
