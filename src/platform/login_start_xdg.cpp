// Start at login on Linux and the other freedesktop systems: an autostart entry named by the
// application's id in $XDG_CONFIG_HOME/autostart. An entry of the same name in a folder of
// $XDG_CONFIG_DIRS (put there by the system's administrator) starts the program as well,
// unless the user's own entry hides it.
#include "platform/console.h"
#include "platform/files.h"
#include "platform/login_start.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <string_view>

namespace velto {

namespace {

/// An entry is a few lines; the first this many bytes of a larger one are all that is read.
constexpr qint64 kLargestEntry = qint64{64} * 1024;

QStringList configDirs() {
    QStringList dirs;
    for (const QString& dir :
         qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir)) {
            dirs.append(dir);
        }
    }
    return dirs.isEmpty() ? QStringList{QStringLiteral("/etc/xdg")} : dirs;
}

/// The value of `key` in the [Desktop Entry] group of `text`; empty when absent.
QString entryValue(const QByteArray& text, QLatin1StringView key) {
    bool inEntry = false;
    for (const QByteArray& bytes : text.split('\n')) {
        const QString line = QString::fromUtf8(bytes).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inEntry && eq > 0 && QStringView(line).left(eq).trimmed() == key) {
            return line.mid(eq + 1).trimmed();
        }
    }
    return {};
}

/// Whether the entry `text` asks the desktop to start it: hidden entries and those that
/// GNOME's settings switched off do not.
bool entryStarts(const QByteArray& text) {
    return entryValue(text, QLatin1String("Hidden")) != QLatin1String("true") &&
           entryValue(text, QLatin1String("X-GNOME-Autostart-enabled")) != QLatin1String("false");
}

/// `program` as one argument of an Exec line, and the line escaped as a desktop entry's
/// string: quoted when it holds a character the Exec rules reserve, '%' doubled.
QString execArgument(const QString& program) {
    constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
    QString arg = program;
    if (std::any_of(arg.cbegin(), arg.cend(), [reserved](QChar c) {
            return c.unicode() < 128 &&
                   reserved.find(static_cast<char>(c.unicode())) != std::string_view::npos;
        })) {
        QString quoted;
        for (const QChar c : arg) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\')) {
                quoted += QLatin1Char('\\');
            }
            quoted += c;
        }
        arg = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    arg.replace(QLatin1Char('%'), QLatin1String("%%"));
    arg.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    arg.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return arg;
}

/// Why the user's entry at `path` is not ours to write or remove; empty when it is.
QString notOurs(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink()) {
        return QStringLiteral("%1 is a symbolic link; start at login is left as it is").arg(path);
    }
    if (info.exists() && !info.isFile()) {
        return QStringLiteral("%1 is not a file; start at login is left as it is").arg(path);
    }
    return {};
}

bool writeEntry(const QString& path, const QByteArray& text, QString* why) {
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder)) {
        *why = QStringLiteral("cannot make the folder %1; start at login is left as it is")
                   .arg(folder);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        *why = QStringLiteral("cannot write %1 (%2); start at login is left as it is")
                   .arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

SystemLoginStart::SystemLoginStart(QString appId, QString program)
    : appId_(std::move(appId)), program_(std::move(program)) {}

QString SystemLoginStart::entryPath() const {
    return userConfigFolder() + QStringLiteral("/autostart/") + appId_ + QStringLiteral(".desktop");
}

bool SystemLoginStart::enabled() const {
    // The first entry of the name decides: the user's own, then the system's in order.
    const QString name = QStringLiteral("/autostart/") + appId_ + QStringLiteral(".desktop");
    for (const QString& dir : QStringList{userConfigFolder()} + configDirs()) {
        // Read without waiting on whatever is there; only a file counts as an entry.
        const SmallFile entry = readSmallFile(dir + name, kLargestEntry, true);
        if (entry.result == FileRead::TooLarge && !saidTooLarge_) {
            saidTooLarge_ = true;
            qCWarning(lcDesktop,
                      "%s is larger than an autostart entry could be; only its first %lld "
                      "KiB are read",
                      qPrintable(dir + name), kLargestEntry / 1024);
        }
        if (entry.result == FileRead::Read || entry.result == FileRead::TooLarge ||
            entry.result == FileRead::Unreadable) {
            return entryStarts(entry.bytes);
        }
    }
    return false;
}

bool SystemLoginStart::setEnabled(bool on, QString* why) {
    QString unused;
    QString& said = why != nullptr ? *why : unused;
    const QString path = entryPath();
    if (const QString refusal = notOurs(path); !refusal.isEmpty()) {
        said = refusal;
        return false;
    }
    // The system's entry starts the program for everybody; the user's own hidden entry says
    // no to it.
    const auto entry = [this](bool hidden) {
        return QStringLiteral("[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Velto\n"
                              "Comment=Starts the clock when you log in\n"
                              "Exec=%1\n"
                              "Icon=%2\n"
                              "Terminal=false\n"
                              "%3\n")
            .arg(execArgument(program_), appId_,
                 hidden ? QStringLiteral("Hidden=true")
                        : QStringLiteral("X-GNOME-Autostart-enabled=true"))
            .toUtf8();
    };
    if (on) {
        return writeEntry(path, entry(false), &said);
    }
    QFile file(path);
    if (file.exists() && !file.remove()) {
        said = QStringLiteral("cannot remove %1 (%2); start at login stays on")
                   .arg(path, file.errorString());
        return false;
    }
    return !enabled() || writeEntry(path, entry(true), &said);
}

} // namespace velto
