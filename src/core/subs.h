#pragma once
// The time texts and the digital read-outs.

#include "core/context.h"

#include <array>

namespace velto {

/// The readout of a window: hour tens, hour units, colon, minute tens, minute units.
using Readout = std::array<ImageControl*, 5>;

/// Sets TimeText ("hh:mm:ss", 24-hour, whatever the locale) and its parts from `now`.
void ReadClock(VeltoState& s, const QDateTime& now);

/// "0" put in front when the second character is ":"; anything else is returned unchanged.
QString PadHour(const QString& text);

/// The first two characters, two from the fourth, and the last two; a text too short for a
/// field gives only the characters that exist.
TimeParts SplitTime(const QString& text);

/// The value 0..9 of character `pos` (0-based) of `text`; anything else counts as 0.
int DigitAt(const QString& text, qsizetype pos);

/// Seconds as the wall clock counts them: the local date and time taken as if it were UTC.
/// It runs on with real time but jumps where the wall clock does (daylight saving, a change
/// of zone, the clock set).
int64_t WallSeconds(const QDateTime& t);
/// a / b rounded down, for either sign.
constexpr int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

/// Shows hh:mm of TimeText on `imgTime` with a lit colon.
void ShowTime(const Ctx& c, const Readout& imgTime);

/// Shows SecondText in the two small digits imgSet(5) and imgSet(6) of the main window.
void ShowSeconds(const Ctx& c);

/// Shows `value` (0..99) in two small digits: tens on `tens`, units on `units`.
void ShowTwoDigits(const Ctx& c, ImageControl& tens, ImageControl& units, int value);

} // namespace velto
