#pragma once
// The clock hands' line: Wu's anti-aliased line, widened to several pixels and drawn pixel by
// pixel onto the face, mixing its edges into whatever the face shows at that moment.

#include "art/pixlib.h"

#include <QImage>
#include <cstdint>

namespace velto {

/// Draws a line `width` pixels thick (1 or more; anything less draws nothing) from p1 to p2
/// on `dc`, taking one step per column when the line is wider than tall and one step per row
/// otherwise (a 45-degree line steps by rows). The width is measured along the minor axis:
/// floor(width / 2) pixels lie before the line's position and the rest from it on. At every
/// step the two edge pixels are read and mixed with `colour` by the line's sub-pixel position
/// and the pixels between them take the pure colour; the ends get no special treatment.
/// Exchanging p1 and p2 gives the same pixels; equal points touch nothing; pixels outside the
/// image are skipped. A line longer than 32,767 pixels along its major axis is not drawn.
void drawWuLine(QImage& dc, PixelPoint p1, PixelPoint p2, ColorQuad colour, int16_t width);

/// The clock's hands.
enum class Hand { Hour, Minute, Second };

/// Draws `hand` from p1 to p2 given in pixels of `face`, a face drawn at `scale` pixels to the
/// pixel of the box: the hour hand 5 pixels wide, the minute hand 3, the second hand 1, each
/// that much wider at a larger scale, rounded to whole pixels. The caller shows the result
/// (the face is not repainted here).
void drawHand(QImage& face, Hand hand, PixelPoint p1, PixelPoint p2, double scale = 1);

} // namespace velto
