#pragma once
// The settings store, in one INI file.

#include "platform/seams.h"

#include <QMap>
#include <chrono>

namespace velto {

/// The settings in one INI file: by default velto/velto.conf in the user's configuration
/// folder (see userConfigFolder). Only a regular file of a size that settings could have is
/// read, and nothing in it is taken for more than a number or a word. A save writes what
/// changed since this store last read or wrote into the file as it is then, so that two
/// clocks on one file both keep their changes, and what the clock does not know stays; the
/// file is replaced atomically.
class FileSettingsStore final : public SettingsStore {
public:
    /// A larger file is no clock's settings: it is set aside unread.
    static constexpr qint64 kLargestFile = qint64{64} * 1024;
    /// How long a save waits for another clock that is writing the same file.
    static constexpr std::chrono::milliseconds kLockPatience{500};

    explicit FileSettingsStore(QString path = defaultPath());
    static QString defaultPath();
    QVariantMap load() override;
    void setAside(const QString& why) override;
    bool save(const QVariantMap& values) override;

private:
    QString path_;
    QMap<QString, QString> written_; // each key's text as last read or written here
    bool setAside_ = false;          // said and done once
    bool inTheWay_ = false; // something that must not be overwritten is where the file goes
    bool saidUnwritable_ = false;
    bool saidLock_ = false;
};

} // namespace velto
