// The clock face: hand tips, countdown marker, hot spots, the angle of a point, the redraw,
// and the announcer-interval dials.
#include "art/layout.h"
#include "fakes.h"
#include "views/face.h"

#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <string>

namespace velto::test {

namespace {

double distanceToSegment(double px, double py, PixelPoint a, PixelPoint b) {
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double len2 = vx * vx + vy * vy;
    double t = len2 == 0 ? 0 : ((px - a.x) * vx + (py - a.y) * vy) / len2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (a.x + t * vx), py - (a.y + t * vy));
}

std::string str(PixelPoint p) {
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

} // namespace

class FaceTest : public ProgramTest {
protected:
    [[nodiscard]] QImage dial(int index) const {
        return app.depot()
            .picture(DepotArray::imgDial, index)
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    /// Moves the clock to `hms` and lets the ticker act on it.
    void tickAt(const QString& hms) {
        clock.at(hms);
        ticker.fire();
    }
    /// Pixels of the face that differ from `bare` more than 4 pixels away from every hand.
    int changedAwayFromHands(const QImage& bare) {
        const QImage& face = w().picClock->surface();
        int count = 0;
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < face.width(); ++x) {
                const bool nearHand =
                    distanceToSegment(x, y, hands().hourStart, hands().hourEnd) <= 4 ||
                    distanceToSegment(x, y, hands().minuteStart, hands().minuteEnd) <= 4 ||
                    distanceToSegment(x, y, hands().secondStart, hands().secondEnd) <= 4;
                if (!nearHand && face.pixel(x, y) != bare.pixel(x, y)) {
                    ++count;
                }
            }
        }
        return count;
    }
    [[nodiscard]] QRgb facePixel(int x, int y) { return w().picClock->surface().pixel(x, y); }
};

const QRgb kHourMinuteColour = qRgb(40, 190, 230);
const QRgb kSecondColour = qRgb(40, 220, 240);

TEST_F(FaceTest, GeometryComesFromTheFaceSize) {
    startAt("10:10:30");
    EXPECT_EQ(hands().centerX, 68.5f);
    EXPECT_EQ(hands().centerY, 68.5f);
    for (const PixelPoint& p : {hands().hourStart, hands().minuteStart, hands().secondStart}) {
        EXPECT_EQ(p, (PixelPoint{68, 68}));
    }
}

TEST_F(FaceTest, HandTipsLandOnTheirPixels) {
    const struct {
        const char* time;
        PixelPoint hour, minute, second;
    } cases[] = {
        {"00:00:00", {68, 34}, {68, 21}, {68, 14}},
        {"03:00:00", {103, 69}, {68, 21}, {68, 14}}, // a row low: the short constants
        {"12:00:00", {69, 34}, {68, 21}, {68, 14}},  // a column right of midnight's tip
        {"06:30:45", {68, 103}, {68, 116}, {14, 68}},
        {"09:45:15", {34, 68}, {21, 68}, {123, 69}},
    };
    startAt("07:00:00");
    for (const auto& c : cases) {
        tickAt(QString::fromLatin1(c.time));
        EXPECT_EQ(hands().hourEnd, c.hour) << c.time << " hour " << str(hands().hourEnd);
        EXPECT_EQ(hands().minuteEnd, c.minute) << c.time << " minute " << str(hands().minuteEnd);
        EXPECT_EQ(hands().secondEnd, c.second) << c.time << " second " << str(hands().secondEnd);
    }
}

TEST_F(FaceTest, HourHandKeepsToTheHourMarkAllHour) {
    startAt("10:00:00");
    const PixelPoint atTen = hands().hourEnd;
    tickAt("10:59:00");
    EXPECT_EQ(hands().hourEnd, atTen);
    tickAt("10:59:59");
    EXPECT_EQ(hands().hourEnd, atTen);
    // Afternoon hours point like the morning ones, to within a pixel.
    for (int h = 0; h < 12; ++h) {
        tickAt(QTime(h, 0, 0).toString(QStringLiteral("hh:mm:ss")));
        const PixelPoint morning = hands().hourEnd;
        tickAt(QTime(h + 12, 0, 0).toString(QStringLiteral("hh:mm:ss")));
        EXPECT_LE(std::abs(hands().hourEnd.x - morning.x), 1) << h;
        EXPECT_LE(std::abs(hands().hourEnd.y - morning.y), 1) << h;
    }
}

TEST_F(FaceTest, AllThreeHandsTakeTheTicksOneReading) {
    startAt("10:10:30");
    clock.at("06:30:45");
    ticker.fire();
    clock.at("00:00:00"); // a clock read behind the tick's back would show here
    window().redrawHands();
    EXPECT_EQ(hands().hourEnd, (PixelPoint{68, 103}));
    EXPECT_EQ(hands().minuteEnd, (PixelPoint{68, 116}));
    EXPECT_EQ(hands().secondEnd, (PixelPoint{14, 68}));
}

TEST_F(FaceTest, EachRedrawShowsTheDialWithOnlyTheLatestHands) {
    startAt("06:15:00");
    const QImage bare = dial(2);
    // Second hand straight up, hour hand straight down: crisp, in their pure colours.
    EXPECT_EQ(facePixel(68, 20), kSecondColour);
    for (int x = 66; x <= 70; ++x) {
        EXPECT_EQ(facePixel(x, 90), kHourMinuteColour) << x;
    }
    EXPECT_EQ(facePixel(71, 90), bare.pixel(71, 90));
    EXPECT_EQ(facePixel(65, 90), bare.pixel(65, 90));
    EXPECT_EQ(changedAwayFromHands(bare), 0);

    tickAfter(1); // the second hand moves off the 12 o'clock line
    EXPECT_EQ(facePixel(68, 20), bare.pixel(68, 20));
    EXPECT_EQ(changedAwayFromHands(bare), 0);
    tickAfter(7);
    EXPECT_EQ(changedAwayFromHands(bare), 0);
}

TEST_F(FaceTest, MarkerSitsOnTheRimAtTheCountdownMinute) {
    startAt("10:10:30");
    EXPECT_EQ(w().imgMark->left(), 64); // its place in the window layout
    EXPECT_EQ(w().imgMark->top(), 4);
    const struct {
        int16_t minutes;
        int left, top;
    } cases[] = {{0, 64, 4}, {5, 95, 12}, {15, 125, 65}, {30, 64, 125}, {45, 4, 64}, {60, 65, 4}};
    for (const auto& c : cases) {
        model().setAlarmIn(c.minutes); // the countdown, and with it the mark
        EXPECT_EQ(w().imgMark->left(), c.left) << c.minutes;
        EXPECT_EQ(w().imgMark->top(), c.top) << c.minutes;
        EXPECT_EQ(w().imgMark->pos(), QPoint(c.left, c.top)) << c.minutes;
    }
}

TEST_F(FaceTest, TwelveHotSpotsLieOverTheHourMarks) {
    startAt("10:10:30");
    ASSERT_EQ(w().imgHotSpot.size(), 12u);
    const QSize size = w().imgHotSpot[0]->size();
    for (int i = 1; i < 12; ++i) {
        ASSERT_NE(w().imgHotSpot[static_cast<size_t>(i)], nullptr) << i;
        EXPECT_EQ(w().imgHotSpot[static_cast<size_t>(i)]->size(), size) << i;
        EXPECT_TRUE(w().imgHotSpot[static_cast<size_t>(i)]->isVisible()) << i;
        EXPECT_EQ(w().imgHotSpot[static_cast<size_t>(i)]->picture(), PictureRef{}) << i;
    }
    const struct {
        int index;
        double left, top;
    } cases[] = {{0, 60.5, 5.7}, {3, 115.3, 60.5}, {6, 60.5, 115.3}, {9, 5.7, 60.5}};
    for (const auto& c : cases) {
        const ImageControl& spot = *w().imgHotSpot[static_cast<size_t>(c.index)];
        EXPECT_NEAR(spot.left(), c.left, 0.05) << c.index;
        EXPECT_NEAR(spot.top(), c.top, 0.05) << c.index;
    }
    // The places are kept as single-precision fractions, not rounded to pixels.
    const ImageControl& one = *w().imgHotSpot[1];
    EXPECT_NE(one.left(), std::round(one.left()));
    EXPECT_EQ(one.left(), static_cast<double>(static_cast<float>(one.left())));
}

TEST(Angle, FromPointIsClockwiseFromTwelveInDegrees) {
    const struct {
        float x, y, degrees;
    } cases[] = {
        {100, 30, 39.29f},  {100, 100, 136.0f}, // below the centre: one degree over
        {30, 100, 231.71f}, {30, 30, 315.0f},   {69, 120, 180.44f}, {68.5f, 10, 0},
        {68.5f, 120, 0},    {120, 68.5f, 0},    {10, 68.5f, 0},     {68.5f, 68.5f, 0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(angleFromPoint(68.5f, 68.5f, c.x, c.y), c.degrees, 0.005)
            << "(" << c.x << ", " << c.y << ")";
    }
}

TEST_F(FaceTest, StartUpShowsTheFifteenMinuteDial) {
    startAt("10:10:30");
    EXPECT_EQ(model().announceInterval(), 15);
    EXPECT_EQ(w().picClock->picture(), ref(DepotArray::imgDial, 2));
    EXPECT_EQ(w().imgEach->picture(), ref(DepotArray::imgEach, 2));
    EXPECT_EQ(changedAwayFromHands(dial(2)), 0);
}

TEST_F(FaceTest, IntervalButtonGoesRoundTheCycle) {
    startAt("10:10:30");
    const struct {
        int16_t interval;
        int index;
    } steps[] = {{20, 3}, {30, 4}, {60, 5}, {0, 0}, {10, 1}, {15, 2}};
    for (const auto& step : steps) {
        QTest::mouseClick(w().imgEach, Qt::LeftButton);
        EXPECT_EQ(model().announceInterval(), step.interval);
        EXPECT_EQ(w().picClock->picture(), ref(DepotArray::imgDial, step.index)) << step.interval;
        EXPECT_EQ(w().imgEach->picture(), ref(DepotArray::imgEach, step.index)) << step.interval;
    }
}

TEST_F(FaceTest, AfterAClickTheHandsStandOnTheNewDialAtOnce) {
    startAt("06:15:00");
    ASSERT_GT(changedAwayFromHands(dial(3)), 0);    // the two dials differ off the hands
    QTest::mouseClick(w().imgEach, Qt::LeftButton); // 15 to 20, with no tick in between
    EXPECT_EQ(changedAwayFromHands(dial(3)), 0);
    EXPECT_EQ(facePixel(68, 20), kSecondColour);
    EXPECT_EQ(facePixel(68, 90), kHourMinuteColour);
}

TEST_F(FaceTest, IntervalOffShowsThePlainDialAndABlankButton) {
    startAt("06:15:00");
    model().setAnnounceInterval(0);
    EXPECT_EQ(w().picClock->picture(), ref(DepotArray::imgDial, 0));
    EXPECT_EQ(w().imgEach->picture(), ref(DepotArray::imgEach, 0));
    EXPECT_EQ(changedAwayFromHands(dial(0)), 0);
    EXPECT_EQ(facePixel(68, 90), kHourMinuteColour);
}

TEST_F(FaceTest, AnIntervalOutsideTheCycleLooksOffAndClicksOnToTen) {
    startAt("10:10:30");
    model().setAnnounceInterval(45);
    EXPECT_EQ(model().announceInterval(), 45);
    EXPECT_EQ(w().picClock->picture(), ref(DepotArray::imgDial, 0));
    EXPECT_EQ(w().imgEach->picture(), ref(DepotArray::imgEach, 0));
    QTest::mouseClick(w().imgEach, Qt::LeftButton);
    EXPECT_EQ(model().announceInterval(), 10);
}

TEST_F(FaceTest, PointerOverTheFaceTurnsTheHeaderButtonsBackToNormal) {
    startAt("10:10:30");
    QTest::mouseMove(w().imgHeaderX, QPoint(5, 5));
    ASSERT_EQ(w().imgHeaderX->picture(), ref(DepotArray::imgHeaderX, 1));
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 40), w().picClock->mapToGlobal(QPointF(40, 40)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w().picClock, &move);
    EXPECT_EQ(w().imgHeaderX->picture(), ref(DepotArray::imgHeaderX, 0));
    EXPECT_EQ(w().imgHeaderV->picture(), ref(DepotArray::imgHeaderV, 0));
}

// Each second only where a hand was or is goes to the screen: every pixel the redraw changed
// must lie in that region, across an hour's turn, at each scale.
TEST(FaceRedraw, EachSecondUpdatesEveryPixelItChanges) {
    for (const double scale : {1.0, 1.5, 2.0}) {
        Depot depot(dialNumbers());
        depot.setScale(scale);
        PictureBox face(nullptr, QStringLiteral("face"), layout::picClock.size());
        face.setDial(depot.picture(DepotArray::imgDial, 2), Depot::ref(DepotArray::imgDial, 2));
        FaceGeometry g = faceGeometryOf(face.size());
        drawHands(face, g, QTime(10, 58, 58));
        int missed = 0;
        for (QTime t(10, 58, 59); t != QTime(11, 1, 1); t = t.addSecs(1)) {
            const QImage before = face.surface().copy();
            const QRegion updated = drawHands(face, g, t);
            const QImage& after = face.surface();
            for (int y = 0; y < after.height(); ++y) {
                for (int x = 0; x < after.width(); ++x) {
                    const QPoint inBox(static_cast<int>(x / scale), static_cast<int>(y / scale));
                    missed += after.pixel(x, y) != before.pixel(x, y) && !updated.contains(inBox);
                }
            }
        }
        EXPECT_EQ(missed, 0) << "at scale " << scale;
    }
}

} // namespace velto::test
