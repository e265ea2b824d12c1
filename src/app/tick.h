#pragma once
// MainTick, the program's one loop: once a second it moves the hands, the texts and the
// read-outs on, and does the per-minute work, the alarm and the announcer.

#include "core/context.h"

namespace velto {

/// Reads the clock once and, when that is a new second, does the second's work. Seconds
/// that were skipped (a stalled machine, suspend, the clock set forward) lose nothing: every
/// full minute among them is counted and an alarm among them rings, late. When the clock
/// went back, nothing is counted or rung for the span.
void MainTick(const Ctx& c);

/// Whether the announcer rings at minute `minuteText` ("00".."59") with `interval`.
bool AnnouncesAt(int16_t interval, const QString& minuteText);

} // namespace velto
