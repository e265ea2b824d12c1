// The hands' anti-aliased line, the colour routines under it and the face's pixel access.
#include "art/pixlib.h"
#include "art/wuline.h"
#include "fakes.h"

#include <map>
#include <utility>

namespace velto::test {

namespace {

const ColorQuad kWhite = makeQuad(255, 255, 255, 255);

QImage filled(QRgb fill, int size = 12) {
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

/// A background in which every pixel differs from its neighbours, so that a write to the
/// wrong pixel, or a mix against the wrong one, shows.
QImage patterned(int size = 12) {
    QImage img(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            img.setPixel(x, y, qRgb(10 + 17 * x, 10 + 19 * y, 200 - 7 * x - 5 * y));
        }
    }
    return img;
}

using Greys = std::map<std::pair<int, int>, int>; // (x, y) to grey level

/// Every listed pixel is that grey in all three channels; every other pixel is black.
void expectGreysOnBlack(const QImage& img, const Greys& greys) {
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const auto it = greys.find({x, y});
            const int want = it == greys.end() ? 0 : it->second;
            const QRgb got = img.pixel(x, y);
            EXPECT_EQ(qRed(got), want) << "at (" << x << ", " << y << ")";
            EXPECT_EQ(qGreen(got), want) << "at (" << x << ", " << y << ")";
            EXPECT_EQ(qBlue(got), want) << "at (" << x << ", " << y << ")";
        }
    }
}

/// Pixels of `after` that differ from `before`, as a sorted list.
std::vector<std::pair<int, int>> changed(const QImage& before, const QImage& after) {
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) {
                out.emplace_back(x, y);
            }
        }
    }
    return out;
}

} // namespace

TEST(WuLine, ThinLineBlendsItsTwoEdgesBySubPixelPosition) {
    QImage img = filled(qRgb(0, 0, 0));
    drawWuLine(img, {0, 0}, {4, 1}, kWhite, 1);
    expectGreysOnBlack(img, {{{0, 0}, 255},
                             {{1, 0}, 191},
                             {{1, 1}, 64},
                             {{2, 0}, 128},
                             {{2, 1}, 128},
                             {{3, 0}, 64},
                             {{3, 1}, 191},
                             {{4, 1}, 255}});
}

TEST(WuLine, WideLineHasSolidRunBetweenItsEdges) {
    QImage img = filled(qRgb(0, 0, 0));
    drawWuLine(img, {0, 2}, {4, 3}, kWhite, 3);
    Greys want;
    const int nearEdge[] = {255, 191, 128, 64};
    const int farEdge[] = {0, 64, 128, 191};
    for (int x = 0; x < 4; ++x) {
        want[{x, 1}] = nearEdge[x];
        want[{x, 2}] = 255;
        want[{x, 3}] = 255;
        want[{x, 4}] = farEdge[x];
    }
    want[{4, 2}] = 255;
    want[{4, 3}] = 255;
    want[{4, 4}] = 255;
    expectGreysOnBlack(img, want);
}

TEST(WuLine, VerticalLineIsCrispAndLeavesItsFarEdgeAsItWas) {
    const QImage before = patterned();
    QImage img = before;
    drawWuLine(img, {0, 0}, {0, 3}, kWhite, 1);
    const std::vector<std::pair<int, int>> want{{0, 0}, {0, 1}, {0, 2}, {0, 3}};
    EXPECT_EQ(changed(before, img), want);
    for (const auto& [x, y] : want) {
        EXPECT_EQ(img.pixel(x, y), qRgb(255, 255, 255));
    }
}

TEST(WuLine, HorizontalLineOfWidthFiveIsExactlyFivePixelsThick) {
    const QImage before = patterned(16);
    QImage img = before;
    drawWuLine(img, {2, 8}, {12, 8}, kWhite, 5);
    std::vector<std::pair<int, int>> want;
    for (int y = 6; y <= 10; ++y) {
        for (int x = 2; x <= 12; ++x) {
            want.emplace_back(x, y);
        }
    }
    EXPECT_EQ(changed(before, img), want);
}

TEST(WuLine, ExchangingTheEndPointsGivesTheSamePixels) {
    const struct {
        PixelPoint a, b;
        int16_t width;
    } lines[] = {
        {{1, 1}, {14, 6}, 1}, {{1, 1}, {14, 6}, 5},  {{3, 14}, {9, 0}, 3},
        {{0, 9}, {15, 2}, 2}, {{13, 13}, {2, 2}, 4}, {{5, 0}, {5, 15}, 5},
    };
    for (const auto& l : lines) {
        QImage forward = patterned(16);
        QImage backward = forward;
        drawWuLine(forward, l.a, l.b, makeQuad(40, 190, 230, 255), l.width);
        drawWuLine(backward, l.b, l.a, makeQuad(40, 190, 230, 255), l.width);
        EXPECT_EQ(forward, backward) << "(" << l.a.x << ", " << l.a.y << ") to (" << l.b.x << ", "
                                     << l.b.y << ") width " << l.width;
    }
}

TEST(WuLine, FortyFiveDegreeLineStepsByRows) {
    // Width 2 puts one pure pixel before the position on the minor axis; stepping by rows
    // that pixel is to the left, stepping by columns it would be above.
    const QImage before = patterned();
    QImage img = before;
    drawWuLine(img, {2, 2}, {5, 5}, kWhite, 2);
    const std::vector<std::pair<int, int>> want{{1, 2}, {2, 2}, {2, 3}, {3, 3},
                                                {3, 4}, {4, 4}, {4, 5}, {5, 5}};
    EXPECT_EQ(changed(before, img), want);
}

TEST(WuLine, EqualEndPointsTouchNothing) {
    const QImage before = filled(qRgb(12, 34, 56));
    QImage img = before;
    drawWuLine(img, {5, 5}, {5, 5}, kWhite, 5);
    drawWuLine(img, {0, 0}, {0, 0}, kWhite, 1);
    EXPECT_EQ(img, before);
}

TEST(WuLine, EdgesMixIntoWhatTheSurfaceShowsChannelByChannel) {
    // Hand colour over a reddish background; the near edge at a quarter step has the hand at
    // three quarters: red 0.75*40 + 0.25*200 = 80, green 142.5 + 2.5 = 145, blue 172.5 to 172.
    QImage img = filled(qRgb(200, 10, 0));
    drawWuLine(img, {0, 0}, {4, 1}, makeQuad(40, 190, 230, 255), 1);
    EXPECT_EQ(img.pixel(1, 0), qRgb(80, 145, 172));
    EXPECT_EQ(img.pixel(1, 1), qRgb(160, 55, 58)); // 0.25*40+0.75*200, 47.5+7.5, 57.5
    // Drawn again, the line mixes into its first drawing, not into the background under it:
    // 0.75*40+0.25*80 = 50, 142.5+36.25 = 178.75, 172.5+43 = 215.5.
    drawWuLine(img, {0, 0}, {4, 1}, makeQuad(40, 190, 230, 255), 1);
    EXPECT_EQ(img.pixel(1, 0), qRgb(50, 179, 216));
}

TEST(WuLine, PartsOutsideTheSurfaceAreSkipped) {
    QImage img = filled(qRgb(0, 0, 0), 8);
    drawWuLine(img, {-5, 3}, {20, 3}, kWhite, 3);
    drawWuLine(img, {-32760, 0}, {7, 0}, kWhite, 1); // the longest line the step counter allows
    Greys want;
    for (int x = 0; x < 8; ++x) {
        want[{x, 0}] = 255;
        want[{x, 2}] = 255;
        want[{x, 3}] = 255;
        want[{x, 4}] = 255;
    }
    expectGreysOnBlack(img, want);

    const QImage before = img;
    drawWuLine(img, {-32761, 6}, {7, 6}, kWhite, 1); // one step too long: not drawn
    drawWuLine(img, {-40000, 1}, {40000, 5}, kWhite, 1);
    EXPECT_EQ(img, before);
}

TEST(WuLine, OtherImageFormatsGiveTheSamePixels) {
    const QImage base = patterned(16);
    for (QImage::Format f : {QImage::Format_RGB888, QImage::Format_ARGB32_Premultiplied}) {
        QImage direct = base;
        QImage other = base.convertToFormat(f);
        drawWuLine(direct, {1, 2}, {14, 9}, makeQuad(40, 190, 230, 255), 3);
        drawWuLine(other, {1, 2}, {14, 9}, makeQuad(40, 190, 230, 255), 3);
        EXPECT_EQ(other.format(), f);
        EXPECT_EQ(other.convertToFormat(QImage::Format_RGB32), direct) << f;
    }
}

class HandStyleTest : public ProgramTest {
protected:
    QImage dial() const {
        return app.depot()
            .picture(DepotArray::imgDial, 2)
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    /// `hand` along row 100 from x 10 to 60 on the bare dial.
    void drawFlat(Hand hand) {
        w().picClock->cls();
        drawHand(w().picClock->surface(), hand, {10, 100}, {60, 100});
    }
    /// Rows of column 30 that differ from the dial.
    std::vector<int> drawnRows() {
        std::vector<int> rows;
        const QImage& face = w().picClock->surface();
        const QImage bare = dial();
        for (int y = 0; y < face.height(); ++y) {
            if (face.pixel(30, y) != bare.pixel(30, y)) {
                rows.push_back(y);
            }
        }
        return rows;
    }
};

TEST_F(HandStyleTest, EachHandHasItsColourAndWidth) {
    startAt("10:10:30");
    const struct {
        Hand hand;
        const char* name;
        QRgb colour;
        std::vector<int> rows;
    } hands[] = {
        {Hand::Hour, "hour", qRgb(40, 190, 230), {98, 99, 100, 101, 102}},
        {Hand::Minute, "minute", qRgb(40, 190, 230), {99, 100, 101}},
        {Hand::Second, "second", qRgb(40, 220, 240), {100}},
    };
    for (const auto& hand : hands) {
        drawFlat(hand.hand);
        EXPECT_EQ(drawnRows(), hand.rows) << hand.name;
        for (int y : hand.rows) {
            EXPECT_EQ(w().picClock->surface().pixel(30, y), hand.colour) << hand.name;
        }
    }
}

TEST(Colour, SplitAndJoinUseRedInTheLowestByte) {
    EXPECT_EQ(colorToQuad(0x0080FF80), makeQuad(128, 255, 128, 255));
    EXPECT_EQ(colorToQuad(0x00FFFFFF), makeQuad(255, 255, 255, 255));
    EXPECT_EQ(colorToQuad(0x00E6BE28), makeQuad(40, 190, 230, 255));
    EXPECT_EQ(colorToQuad(kInvalidColour), makeQuad(255, 255, 255, 255));
    EXPECT_EQ(colorToQuad(0x12345678), makeQuad(0x78, 0x56, 0x34, 255)); // top byte ignored

    const ColorQuad q = makeQuad(1, 2, 3, 4);
    EXPECT_EQ(q.red, 1);
    EXPECT_EQ(q.green, 2);
    EXPECT_EQ(q.blue, 3);
    EXPECT_EQ(q.alpha, 4);
    EXPECT_EQ(quadToColor(q), 0x00030201); // alpha dropped
    EXPECT_EQ(quadToColor(makeQuad(255, 255, 255, 255)), 0x00FFFFFF);
}

TEST(Blend, ByteRoundsHalvesToEvenAndStaysInRange) {
    EXPECT_EQ(blendByte(255, 0, 0.5f), 128); // 127.5
    EXPECT_EQ(blendByte(1, 2, 0.5f), 2);     // 1.5
    EXPECT_EQ(blendByte(2, 3, 0.5f), 2);     // 2.5
    EXPECT_EQ(blendByte(126, 127, 0.5f), 126);
    EXPECT_EQ(blendByte(0, 255, 0.25f), 64);  // 63.75
    EXPECT_EQ(blendByte(255, 0, 0.25f), 191); // 191.25
    EXPECT_EQ(blendByte(0, 0, 0.3f), 0);
    EXPECT_EQ(blendByte(255, 255, 0.7f), 255);
    for (int a : {0, 1, 77, 254, 255}) {
        for (int b : {0, 3, 200, 255}) {
            EXPECT_EQ(blendByte(uint8_t(a), uint8_t(b), 0.0f), a);
            EXPECT_EQ(blendByte(uint8_t(a), uint8_t(b), 1.0f), b);
        }
    }
    EXPECT_EQ(blendByte(0, 255, 1.5f), 255);
    EXPECT_EQ(blendByte(0, 255, -0.5f), 0);
}

TEST(Blend, QuadBlendsEveryChannelIncludingAlpha) {
    const ColorQuad p = makeQuad(255, 0, 100, 255);
    const ColorQuad q = makeQuad(0, 255, 200, 0);
    EXPECT_EQ(blendQuad(p, q, 0.5f), makeQuad(128, 128, 150, 128));
    EXPECT_EQ(blendQuad(p, q, 0.25f), makeQuad(191, 64, 125, 191));
}

TEST(PixelAccess, OutsideReadsAsInvalidAndIgnoresWrites) {
    QImage img = filled(qRgb(9, 8, 7), 5);
    const QImage before = img;
    PixelSurface face(img);
    for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {5, 0}, {0, 5}, {5, 5}, {-9, 99}}) {
        EXPECT_EQ(face.pixel(x, y), kInvalidColour);
        EXPECT_EQ(static_cast<uint32_t>(face.pixel(x, y)), 0xFFFFFFFFu);
        face.setPixel(x, y, 0x00FFFFFF);
    }
    EXPECT_EQ(img, before);
}

TEST(PixelAccess, ColourValuesMapToTheImagesRgb) {
    QImage img = filled(qRgb(0, 0, 0), 5);
    PixelSurface face(img);
    EXPECT_EQ(face.pixel(4, 4), 0);
    face.setPixel(1, 2, 0x00332211);
    EXPECT_EQ(img.pixel(1, 2), qRgb(0x11, 0x22, 0x33));
    EXPECT_EQ(face.pixel(1, 2), 0x00332211);
    face.setPixel(3, 3, kInvalidColour); // the top byte is not a channel
    EXPECT_EQ(face.pixel(3, 3), 0x00FFFFFF);
    EXPECT_EQ(img.pixel(3, 3), qRgb(255, 255, 255));
}

} // namespace velto::test
