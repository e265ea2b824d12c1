#pragma once
// The borderless window's own chrome: moving it by its background, and the header buttons
// that stand in for the system's title bar.

#include "core/context.h"

namespace velto {

/// Highlights the close and minimise buttons (1 = pointer over it); assigns a picture only
/// when a button's look changes.
void HoverHeader(const Ctx& c, int16_t overClose, int16_t overMinimise);
/// Starts the system's own move of the main window, unless it is maximised.
void DragWindow(const Ctx& c);

// Handlers of the main window.
void FormMouseDown(const Ctx& c, Qt::MouseButton button);
void FormMouseMove(const Ctx& c, QPoint pos);
void HeaderVMouseUp(const Ctx& c);
void HeaderXMouseUp(const Ctx& c);

} // namespace velto
