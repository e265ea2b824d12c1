#pragma once
// The digital read-outs: the one way an hh:mm and two small digits are drawn.

#include "core/context.h"

#include <array>

namespace velto {

/// The readout of a window: hour tens, hour units, colon, minute tens, minute units.
using Readout = std::array<ImageControl*, 5>;

/// Shows the hh:mm of `text` ("hh:mm" or longer) on `readout`, with the colon lit or not.
void ShowReadout(const Ctx& c, const Readout& readout, const QString& text, bool colonLit = true);
/// Blanks `readout`: no digits, an unlit colon.
void ClearReadout(const Ctx& c, const Readout& readout);

/// Shows the current hh:mm on `imgTime` with a lit colon.
void ShowTime(const Ctx& c, const Readout& imgTime);

/// Shows the current second in the two small digits imgSet(5) and imgSet(6) of the main
/// window.
void ShowSeconds(const Ctx& c);

/// Shows `value` (0..99) in two small digits: tens on `tens`, units on `units`.
void ShowTwoDigits(const Ctx& c, ImageControl& tens, ImageControl& units, int value);

} // namespace velto
