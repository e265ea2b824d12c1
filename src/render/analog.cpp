#include "render/analog.h"

#include "render/wuline.h"

#include <cmath>

namespace velto {

namespace {

// Short decimal approximations, kept as they are: the pixel places of the tips, the marker
// and the hot spots are those these values give, one pixel off the true ones at 3 and 12.
constexpr double kPi = 3.14159265;
constexpr double kHalfPi = kPi / 2;
constexpr double kHourStep = 0.52359878;
constexpr double kMinuteStep = 0.10471976;
constexpr double kHourLength = 0.5;
constexpr double kMinuteLength = 0.7;
constexpr double kSecondLength = 0.8;
constexpr double kMarkRadius = 0.88;
constexpr double kHotSpotRadius = 0.8;
constexpr double kDegreesPerRadian = 57.29577948;

/// Nearest integer, halves to the even neighbour.
int32_t nearest(double v) {
    return static_cast<int32_t>(std::nearbyint(v));
}

/// The direction of `steps` steps clockwise from 12 o'clock, as the angle from 3 o'clock
/// counter-clockwise, held in single precision.
float angleOf(double steps, double step) {
    return static_cast<float>(kHalfPi - step * steps);
}

double rimX(const Ctx& c, float a, double k) {
    return (std::cos(static_cast<double>(a)) * k + 1) * c.s.CenterX;
}
double rimY(const Ctx& c, float a, double k) {
    return (1 - std::sin(static_cast<double>(a)) * k) * c.s.CenterY;
}
/// The pixel at fraction k of the radius in direction a, on a face of `scale` pixels to the
/// pixel of the box.
PixelPoint tip(const Ctx& c, float a, double k, double scale = 1) {
    return {nearest(rimX(c, a, k) * scale), nearest(rimY(c, a, k) * scale)};
}

} // namespace

void InitClockGeometry(const Ctx& c) {
    c.s.CenterX = static_cast<float>(c.main.picClock->width()) / 2.0f;
    c.s.CenterY = static_cast<float>(c.main.picClock->height()) / 2.0f;
    const PixelPoint centre{nearest(c.s.CenterX), nearest(c.s.CenterY)};
    c.s.HourStart = centre;
    c.s.MinuteStart = centre;
    c.s.SecondStart = centre;
    RedrawHands(c);
}

void RedrawHands(const Ctx& c) {
    c.main.picClock->cls();
    // All three hands come from the tick's one reading. (Reading the clock once per hand
    // could show a minute hand a minute behind its second hand at a minute's turn.)
    const QTime t = c.model.now().time();

    // The hour hand points at the hour mark for the whole hour and jumps on the hour.
    const float hour = angleOf(t.hour(), kHourStep);
    const float minute = angleOf(t.minute(), kMinuteStep);
    const float second = angleOf(t.second(), kMinuteStep);
    c.s.HourEnd = tip(c, hour, kHourLength);
    c.s.MinuteEnd = tip(c, minute, kMinuteLength);
    c.s.SecondEnd = tip(c, second, kSecondLength);
    PictureBox& face = *c.main.picClock;
    const double scale = face.scale();
    if (scale == 1) {
        DrawHand(c, QStringLiteral("H"));
        DrawHand(c, QStringLiteral("M"));
        DrawHand(c, QStringLiteral("S"));
    } else {
        // A face of more pixels (a scaled screen): the same geometry worked out on its own
        // pixels, not the box's pixels enlarged, so the hands point as finely as it can show.
        const PixelPoint centre{nearest(c.s.CenterX * scale), nearest(c.s.CenterY * scale)};
        DrawHandLine(face.surface(), QStringLiteral("H"), centre, tip(c, hour, kHourLength, scale),
                     scale);
        DrawHandLine(face.surface(), QStringLiteral("M"), centre,
                     tip(c, minute, kMinuteLength, scale), scale);
        DrawHandLine(face.surface(), QStringLiteral("S"), centre,
                     tip(c, second, kSecondLength, scale), scale);
    }
    face.update();
}

void PlaceMark(const Ctx& c) {
    const PixelPoint m = tip(c, angleOf(c.model.countdown(), kMinuteStep), kMarkRadius);
    c.main.imgMark->setPosition(m.x - 4, m.y - 4);
}

void PlaceHotSpots(const Ctx& c) {
    for (int i = 1; i <= 11; ++i) {
        c.main.addHotSpot(i);
    }
    for (int j = 0; j <= 11; ++j) {
        const float a = angleOf(5 * j, kMinuteStep);
        const auto x = static_cast<float>(rimX(c, a, kHotSpotRadius));
        const auto y = static_cast<float>(rimY(c, a, kHotSpotRadius));
        // Fractional on purpose: the widget sits at the nearest pixel, the control keeps
        // the exact place.
        c.main.imgHotSpot[static_cast<size_t>(j)]->setPosition(x - 8.0f, y - 8.0f);
    }
}

float AngleFromPoint(float cx, float cy, float x, float y) {
    const float dy = y - cy;
    const float dx = x - cx;
    if (dy == 0 || dx == 0) {
        return 0;
    }
    const float q = dx / dy;
    const double turn = std::atan(static_cast<double>(q)) * kDegreesPerRadian;
    float r = 0;
    if (y < cy) {
        r = static_cast<float>(-turn);
    } else {
        // Below the centre the result comes out one degree past the true angle; the marker
        // drag has always worked with this.
        r = static_cast<float>(180 - turn + 1);
    }
    if (r < 0) {
        r += 360;
    }
    return r;
}

} // namespace velto
