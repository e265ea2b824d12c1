#pragma once
// The ring: the one signal of the alarm and the announcer.

#include "core/context.h"

namespace velto {

/// The file of sound `name`: wav/<name>.wav in the program's folder if it is there, else the
/// first found in the data folders (the user's own before the system's), else the one in
/// the program's folder, so that a report names where it was looked for first.
QString WavePath(const Ctx& c, const QString& name);
/// Loads sound `name` ahead of time, so that the first ring is heard at once. From then on,
/// sound that goes or comes back between rings is said on the console too.
void PrepareWave(const Ctx& c, const QString& name);
/// Plays sound `name` without waiting. A sound that cannot be played as it is (the player
/// then plays its own), or not at all, is reported on the console once per cause (until it
/// plays again); the ring goes on.
void PlayWave(const Ctx& c, const QString& name);
/// Opens the alarm window, unless it is open already.
void OpenAlarmWindow(const Ctx& c);
/// Plays the alarm sound and opens the alarm window.
void RingAlarm(const Ctx& c);

} // namespace velto
