#pragma once
// The dial skins, which show the announcer interval, and the interval button.

#include "core/context.h"

namespace velto {

/// Shows the model's announcer interval on the dial and the interval button, and redraws
/// the hands at once.
void ShowAnnounceInterval(const Ctx& c);

} // namespace velto
