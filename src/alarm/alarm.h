#pragma once
// The alarm's looks on the main window, the tray and the window icon, and the ways of
// setting it that need the window's geometry. The rules are the model's.

#include "core/context.h"

#include <QPoint>

namespace velto {

/// Shows the alarm's state everywhere it shows: title, cap, window icon, tray icon and menu,
/// and the read-out (the alarm time when armed, blank when off).
void ShowAlarmState(const Ctx& c);
/// Shows the countdown in its two digits (blank when off) and puts the mark at its minute.
void ShowCountdown(const Ctx& c);
/// Shows the edit mode: the edited time and the bars while editing; otherwise a blank
/// read-out (the alarm's state follows) and no bars.
void ShowEdit(const Ctx& c);
/// The edit mode's colon, lit or not.
void ShowEditColon(const Ctx& c);

/// Hot spot `index` (0..11) clicked: the alarm 5 x index minutes from now.
void HotSpotClick(const Ctx& c, int index);
/// The mark dragged over the bare dial at `pos` (face coordinates): sets the alarm to the
/// minute the pointer points at, unless that jumps across 12 o'clock.
void MarkDragOver(const Ctx& c, QPointF pos);

} // namespace velto
