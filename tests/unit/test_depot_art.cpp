// The drawn art: sizes the layout relies on, digits that tell themselves apart, dial marks in
// the right colours, and pictures that blend into the window around them.
#include "app/velto_app.h"
#include "art/depot_art.h"
#include "art/layout.h"
#include "model/clock_model.h"

#include <QImage>
#include <QRect>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>
#include <string>
#include <vector>

namespace art = velto::art;
namespace lay = velto::layout;

namespace {

/// The announcer interval of dial and button `index`, and the minutes of preset k.
int interval(int index) {
    return velto::ClockModel::kAnnounceIntervals.at(static_cast<size_t>(index));
}
/// The hour marks lit on dial `index`, as the program hands them to the art.
art::LitMarks lit(int index) {
    return velto::dialNumbers().litMarks.at(static_cast<size_t>(index));
}
int presetMinutes(int k) {
    return velto::ClockModel::kPresetMinutes.at(static_cast<size_t>(k));
}

struct Picture {
    std::string name;
    std::function<QImage(double)> draw; // at a scale
    QSize size;
    bool scales = true; // icons are drawn at a size in device pixels instead
};

std::string label(const char* base, int a, int b = -1) {
    std::string s = base;
    for (int n : {a, b}) {
        if (n >= 0) {
            s += ' ';
            s += std::to_string(n);
        }
    }
    return s;
}

std::vector<Picture> everyPicture() {
    std::vector<Picture> all;
    auto add = [&all](std::string name, QSize size, std::function<QImage(double)> draw) {
        all.push_back({std::move(name), std::move(draw), size});
    };
    for (int d = 0; d <= 10; ++d) {
        add(label("largeDigit", d), {26, 50}, [d](double k) { return art::largeDigit(d, k); });
        add(label("smallDigit", d), {8, 17}, [d](double k) { return art::smallDigit(d, k); });
    }
    for (int on = 0; on <= 1; ++on) {
        add(label("colon", on), {8, 50}, [on](double k) { return art::colon(on, k); });
        add(label("header", on), lay::imgHeader.size(),
            [on](double k) { return art::header(on, k); });
        add(label("minimise", on), lay::imgHeaderV.size(),
            [on](double k) { return art::minimiseButton(on, k); });
        add(label("close", on), lay::imgHeaderX.size(),
            [on](double k) { return art::closeButton(on, k); });
        add(label("punch", on), lay::imgPunch.size(),
            [on](double k) { return art::punchButton(on, k); });
        add(label("centerCap", on), lay::imgCenter.size(),
            [on](double k) { return art::centerCap(on, k); });
        for (int k = 0; k < 10; ++k) {
            add(label("preset", k, on), lay::imgFixed(k).size(),
                [k, on](double scale) { return art::preset(k, presetMinutes(k), on, scale); });
        }
        for (int k = 1; k <= 12; ++k) {
            add(label("keypadKey", k, on), lay::kKey,
                [k, on](double scale) { return art::keypadKey(k, on, scale); });
        }
        for (int px : {16, 32}) {
            add(label("trayIcon", on, px), {px, px},
                [on, px](double) { return art::trayIcon(on, px); });
            all.back().scales = false;
            add(label("windowIcon", on, px), {px, px},
                [on, px](double) { return art::windowIcon(on, px); });
            all.back().scales = false;
        }
    }
    for (int i = 0; i <= 5; ++i) {
        add(label("intervalButton", i), lay::imgEach.size(),
            [i](double k) { return art::intervalButton(interval(i), k); });
        add(label("dial", i), lay::picClock.size(), [i](double k) { return art::dial(lit(i), k); });
    }
    add("background", lay::kBackground, [](double k) { return art::background(k); });
    add("correctBar", lay::kCorrect, [](double k) { return art::correctBar(k); });
    add("mark", lay::imgMark.size(), [](double k) { return art::mark(k); });
    return all;
}

int brightness(QRgb c) {
    return qRed(c) + qGreen(c) + qBlue(c);
}

/// The brightest pixel within one pixel of p, so that a sample does not hinge on antialiasing.
QRgb brightestNear(const QImage& image, QPointF p) {
    QRgb best = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QRgb c = image.pixel(static_cast<int>(p.x()) + dx, static_cast<int>(p.y()) + dy);
            if (brightness(c) > brightness(best)) {
                best = c;
            }
        }
    }
    return best;
}

bool isYellow(QRgb c) {
    return qRed(c) > 180 && qGreen(c) > 140 && qBlue(c) < 120;
}
bool isWhite(QRgb c) {
    return qRed(c) > 180 && qGreen(c) > 180 && qBlue(c) > 180;
}

} // namespace

TEST(DepotArt, EveryPictureHasItsLayoutSizeAndIsDrawnTheSameEveryTime) {
    for (const Picture& p : everyPicture()) {
        SCOPED_TRACE(p.name);
        const QImage first = p.draw(1);
        EXPECT_EQ(first.size(), p.size);
        EXPECT_EQ(first.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(first, p.draw(1));
    }
}

TEST(DepotArt, DigitsDifferFromEachOtherAndFromTheBlank) {
    for (auto draw : {&art::largeDigit, &art::smallDigit}) {
        for (int a = 0; a <= 10; ++a) {
            for (int b = a + 1; b <= 10; ++b) {
                EXPECT_NE(draw(a, 1), draw(b, 1)) << a << " and " << b;
            }
        }
    }
    EXPECT_NE(art::colon(true), art::colon(false));
}

TEST(DepotArt, LargeDigitsLightTheSegmentsOfASevenSegmentDisplay) {
    // Middle of each segment a (top), b, c, d, e, f, g (centre) in the 26x50 picture.
    const std::array<QPoint, 7> middle{
        {{13, 7}, {20, 15}, {20, 35}, {13, 43}, {6, 35}, {6, 15}, {13, 25}}};
    const std::array<std::string, 11> lit{"abcdef", "bc",  "abdeg",   "abcdg",  "bcfg", "acdfg",
                                          "acdefg", "abc", "abcdefg", "abcdfg", ""};
    for (int d = 0; d <= 10; ++d) {
        const QImage digit = art::largeDigit(d);
        const int background = brightness(digit.pixel(1, 1));
        for (size_t s = 0; s < middle.size(); ++s) {
            const int level = brightness(digit.pixel(middle[s]));
            const bool on =
                lit[static_cast<size_t>(d)].find(static_cast<char>('a' + s)) != std::string::npos;
            SCOPED_TRACE("digit " + std::to_string(d) + " segment " + static_cast<char>('a' + s));
            // Unlit segments stay visible as a faint ghost, well below a lit one.
            EXPECT_GT(level, background);
            EXPECT_EQ(level > 400, on) << "level " << level;
        }
    }
}

TEST(DepotArt, ButtonsChangeWhenHighlightedOrPressed) {
    for (int k = 0; k < 10; ++k) {
        EXPECT_NE(art::preset(k, presetMinutes(k), false), art::preset(k, presetMinutes(k), true))
            << "preset " << k;
    }
    for (int k = 1; k <= 12; ++k) {
        EXPECT_NE(art::keypadKey(k, false), art::keypadKey(k, true)) << "key " << k;
    }
    for (int a = 0; a <= 5; ++a) {
        for (int b = a + 1; b <= 5; ++b) {
            EXPECT_NE(art::intervalButton(interval(a)), art::intervalButton(interval(b)))
                << a << " and " << b;
        }
    }
    EXPECT_NE(art::minimiseButton(false), art::minimiseButton(true));
    EXPECT_NE(art::closeButton(false), art::closeButton(true));
    EXPECT_NE(art::punchButton(false), art::punchButton(true));
    EXPECT_NE(art::header(false), art::header(true));
    EXPECT_NE(art::centerCap(false), art::centerCap(true));
    for (int size : {16, 32}) {
        EXPECT_NE(art::trayIcon(false, size), art::trayIcon(true, size));
        EXPECT_NE(art::windowIcon(false, size), art::windowIcon(true, size));
    }
}

TEST(DepotArt, DialsShowYellowMarksWhereTheAnnouncerSounds) {
    const std::array<std::vector<int>, 6> yellowHours{
        {{}, {0, 2, 4, 6, 8, 10}, {0, 3, 6, 9}, {0, 4, 8}, {0, 6}, {0}}};
    const QPointF centre(68.5, 68.5);
    for (int index = 0; index <= 5; ++index) {
        const QImage dial = art::dial(lit(index));
        for (int hour = 0; hour < 12; ++hour) {
            const double a = hour * std::numbers::pi / 6;
            const QRgb c = brightestNear(dial, centre + QPointF(std::sin(a), -std::cos(a)) * 53);
            const auto& yellow = yellowHours[static_cast<size_t>(index)];
            const bool wantYellow = std::find(yellow.begin(), yellow.end(), hour) != yellow.end();
            SCOPED_TRACE("dial " + std::to_string(index) + " hour " + std::to_string(hour));
            EXPECT_EQ(isYellow(c), wantYellow);
            EXPECT_EQ(isWhite(c), !wantYellow);
        }
        // Between the marks the face stays dark, so the hands read on it.
        const QRgb between = dial.pixel(centre.toPoint() + QPoint(-25, -25));
        EXPECT_LT(brightness(between), 150) << "dial " << index;
    }
}

TEST(DepotArt, PicturesOnTheWindowBlendIntoItsBackground) {
    const QImage window = art::background();
    // The dial's corners and the blank small digit, on the window and on all five places at
    // the dial's top corners, are the window itself: no seam shows round them.
    const QImage blank = art::smallDigit(10);
    EXPECT_EQ(blank, window.copy(QRect(lay::kSetPos[5], blank.size())));
    EXPECT_EQ(blank, window.copy(QRect(lay::kSetPos[6], blank.size())));
    for (int index = 0; index <= 5; ++index) {
        const QImage dial = art::dial(lit(index));
        for (QPoint corner : {QPoint(0, 0), QPoint(136, 0), QPoint(0, 136), QPoint(136, 136)}) {
            EXPECT_EQ(dial.pixel(corner), window.pixel(lay::picClock.topLeft() + corner));
        }
        for (int i = 0; i <= 4; ++i) {
            EXPECT_EQ(blank, dial.copy(QRect(lay::kSetPos[static_cast<size_t>(i)], blank.size())))
                << "dial " << index << " place " << i;
        }
    }
    // The title-band pictures start and end in the band's own colours.
    const std::array<std::pair<QImage, QRect>, 3> band{
        {{art::header(true), lay::imgHeader},
         {art::closeButton(false), lay::imgHeaderX},
         {art::minimiseButton(false), lay::imgHeaderV}}};
    for (const auto& [picture, place] : band) {
        for (int y = 0; y < place.height(); ++y) {
            EXPECT_EQ(picture.pixel(0, y), window.pixel(place.left(), y));
            EXPECT_EQ(picture.pixel(place.width() - 1, y), window.pixel(place.right(), y));
        }
    }
}

TEST(DepotArt, TitleBandCarriesTheNameBetweenTheButtons) {
    const QImage window = art::background();
    const int band = brightness(window.pixel(lay::imgHeader.right() + 4, 10));
    int letterPixels = 0;
    for (int y = 1; y < lay::kTitleBand - 1; ++y) {
        for (int x = 60; x < 300; ++x) {
            letterPixels += brightness(window.pixel(x, y)) > band + 200 ? 1 : 0;
        }
    }
    EXPECT_GT(letterPixels, 40);
}

TEST(DepotArt, RoundPiecesAreTransparentOutsideTheirCircle) {
    const std::array<QImage, 8> round{art::centerCap(false),
                                      art::centerCap(true),
                                      art::punchButton(false),
                                      art::punchButton(true),
                                      art::intervalButton(0),
                                      art::intervalButton(interval(5)),
                                      art::mark(),
                                      art::trayIcon(false, 32)};
    for (const QImage& piece : round) {
        const int last = piece.width() - 1;
        for (QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
            EXPECT_EQ(qAlpha(piece.pixel(corner)), 0);
        }
        EXPECT_EQ(qAlpha(piece.pixel(piece.width() / 2, piece.height() / 2)), 255);
    }
}

namespace {

/// The scales of the screens people use besides 1.
constexpr std::array kScales{1.25, 1.5, 2.0};

/// Device pixels from `from` along `step` that show exactly `colour`, `from` included.
int runOf(const QImage& image, QPoint from, QPoint step, QRgb colour) {
    int n = 0;
    for (QPoint p = from; image.valid(p) && image.pixel(p) == colour; p += step) {
        ++n;
    }
    return n;
}

} // namespace

TEST(DepotArtAtAScale, EveryPictureCoversItsLayoutSizeInDevicePixels) {
    for (double k : kScales) {
        for (const Picture& p : everyPicture()) {
            if (!p.scales) {
                continue;
            }
            SCOPED_TRACE(p.name + " at " + std::to_string(k));
            const QImage picture = p.draw(k);
            const QSize device(static_cast<int>(std::ceil(p.size.width() * k)),
                               static_cast<int>(std::ceil(p.size.height() * k)));
            EXPECT_EQ(picture.size(), device);
            EXPECT_EQ(picture.devicePixelRatio(), k);
            EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(device) / k);
            // The backing store's own format, so that showing it converts nothing.
            EXPECT_EQ(picture.format(), QImage::Format_ARGB32_Premultiplied);
        }
    }
}

TEST(DepotArtAtAScale, SegmentsAreEquallyThickWithSharpEdges) {
    // An 8 lights all seven; each is crossed at its middle, across its length. A segment
    // blurred across a pixel or one thicker than the rest is what an enlarged 1x digit shows.
    const QRgb lit = qRgb(120, 228, 255);
    struct Segment {
        QPointF middle; // in the 26x50 picture
        bool across;    // horizontal segment, crossed by a column
    };
    const std::array<Segment, 7> segments{{{{13, 7}, true},
                                           {{20, 15}, false},
                                           {{20, 35}, false},
                                           {{13, 43}, true},
                                           {{6, 35}, false},
                                           {{6, 15}, false},
                                           {{13, 25}, true}}};
    for (double k : {1.0, 1.25, 1.5, 2.0}) {
        const QImage eight = art::largeDigit(8, k);
        const int thick = static_cast<int>(std::nearbyint(4 * k));
        for (size_t s = 0; s < segments.size(); ++s) {
            SCOPED_TRACE("segment " + std::string(1, static_cast<char>('a' + s)) + " at " +
                         std::to_string(k));
            const QPoint mid = (segments[s].middle * k).toPoint();
            const QPoint step = segments[s].across ? QPoint(0, 1) : QPoint(1, 0);
            ASSERT_EQ(eight.pixel(mid), lit);
            const int before = runOf(eight, mid, -step, lit);
            const int after = runOf(eight, mid, step, lit);
            EXPECT_EQ(before + after - 1, thick);
            // Just outside, the halo: far darker than the segment, not a half-lit edge pixel.
            for (QPoint edge : {mid - step * before, mid + step * after}) {
                EXPECT_LT(brightness(eight.pixel(edge)), brightness(lit) / 2);
            }
        }
    }
}

TEST(DepotArtAtAScale, PicturesOnTheWindowBlendIntoItsBackground) {
    for (double k : kScales) {
        SCOPED_TRACE(k);
        const QImage window = art::background(k);
        auto under = [&window, k](QPoint logical, QSize device) {
            return window.copy(QRect((QPointF(logical) * k).toPoint(), device));
        };
        // The device pixels under a control are those of its logical place, rounded.
        const QImage blank = art::smallDigit(10, k);
        EXPECT_EQ(blank, under(lay::kSetPos[5], blank.size()));
        EXPECT_EQ(blank, under(lay::kSetPos[6], blank.size()));
        const QImage dial = art::dial(lit(0), k);
        const int last = dial.width() - 1;
        for (QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
            EXPECT_EQ(dial.pixel(corner),
                      window.pixel((QPointF(lay::picClock.topLeft()) * k).toPoint() + corner));
        }
    }
}
