#include "views/face.h"

#include "art/wuline.h"

#include <array>
#include <utility>

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

double rimX(const FaceGeometry& g, float a, double k) {
    return (std::cos(static_cast<double>(a)) * k + 1) * g.centerX;
}
double rimY(const FaceGeometry& g, float a, double k) {
    return (1 - std::sin(static_cast<double>(a)) * k) * g.centerY;
}
/// The pixel at fraction k of the radius in direction a, on a face of `scale` pixels to the
/// pixel of the box.
PixelPoint tip(const FaceGeometry& g, float a, double k, double scale = 1) {
    return {nearest(rimX(g, a, k) * scale), nearest(rimY(g, a, k) * scale)};
}

} // namespace

FaceGeometry faceGeometryOf(QSize size) {
    FaceGeometry g;
    g.centerX = static_cast<float>(size.width()) / 2.0f;
    g.centerY = static_cast<float>(size.height()) / 2.0f;
    const PixelPoint centre{nearest(g.centerX), nearest(g.centerY)};
    g.hourStart = g.hourEnd = centre;
    g.minuteStart = g.minuteEnd = centre;
    g.secondStart = g.secondEnd = centre;
    return g;
}

QRegion drawHands(PictureBox& face, FaceGeometry& g, QTime t) {
    const FaceGeometry before = g;
    face.cls();
    // The hour hand points at the hour mark for the whole hour and jumps on the hour.
    const float hour = angleOf(t.hour(), kHourStep);
    const float minute = angleOf(t.minute(), kMinuteStep);
    const float second = angleOf(t.second(), kMinuteStep);
    g.hourEnd = tip(g, hour, kHourLength);
    g.minuteEnd = tip(g, minute, kMinuteLength);
    g.secondEnd = tip(g, second, kSecondLength);
    // On a face of more pixels (a scaled screen) the same geometry is worked out on its own
    // pixels, not the box's pixels enlarged, so the hands point as finely as it can show.
    const double scale = face.scale();
    const PixelPoint centre{nearest(g.centerX * scale), nearest(g.centerY * scale)};
    drawHand(face.surface(), Hand::Hour, centre, tip(g, hour, kHourLength, scale), scale);
    drawHand(face.surface(), Hand::Minute, centre, tip(g, minute, kMinuteLength, scale), scale);
    drawHand(face.surface(), Hand::Second, centre, tip(g, second, kSecondLength, scale), scale);
    // Only where a hand was or is now goes to the screen: the rest of the face is as it was,
    // and a whole face each second is more than the display's socket takes without waiting.
    const QPoint middle(nearest(g.centerX), nearest(g.centerY));
    const auto along = [&middle](PixelPoint end) {
        // The widest hand's half and its soft edge, and a pixel for rounding at a scale.
        constexpr int kReach = 5;
        return QRect(middle, QPoint(end.x, end.y))
            .normalized()
            .adjusted(-kReach, -kReach, kReach, kReach);
    };
    QRegion moved;
    const std::array<std::pair<PixelPoint, PixelPoint>, 3> ends{{{before.hourEnd, g.hourEnd},
                                                                 {before.minuteEnd, g.minuteEnd},
                                                                 {before.secondEnd, g.secondEnd}}};
    for (const auto& [was, is] : ends) {
        if (was != is) {
            moved += along(was);
            moved += along(is);
        }
    }
    face.update(moved);
    return moved;
}

PixelPoint markPlace(const FaceGeometry& g, int minute) {
    const PixelPoint m = tip(g, angleOf(minute, kMinuteStep), kMarkRadius);
    return {m.x - 4, m.y - 4};
}

QPointF hotSpotPlace(const FaceGeometry& g, int j) {
    const float a = angleOf(5 * j, kMinuteStep);
    const auto x = static_cast<float>(rimX(g, a, kHotSpotRadius));
    const auto y = static_cast<float>(rimY(g, a, kHotSpotRadius));
    return {x - 8.0f, y - 8.0f};
}

float angleFromPoint(float cx, float cy, float x, float y) {
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

std::optional<int> markDragMinutes(const FaceGeometry& g, QPointF pos, int now) {
    const float angle = angleFromPoint(g.centerX, g.centerY, static_cast<float>(pos.x()),
                                       static_cast<float>(pos.y()));
    // Both roundings go to the nearest whole number, halves to the even one.
    const double degrees = std::nearbyint(static_cast<double>(angle));
    auto m = static_cast<int>(std::nearbyint(degrees / 6));
    if (m == 0 && now == 59) {
        m = 60;
    }
    // A drag does not jump across 12 o'clock, either way; minute 45 is always taken.
    if ((now > 50 && m >= 0 && m < 45) || (now < 10 && m > 45 && m <= 60)) {
        return std::nullopt;
    }
    return m;
}

} // namespace velto
