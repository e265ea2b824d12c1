#pragma once
// The tray menu's "Start at login" entry: a check mark that shows whether the desktop starts
// the program at login, and a choice that turns it the other way.

#include "platform/seams.h"

namespace velto {

/// Makes `item` (its caption already set) the switch of `login`. A switch that fails says why
/// on the console, once per cause, and leaves the check mark as it was.
void makeLoginStartItem(TrayMenuItem& item, LoginStart& login);

} // namespace velto
