#include "platform/qt_platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace velto {

FileSettingsStore::FileSettingsStore(QString path) : path_(std::move(path)) {}

QString FileSettingsStore::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/velto/velto.conf");
}

QVariantMap FileSettingsStore::load() {
    const QFileInfo info(path_);
    if (!info.exists()) {
        return {}; // the first start, or a link to nothing: nothing kept yet
    }
    if (!info.isFile()) {
        inTheWay_ = true;
        qWarning("velto: %s is not a file, so the clock starts with its defaults and keeps "
                 "nothing until it goes",
                 qPrintable(path_));
        return {};
    }
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        setAside(QStringLiteral("cannot be read (%1)").arg(file.errorString()));
        return {};
    }
    file.close();
    QSettings settings(path_, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        setAside(QStringLiteral("are not in the format of a settings file"));
        return {};
    }
    QVariantMap values;
    for (const QString& key : settings.allKeys()) {
        values.insert(key, settings.value(key));
    }
    if (values.isEmpty() && info.size() > 0) {
        setAside(QStringLiteral("hold nothing this clock can read"));
    }
    return values;
}

void FileSettingsStore::setAside(const QString& why) {
    if (setAside_ || inTheWay_) {
        return;
    }
    setAside_ = true;
    const QString bad = path_ + QStringLiteral(".bad");
    QFile::remove(bad);
    if (QFile::rename(path_, bad)) {
        qWarning("velto: the settings in %s %s; the clock starts with the defaults for what it "
                 "could not read, and the file is kept as %s",
                 qPrintable(path_), qPrintable(why), qPrintable(bad));
    } else {
        inTheWay_ = true; // rather keep nothing than write over it
        qWarning("velto: the settings in %s %s; the clock starts with the defaults for what it "
                 "could not read and keeps nothing, since the file cannot be moved aside",
                 qPrintable(path_), qPrintable(why));
    }
}

void FileSettingsStore::save(const QVariantMap& values) {
    if (inTheWay_) {
        return;
    }
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSettings settings(path_, QSettings::IniFormat);
    settings.clear();
    for (auto v = values.begin(); v != values.end(); ++v) {
        settings.setValue(v.key(), v.value());
    }
    settings.sync();
    if (settings.status() != QSettings::NoError && !saidUnwritable_) {
        saidUnwritable_ = true;
        const QFileInfo folder(QFileInfo(path_).absolutePath());
        qWarning("velto: the settings cannot be written to %s%s, so the clock runs on without "
                 "keeping them",
                 qPrintable(path_),
                 folder.isDir() && !folder.isWritable() ? " (its folder is not writable)" : "");
    }
}

} // namespace velto
