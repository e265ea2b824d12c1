#pragma once
// The few shapes the art needs instead of a font: seven-segment digits with bevelled segment
// ends, and a handful of squared capitals drawn as strokes. Both are plain painter paths, so a
// picture comes out the same on every machine whatever fonts it has.

#include <QColor>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace velto::art::glyphs {

/// How a run of segment digits looks. With a whole-pixel box and thickness the long edges of
/// the segments fall on pixel edges and stay sharp even at label size.
struct DigitStyle {
    QSizeF box;         // one digit
    double thick = 1;   // segment thickness
    double gap = 0;     // cut from each segment end so the segments stand apart
    double spacing = 2; // between two digits
    QColor on;
    QColor off = Qt::transparent; // unlit segments; transparent leaves them out
    double glow = 0;              // width of the soft halo around lit segments
    bool narrowOne = false;       // a 1 takes only its own width, as in a label
};

/// The segments of digit 0..9, or of the unlit remainder when lit is false; any other digit
/// lights none. Bit 0 is segment a (top), then clockwise round to f, bit 6 is g (middle).
inline QPainterPath digitPath(QRectF box, double thick, double gap, int digit, bool lit) {
    static constexpr std::array<std::uint8_t, 10> kLit{0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                       0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const unsigned on = digit >= 0 && digit <= 9 ? kLit[static_cast<size_t>(digit)] : 0U;
    const unsigned mask = lit ? on : ~on & 0x7FU;
    const double h = thick / 2;
    const double l = box.left() + h, r = box.right() - h;
    const double t = box.top() + h, m = box.center().y(), b = box.bottom() - h;
    const QPointF tl(l, t), tr(r, t), ml(l, m), mr(r, m), bl(l, b), br(r, b);
    const std::array<QLineF, 7> lines{QLineF(tl, tr), QLineF(tr, mr), QLineF(mr, br),
                                      QLineF(bl, br), QLineF(ml, bl), QLineF(tl, ml),
                                      QLineF(ml, mr)};
    QPainterPath path;
    for (size_t s = 0; s < lines.size(); ++s) {
        // A narrow 1 has no room for crossbars: they shrink to nothing and are left out.
        if ((mask >> s & 1U) == 0 || lines[s].length() <= 2 * gap) {
            continue;
        }
        // A long hexagon whose pointed ends meet the neighbouring segments at 45 degrees.
        const QPointF from = lines[s].p1(), to = lines[s].p2();
        const QPointF d = (to - from) / lines[s].length();
        const QPointF n(-d.y(), d.x());
        const QPointF p = from + d * gap, q = to - d * gap;
        path.addPolygon(QPolygonF{
            {p, p + (d + n) * h, q + (n - d) * h, q, q - (d + n) * h, p + (d - n) * h, p}});
    }
    return path;
}

/// The painter's device pixels per picture pixel: 1 on a plain picture, more on one drawn for
/// a scaled screen.
inline double deviceScale(const QPainter& p) {
    return p.device() != nullptr ? p.device()->devicePixelRatio() : 1.0;
}

/// A style measured in whole device pixels at scale k: the segments keep a whole-pixel
/// thickness and the box the parity of it, so every segment, the middle one too, has sharp
/// edges and all of them come out equally thick.
inline DigitStyle onDevicePixels(DigitStyle s, double k) {
    // Halves go to the even neighbour: 2.5 pixels become 2, not a heavy 3 in a small box.
    const double thick = std::max(1.0, std::nearbyint(s.thick * k));
    double height = std::round(s.box.height() * k);
    if (std::fmod(height - thick, 2) != 0) {
        height += height < s.box.height() * k ? 1 : -1;
    }
    s.box = QSizeF(std::round(s.box.width() * k), height);
    s.thick = thick;
    s.gap *= k;
    s.spacing = std::round(s.spacing * k);
    s.glow *= k;
    return s;
}

/// Paints digits (a string of '0'..'9'; any other character shows unlit) centred on centre,
/// moved to the nearest whole pixel so that a whole-pixel style stays sharp. On a picture
/// drawn for a scaled screen they are laid out in its device pixels.
inline void drawDigits(QPainter& p, QPointF centre, std::string_view digits,
                       const DigitStyle& style) {
    const double k = deviceScale(p);
    p.save();
    if (k != 1) {
        p.scale(1 / k, 1 / k);
        centre *= k;
    }
    const DigitStyle s = k != 1 ? onDevicePixels(style, k) : style;
    auto widthOf = [&s](char c) { return s.narrowOne && c == '1' ? s.thick : s.box.width(); };
    double width = -s.spacing;
    for (char c : digits) {
        width += widthOf(c) + s.spacing;
    }
    QPointF at(std::round(centre.x() - width / 2), std::round(centre.y() - s.box.height() / 2));
    QPainterPath lit, unlit;
    for (char c : digits) {
        const QRectF box(at, QSizeF(widthOf(c), s.box.height()));
        lit.addPath(digitPath(box, s.thick, s.gap, c - '0', true));
        unlit.addPath(digitPath(box, s.thick, s.gap, c - '0', false));
        at.rx() += box.width() + s.spacing;
    }
    p.setPen(Qt::NoPen);
    if (s.off.alpha() > 0) {
        p.fillPath(unlit, s.off);
    }
    if (s.glow > 0) {
        // Two faint strokes, wide and narrow, make a halo that is brightest at the segment.
        const QColor halo(s.on.red(), s.on.green(), s.on.blue(), 40);
        for (double w : {s.glow, s.glow / 2}) {
            p.strokePath(lit, QPen(halo, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        }
    }
    p.fillPath(lit, s.on);
    p.restore();
}

/// A capital on a 4 x 6 grid, grid unit scale pixels, its top-left grid point at at. Strokes
/// are pairs of grid digits "xy" joined by spaces; '|' starts a new stroke. The shapes are
/// squared with cut corners, like the segment digits. With a stroke width given, every grid
/// point moves to where a stroke that wide has sharp edges: a pixel centre for an odd width,
/// a pixel edge for an even one.
inline QPainterPath letterPath(char c, QPointF at, double scale, double strokeWidth = 0) {
    static constexpr std::array<std::pair<char, std::string_view>, 9> kLetters{{
        {'A', "06 01 10 30 41 46|03 43"},
        {'E', "40 00 06 46|03 33"},
        {'L', "00 06 46"},
        {'M', "06 00 23 40 46"},
        {'O', "10 30 41 45 36 16 05 01 10"},
        {'P', "06 00 30 41 42 33 03"},
        {'R', "06 00 30 41 42 33 03|33 44 46"},
        {'T', "00 40|20 26"},
        {'V', "00 03 26 43 40"},
    }};
    std::string_view strokes;
    for (const auto& [letter, shape] : kLetters) {
        if (letter == c) {
            strokes = shape;
        }
    }
    QPainterPath path;
    bool start = true;
    for (size_t i = 0; i < strokes.size(); ++i) {
        const char ch = strokes[i];
        if (ch == '|') {
            start = true;
        } else if (ch != ' ') {
            QPointF pt = at + QPointF(ch - '0', strokes[i + 1] - '0') * scale;
            if (strokeWidth > 0) {
                const bool odd = std::fmod(strokeWidth, 2) == 1;
                auto snap = [odd](double v) { return odd ? std::floor(v) + 0.5 : std::round(v); };
                pt = QPointF(snap(pt.x()), snap(pt.y()));
            }
            start ? path.moveTo(pt) : path.lineTo(pt);
            start = false;
            ++i;
        }
    }
    return path;
}

/// Width in pixels of a word drawn by drawWord, from the first grid line to the last.
inline double wordWidth(std::string_view word, double scale, double tracking) {
    const auto n = static_cast<double>(word.size());
    return n * 4 * scale + (n - 1) * tracking;
}

/// Strokes a word of capitals from its top-left grid point; tracking is added between letters.
/// On a picture drawn for a scaled screen the strokes are a whole number of device pixels wide
/// and lie on the device pixels.
inline void drawWord(QPainter& p, QPointF at, std::string_view word, double scale, double tracking,
                     const QPen& pen) {
    const double k = deviceScale(p);
    p.save();
    QPen stroke = pen;
    double snap = 0;
    if (k != 1) {
        p.scale(1 / k, 1 / k);
        at *= k;
        scale *= k;
        tracking *= k;
        snap = std::max(1.0, std::round(pen.widthF() * k));
        stroke.setWidthF(snap);
    }
    p.setPen(stroke);
    p.setBrush(Qt::NoBrush);
    for (char c : word) {
        p.drawPath(letterPath(c, at, scale, snap));
        at.rx() += 4 * scale + tracking;
    }
    p.restore();
}

} // namespace velto::art::glyphs
