#include "platform/console.h"
#include "platform/local_instance_guard.h"
#include "platform/process.h"
#include "platform/qt_clock.h"
#include "platform/qt_workarounds.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>
#ifndef Q_OS_MACOS
#include <xcb/xcb.h>
#endif

namespace velto {

ClockReading SystemClock::now() const {
    // The zone is read again at each reading: glibc takes up a changed TZ or /etc/localtime
    // here, not in localtime_r().
    tzset();
    timespec real{};
    timespec boot{};
    clock_gettime(CLOCK_REALTIME, &real);
#ifdef CLOCK_BOOTTIME
    clock_gettime(CLOCK_BOOTTIME, &boot); // counts suspend, which CLOCK_MONOTONIC does not
#else
    clock_gettime(CLOCK_MONOTONIC, &boot); // the BSDs' and macOS's counts time asleep
#endif
    using std::chrono::milliseconds;
    const auto ms = [](const timespec& t) {
        return milliseconds{int64_t{t.tv_sec} * 1000 + t.tv_nsec / 1000000};
    };
    return {std::chrono::sys_time<milliseconds>{ms(real)}, ms(boot)};
}

std::chrono::seconds SystemClock::utcOffsetAt(std::chrono::sys_seconds instant) const {
    const time_t t = static_cast<time_t>(instant.time_since_epoch().count());
    tm local{};
    if (localtime_r(&t, &local) == nullptr) {
        return std::chrono::seconds{0};
    }
    return std::chrono::seconds{local.tm_gmtoff};
}

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

bool LocalInstanceGuard::askFirstToShow() {
    sockaddr_un address{};
    if (!socketAddress(socketPath(), &address)) {
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    // The first holds the lock, but while it is still starting it may not listen yet: it is
    // asked again for a moment.
    constexpr int kTries = 50;
    constexpr unsigned long kPauseMs = 20;
    const QByteArray message = showMessage(qgetenv("XDG_ACTIVATION_TOKEN"));
    bool reached = false;
    for (int i = 0; i < kTries; ++i) {
        if (::sendto(fd, message.constData(), message.size(), MSG_DONTWAIT, asAddress(address),
                     sizeof(address)) >= 0) {
            reached = true;
            break;
        }
        if (errno == EAGAIN) {
            reached = true; // a full queue: the first has been asked plenty
            break;
        }
        if (errno != ENOENT && errno != ECONNREFUSED) {
            break;
        }
        QThread::msleep(kPauseMs);
    }
    ::close(fd);
    return reached;
}

LocalInstanceGuard::Reply LocalInstanceGuard::ask(const QString& key, const QByteArray& words,
                                                  std::chrono::milliseconds patience) {
    Reply reply;
    const QString name = runningClock(key, &reply);
    if (name.isEmpty()) {
        return reply;
    }
    sockaddr_un clock{};
    sockaddr_un own{};
    if (!socketAddress(name + QStringLiteral(".socket"), &clock) ||
        !socketAddress(name + QStringLiteral(".%1.answer").arg(::getpid()), &own)) {
        reply.why = QStringLiteral("the path of the socket is too long");
        return reply;
    }
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ::unlink(own.sun_path);
    if (fd < 0 || ::bind(fd, asAddress(own), sizeof(own)) != 0) {
        reply.why = QString::fromLocal8Bit(std::strerror(errno));
        if (fd >= 0) {
            ::close(fd);
        }
        return reply;
    }
    ::chmod(own.sun_path, S_IRUSR | S_IWUSR);
    const auto end = std::chrono::steady_clock::now() + patience;
    const auto left = [&end] {
        return std::max<int>(0,
                             static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                  end - std::chrono::steady_clock::now())
                                                  .count()));
    };
    const QByteArray message = commandMessage(words);
    bool sent = false;
    // A clock that is still starting may not listen yet, and one that is flooded has a full
    // queue: both are asked again until the patience runs out.
    while (!sent && left() > 0) {
        sent = ::sendto(fd, message.constData(), static_cast<size_t>(message.size()), MSG_DONTWAIT,
                        asAddress(clock), sizeof(clock)) >= 0;
        if (!sent && errno != ENOENT && errno != ECONNREFUSED && errno != EAGAIN) {
            break;
        }
        if (!sent) {
            constexpr unsigned long kPauseMs = 20;
            QThread::msleep(kPauseMs);
        }
    }
    if (!sent) {
        reply.why = errno == ENOENT || errno == ECONNREFUSED || errno == EAGAIN
                        ? QStringLiteral("it does not listen")
                        : QString::fromLocal8Bit(std::strerror(errno));
    } else {
        pollfd wait{fd, POLLIN, 0};
        char buffer[16384];
        if (::poll(&wait, 1, left()) == 1) {
            const ssize_t n = ::recv(fd, buffer, sizeof(buffer), MSG_DONTWAIT);
            if (n > 0) {
                reply.kind = Reply::Kind::Answered;
                reply.answer = QByteArray(buffer, static_cast<qsizetype>(n));
            }
        }
        if (reply.kind != Reply::Kind::Answered) {
            reply.why = QStringLiteral("no answer within %1 s").arg(patience.count() / 1000);
        }
    }
    ::close(fd);
    ::unlink(own.sun_path);
    return reply;
}

void LocalInstanceGuard::listen() {
    const auto cannot = [](const char* why) {
        qCWarning(lcInstance, "cannot listen for later starts (%s); they will still be refused",
                  why);
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
        // so is no request either.
        char buffer[512];
        ssize_t n = 0;
        sockaddr_un from{};
        socklen_t fromLength = sizeof(from);
        while ((n = ::recvfrom(fd, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from),
                               &fromLength)) >= 0) {
            const QByteArray answer = heard(QByteArray(buffer, static_cast<qsizetype>(n)));
            // The answer goes to the asker's own socket, when it has one; one that went away
            // or does not read is not waited for.
            if (!answer.isEmpty() && fromLength > offsetof(sockaddr_un, sun_path) &&
                from.sun_path[0] != '\0') {
                ::sendto(fd, answer.constData(), static_cast<size_t>(answer.size()), MSG_DONTWAIT,
                         asAddress(from), fromLength);
            }
            fromLength = sizeof(from);
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
    const QString shortage = descriptorShortage();
    *why = QStringLiteral("cannot open display \"%1\" (%2)")
               .arg(display,
                    shortage.isEmpty() ? QStringLiteral("no X server answers there") : shortage);
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

#ifndef Q_OS_MACOS
namespace {
xcb_connection_t* qtDisplay = nullptr; // Qt's own connection, while an EndWithDisplay lives
QByteArray displayGone;                // the line that says so, made while there is time

void endIfDisplayGone() {
    // Qt's X11 platform (or Xlib, when it notices first) says that its connection broke just
    // before it calls exit(). Its line is replaced by ours, and exit()'s teardown is skipped:
    // Qt Multimedia's PulseAudio engine is destroyed there without its main loop's lock while
    // that loop's thread still answers the server (a segfault or an abort, now and then).
    if (qtDisplay != nullptr && xcb_connection_has_error(qtDisplay) != 0) {
        [[maybe_unused]] const auto n = ::write(STDERR_FILENO, displayGone.constData(),
                                                static_cast<size_t>(displayGone.size()));
        ::_exit(1);
    }
}
} // namespace
#endif

EndWithDisplay::EndWithDisplay() {
#ifndef Q_OS_MACOS
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        return; // Wayland or offscreen
    }
    qtDisplay = x11->connection();
    displayGone = "velto: the display \"" + qgetenv("DISPLAY") +
                  "\" went away (its X server ended or the connection to it broke); ending\n";
    workarounds::watchQtMessages(endIfDisplayGone);
#endif
}

EndWithDisplay::~EndWithDisplay() {
#ifndef Q_OS_MACOS
    if (qtDisplay != nullptr) {
        workarounds::unwatchQtMessages();
        qtDisplay = nullptr;
    }
#endif
}

bool enoughDescriptors(QString* why) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return true;
    }
    // The clock's own limit may go as high as the system lets it, but no higher than what
    // the programs it starts (a browser) expect to inherit.
    if (limit.rlim_cur < limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur = std::min<rlim_t>(limit.rlim_max, 1024);
        if (raised.rlim_cur > limit.rlim_cur && ::setrlimit(RLIMIT_NOFILE, &raised) == 0) {
            limit = raised;
        }
    }
    // The display, the sound server, the event loop's wake-ups, the sound file and the
    // single-instance files take about two dozen; with fewer, parts of Qt and GLib fail in
    // ways that end the program without a word of ours.
    constexpr rlim_t kNeeded = 32;
    if (limit.rlim_cur >= kNeeded) {
        return true;
    }
    *why = QStringLiteral("the program may have no more than %1 files open (ulimit -n); the "
                          "clock needs at least %2")
               .arg(static_cast<qulonglong>(limit.rlim_cur))
               .arg(static_cast<qulonglong>(kNeeded));
    return false;
}

QString descriptorShortage() {
    const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return {};
    }
    if (errno == ENFILE) {
        return QStringLiteral("the system has no more files to give out");
    }
    if (errno != EMFILE) {
        return {};
    }
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    return QStringLiteral("the program may have no more than %1 files open (ulimit -n)")
        .arg(static_cast<qulonglong>(limit.rlim_cur));
}

#ifdef Q_OS_MACOS
void avoidSilentSessionBus() {} // no session bus here
#else
namespace {
/// The local socket of the first address in a D-Bus address list ("unix:path=..." or
/// "unix:abstract=..."); false for any other transport.
bool localSocketOf(const QByteArray& addresses, sockaddr_un& into, socklen_t& length) {
    const QByteArray first = addresses.split(';').value(0);
    if (!first.startsWith("unix:")) {
        return false;
    }
    for (const QByteArray& pair : first.mid(5).split(',')) {
        const bool abstract = pair.startsWith("abstract=");
        if (!abstract && !pair.startsWith("path=")) {
            continue;
        }
        const QByteArray name = QByteArray::fromPercentEncoding(pair.mid(pair.indexOf('=') + 1));
        const size_t at = abstract ? 1 : 0; // an abstract name follows a zero byte
        if (name.isEmpty() || at + static_cast<size_t>(name.size()) >= sizeof(into.sun_path)) {
            return false;
        }
        into = {};
        into.sun_family = AF_UNIX;
        std::memcpy(into.sun_path + at, name.constData(), static_cast<size_t>(name.size()));
        length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + at +
                                        static_cast<size_t>(name.size()) + (abstract ? 0 : 1));
        return true;
    }
    return false;
}
} // namespace

void avoidSilentSessionBus() {
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    sockaddr_un where{};
    socklen_t length = 0;
    if (!localSocketOf(address, where, length)) {
        return;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return;
    }
    bool answered = true; // a bus that is not there fails Qt at once: nothing to avoid
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&where), length) == 0 || errno == EAGAIN ||
        errno == EINPROGRESS) {
        // A bus answers the first words of the handshake at once, whether it takes us or not.
        const QByteArray hello = QByteArray(1, '\0') + "AUTH EXTERNAL " +
                                 QByteArray::number(::getuid()).toHex() + "\r\n";
        [[maybe_unused]] const auto sent =
            ::send(fd, hello.constData(), static_cast<size_t>(hello.size()), MSG_NOSIGNAL);
        pollfd reply{fd, POLLIN, 0};
        answered = ::poll(&reply, 1, kSessionBusAnswerMs) > 0;
    }
    ::close(fd);
    if (answered) {
        return;
    }
    std::fprintf(stderr,
                 "velto: the session bus (%s) does not answer; the clock goes without it, and "
                 "without screen readers, desktop notifications and a StatusNotifier tray\n",
                 address.constData());
    // An address of no transport fails every use of the bus at once.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    workarounds::turnAccessibilityOff();
}
#endif

namespace {
int signalPipe[2] = {-1, -1};
volatile sig_atomic_t signalled = 0; // for when there is no pipe

void onSignal(int) {
    if (signalled != 0) {
        ::_exit(0); // asked again: the end already under way is not waited for
    }
    signalled = 1;
    const char byte = 1;
    // Only async-signal-safe work here: the event loop picks the byte up.
    if (signalPipe[1] >= 0) {
        [[maybe_unused]] const auto n = ::write(signalPipe[1], &byte, 1);
    }
}

void endLate(int) {
    constexpr char kLate[] =
        "velto: the program did not end within a second of the signal; it ends now\n";
    [[maybe_unused]] const auto n = ::write(STDERR_FILENO, kLate, sizeof kLate - 1);
    ::_exit(0);
}

void endEventLoop() {
    // exit(), not quit(): Qt lets the windows refuse a quit, and the clock's window refuses
    // every close that is not the program's own (it goes to the tray instead).
    QCoreApplication::exit(0);
    // A session that ends sends one signal and then kills: whatever holds the event loop or
    // the shut-down up (Qt's own loops and its sound's teardown among them), the program
    // ends within a second. The settings are written at every change, so nothing is lost.
    // An alarm signal, not a thread: there may be no thread to be had.
    static bool armed = false;
    if (std::exchange(armed, true)) {
        return;
    }
    struct sigaction late {};
    late.sa_handler = endLate;
    sigemptyset(&late.sa_mask);
    sigaction(SIGALRM, &late, nullptr);
    ::alarm(1);
}
} // namespace

void catchTerminationSignals() {
    if (::pipe(signalPipe) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
        const QString shortage = descriptorShortage();
        qCWarning(lcSession,
                  "cannot make the pipe that hears the session end (%s); listening for "
                  "it once a second instead",
                  qPrintable(shortage.isEmpty() ? QString::fromLocal8Bit(std::strerror(errno))
                                                : shortage));
    } else {
        for (int fd : signalPipe) {
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(sig, &action, nullptr);
    }
}

void quitOnTerminationSignals() {
    if (signalPipe[0] < 0) {
        // Rare enough that a timer of its own costs nothing in the usual run.
        auto* poll = new QTimer(qApp);
        QObject::connect(poll, &QTimer::timeout, qApp, [] {
            if (signalled != 0) {
                endEventLoop();
            }
        });
        constexpr int kPollMs = 1000;
        poll->start(kPollMs);
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char byte = 0;
        [[maybe_unused]] const auto n = ::read(signalPipe[0], &byte, 1);
        endEventLoop();
    });
}

} // namespace velto
