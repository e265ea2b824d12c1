#pragma once
// The borderless window's own chrome: moving it by its background, and the header buttons
// that stand in for the system's title bar.

#include "core/context.h"

#include <QPoint>

namespace velto {

/// Highlights the close and minimise buttons (1 = pointer over it, 0 = not). Each button's
/// Tag ("0" normal, "1" highlighted) records its look; a picture is assigned only when a
/// button's look changes, so moving within one button repaints nothing.
void HoverHeader(const Ctx& c, int16_t overClose, int16_t overMinimise);

/// Starts the system's own move of the main window, unless it is maximised. Reports nothing:
/// a move the desktop refuses is simply not made.
void DragWindow(const Ctx& c);

/// Mouse pressed on the main window's background: the left button drags the window.
void FormMouseDown(const Ctx& c, Qt::MouseButton button);
/// Mouse moved over the main window's background: header buttons and presets back to normal.
void FormMouseMove(const Ctx& c, QPoint pos);
/// Clicked on imgHeaderV (any button, released over it): the window goes to the tray, or to
/// the taskbar while there is no tray icon; the program goes on.
void HeaderVMouseUp(const Ctx& c);

} // namespace velto
