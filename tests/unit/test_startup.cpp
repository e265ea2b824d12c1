// Start-up, the close command, shut-down and the single instance.
#include "art/depot_art.h"
#include "fakes.h"

namespace velto::test {

class StartUp : public ProgramTest {};

TEST(Layout, BeforeStartUpBothReadoutsShowBlankDigitsAndAnUnlitColon) {
    Depot depot(dialNumbers());
    FakeClock clock;
    ClockModel model(clock);
    FakeDesktop desktop;
    MainWindow window(model, depot, desktop);
    const MainControls w(window);
    EXPECT_EQ(window.size(), QSize(385, 195));
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    for (int e = 0; e < 5; ++e) {
        const int blank = e == 2 ? 11 : 10;
        EXPECT_EQ(w.imgTime[e]->picture(), Depot::ref(DepotArray::imgTime, blank));
        EXPECT_EQ(w.imgAlarm[e]->picture(), Depot::ref(DepotArray::imgTime, blank));
    }
    EXPECT_EQ(w.imgTime[2]->geometry(), QRect(160, 34, 8, 50));
    EXPECT_EQ(w.imgAlarm[4]->geometry(), QRect(192, 96, 26, 50));
    EXPECT_EQ(w.imgPunchUp[12]->geometry(), QRect(72, 120, 31, 29));
    EXPECT_EQ(w.imgFixed[9]->geometry(), QRect(356, 164, 28, 24));
    EXPECT_EQ(w.picClock->geometry(), QRect(248, 20, 137, 137));
    EXPECT_EQ(w.imgHotSpot.size(), 1u);
    EXPECT_EQ(w.imgHotSpot[0]->parentWidget(), w.picClock);
    EXPECT_EQ(w.imgSet[5]->parentWidget(), &window);
    EXPECT_EQ(w.imgSet[0]->parentWidget(), w.picClock);
}

TEST(Depot, EveryElementHasItsSizeAndHighlightsAreTenOn) {
    Depot depot(dialNumbers());
    const int fixedWidth[] = {28, 27, 28, 28, 23, 24, 28, 27, 28, 28};
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(depot.picture(DepotArray::imgFixed, k).size(), QSize(fixedWidth[k], 24));
        EXPECT_EQ(depot.picture(DepotArray::imgFixed, k + 10).size(), QSize(fixedWidth[k], 24));
        EXPECT_NE(depot.picture(DepotArray::imgFixed, k).toImage(),
                  depot.picture(DepotArray::imgFixed, k + 10).toImage());
    }
    EXPECT_EQ(depot.picture(DepotArray::imgTime, 12).size(), QSize(8, 50));
    EXPECT_EQ(depot.picture(DepotArray::imgTime, 10).size(), QSize(26, 50));
    EXPECT_EQ(depot.picture(DepotArray::imgDial, 5).size(), QSize(137, 137));
    EXPECT_EQ(depot.tag(DepotArray::imgTrayIcon, 0), "Alarm ON");
    EXPECT_EQ(depot.tag(DepotArray::imgTrayIcon, 1), "Alarm OFF");
    EXPECT_EQ(Depot::first(DepotArray::imgPunchUp), 1);
    EXPECT_EQ(Depot::last(DepotArray::imgPunchDn), 12);
}

// Start-up draws the first frame on another thread while it waits for other things.
TEST(Depot, ArtDrawnAheadIsTheArtDrawnHereAtEveryScale) {
    for (double scale : {1.0, 1.5}) {
        ArtAhead ahead(scale, dialNumbers());
        Depot taken(dialNumbers(), &ahead);
        EXPECT_EQ(taken.scale(), scale);
        Depot drawn(dialNumbers());
        drawn.setScale(scale);
        for (int a = 0; a < kDepotArrayCount; ++a) {
            const auto array = static_cast<DepotArray>(a);
            for (int i = Depot::first(array); i <= Depot::last(array); ++i) {
                EXPECT_EQ(taken.picture(array, i).toImage(), drawn.picture(array, i).toImage())
                    << a << ' ' << i << " at " << scale;
            }
        }
        EXPECT_EQ(taken.background(), drawn.background());
        EXPECT_EQ(taken.correctBar().toImage(), drawn.correctBar().toImage());
        EXPECT_EQ(taken.mark().toImage(), drawn.mark().toImage());
    }
}

TEST(Depot, ArtDrawnAheadForAnotherScaleMakesWayForTheScreensOwn) {
    ArtAhead ahead(2, dialNumbers());
    Depot depot(dialNumbers(), &ahead);
    EXPECT_EQ(depot.picture(DepotArray::imgHeader, 1).size(), QSize(100, 40));
    EXPECT_TRUE(depot.setScale(1));
    EXPECT_EQ(depot.picture(DepotArray::imgHeader, 1).size(), QSize(50, 20));
    EXPECT_EQ(depot.background().size(), QSize(400, 195));
}

TEST(Depot, BackgroundIsOneImageInMemory) {
    // The pictures on the background are cut from the art's own image; the window paints
    // from that same image rather than a copy of it, whether it was drawn ahead or not.
    ArtAhead ahead(1, dialNumbers());
    Depot taken(dialNumbers(), &ahead);
    Depot drawn(dialNumbers());
    drawn.setScale(1.5);
    EXPECT_EQ(taken.background().constBits(), art::background(1).constBits());
    EXPECT_EQ(drawn.background().constBits(), art::background(1.5).constBits());
}

TEST_F(StartUp, FirstFrameTakesItsArtFromAhead) {
    startAt("11:11:11");
    // Only what follows the window onto the screen: the large and the small 1, and the dial
    // of the announcer's 15 minutes.
    EXPECT_EQ(app.depot().drawnHere(), 3);
}

TEST_F(StartUp, TheWindowIconWaitsForTheFirstFrame) {
    // Drawn at every size for every window, the icon would hold up the first frame.
    startAt("11:11:11");
    const qint64 off = app.depot().windowIcon(1).cacheKey();
    EXPECT_NE(QGuiApplication::windowIcon().cacheKey(), off);
    QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::windowIcon().cacheKey(), off, 5000);
}

TEST_F(StartUp, LeavesTheClockShownWithEverythingOff) {
    startAt("14:07:42");
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(ticker.running());
    EXPECT_EQ(timeText(model().time()), "14:07:42");
    EXPECT_EQ(model().alarmTime(), QTime(14, 7));
    EXPECT_FALSE(model().armed());
    EXPECT_EQ(model().countdown(), 0);
    EXPECT_FALSE(model().punchMinutes());
    EXPECT_EQ(model().announceInterval(), 15);
    EXPECT_EQ(w().imgCorrect[0]->top(), 84); // the bars rest where the layout puts them
    EXPECT_EQ(w().imgHeader->picture(), ref(DepotArray::imgHeader, 1));
    EXPECT_EQ(w().imgAlarm[2]->picture(), ref(DepotArray::imgTime, 11));
    EXPECT_EQ(w().imgSet[0]->picture(), ref(DepotArray::imgSet, 10));
    EXPECT_EQ(w().imgTime[4]->picture(), ref(DepotArray::imgTime, 7));
}

TEST_F(StartUp, SecondInstanceShowsNothing) {
    instance.first = false;
    clock.at("10:00:00");
    EXPECT_FALSE(app.startUp());
    EXPECT_FALSE(ticker.running());
    EXPECT_FALSE(tray.visible());
}

TEST_F(StartUp, LaterStartBringsTheHiddenWindowBack) {
    startAt("10:00:00");
    app.presence().sendToTray();
    ASSERT_FALSE(window().isVisible());
    ASSERT_TRUE(instance.handler);
    instance.handler();
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().isMinimized());
}

TEST_F(StartUp, CloseCommandOnlyHidesTheWindow) {
    startAt("10:00:00");
    EXPECT_FALSE(window().close()); // what Alt+F4 or the taskbar asks
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(desktop.ends, 0);
    EXPECT_EQ(tray.removals, 0);
    tickAfter(1); // and the clock runs on hidden
    EXPECT_EQ(timeText(model().time()), "10:00:01");
}

TEST_F(StartUp, ShutDownRemovesTheTrayIconAndEndsOnceHoweverOftenAskedFor) {
    startAt("10:00:00");
    app.shutDown();
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(tray.removals, 1);
    EXPECT_FALSE(tray.visible());
    EXPECT_EQ(desktop.ends, 1);
    EXPECT_FALSE(ticker.running());
    app.shutDown();
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(tray.removals, 1);
    EXPECT_EQ(desktop.ends, 1);
}

} // namespace velto::test
