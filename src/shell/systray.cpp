#include "shell/systray.h"

namespace velto {

// The tray icon and its menu are not built yet; until they are, these change nothing.
void AddTrayIcon(const Ctx&) {}
void ModifyTrayIcon(const Ctx&, int16_t) {}
void DeleteTrayIcon(const Ctx& c) {
    c.platform.tray.remove();
}
void SetTrayMenuCaption(const Ctx&, const QString&) {}

} // namespace velto
