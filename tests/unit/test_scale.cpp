// A screen of another scale: every picture drawn again for its device pixels, each control
// still showing its depot element, and the hands drawn on a face of that many pixels.
#include "art/depot_art.h"
#include "fakes.h"

namespace velto::test {

namespace {

const QRgb kHourMinuteColour = qRgb(40, 190, 230);

/// Surface pixels from `from` along `step` that show the hour and minute hands' colour.
int handRun(const QImage& face, QPoint from, QPoint step) {
    int n = 0;
    for (QPoint p = from; face.valid(p) && face.pixel(p) == kHourMinuteColour; p += step) {
        ++n;
    }
    return n;
}

} // namespace

class Scale : public ProgramTest {
protected:
    /// Every image control of the window with the element it shows.
    std::vector<std::pair<ImageControl*, PictureRef>> shown() {
        std::vector<std::pair<ImageControl*, PictureRef>> all;
        for (ImageControl* c : window().findChildren<ImageControl*>()) {
            all.emplace_back(c, c->picture());
        }
        return all;
    }
};

TEST_F(Scale, EveryControlKeepsItsElementDrawnForTheNewScale) {
    startAt("10:10:30");
    w().imgFixed[3]->setPicture(app.depot().picture(DepotArray::imgFixed, 13),
                                ref(DepotArray::imgFixed, 13));
    const auto before = shown();
    window().setScale(2);
    for (const auto& [control, element] : before) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_EQ(control->picture(), element);
        if (element.array >= 0) {
            const QPixmap& drawn =
                app.depot().picture(static_cast<DepotArray>(element.array), element.index);
            EXPECT_EQ(control->pixmap().cacheKey(), drawn.cacheKey());
            EXPECT_EQ(drawn.devicePixelRatio(), 2);
        }
        // Same place and size in the window, whatever the screen.
        EXPECT_EQ(control->pixmap().isNull() ? 0.0 : control->pixmap().devicePixelRatio(),
                  control->pixmap().isNull() ? 0.0 : 2.0);
    }
    EXPECT_EQ(w().imgMark->pixmap().size(), QSize(18, 18));
    EXPECT_EQ(w().imgCorrect[0]->pixmap().size(), QSize(44, 18));
    EXPECT_EQ(app.depot().background().size(), QSize(800, 390));
    EXPECT_EQ(w().picClock->surface().size(), QSize(274, 274));
    EXPECT_EQ(w().picClock->scale(), 2);
    EXPECT_EQ(window().size(), QSize(385, 195));
}

TEST_F(Scale, HandsAreRedrawnAtOnceAtTheFacesOwnResolution) {
    // 9:30:15: the hour hand lies flat to the left, the minute hand points straight down, at
    // every scale (at 3 and 12 the tips of a 1x face are a pixel off straight).
    startAt("09:30:15");
    for (double k : {1.0, 2.0, 1.5, 1.0}) {
        SCOPED_TRACE(k);
        window().setScale(k); // no tick: the new face shows its hands straight away
        const QImage& face = w().picClock->surface();
        ASSERT_EQ(face.width(), static_cast<int>(std::ceil(137 * k)));
        const QPoint centre(static_cast<int>(std::nearbyint(68.5 * k)),
                            static_cast<int>(std::nearbyint(68.5 * k)));
        // Across each hand, away from the centre cap: as many pixels as the hand is wide.
        const QPoint onHour = centre - QPoint(static_cast<int>(22 * k), 0);
        const QPoint onMinute = centre + QPoint(0, static_cast<int>(28 * k));
        const int hour = handRun(face, onHour, {0, 1}) + handRun(face, onHour, {0, -1}) - 1;
        const int minute = handRun(face, onMinute, {1, 0}) + handRun(face, onMinute, {-1, 0}) - 1;
        EXPECT_EQ(hour, std::lround(5 * k));
        EXPECT_EQ(minute, std::lround(3 * k));
        // The hands reach as far on the face as at 1x: the tips scale with it.
        EXPECT_EQ(face.pixel(centre - QPoint(static_cast<int>(33 * k), 0)), kHourMinuteColour);
        EXPECT_NE(face.pixel(centre - QPoint(static_cast<int>(37 * k), 0)), kHourMinuteColour);
    }
}

TEST_F(Scale, BackAtOneEveryPixelIsAsBefore) {
    startAt("10:10:30");
    const QImage face = w().picClock->surface();
    const QImage digit = w().imgTime[0]->pixmap().toImage();
    window().setScale(1.5);
    ASSERT_NE(w().picClock->surface().size(), face.size());
    window().setScale(1);
    EXPECT_EQ(w().picClock->surface(), face);
    EXPECT_EQ(w().imgTime[0]->pixmap().toImage(), digit);
    EXPECT_EQ(
        w().imgTime[0]->pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
        art::largeDigit(1));
}

TEST_F(Scale, BelowOneTheArtIsDrawnAtItsLayoutSize) {
    startAt("10:10:30");
    window().setScale(0.75);
    EXPECT_EQ(app.depot().scale(), 1);
    EXPECT_EQ(w().picClock->surface().size(), QSize(137, 137));
}

} // namespace velto::test
