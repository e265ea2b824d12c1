// The skin: graphite window, near-black read-out panels with cyan segment digits, a dark dial
// with white hour marks (yellow where the announcer sounds), soft rounded keys.
//
// Pictures that sit on the window copy the window background under their own place first, so
// their edges vanish into it. The body of the window darkens from top to bottom only, which
// lets the small digits share one tile on the window and on the dial's top corners: all of
// them sit on the same rows.
#include "art/depot_art.h"

#include "art/glyphs.h"
#include "art/layout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <mutex>
#include <numbers>
#include <string>

namespace velto::art {

namespace {

using glyphs::DigitStyle;
namespace lay = velto::layout;

// Palette.
const QColor kBandTop(40, 44, 52), kBandBottom(28, 31, 37), kBandLine(10, 11, 14);
const QColor kBodyTop(27, 30, 36), kBodyBottom(15, 17, 21);
const QColor kWell(16, 18, 22), kWellEdge(36, 40, 47);
const QColor kPanel(8, 9, 11);
const QColor kLit(120, 228, 255), kGhost(20, 31, 37);
const QColor kKeyTop(48, 53, 62), kKeyBottom(34, 38, 45), kKeyEdge(8, 9, 12);
const QColor kLabel(196, 203, 214), kDim(120, 127, 139);
const QColor kAccent(60, 200, 240), kArmed(80, 220, 130);
const QColor kMarkWhite(236, 239, 243), kMarkYellow(255, 204, 60);

QColor mix(const QColor& a, const QColor& b, double t) {
    auto ch = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return {ch(a.red(), b.red()), ch(a.green(), b.green()), ch(a.blue(), b.blue())};
}

QColor withAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

/// The device pixel where logical coordinate v of a picture at scale k begins; it is where Qt
/// puts a control at v on a screen of that scale.
int devicePixel(double v, double k) {
    return static_cast<int>(std::lround(v * k));
}

/// Device pixels that cover `size` logical pixels at scale k.
QSize deviceSize(QSize size, double k) {
    // Less a hair, so that a product such as 8 x 1.25 that comes out a trace above 10 stays 10.
    auto cover = [k](int v) { return static_cast<int>(std::ceil(v * k - 1e-9)); };
    return {cover(size.width()), cover(size.height())};
}

/// A fresh picture of `size` logical pixels at scale k, transparent unless a colour is given.
QImage newImage(QSize size, const QColor& fill = Qt::transparent, double k = 1) {
    QImage image(deviceSize(size, k), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(k);
    image.fill(fill);
    return image;
}

/// While it lives, the painter works in device pixels of its picture instead of logical ones,
/// for edges that must fall on whole device pixels to stay sharp. At scale 1 the two agree and
/// nothing moves.
class DevicePixels {
public:
    explicit DevicePixels(QPainter& p) : k(glyphs::deviceScale(p)), p_(p) {
        p.save();
        if (k != 1) {
            p.scale(1 / k, 1 / k);
        }
    }
    ~DevicePixels() { p_.restore(); }
    DevicePixels(const DevicePixels&) = delete;
    DevicePixels& operator=(const DevicePixels&) = delete;

    /// Where logical coordinate v begins.
    [[nodiscard]] int at(double v) const { return devicePixel(v, k); }
    /// A pen `w` logical pixels wide, as a whole number of device pixels.
    [[nodiscard]] double width(double w) const {
        return k == 1 ? w : std::max(1.0, std::round(w * k));
    }
    /// Logical coordinate v of a line's middle, moved to where a line `deviceWidth` device
    /// pixels wide has sharp edges: a pixel centre for an odd width, an edge for an even one.
    [[nodiscard]] double line(double v, double deviceWidth) const {
        if (k == 1) {
            return v;
        }
        return std::fmod(deviceWidth, 2) == 1 ? std::floor(v * k) + 0.5 : std::round(v * k);
    }

    const double k;

private:
    QPainter& p_;
};

/// Fills a rect of logical pixels with its edges on whole device pixels.
void fill(QPainter& p, const QRect& r, const QColor& c) {
    const DevicePixels d(p);
    p.fillRect(QRect(QPoint(d.at(r.left()), d.at(r.top())),
                     QPoint(d.at(r.left() + r.width()) - 1, d.at(r.top() + r.height()) - 1)),
               c);
}

/// A picture and an antialiased painter on it; done() ends the painting and hands it back.
struct Canvas {
    QImage image;
    QPainter p;
    explicit Canvas(QImage start) : image(std::move(start)), p(&image) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
    }
    QImage done() {
        p.end();
        // A picture painted on keeps its paint engine for the next painter, kilobytes each
        // with the outlines it last filled; art is painted once, so a plain copy is kept.
        return image.copy();
    }
};

/// The window background under rect (window coordinates) at scale k: the device pixels that
/// the screen shows under a control placed there.
QImage backdrop(const QRect& rect, double k) {
    return background(k).copy(QRect(QPoint(devicePixel(rect.left(), k), devicePixel(rect.top(), k)),
                                    deviceSize(rect.size(), k)));
}

QPen pen(const QColor& c, double width, Qt::PenCapStyle cap = Qt::FlatCap) {
    return {c, width, Qt::SolidLine, cap, Qt::MiterJoin};
}

/// A point at radius r, clockwise angle degrees from 12 o'clock, around centre.
QPointF polar(QPointF centre, double r, double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    return centre + QPointF(std::sin(a) * r, -std::cos(a) * r);
}

/// A rounded key on a picture that already holds the background under it; its rim is a line
/// on r.
void drawKey(QPainter& p, const QRectF& r, bool pressed, const QColor& rim) {
    // In device pixels, so that the rim stays one sharp line at any scale.
    const DevicePixels d(p);
    const double w = d.width(1);
    const QRectF key(QPointF(d.line(r.left(), w), d.line(r.top(), w)),
                     QPointF(d.line(r.right(), w), d.line(r.bottom(), w)));
    QLinearGradient face(key.topLeft(), key.bottomLeft());
    face.setColorAt(0, pressed ? QColor(16, 18, 22) : kKeyTop);
    face.setColorAt(1, pressed ? QColor(22, 25, 30) : kKeyBottom);
    p.setPen(pen(rim, w));
    p.setBrush(face);
    p.drawRoundedRect(key, 3 * d.k, 3 * d.k);
    // Light falls from above: a bright top edge on a raised key, a shadow in a sunken one.
    const QColor edge = pressed ? QColor(0, 0, 0, 110) : QColor(255, 255, 255, 30);
    p.setPen(pen(edge, w));
    p.drawLine(QPointF(key.left() + 3 * d.k, key.top() + w),
               QPointF(key.right() - 3 * d.k, key.top() + w));
    p.setPen(Qt::NoPen);
}

/// A round button filling a 30x30 picture with a transparent outside.
void drawRoundButton(QPainter& p, const QColor& ring, double ringWidth) {
    const QPointF c(15, 15);
    p.setBrush(QColor(0, 0, 0, 90)); // a soft shadow lifts the button off the face
    p.drawEllipse(c + QPointF(0, 1), 14, 14);
    QLinearGradient face(0, 2, 0, 28);
    face.setColorAt(0, QColor(52, 57, 67));
    face.setColorAt(1, QColor(26, 29, 35));
    p.setBrush(face);
    p.setPen(pen(kKeyEdge, 1));
    p.drawEllipse(c, 13.5, 13.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(ring, ringWidth));
    p.drawEllipse(c, 12.5 - ringWidth / 2, 12.5 - ringWidth / 2);
    p.setPen(Qt::NoPen);
}

/// A tick mark or an empty circle in a disc of radius r: the look of "alarm on" and "off".
void drawSwitchMark(QPainter& p, QPointF c, double r, bool off) {
    if (off) {
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(kDim, 1.2));
        p.drawEllipse(c, r - 0.6, r - 0.6);
    } else {
        p.setBrush(kArmed);
        p.drawEllipse(c, r, r);
        QPainterPath tick;
        tick.moveTo(c + QPointF(-0.5 * r, 0.05 * r));
        tick.lineTo(c + QPointF(-0.12 * r, 0.42 * r));
        tick.lineTo(c + QPointF(0.52 * r, -0.38 * r));
        p.strokePath(tick, pen(QColor(12, 40, 22), std::max(1.2, r * 0.28), Qt::RoundCap));
    }
    p.setPen(Qt::NoPen);
}

DigitStyle labelStyle(const QColor& on) {
    return {.box = {5, 9}, .thick = 1, .gap = 0, .spacing = 2, .on = on, .narrowOne = true};
}

QImage clockIcon(int size, const QColor& ring, const QColor& hands, const QColor& badge) {
    Canvas c(newImage({size, size}));
    c.p.scale(size / 16.0, size / 16.0);
    c.p.setBrush(QColor(22, 25, 30));
    c.p.setPen(pen(ring, 1.6));
    c.p.drawEllipse(QPointF(8, 8), 6.9, 6.9);
    c.p.setPen(pen(hands, 1.3, Qt::RoundCap));
    c.p.drawLine(QPointF(8, 8), QPointF(8, 3.4));
    c.p.drawLine(QPointF(8, 8), polar({8, 8}, 3.4, 120));
    c.p.setPen(Qt::NoPen);
    if (badge.alpha() > 0) {
        c.p.setBrush(QColor(10, 12, 15));
        c.p.drawEllipse(QPointF(12.6, 12.6), 3.4, 3.4);
        c.p.setBrush(badge);
        c.p.drawEllipse(QPointF(12.6, 12.6), 2.4, 2.4);
    }
    return c.done();
}

} // namespace

namespace {

QImage paintBackground(double scale) {
    Canvas c(newImage(lay::kBackground, Qt::transparent, scale));
    QPainter& p = c.p;
    {
        // Row by row of device pixels, so that a copied patch of any row is exactly what the
        // window shows there.
        const DevicePixels d(p);
        const int w = c.image.width(), h = c.image.height(), band = d.at(lay::kTitleBand);
        for (int y = 0; y < h; ++y) {
            const QColor row = y < band ? mix(kBandTop, kBandBottom, y / (band - 1.0))
                                        : mix(kBodyTop, kBodyBottom, (y - band) / (h - band - 1.0));
            p.fillRect(0, y, w, 1, row);
        }
    }
    const int w = lay::kBackground.width();
    fill(p, {0, 0, w, 1}, QColor(58, 63, 73));
    fill(p, {0, lay::kTitleBand - 1, w, 1}, kBandLine);

    // The name, centred between the alarm switch and the window buttons.
    const double unit = 1.5, tracking = 4;
    const double left = lay::imgHeader.right() + 1, right = lay::imgHeaderX.left();
    const double x = std::round((left + right - glyphs::wordWidth("VELTO", unit, tracking)) / 2);
    // Half-pixel origin: at this unit every even grid line falls on a pixel centre.
    glyphs::drawWord(p, {x + 0.5, 5.5}, "VELTO", unit, tracking, pen(QColor(186, 194, 206), 1.3));

    // Recessed wells under the keypad and the preset row.
    auto well = [&p](const QRectF& r) {
        p.setPen(pen(kWellEdge, 1));
        p.setBrush(kWell);
        p.drawRoundedRect(r, 5, 5);
        p.setPen(pen(QColor(0, 0, 0, 120), 1));
        p.drawLine(QPointF(r.left() + 4, r.top() + 1), QPointF(r.right() - 4, r.top() + 1));
        p.setPen(Qt::NoPen);
    };
    const QRect keys = lay::imgPunchUp(1).united(lay::imgPunchUp(12));
    well(QRectF(keys).adjusted(-3.5, -3.5, 3.5, 3.5));
    const QRect presets = lay::imgFixed(0).united(lay::imgFixed(9));
    well(QRectF(presets).adjusted(-2.5, -2.5, 3.5, 2.5));

    // A bezel round each read-out: shadow above, light below, like a panel set into the case.
    for (int y : {lay::kTimeY, lay::kAlarmY}) {
        const QRect r = lay::readout(0, y).united(lay::readout(4, y));
        fill(p, r, kPanel);
        fill(p, {r.left() - 1, r.top() - 1, r.width() + 2, 1}, QColor(6, 7, 9));
        fill(p, {r.left() - 1, r.top(), 1, r.height()}, QColor(10, 11, 13));
        fill(p, {r.right() + 1, r.top(), 1, r.height()}, QColor(36, 40, 47));
        fill(p, {r.left() - 1, r.bottom() + 1, r.width() + 2, 1}, QColor(44, 49, 57));
    }
    return c.done();
}

} // namespace

QImage background(double scale) {
    // Painted once for each scale the program meets (a window moves between few screens), and
    // shared with the pictures that sit on it. Start-up draws on two threads at once.
    static std::mutex guard;
    static std::map<double, QImage> windows;
    const std::lock_guard lock(guard);
    QImage& window = windows[scale];
    if (window.isNull()) {
        window = paintBackground(scale);
    }
    return window;
}

QImage largeDigit(int digit, double scale) {
    Canvas c(newImage(lay::kLargeDigit, kPanel, scale));
    glyphs::drawDigits(
        c.p, {13, 25}, std::string(1, static_cast<char>('0' + digit)),
        {.box = {18, 40}, .thick = 4, .gap = 0.7, .on = kLit, .off = kGhost, .glow = 5});
    return c.done();
}

QImage colon(bool lit, double scale) {
    Canvas c(newImage(lay::kColon, kPanel, scale));
    for (double y : {17.0, 33.0}) {
        if (lit) {
            c.p.setBrush(withAlpha(kLit, 45));
            c.p.drawEllipse(QPointF(4, y), 3.6, 3.6);
        }
        c.p.setBrush(lit ? kLit : kGhost);
        c.p.drawEllipse(QPointF(4, y), 2.3, 2.3);
    }
    return c.done();
}

QImage smallDigit(int digit, double scale) {
    Canvas c(backdrop({lay::kSetPos[5], lay::kSmallDigit}, scale));
    if (digit >= 0 && digit <= 9) {
        glyphs::drawDigits(c.p, {4, 8.5}, std::string(1, static_cast<char>('0' + digit)),
                           {.box = {6, 13}, .thick = 1, .gap = 0.2, .on = kLit, .glow = 1.5});
    }
    return c.done();
}

QImage preset(int k, int minutes, bool highlighted, double scale) {
    const QRect place = lay::imgFixed(k);
    Canvas c(backdrop(place, scale));
    const QRectF key(1.5, 1.5, place.width() - 3, place.height() - 3);
    drawKey(c.p, key, false, highlighted ? kAccent : kKeyEdge);
    if (highlighted) {
        c.p.setBrush(withAlpha(kAccent, 36));
        c.p.drawRoundedRect(key.adjusted(1, 1, -1, -1), 2, 2);
    }
    const std::string label{static_cast<char>('0' + minutes / 10 % 10),
                            static_cast<char>('0' + minutes % 10)};
    glyphs::drawDigits(c.p, key.center(), label,
                       labelStyle(highlighted ? QColor(225, 248, 255) : kLabel));
    return c.done();
}

QImage keypadKey(int key, bool pressed, double scale) {
    const QRect place = lay::imgPunchUp(key);
    Canvas c(backdrop(place, scale));
    const QRectF r(1.5, 1.5, place.width() - 3, place.height() - 3);
    drawKey(c.p, r, pressed, kKeyEdge);
    DigitStyle label{
        .box = {8, 14}, .thick = 2, .gap = 0.3, .spacing = 3, .on = kLabel, .narrowOne = true};
    QPointF centre = r.center();
    if (pressed) {
        // A selected key sinks a pixel, lights its number and shows a lamp under it.
        label.on = kLit;
        label.glow = 3;
        centre += QPointF(0, 0.5);
        c.p.setBrush(kAccent);
        c.p.drawRoundedRect(QRectF(r.center().x() - 5, r.bottom() - 3.5, 10, 1.6), 0.8, 0.8);
    }
    glyphs::drawDigits(c.p, centre - QPointF(0, 1), std::to_string(key), label);
    return c.done();
}

QImage intervalButton(int minutes, double scale) {
    Canvas c(newImage(lay::imgEach.size(), Qt::transparent, scale));
    drawRoundButton(c.p, minutes == 0 ? QColor(70, 76, 88) : withAlpha(kMarkYellow, 200), 1);
    if (minutes > 0) {
        glyphs::drawDigits(c.p, {15, 15}, std::to_string(minutes), labelStyle(kMarkYellow));
    }
    return c.done();
}

QImage dial(const LitMarks& lit, double scale) {
    Canvas c(backdrop(lay::picClock, scale));
    QPainter& p = c.p;
    const QPointF centre(lay::picClock.width() / 2.0, lay::picClock.height() / 2.0);
    // Bezel: a thin ring lit from above, then the face, a shade lighter in its middle.
    QLinearGradient bezel(0, 4, 0, 133);
    bezel.setColorAt(0, QColor(72, 78, 90));
    bezel.setColorAt(1, QColor(24, 27, 32));
    p.setBrush(bezel);
    p.drawEllipse(centre, 64.5, 64.5);
    p.setBrush(QColor(6, 7, 9));
    p.drawEllipse(centre, 62.5, 62.5);
    QRadialGradient face(centre - QPointF(0, 14), 70);
    face.setColorAt(0, QColor(30, 34, 41));
    face.setColorAt(1, QColor(13, 15, 18));
    p.setBrush(face);
    p.drawEllipse(centre, 61.5, 61.5);

    for (int m = 0; m < 60; ++m) {
        if (m % 5 != 0) {
            p.setPen(pen(QColor(82, 89, 101), 1));
            p.drawLine(polar(centre, 57, m * 6), polar(centre, 60, m * 6));
        }
    }
    for (int hour = 0; hour < 12; ++hour) {
        const bool quarter = hour % 3 == 0;
        p.setPen(
            pen(lit.at(static_cast<size_t>(hour)) ? kMarkYellow : kMarkWhite, quarter ? 3 : 2));
        p.drawLine(polar(centre, quarter ? 45 : 48, hour * 30), polar(centre, 59, hour * 30));
    }
    return c.done();
}

QImage header(bool off, double scale) {
    Canvas c(backdrop(lay::imgHeader, scale));
    drawSwitchMark(c.p, {11, 10}, 5.5, off);
    glyphs::drawWord(c.p, {20.5, 6.5}, "ALARM", 1, 2, pen(off ? kDim : kLabel, 1));
    return c.done();
}

QImage minimiseButton(bool highlighted, double scale) {
    Canvas c(backdrop(lay::imgHeaderV, scale));
    if (highlighted) {
        fill(c.p, {0, 0, 45, lay::kTitleBand - 1}, QColor(58, 64, 75));
    }
    fill(c.p, {18, 11, 9, 1}, highlighted ? QColor(Qt::white) : kLabel);
    return c.done();
}

QImage closeButton(bool highlighted, double scale) {
    Canvas c(backdrop(lay::imgHeaderX, scale));
    if (highlighted) {
        fill(c.p, {0, 0, 28, lay::kTitleBand - 1}, QColor(210, 48, 56));
    }
    c.p.setPen(pen(highlighted ? QColor(Qt::white) : kLabel, 1.2));
    c.p.drawLine(QPointF(10.5, 6.5), QPointF(17.5, 13.5));
    c.p.drawLine(QPointF(10.5, 13.5), QPointF(17.5, 6.5));
    return c.done();
}

QImage punchButton(bool lit, double scale) {
    Canvas c(newImage(lay::imgPunch.size(), Qt::transparent, scale));
    if (lit) {
        c.p.setBrush(withAlpha(kArmed, 60));
        c.p.drawEllipse(QPointF(15, 15), 15, 15);
    }
    drawRoundButton(c.p, lit ? kArmed : QColor(70, 76, 88), lit ? 2 : 1);
    glyphs::drawWord(c.p, {12.5, 10.5}, "P", 1.5, 0, pen(lit ? kArmed : kLabel, 1.2));
    return c.done();
}

QImage centerCap(bool off, double scale) {
    Canvas c(newImage(lay::imgCenter.size(), Qt::transparent, scale));
    const QPointF centre(9, 9);
    QLinearGradient face(0, 1, 0, 17);
    face.setColorAt(0, QColor(60, 66, 77));
    face.setColorAt(1, QColor(24, 27, 32));
    c.p.setBrush(face);
    c.p.setPen(pen(kKeyEdge, 1));
    c.p.drawEllipse(centre, 8.3, 8.3);
    c.p.setPen(Qt::NoPen);
    drawSwitchMark(c.p, centre, 5, off);
    return c.done();
}

QImage trayIcon(bool off, int size) {
    return off ? clockIcon(size, QColor(128, 134, 146), QColor(170, 176, 186), Qt::transparent)
               : clockIcon(size, kArmed, QColor(235, 240, 245), Qt::transparent);
}

QImage windowIcon(bool off, int size) {
    return clockIcon(size, off ? QColor(128, 134, 146) : kAccent, QColor(235, 240, 245),
                     off ? Qt::transparent : kArmed);
}

QImage correctBar(double scale) {
    // Each bar sits above a digit of the alarm read-out; the arrow says a click counts it up.
    Canvas c(backdrop({QPoint(lay::kCorrectX[0], lay::kCorrectY), lay::kCorrect}, scale));
    drawKey(c.p, QRectF(1.5, 1.5, 19, 6.5), false, kKeyEdge);
    c.p.setBrush(kAccent);
    c.p.drawPolygon(QPolygonF{{{11, 2.6}, {14.5, 6.4}, {7.5, 6.4}}});
    return c.done();
}

QImage mark(double scale) {
    Canvas c(newImage(lay::imgMark.size(), Qt::transparent, scale));
    c.p.setBrush(QColor(40, 18, 4, 200));
    c.p.drawEllipse(QPointF(4.5, 4.5), 4.4, 4.4);
    QRadialGradient dot(QPointF(3.8, 3.6), 4);
    dot.setColorAt(0, QColor(255, 196, 110));
    dot.setColorAt(1, QColor(240, 120, 30));
    c.p.setBrush(dot);
    c.p.drawEllipse(QPointF(4.5, 4.5), 3.5, 3.5);
    return c.done();
}

} // namespace velto::art
