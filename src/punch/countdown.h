#pragma once
// The countdown controls' looks: the ten preset buttons that set the alarm N minutes ahead
// (the model knows their minutes), and the four correction bars of the edit mode.

#include "core/context.h"

namespace velto {

/// The pointer over preset `k`: it alone is highlighted.
void PresetHover(const Ctx& c, int k);
/// Every preset back to its normal look.
void PresetsNormal(const Ctx& c);
/// A bar sinks while the button is held on it and comes back on release.
void CorrectPress(const Ctx& c, int k, bool down);

} // namespace velto
