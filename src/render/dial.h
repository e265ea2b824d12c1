#pragma once
// The dial skins, which show the announcer interval, and the interval button.

#include "core/context.h"

namespace velto {

/// Sets AnnounceInterval, the dial and the interval button, and redraws the hands at once.
void SetAnnounceInterval(const Ctx& c, int16_t minutes);

} // namespace velto

namespace velto {

/// The interval after `minutes` in the cycle 0, 10, 15, 20, 30, 60; 10 after any other value.
int16_t NextAnnounceInterval(int16_t minutes);
/// imgEach clicked: the next interval of the cycle 0, 10, 15, 20, 30, 60.
void EachClick(const Ctx& c);

} // namespace velto
