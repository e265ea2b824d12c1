#include "app/chrome.h"

#include "punch/countdown.h"
#include "shell/systray.h"

namespace velto {

namespace {

/// Shows `look` (0 normal, 1 highlighted) on a header button and records it in its Tag.
void setLook(const Ctx& c, ImageControl& button, DepotArray array, int look) {
    button.tag = QString::number(look);
    c.show(button, array, look);
}

} // namespace

void HoverHeader(const Ctx& c, int16_t overClose, int16_t overMinimise) {
    ImageControl& x = *c.main.imgHeaderX;
    ImageControl& v = *c.main.imgHeaderV;
    // The Tag is read again for every check: it is the only record of the look.
    if (x.tag.toInt() == 0 && overClose == 1) {
        setLook(c, x, DepotArray::imgHeaderX, 1);
    }
    if (x.tag.toInt() == 1 && overClose == 0) {
        setLook(c, x, DepotArray::imgHeaderX, 0);
    }
    if (v.tag.toInt() == 0 && overMinimise == 1) {
        setLook(c, v, DepotArray::imgHeaderV, 1);
    }
    if (v.tag.toInt() == 1 && overMinimise == 0) {
        setLook(c, v, DepotArray::imgHeaderV, 0);
    }
}

void DragWindow(const Ctx& c) {
    if (c.main.windowState() & Qt::WindowMaximized) {
        return;
    }
    // A desktop that cannot move the window leaves it where it is; there is nothing to say.
    (void)c.platform.desktop.startSystemMove(c.main);
}

void FormMouseDown(const Ctx& c, Qt::MouseButton button) {
    if (button == Qt::LeftButton) {
        DragWindow(c);
    }
}

void FormMouseMove(const Ctx& c, QPoint pos) {
    Q_UNUSED(pos); // read by the tray-message dispatch, below, once it exists
    HoverHeader(c, 0, 0);
    // Every move, highlighted or not: cheaper to assign ten pictures than to keep track.
    PresetsNormal(c);
    // The tray's mouse messages are dispatched here, last.
}

void HeaderVMouseUp(const Ctx& c) {
    SendToTray(c);
}

} // namespace velto
