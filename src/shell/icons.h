#pragma once
// The window icon, which follows the alarm state.

#include "core/context.h"

namespace velto {

/// The main window (and so the task switcher) shows "ICO0" when armed, "ICO1" when off.
void SetWindowIcon(const Ctx& c, int16_t off);

} // namespace velto
