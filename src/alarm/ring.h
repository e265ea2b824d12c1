#pragma once
// The ring: the one signal of the alarm and the announcer.

#include "core/context.h"

namespace velto {

/// Plays wav/<name>.wav from the program's folder without waiting. A sound that cannot be
/// played is reported on the console once (until it plays again); the ring goes on.
void PlayWave(const Ctx& c, const QString& name);
/// Opens the alarm window, unless it is open already.
void OpenAlarmWindow(const Ctx& c);
/// Plays the alarm sound and opens the alarm window.
void RingAlarm(const Ctx& c);

} // namespace velto
