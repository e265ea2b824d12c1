#pragma once
// The punch clock's looks: the button, the count on the clock face, and the twelve-key
// keypad beside it. The counting is the model's.

#include "core/context.h"

namespace velto {

/// The highest count the three places can show; larger counts show this.
inline constexpr int kPunchShownTop = 999;

/// The button lit and the count in the three places imgSet(2..4), leading places blank,
/// while punched in; the button normal and the places blank while out.
void ShowPunch(const Ctx& c);

/// Key `pressed` shows pressed, then key `released` (0: none) released: when both are the
/// same key, the release wins and the key shows up until another one is pressed.
void ShowKeys(const Ctx& c, int released, int pressed);

} // namespace velto
