#pragma once
// The alarm: one time of day, armed or off, and the countdown of whole minutes to it. Every
// way of setting it ends in SetAlarm (an exact time of day) or SetAlarmIn (N minutes from
// now); every look of it follows ShowAlarmState.

#include "core/context.h"

#include <QPoint>

namespace velto {

/// Makes `text` ("hh:mm:ss"; empty means the current minute) the alarm time: armed when it
/// is later today than TimeText, with the countdown set; otherwise off.
void SetAlarm(const Ctx& c, const QString& text);
/// Arms the alarm `minutes` (0..60) from now, seconds included; 0 switches it off. Past
/// midnight it rings the next morning, as a timer should.
void SetAlarmIn(const Ctx& c, int minutes);
/// The on/off switch: off when armed; otherwise armed to ring 4 seconds from now.
void ToggleAlarm(const Ctx& c);
/// Stores `off` (0 armed, 1 off) in AlarmOff and shows that state everywhere.
void ShowAlarmState(const Ctx& c, int16_t off);
/// Shows AlarmTime in the alarm read-out with a lit colon.
void ShowAlarmTime(const Ctx& c);
/// Blanks the alarm read-out.
void ClearAlarmTime(const Ctx& c);
/// Shows CountdownMinutes in the two countdown digits.
void ShowCountdown(const Ctx& c);

/// Whole minutes from the current minute to the alarm's minute, 0 to 60 (60 for anything
/// an hour or more ahead); 0 when off.
int16_t MinutesToAlarm(const Ctx& c);
/// Whether the armed alarm's moment lies in the wall-clock span (from, to], in wall seconds.
bool AlarmFallsIn(const Ctx& c, int64_t from, int64_t to);

/// Hot spot `index` (0..11) clicked: the alarm 5 x index minutes from now.
void HotSpotClick(const Ctx& c, int index);
/// The mark dragged over the bare dial at `pos` (face coordinates): sets the alarm to the
/// minute the pointer points at, unless that jumps across 12 o'clock.
void MarkDragOver(const Ctx& c, QPointF pos);
/// The mark moved `minutes` (+1 or -1) along the rim from the keyboard: the alarm that many
/// minutes later or earlier than the countdown, within 0..60 (0 switches it off).
void MarkStep(const Ctx& c, int minutes);
/// A click on the alarm read-out: enters the edit mode, or leaves it and applies the edit.
void AlarmReadoutClick(const Ctx& c);

} // namespace velto
