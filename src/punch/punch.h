#pragma once
// The punch clock: counts the whole minutes while punched in, shows the count on the clock
// face, and the twelve-key keypad beside it.

#include "core/context.h"

namespace velto {

/// Punch modes.
inline constexpr int16_t kPunchIn = 0;
inline constexpr int16_t kPunchMinute = 1;
inline constexpr int16_t kPunchOut = 9999;

/// The highest count. One more minute would read as the punched-out value while the button
/// is still lit, so the count rests here instead.
inline constexpr int16_t kPunchTop = kPunchedOut - 1;
/// The highest count the three places can show; larger counts show this.
inline constexpr int16_t kPunchShownTop = 999;

/// 0 punches in (at a count of 0), 1 counts one more minute, 9999 punches out and forgets
/// the count. Counting or punching out while punched out only tells the user so; punching in
/// while punched in, counting at kPunchTop and any other mode do nothing.
void Punch(const Ctx& c, int16_t mode);

/// Paints the count into the three places imgSet(2..4) with leading places blank; counts
/// from kPunchShownTop on show kPunchShownTop.
void ShowPunchMinutes(const Ctx& c);

/// imgPunch clicked: punches in when out, out when in.
void PunchClick(const Ctx& c);

/// Key k (1..12) of the keypad pressed, with any button: it shows pressed, then the key
/// pressed last shows released. So pressing the latched key again shows it released.
void PunchKeyDown(const Ctx& c, int k);

} // namespace velto
