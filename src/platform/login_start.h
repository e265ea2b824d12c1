#pragma once
// The real start at login, per system: an XDG autostart entry on Linux and the other
// freedesktop systems, a LaunchAgent on macOS, the Run key on Windows.

#include "platform/seams.h"

namespace velto {

class SystemLoginStart final : public LoginStart {
public:
    /// `appId` names the entry (the desktop file's reverse-DNS name); `program` is the full
    /// path of the executable the desktop is to start.
    SystemLoginStart(QString appId, QString program);
    [[nodiscard]] bool enabled() const override;
    bool setEnabled(bool on, QString* why) override;

    /// Where the entry of this user lives (the file, or the registry value's key).
    [[nodiscard]] QString entryPath() const;

private:
    QString appId_;
    QString program_;
    mutable bool saidTooLarge_ = false; // an entry too large to read whole, said once
};

} // namespace velto
