#pragma once
// The countdown controls: the ten preset buttons that set the alarm N minutes ahead, and the
// four correction bars that edit the alarm digit by digit.

#include "core/context.h"

namespace velto {

/// Preset `k` (0..9) clicked: the alarm its number of minutes from now.
void PresetClick(const Ctx& c, int k);
/// The pointer over preset `k`: it alone is highlighted.
void PresetHover(const Ctx& c, int k);
/// Every preset back to its normal look.
void PresetsNormal(const Ctx& c);
/// Correction bar `k` (0..3) clicked in the edit mode: one more on its digit of the edited
/// time, wrapping within the digit's range.
void CorrectClick(const Ctx& c, int k);
/// A digit typed in the edit mode: it goes to place EditPlace of the edited time, and the
/// next place (after the minutes, the hours again) waits for the next digit. A digit that no
/// time has there (a 7 for the tens of hours) is not taken. Outside the edit mode: nothing.
void TypeAlarmDigit(const Ctx& c, int digit);
/// A bar sinks while the button is held on it and comes back on release.
void CorrectPress(const Ctx& c, int k, bool down);

/// The minutes of preset k.
int PresetMinutes(int k);

} // namespace velto
