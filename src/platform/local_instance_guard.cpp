#include "platform/local_instance_guard.h"

#include "platform/console.h"
#include "platform/process.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <optional>

namespace velto {

namespace {

/// Whether `dir` is a real folder (no link) of this user that nobody else may enter.
bool isPrivateFolder(const QString& dir, QString* why) {
    const QFileInfo info(dir);
    if (!info.exists()) {
        *why = QStringLiteral("%1 does not exist").arg(dir);
    } else if (!info.isDir() || info.isSymLink()) {
        *why = QStringLiteral("%1 is not a folder").arg(dir);
    } else if (!ownedByCurrentUser(info)) {
        *why = QStringLiteral("%1 belongs to another user").arg(dir);
    } else if (info.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                     QFile::ReadOther | QFile::WriteOther | QFile::ExeOther)) {
        *why = QStringLiteral("%1 is open to other users").arg(dir);
    } else {
        return true;
    }
    return false;
}

} // namespace

QString instanceFolder(QString* why) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        return isPrivateFolder(runtime, why) ? QDir(runtime).absolutePath() : QString();
    }
    // No runtime folder (a bare session, cron, some containers): one of our own in the
    // temporary folder, made private; one that exists must already be ours and private.
    const QString dir = QDir::tempPath() + QStringLiteral("/velto-") + currentUserName();
    QDir().mkdir(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return isPrivateFolder(dir, why) ? dir : QString();
}

LocalInstanceGuard::LocalInstanceGuard(const QString& key)
    : name_(key + QLatin1Char('-') + currentUserName()) {
    constexpr int kShowPauseMs = 500;
    showPause_.setSingleShot(true);
    showPause_.setInterval(kShowPauseMs);
    connect(&showPause_, &QTimer::timeout, this, [this] {
        if (showWaits_ && handler_) {
            showWaits_ = false;
            show();
        }
    });
}

LocalInstanceGuard::~LocalInstanceGuard() {
    stopListening();
}

QString LocalInstanceGuard::socketPath() const {
    return folder_.isEmpty() ? QString() : folder_ + QLatin1Char('/') + name_ + ".socket";
}

bool LocalInstanceGuard::claim() {
    QString why;
    folder_ = instanceFolder(&why);
    if (folder_.isEmpty()) {
        qCWarning(lcInstance, "single-instance is off: %s", qPrintable(why));
        return true;
    }
    const QString path = folder_ + QLatin1Char('/') + name_ + QStringLiteral(".lock");
    // A later start never waits: the first either holds the lock now or is gone.
    constexpr std::chrono::milliseconds kNow{0};
    auto got = lock_.acquire(path, kNow);
    if (got == FileLock::Result::InTheWay) {
        // In our private folder, a FIFO or a link where the lock goes is nobody's lock.
        const QString found = lock_.found();
        if (!QFile::remove(path) ||
            (got = lock_.acquire(path, kNow)) == FileLock::Result::InTheWay) {
            qCWarning(lcInstance,
                      "single-instance is off: %s is in the way (%s) and cannot be removed",
                      qPrintable(path), qPrintable(found));
            return true;
        }
        qCWarning(lcInstance, "replaced %s, which was %s and no lock", qPrintable(path),
                  qPrintable(found));
    }
    if (got == FileLock::Result::Failed) {
        // No lock can be made (a read-only or full folder): running twice is better than not
        // running.
        const QString shortage = descriptorShortage();
        qCWarning(lcInstance, "single-instance is off: cannot create the lock file in %s (%s)",
                  qPrintable(folder_), qPrintable(shortage.isEmpty() ? lock_.found() : shortage));
        return true;
    }
    if (got == FileLock::Result::Busy) {
        firstAnswered_ = askFirstToShow();
        if (!firstAnswered_) {
            // The number the holder wrote, for the user to look it up.
            const SmallFile said = readSmallFile(path, 32);
            bool isNumber = false;
            const qint64 pid = said.bytes.trimmed().toLongLong(&isNumber);
            const QString who = isNumber ? QStringLiteral("another clock (process %1)").arg(pid)
                                         : QStringLiteral("another clock");
            qCWarning(lcInstance,
                      "%s holds %s but does not answer at %s; end it, or remove the lock "
                      "file if it is no clock",
                      qPrintable(who), qPrintable(path), qPrintable(socketPath()));
        }
        return false;
    }
    if (lock_.isFolder()) {
        qCWarning(lcInstance, "%s is a folder, which serves as the lock", qPrintable(path));
    }
    lock_.describe(QByteArray::number(QCoreApplication::applicationPid()) + '\n');
    listen();
    return true;
}

QByteArray LocalInstanceGuard::showMessage(const QByteArray& token) {
    return token.isEmpty() ? QByteArray(kShow) : "show " + token + '\n';
}

namespace {

/// The token of a request to show, empty when there is none; nullopt when `message` is no
/// such request. A token is one word of printable characters, as compositors make them.
std::optional<QByteArray> tokenOfShow(const QByteArray& message) {
    if (message == LocalInstanceGuard::kShow) {
        return QByteArray();
    }
    constexpr qsizetype kLongestToken = 255;
    if (!message.startsWith("show ") || !message.endsWith('\n')) {
        return std::nullopt;
    }
    const QByteArray token = message.mid(5, message.size() - 6);
    const bool word =
        std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 127; });
    if (token.isEmpty() || token.size() > kLongestToken || !word) {
        return std::nullopt;
    }
    return token;
}

} // namespace

QString LocalInstanceGuard::runningClock(const QString& key, Reply* reply) {
    const QString folder = instanceFolder(&reply->why);
    if (folder.isEmpty()) {
        return {}; // then no clock could have claimed the instance either
    }
    QString name = folder + QLatin1Char('/') + key + QLatin1Char('-') + currentUserName();
    FileLock probe;
    if (probe.acquire(name + QStringLiteral(".lock"), std::chrono::milliseconds{0}) !=
        FileLock::Result::Busy) {
        return {};
    }
    reply->kind = Reply::Kind::Silent; // until it answers
    return name;
}

QByteArray LocalInstanceGuard::commandMessage(const QByteArray& words) {
    return "do " + words + '\n';
}

QByteArray LocalInstanceGuard::heard(const QByteArray& message) {
    if (message.startsWith("do ") && message.endsWith('\n')) {
        return commands_ ? commands_(message.mid(3, message.size() - 4)) : QByteArray();
    }
    const auto token = tokenOfShow(message);
    if (!token || !handler_) {
        return {};
    }
    // Only the latest token is kept, the one the showing will use: the environment keeps
    // every value it was ever given.
    token_ = *token;
    // Requests that come in a flood bring the window back once, and once more after it: the
    // window manager would otherwise be asked to raise the window as many times.
    if (showPause_.isActive()) {
        showWaits_ = true;
        return {};
    }
    show();
    return {};
}

void LocalInstanceGuard::show() {
    if (!token_.isEmpty()) {
        qputenv("XDG_ACTIVATION_TOKEN", token_);
        token_.clear();
    }
    handler_();
    if (!onWayland()) {
        qunsetenv("XDG_ACTIVATION_TOKEN"); // only Qt's Wayland platform takes it up
    }
    showPause_.start();
}

void LocalInstanceGuard::onActivationRequest(std::function<void()> handler) {
    handler_ = std::move(handler);
}

void LocalInstanceGuard::onCommand(std::function<QByteArray(const QByteArray&)> handler) {
    commands_ = std::move(handler);
}

} // namespace velto
