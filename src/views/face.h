#pragma once
// The geometry of the clock face: centre, hand tips, the countdown mark, the twelve hot
// spots, and the minute a point on the face points at.

#include "art/pixlib.h"
#include "controls/image_control.h"

#include <QPointF>
#include <QRegion>
#include <QSize>
#include <QTime>
#include <optional>

namespace velto {

/// Where the hands run on the face, in pixels of the face's box.
struct FaceGeometry {
    float centerX = 0;
    float centerY = 0;
    PixelPoint hourStart, hourEnd, minuteStart, minuteEnd, secondStart, secondEnd;
};

/// Centre and hand start points of a face of `size`; the ends at the centre too.
FaceGeometry faceGeometryOf(QSize size);
/// Back to the bare dial, then the hour, minute and second hands of `t`, whose ends `g`
/// takes. On a face of more pixels than its box the hands are worked out on its own pixels.
/// Only where a hand moved is updated on the screen: that region (the box's pixels).
QRegion drawHands(PictureBox& face, FaceGeometry& g, QTime t);
/// The top left of the mark when it stands at `minute` on the rim.
PixelPoint markPlace(const FaceGeometry& g, int minute);
/// The top left of hot spot `j` (0..11), over the mark of hour j; fractional on purpose: the
/// control sits at the nearest pixel and keeps the exact place.
QPointF hotSpotPlace(const FaceGeometry& g, int j);
/// Clockwise angle in degrees from 12 o'clock of (x, y) seen from (cx, cy); y grows downward.
float angleFromPoint(float cx, float cy, float x, float y);
/// The countdown a drag of the mark to `pos` sets while the countdown is `now`: the minute
/// the pointer points at, or none when that would jump across 12 o'clock.
std::optional<int> markDragMinutes(const FaceGeometry& g, QPointF pos, int now);

} // namespace velto
