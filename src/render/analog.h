#pragma once
// The geometry of the clock face: centre, hand tips, the countdown marker, the twelve hot
// spots, and the angle of a point on the face.

#include "core/context.h"

namespace velto {

/// Centre and hand start points from the face's size; then draws the hands.
void InitClockGeometry(const Ctx& c);
/// Back to the bare dial, then the hour, minute and second hands of the model's reading.
void RedrawHands(const Ctx& c);
/// Moves imgMark to minute CountdownMinutes on the rim.
void PlaceMark(const Ctx& c);
/// Creates hot spots 1..11 and places all twelve over the hour marks.
void PlaceHotSpots(const Ctx& c);
/// Clockwise angle in degrees from 12 o'clock of (x, y) seen from (cx, cy); y grows downward.
float AngleFromPoint(float cx, float cy, float x, float y);

} // namespace velto
