#pragma once
// The punch clock: counts the whole minutes while punched in.

#include "core/context.h"

namespace velto {

/// Punch modes.
inline constexpr int16_t kPunchIn = 0;
inline constexpr int16_t kPunchMinute = 1;
inline constexpr int16_t kPunchOut = 9999;

/// 0 punches in, 1 counts one more minute, 9999 punches out.
void Punch(const Ctx& c, int16_t mode);

} // namespace velto

namespace velto {

/// imgPunch clicked: punches in when out, out when in.
void PunchClick(const Ctx& c);
/// Key k (1..12) of the keypad pressed: it latches, and the key pressed before is released.
void PunchKeyDown(const Ctx& c, int k);

} // namespace velto
