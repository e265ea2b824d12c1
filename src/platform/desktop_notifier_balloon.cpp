// Desktop notifications on Windows and macOS: the tray icon's message, which the system
// shows as its own notification.
#include "platform/desktop_notifier.h"

#include "platform/qt_tray.h"

namespace velto {

struct DesktopNotifier::System {
    QtTray& tray;
};

DesktopNotifier::DesktopNotifier(QString /*appId*/, QtTray& tray)
    : system_(std::make_unique<System>(System{tray})) {}

DesktopNotifier::~DesktopNotifier() = default;

void DesktopNotifier::notify(const QString& title, const QString& body) {
    system_->tray.showMessage(title, body);
}

void DesktopNotifier::notify(const QString& title, const QString& body,
                             const std::vector<NoticeAction>& /*actions*/,
                             std::function<void(const QString& id)> /*onAction*/) {
    notify(title, body);
}

} // namespace velto
