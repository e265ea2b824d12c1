#include "shell/systray.h"

namespace velto {

namespace {

void showLook(const Ctx& c, int look, bool (TrayIcon::*send)(const QIcon&, const QString&)) {
    (c.platform.tray.*send)(c.depot.trayIcon(look), c.depot.tag(DepotArray::imgTrayIcon, look));
}

} // namespace

QString TrayMenuCaption(const Ctx& c, TrayMenuEntry entry) {
    switch (entry) {
    case mnuOnOff:
        return c.depot.tag(DepotArray::imgTrayIcon, 0);
    case mnuShow:
        return QStringLiteral("&Show Velto");
    case mnuAbout:
        return QStringLiteral("&About");
    case mnuLogin:
        return QStringLiteral("Start at &login");
    case mnuExit:
        return QStringLiteral("E&xit");
    case mnuTray1:
    case mnuTray2:
        break;
    }
    return {};
}

void AddTrayIcon(const Ctx& c) {
    if (!c.platform.tray.add(c.depot.trayIcon(0), c.depot.tag(DepotArray::imgTrayIcon, 0))) {
        c.platform.messages.inform(appTitle(), QStringLiteral("Unable to add icon to system tray"));
    }
}

void ModifyTrayIcon(const Ctx& c, int16_t off) {
    // The picture is kept even without an icon, for the area that may come later.
    showLook(c, off != 0 ? 1 : 0, &TrayIcon::modify);
}

void DeleteTrayIcon(const Ctx& c) {
    c.platform.tray.remove();
}

void SetTrayMenuCaption(const Ctx& c, const QString& caption) {
    c.platform.tray.setMenuCaption(mnuOnOff, caption);
}

void TrayAreaAppeared(const Ctx& c) {
    showLook(c, c.model.armed() ? 0 : 1, &TrayIcon::add);
}

void TrayClicked(const Ctx& c, TrayClick click) {
    if (click == TrayClick::Single) {
        c.main.bringBack();
    } else {
        c.main.showAgain();
    }
}

void MnuShowClick(const Ctx& c) {
    c.main.bringBack();
}

void SendToTray(const Ctx& c) {
    if (c.platform.tray.visible()) {
        c.main.minimiseAndHide();
    } else {
        c.main.setWindowState(c.main.windowState() | Qt::WindowMinimized);
    }
}

} // namespace velto
