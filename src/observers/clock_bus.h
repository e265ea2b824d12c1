#pragma once
// The running clock on the session bus: the same commands as the command line's, and the
// clock's state as properties (on the freedesktop systems; elsewhere nothing).

#include <functional>

namespace velto {

class ClockCommands;
class ClockModel;

/// Puts the clock on the session bus for as long as `commands` lives: a service name owned
/// only by the running clock, an object with the commands as methods, the state as
/// properties that say when they change, and a signal for each ring. `show` brings the
/// window back. Without a session bus the clock runs as it would, and says so once.
void offerOnSessionBus(ClockModel& model, ClockCommands& commands, std::function<void()> show);

} // namespace velto
