#include "core/chrome.h"

namespace velto {

// The window chrome is not built yet: the header buttons and the drag do nothing.
void HoverHeader(const Ctx&, int16_t, int16_t) {}
void DragWindow(const Ctx&) {}
void FormMouseDown(const Ctx&, Qt::MouseButton) {}
void FormMouseMove(const Ctx&, QPoint) {}
void HeaderVMouseUp(const Ctx&) {}
void HeaderXMouseUp(const Ctx&) {}

} // namespace velto
