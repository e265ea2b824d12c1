#pragma once
// The clock hands' line: Wu's anti-aliased line, widened to several pixels and drawn pixel by
// pixel onto the face, mixing its edges into whatever the face shows at that moment.

#include "core/context.h"
#include "core/state.h"
#include "render/pixlib.h"

#include <QImage>
#include <QString>
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
void WuLine(QImage& dc, PixelPoint p1, PixelPoint p2, ColorQuad colour, int16_t width);

/// Draws one hand on the face from its end points in the shared state: "H" the hour hand,
/// "M" the minute hand, "S" the second hand (exact, case-sensitive). Anything else draws
/// nothing. The caller shows the result (the face is not repainted here).
void DrawHand(const Ctx& c, const QString& letter);

/// Draws hand `letter` as DrawHand does, from p1 to p2 given in pixels of `face`, a face
/// drawn at `scale` pixels to the pixel of the box: the hand is that much wider, rounded to
/// whole pixels. At scale 1 it is exactly DrawHand's line.
void DrawHandLine(QImage& face, const QString& letter, PixelPoint p1, PixelPoint p2, double scale);

} // namespace velto
