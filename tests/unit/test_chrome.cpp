// The borderless window's chrome: dragging by the background, the header buttons' hover
// looks, and what their release does.
#include "fakes.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <functional>

namespace velto::test {

class WindowChrome : public ProgramTest {
protected:
    // Bare background: the title band between the title and the header buttons, and the
    // corner below the keypad.
    static constexpr QPoint kBandSpot{150, 10};
    static constexpr QPoint kLowerSpot{40, 180};

    void SetUp() override { startAt("10:00:00"); }

    /// The pointer moved by `by` over the background with `buttons` held.
    void moveBackground(QPoint by, Qt::MouseButtons buttons) {
        const QPoint at = kBandSpot + by;
        QMouseEvent move(QEvent::MouseMove, at, window().mapToGlobal(at), Qt::NoButton, buttons,
                         {});
        QApplication::sendEvent(&window(), &move);
    }
    /// A drag of the background with `button`: pressed, moved well past a click's wobble,
    /// released.
    void pressBackground(Qt::MouseButton button) {
        QTest::mousePress(&window(), button, {}, kBandSpot);
        moveBackground({40, 30}, button);
        QTest::mouseRelease(&window(), button, {}, kBandSpot);
    }
    /// A header button's look: "0" normal, "1" highlighted, as its picture shows it.
    QString look(ImageControl* button, DepotArray array) {
        const PictureRef shown = button->picture();
        EXPECT_EQ(shown.array, ref(array, 0).array) << qPrintable(button->objectName());
        return QString::number(shown.index);
    }
    QString closeLook() { return look(w().imgHeaderX, DepotArray::imgHeaderX); }
    QString minimiseLook() { return look(w().imgHeaderV, DepotArray::imgHeaderV); }
};

TEST_F(WindowChrome, OnlyTheLeftButtonDragsTheWindow) {
    pressBackground(Qt::RightButton);
    pressBackground(Qt::MiddleButton);
    EXPECT_EQ(desktop.moves, 0);
    pressBackground(Qt::LeftButton);
    EXPECT_EQ(desktop.moves, 1);
}

// The window is handed to the system to move only on a move with the button still down: one
// handed over on the press would follow the pointer after a quick click.
TEST_F(WindowChrome, AClickOrAWobbleDoesNotDragTheWindow) {
    const struct {
        const char* what;
        std::function<void()> steps;
    } cases[] = {
        {"a quick click", [] {}},
        {"a wobble",
         [this] {
             moveBackground({1, 1}, Qt::LeftButton);
         }},
        {"a move after a release not seen",
         [this] {
             moveBackground({40, 30}, Qt::NoButton);
             moveBackground({40, 30}, Qt::LeftButton);
         }},
        {"a move after the window lost the focus",
         [this] {
             QEvent lost(QEvent::WindowDeactivate);
             QApplication::sendEvent(&window(), &lost);
             moveBackground({40, 30}, Qt::LeftButton);
         }},
    };
    for (const auto& c : cases) {
        QTest::mousePress(&window(), Qt::LeftButton, {}, kBandSpot);
        c.steps();
        QTest::mouseRelease(&window(), Qt::LeftButton, {}, kBandSpot);
        moveBackground({60, 40}, Qt::NoButton);
        EXPECT_EQ(desktop.moves, 0) << c.what;
    }
}

TEST_F(WindowChrome, AMaximisedWindowIsNotDragged) {
    window().setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(window().isMaximized());
    pressBackground(Qt::LeftButton);
    EXPECT_EQ(desktop.moves, 0);

    window().setWindowState(Qt::WindowNoState);
    pressBackground(Qt::LeftButton);
    EXPECT_EQ(desktop.moves, 1);
}

TEST_F(WindowChrome, HeaderButtonsStartNormalAndHighlightOneAtATime) {
    EXPECT_EQ(closeLook(), "0");
    EXPECT_EQ(minimiseLook(), "0");

    QTest::mouseMove(w().imgHeaderX, QPoint(5, 5));
    EXPECT_EQ(closeLook(), "1");
    EXPECT_EQ(minimiseLook(), "0");

    // Straight from one button onto the other: one call swaps both looks.
    QTest::mouseMove(w().imgHeaderV, QPoint(5, 5));
    EXPECT_EQ(closeLook(), "0");
    EXPECT_EQ(minimiseLook(), "1");

    QTest::mouseMove(w().imgHeaderX, QPoint(6, 6));
    EXPECT_EQ(closeLook(), "1");
    EXPECT_EQ(minimiseLook(), "0");

    // Over the clock face both go back to normal.
    QTest::mouseMove(w().picClock, QPoint(60, 40));
    EXPECT_EQ(closeLook(), "0");
    EXPECT_EQ(minimiseLook(), "0");
}

TEST_F(WindowChrome, NoPictureIsAssignedWhileTheLookStaysTheSame) {
    // A sentinel picture that no hover would ever assign: it survives only if nothing is.
    const QPixmap& sentinel = app.depot().picture(DepotArray::imgSet, 7);
    const PictureRef sentinelRef = ref(DepotArray::imgSet, 7);
    const auto markBoth = [&] {
        w().imgHeaderX->setPicture(sentinel, sentinelRef);
        w().imgHeaderV->setPicture(sentinel, sentinelRef);
    };

    for (ImageControl* over : {w().imgHeaderX, w().imgHeaderV}) {
        SCOPED_TRACE(qPrintable(over->objectName()));
        QTest::mouseMove(over, QPoint(5, 5));
        ASSERT_EQ(over->picture().index, 1);
        markBoth(); // the looks the window keeps: the one under the pointer lit, the other not
        QTest::mouseMove(over, QPoint(20, 10));
        QTest::mouseMove(over, QPoint(10, 12));
        EXPECT_EQ(w().imgHeaderX->picture(), sentinelRef);
        EXPECT_EQ(w().imgHeaderV->picture(), sentinelRef);
    }

    // Leaving for the background assigns only the button whose look changes.
    QTest::mouseMove(&window(), kLowerSpot);
    EXPECT_EQ(minimiseLook(), "0");
    EXPECT_EQ(w().imgHeaderX->picture(), sentinelRef);
    markBoth();
    QTest::mouseMove(&window(), kBandSpot);
    EXPECT_EQ(w().imgHeaderX->picture(), sentinelRef);
    EXPECT_EQ(w().imgHeaderV->picture(), sentinelRef);
}

TEST_F(WindowChrome, MovingOverTheBackgroundResetsHeaderAndPresets) {
    QTest::mouseMove(w().imgHeaderX, QPoint(5, 5));
    show(*w().imgFixed[3], DepotArray::imgFixed, 13);
    ASSERT_EQ(closeLook(), "1");

    QTest::mouseMove(&window(), kLowerSpot);
    EXPECT_EQ(closeLook(), "0");
    EXPECT_EQ(minimiseLook(), "0");
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(w().imgFixed[k]->picture(), ref(DepotArray::imgFixed, k)) << k;
    }
}

TEST_F(WindowChrome, ReleasingTheMinimiseButtonSendsTheWindowToTheTray) {
    QTest::mouseClick(w().imgHeaderV, Qt::RightButton);
    EXPECT_TRUE(window().isHidden());
    EXPECT_TRUE(window().windowState() & Qt::WindowMinimized);
    EXPECT_EQ(desktop.ends, 0);
    EXPECT_EQ(tray.removals, 0);
    EXPECT_TRUE(ticker.running());
}

TEST_F(WindowChrome, AHiddenWindowsHandsWaitAndAreRightTheMomentItShows) {
    tickAfter();
    QTest::mouseClick(w().imgHeaderV, Qt::LeftButton);
    ASSERT_TRUE(window().isHidden());
    const QImage whenHidden = w().picClock->surface().copy();
    tickUntil("10:07:30");
    EXPECT_EQ(w().picClock->surface(), whenHidden) << "no drawing for a window nobody sees";

    app.presence().bringBack();
    const QImage shown = w().picClock->surface().copy();
    EXPECT_NE(shown, whenHidden);
    window().redrawHands(); // what the last tick, 10:07:30, would have drawn
    EXPECT_EQ(w().picClock->surface(), shown);
}

TEST_F(WindowChrome, ReleasingTheCloseButtonEndsTheProgramInOrder) {
    // As in the real program: ending the event loop runs shut-down on the way out.
    desktop.endsEventLoop = true;
    QTimer::singleShot(0, w().imgHeaderX,
                       [this] { QTest::mouseClick(w().imgHeaderX, Qt::MiddleButton); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(tray.removals, 1);
    EXPECT_FALSE(tray.visible());
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(ticker.running());
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(WindowChrome, AHeaderButtonCountsOnlyWhenReleasedOverIt) {
    for (ImageControl* button : {w().imgHeaderV, w().imgHeaderX}) {
        SCOPED_TRACE(qPrintable(button->objectName()));
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-40, 5)); // slid off
        EXPECT_TRUE(window().isVisible());
        EXPECT_EQ(desktop.ends, 0);
    }
    // A release that follows no press on the button (pressed elsewhere) is no click either.
    QTest::mouseRelease(w().imgHeaderV, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(window().isVisible());
    QTest::mouseClick(w().imgHeaderV, Qt::LeftButton);
    EXPECT_TRUE(window().isHidden());
}

TEST_F(WindowChrome, LeavingTheWindowOrHidingItClearsTheHighlight) {
    QTest::mouseMove(w().imgHeaderV, QPoint(5, 5));
    ASSERT_EQ(minimiseLook(), "1");
    QEvent leave(QEvent::Leave); // straight off the window from the button
    QApplication::sendEvent(&window(), &leave);
    EXPECT_EQ(minimiseLook(), "0");

    QTest::mouseMove(w().imgHeaderV, QPoint(5, 5));
    QTest::mouseClick(w().imgHeaderV, Qt::LeftButton);
    ASSERT_TRUE(window().isHidden());
    EXPECT_EQ(minimiseLook(), "0"); // so it does not come back lit
    EXPECT_EQ(closeLook(), "0");
}

} // namespace velto::test
