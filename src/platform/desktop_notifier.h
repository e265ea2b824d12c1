#pragma once
// The real desktop notifications, per system: the freedesktop notification service on the
// session bus on Linux and the other freedesktop systems, the tray icon's message elsewhere.

#include "platform/seams.h"

#include <QObject>
#include <memory>

namespace velto {

class QtTray;

class DesktopNotifier final : public QObject, public Notifier {
    Q_OBJECT
public:
    /// `appId` names the program's icon and desktop entry; `tray` shows the message where the
    /// system has no notification service of its own.
    DesktopNotifier(QString appId, QtTray& tray);
    ~DesktopNotifier() override;
    void notify(const QString& title, const QString& body) override;
    void notify(const QString& title, const QString& body, const std::vector<NoticeAction>& actions,
                std::function<void(const QString& id)> onAction) override;

private:
    struct System; // what the system's way needs
    std::unique_ptr<System> system_;
};

} // namespace velto
