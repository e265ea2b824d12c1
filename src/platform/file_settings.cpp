#include "platform/file_settings.h"

#include "platform/console.h"
#include "platform/files.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <vector>

namespace velto {

namespace {

/// A settings file as its lines, in the INI format QSettings wrote it in ("[group]", then
/// "key=value"; keys of no group under [General]). What this clock does not know of, a key
/// of a later version or anything another program put there, is written back as it was.
class IniText {
public:
    /// False when a line is none of a group, a key and its value, a comment, a blank.
    bool parse(const QByteArray& bytes) {
        lines_.clear();
        if (bytes.contains('\0')) {
            return false;
        }
        QList<QByteArray> raw = bytes.split('\n');
        if (bytes.endsWith('\n')) {
            raw.removeLast();
        }
        QString group;
        for (const QByteArray& line : raw) {
            const QByteArray bare = line.trimmed();
            Line parsed{line, group, {}, {}, false};
            if (bare.startsWith('[') && bare.endsWith(']')) {
                group = QString::fromUtf8(bare.mid(1, bare.size() - 2)).trimmed();
                if (group == QLatin1String("General")) {
                    group.clear();
                }
                parsed.group = group;
                parsed.header = true;
            } else if (!bare.isEmpty() && !bare.startsWith(';') && !bare.startsWith('#')) {
                const qsizetype eq = bare.indexOf('=');
                if (eq <= 0) {
                    return false;
                }
                QString name = QString::fromUtf8(bare.left(eq)).trimmed();
                name.replace(QLatin1Char('\\'), QLatin1Char('/'));
                parsed.key = group.isEmpty() ? name : group + QLatin1Char('/') + name;
                parsed.value = unquoted(QString::fromUtf8(bare.mid(eq + 1)).trimmed());
            }
            lines_.push_back(parsed);
        }
        return true;
    }

    /// Each key with the text of its value; the last of a key written twice counts.
    [[nodiscard]] QMap<QString, QString> values() const {
        QMap<QString, QString> all;
        for (const Line& line : lines_) {
            if (!line.key.isEmpty()) {
                all.insert(line.key, line.value);
            }
        }
        return all;
    }

    void set(const QString& key, const QString& value) {
        const QByteArray text = quoted(value).toUtf8();
        bool found = false;
        for (Line& line : lines_) {
            if (line.key == key) {
                line.raw = line.raw.left(line.raw.indexOf('=') + 1) + text;
                line.value = value;
                found = true;
            }
        }
        if (found) {
            return;
        }
        const qsizetype slash = key.lastIndexOf(QLatin1Char('/'));
        const QString group = slash < 0 ? QString() : key.left(slash);
        const QByteArray name = (slash < 0 ? key : key.mid(slash + 1)).toUtf8();
        Line line{name + '=' + text, group, key, value, false};
        // After the group's last key, or in a group of its own.
        for (auto at = lines_.size(); at > 0; --at) {
            const Line& before = lines_[at - 1];
            if (before.group == group && (before.header || !before.key.isEmpty())) {
                lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
                return;
            }
        }
        const Line header{'[' + (group.isEmpty() ? QByteArray("General") : group.toUtf8()) + ']',
                          group,
                          {},
                          {},
                          true};
        if (group.isEmpty()) {
            lines_.insert(lines_.begin(), {header, line});
            if (lines_.size() > 2) {
                lines_.insert(lines_.begin() + 2, Line{});
            }
            return;
        }
        if (!lines_.empty() && !lines_.back().raw.trimmed().isEmpty()) {
            lines_.push_back(Line{});
        }
        lines_.push_back(header);
        lines_.push_back(line);
    }

    void remove(const QString& key) {
        std::erase_if(lines_, [&key](const Line& line) { return line.key == key; });
    }

    [[nodiscard]] QByteArray bytes() const {
        QByteArray all;
        for (const Line& line : lines_) {
            all += line.raw + '\n';
        }
        return all;
    }

private:
    struct Line {
        QByteArray raw; // as it stands in the file
        QString group;
        QString key; // with its group; empty for a line that is no key
        QString value;
        bool header = false;
    };

    static QString unquoted(const QString& text) {
        if (text.size() < 2 || !text.startsWith(QLatin1Char('"')) ||
            !text.endsWith(QLatin1Char('"'))) {
            return text;
        }
        QString plain;
        for (qsizetype i = 1; i + 1 < text.size(); ++i) {
            if (text[i] == QLatin1Char('\\') && i + 2 < text.size()) {
                ++i;
            }
            plain += text[i];
        }
        return plain;
    }
    /// Plain when it reads back the same, quoted otherwise (QSettings reads both).
    static QString quoted(const QString& value) {
        const bool plain = std::all_of(value.begin(), value.end(), [](QChar c) {
            return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_') ||
                   c == QLatin1Char('.') || c == QLatin1Char(':') || c == QLatin1Char('+');
        });
        if (plain) {
            return value;
        }
        QString text = value;
        text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        text.replace(QLatin1Char('"'), QLatin1String("\\\""));
        text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        return QLatin1Char('"') + text + QLatin1Char('"');
    }

    std::vector<Line> lines_;
};

QMap<QString, QString> texts(const QVariantMap& values) {
    QMap<QString, QString> all;
    for (auto v = values.begin(); v != values.end(); ++v) {
        all.insert(v.key(), v.value().toString());
    }
    return all;
}

} // namespace

FileSettingsStore::FileSettingsStore(QString path) : path_(std::move(path)) {}

QString FileSettingsStore::defaultPath() {
    return userConfigFolder() + QStringLiteral("/velto/velto.conf");
}

QVariantMap FileSettingsStore::load() {
    const SmallFile file = readSmallFile(path_, kLargestFile);
    switch (file.result) {
    case FileRead::Missing:
        return {}; // the first start, or a link to nothing: nothing kept yet
    case FileRead::NotAFile:
        inTheWay_ = true;
        qCWarning(lcSettings,
                  "%s is not a file, so the clock starts with its defaults and keeps "
                  "nothing until it goes",
                  qPrintable(path_));
        return {};
    case FileRead::LinkLoop:
        setAside(QStringLiteral("are behind symbolic links that lead round in a loop"));
        return {};
    case FileRead::TooLarge:
        setAside(QStringLiteral("are larger than the %1 KiB a clock's settings could fill")
                     .arg(kLargestFile / 1024));
        return {};
    case FileRead::Unreadable:
        setAside(QStringLiteral("cannot be read (%1)").arg(file.error));
        return {};
    case FileRead::Read:
        break;
    }
    IniText text;
    if (!text.parse(file.bytes)) {
        setAside(QStringLiteral("are not in the format of a settings file"));
        return {};
    }
    written_ = text.values();
    if (written_.isEmpty() && !file.bytes.trimmed().isEmpty()) {
        setAside(QStringLiteral("hold nothing this clock can read"));
        return {};
    }
    // Plain numbers and words, read as text: nothing in the file is taken for a type of its own.
    QVariantMap values;
    for (auto v = written_.cbegin(); v != written_.cend(); ++v) {
        bool number = false;
        const qlonglong n = v.value().toLongLong(&number);
        const bool same = number && QString::number(n) == v.value(); // written back as it was
        values.insert(v.key(), same ? QVariant(n) : QVariant(v.value()));
    }
    return values;
}

void FileSettingsStore::setAside(const QString& why) {
    if (setAside_ || inTheWay_) {
        return;
    }
    setAside_ = true;
    written_.clear(); // the next save writes all of it, into a file of its own
    const QString bad = path_ + QStringLiteral(".bad");
    QFile::remove(bad);
    if (renameEntry(path_, bad)) {
        qCWarning(lcSettings,
                  "the settings in %s %s; the clock starts with the defaults for what it "
                  "could not read, and the file is kept as %s",
                  qPrintable(path_), qPrintable(why), qPrintable(bad));
    } else {
        inTheWay_ = true; // rather keep nothing than write over it
        qCWarning(lcSettings,
                  "the settings in %s %s; the clock starts with the defaults for what it "
                  "could not read and keeps nothing, since the file cannot be moved aside",
                  qPrintable(path_), qPrintable(why));
    }
}

bool FileSettingsStore::save(const QVariantMap& values) {
    if (inTheWay_) {
        return false;
    }
    const QString folder = QFileInfo(path_).absolutePath();
    QDir().mkpath(folder);
    // Another clock of this user (another session, another runtime folder) may keep its
    // settings here too: each writes what it changed into what the other wrote, one at a
    // time. A lock that is in the way or held for long holds nobody up.
    const QString lockPath = path_ + QStringLiteral(".lock");
    FileLock lock;
    if (lock.acquire(lockPath, kLockPatience) == FileLock::Result::InTheWay && !saidLock_) {
        saidLock_ = true;
        qCWarning(lcSettings,
                  "%s is in the way of the settings' lock (%s is there); they are "
                  "written without it",
                  qPrintable(lockPath), qPrintable(lock.found()));
    }
    const QMap<QString, QString> wanted = texts(values);
    IniText text;
    const SmallFile now = readSmallFile(path_, kLargestFile);
    const bool fresh = now.result != FileRead::Read || !text.parse(now.bytes);
    if (fresh) {
        text = IniText();
    }
    for (auto v = wanted.cbegin(); v != wanted.cend(); ++v) {
        if (fresh || written_.value(v.key(), QStringLiteral("\n")) != v.value()) {
            text.set(v.key(), v.value());
        }
    }
    for (auto v = written_.cbegin(); v != written_.cend(); ++v) {
        if (!wanted.contains(v.key())) {
            text.remove(v.key());
        }
    }
    QSaveFile file(path_);
    const QByteArray bytes = text.bytes();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (!saidUnwritable_) {
            saidUnwritable_ = true;
            const QFileInfo where(folder);
            qCWarning(lcSettings,
                      "the settings cannot be written to %s (%s%s); the clock tries again "
                      "at each change and each minute",
                      qPrintable(path_), qPrintable(file.errorString()),
                      where.isDir() && !where.isWritable() ? ", its folder is not writable" : "");
        }
        return false;
    }
    if (saidUnwritable_) {
        saidUnwritable_ = false;
        qCWarning(lcSettings, "the settings are written to %s again", qPrintable(path_));
    }
    written_ = wanted;
    return true;
}

} // namespace velto
