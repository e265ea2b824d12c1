// The notification area on Windows and macOS: the shell's own, which Qt finds at once.
#include "platform/tray_area.h"

#include <QSystemTrayIcon>

namespace velto {

void askForNotificationArea(QObject& /*context*/, std::function<void(bool)> answer) {
    answer(QSystemTrayIcon::isSystemTrayAvailable());
}

bool watchNotificationArea(QObject& /*context*/, std::function<void()> /*changed*/) {
    return false; // the shell says nothing of its notification area going away
}

} // namespace velto
