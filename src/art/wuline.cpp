#include "art/wuline.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace velto {

namespace {

// The step counter and the bounds of the solid run are 16-bit: no line is longer than this
// along its major axis.
constexpr int64_t kMaxSpan = std::numeric_limits<int16_t>::max();

/// A coordinate as the pixel calls take it; one that does not fit lies outside any image.
int coord(int64_t v) {
    return v < 0 || v > std::numeric_limits<int>::max() ? -1 : static_cast<int>(v);
}

void mixInto(PixelSurface& face, int64_t x, int64_t y, ColorQuad colour, float f) {
    const int px = coord(x);
    const int py = coord(y);
    const ColorQuad under = colorToQuad(face.pixel(px, py));
    face.setPixel(px, py, quadToColor(blendQuad(colour, under, f)));
}

struct HandStyle {
    uint8_t red, green, blue;
    int16_t width;
};

/// The hour and minute hands alike but for their width; the second hand lighter and thin.
constexpr HandStyle styleOf(Hand hand) {
    switch (hand) {
    case Hand::Hour:
        return {40, 190, 230, 5};
    case Hand::Minute:
        return {40, 190, 230, 3};
    case Hand::Second:
        break;
    }
    return {40, 220, 240, 1};
}

} // namespace

void drawWuLine(QImage& dc, PixelPoint p1, PixelPoint p2, ColorQuad colour, int16_t width) {
    if (p1 == p2 || width < 1) {
        return;
    }
    const int64_t near = width / 2; // width >= 1, so this is floor(width / 2)
    const int64_t far = width - near;
    const int64_t dx = std::abs(int64_t{p2.x} - p1.x);
    const int64_t dy = std::abs(int64_t{p2.y} - p1.y);
    const bool xMajor = dx > dy;

    // Work in (major, minor) coordinates so that one loop serves both directions.
    auto major = [xMajor](PixelPoint p) { return int64_t{xMajor ? p.x : p.y}; };
    auto minor = [xMajor](PixelPoint p) { return int64_t{xMajor ? p.y : p.x}; };
    const PixelPoint& s = major(p1) < major(p2) ? p1 : p2;
    const PixelPoint& e = &s == &p1 ? p2 : p1;
    const int64_t span = major(e) - major(s);
    if (span > kMaxSpan) {
        return;
    }
    const int64_t rise = minor(e) - minor(s);
    const int32_t lineColour = quadToColor(colour);
    PixelSurface face(dc);

    auto plot = [xMajor](int64_t along, int64_t across) -> std::pair<int64_t, int64_t> {
        return xMajor ? std::pair{along, across} : std::pair{across, along};
    };

    for (int64_t step = 0; step <= span; ++step) {
        // Afresh from the step each time: nothing accumulates along the line.
        const auto r = static_cast<float>(static_cast<double>(step) / span * rise);
        const float whole = std::floor(r);
        const float frac = r - whole;
        const int64_t at = major(s) + step;
        const int64_t base = static_cast<int64_t>(whole) + minor(s);

        const auto [nx, ny] = plot(at, base - near);
        mixInto(face, nx, ny, colour, frac); // the line weighs 1 - frac
        const auto [fx, fy] = plot(at, base + far);
        mixInto(face, fx, fy, colour, 1.0f - frac); // the line weighs frac
        for (int64_t k = base - near + 1; k <= base + far - 1; ++k) {
            const auto [sx, sy] = plot(at, k);
            face.setPixel(coord(sx), coord(sy), lineColour);
        }
    }
}

void drawHand(QImage& face, Hand hand, PixelPoint p1, PixelPoint p2, double scale) {
    const HandStyle style = styleOf(hand);
    const auto width = static_cast<int16_t>(std::max(1L, std::lround(style.width * scale)));
    drawWuLine(face, p1, p2, makeQuad(style.red, style.green, style.blue, 255), width);
}

} // namespace velto
