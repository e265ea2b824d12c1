#pragma once
// The alarm: one time of day, armed or off, and the countdown of whole minutes to it.

#include "core/context.h"

namespace velto {

/// Makes `text` ("hh:mm:ss"; empty means the current minute) the alarm time: armed when it
/// is later today than TimeText, with the countdown set; otherwise off.
void SetAlarm(const Ctx& c, const QString& text);
/// The on/off switch: off when armed; otherwise armed to ring 4 seconds from now.
void ToggleAlarm(const Ctx& c);
/// Stores `off` (0 armed, 1 off) in AlarmOff and shows that state everywhere.
void ShowAlarmState(const Ctx& c, int16_t off);
/// Shows AlarmTime in the alarm read-out with a lit colon.
void ShowAlarmTime(const Ctx& c);
/// Blanks the alarm read-out.
void ClearAlarmTime(const Ctx& c);
/// Shows CountdownMinutes in the two countdown digits, or blanks them.
void ShowCountdown(const Ctx& c);
void BlankCountdown(const Ctx& c);

} // namespace velto
