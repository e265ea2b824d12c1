// The main window from the keyboard: each key does what its click does, Tab visits every
// control with a frame that only the keyboard shows, and the edit mode takes typed digits.
#include "controls/focus_frame.h"
#include "fakes.h"
#include "views/alarm_window.h"
#include "views/main_keys.h"

#include <QApplication>
#include <QTest>

namespace velto::test {

class Keys : public ProgramTest {
protected:
    void SetUp() override {
        startAt("10:00:30");
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }
    /// A key pressed and released where the keyboard is.
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* at = QApplication::focusWidget();
        QTest::keyClick(at != nullptr ? at : &window(), key, mods);
    }
    void type(const QString& digits) {
        for (QChar d : digits) {
            press(static_cast<Qt::Key>(Qt::Key_0 + d.digitValue()));
        }
    }
    MainKeys& keys() { return *window().findChild<MainKeys*>(); }
    QWidget* framed() { return keys().frame().framed(); }
    /// Tabs until `control` has the focus; false if a whole round never reaches it.
    bool tabTo(QWidget* control) {
        for (size_t i = 0; i <= keys().tabOrder().size() && !control->hasFocus(); ++i) {
            press(Qt::Key_Tab);
        }
        return control->hasFocus();
    }
};

TEST_F(Keys, EachLetterDoesWhatItsControlsClickDoes) {
    press(Qt::Key_P);
    EXPECT_EQ(model().punchMinutes(), 0);
    EXPECT_EQ(w().imgPunch->picture(), ref(DepotArray::imgPunch, 1));
    press(Qt::Key_Space); // with no control framed, Space punches too
    EXPECT_FALSE(model().punchMinutes());
    EXPECT_EQ(w().imgPunch->picture(), ref(DepotArray::imgPunch, 0));

    press(Qt::Key_A); // on: rings 4 seconds later, as the title's click does
    EXPECT_TRUE(model().armed());
    EXPECT_EQ(model().alarmTime(), QTime(10, 0, 34));
    EXPECT_EQ(w().imgHeader->picture(), ref(DepotArray::imgHeader, 0));
    press(Qt::Key_A);
    EXPECT_FALSE(model().armed());

    press(Qt::Key_I);
    EXPECT_EQ(model().announceInterval(), 20);
    EXPECT_EQ(w().imgEach->picture(), ref(DepotArray::imgEach, 3));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(Keys, TopRowDigitsPickTheTenPresetsInOrder) {
    const int minutes[] = {0, 1, 3, 5, 10, 15, 20, 30, 45, 60};
    for (int k = 9; k >= 0; --k) {
        press(static_cast<Qt::Key>(Qt::Key_0 + k));
        EXPECT_EQ(model().countdown(), minutes[k]) << k;
        EXPECT_EQ(model().armed(), k != 0) << k;
    }
    press(Qt::Key_3);
    EXPECT_EQ(model().alarmTime(), QTime(10, 5, 30));
    // The number pad's digits are not the presets: only the edit mode takes them.
    QTest::keyClick(&window(), Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(model().countdown(), 5);
}

TEST_F(Keys, EscapeHidesTheWindowLikeMinimiseAndCtrlQEndsLikeExit) {
    press(Qt::Key_Escape);
    EXPECT_TRUE(window().isHidden());
    EXPECT_TRUE(tray.shown);
    EXPECT_EQ(desktop.ends, 0);

    app.presence().bringBack();
    press(Qt::Key_Q); // no action without Ctrl
    EXPECT_EQ(desktop.ends, 0);
    press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(desktop.ends, 1);
    EXPECT_EQ(tray.removals, 1); // the orderly way out: the tray icon goes too
}

TEST_F(Keys, EscapeClosesARingsWindowBeforeItHidesTheClock) {
    app.ringer().ring(RingKind::Announcer);
    ASSERT_TRUE(alarmWindow());
    press(Qt::Key_Escape);
    EXPECT_EQ(alarmWindow(), nullptr);
    EXPECT_TRUE(window().isVisible());
    press(Qt::Key_Escape);
    EXPECT_TRUE(window().isHidden());
}

TEST_F(Keys, TabVisitsEveryControlInReadingOrderAndComesRound) {
    QList<QWidget*> seen;
    for (int i = 0; i < 43; ++i) {
        press(Qt::Key_Tab);
        seen.append(QApplication::focusWidget());
    }
    const QList<QWidget*> expected = {w().imgHeader, w().imgHeaderX, w().imgHeaderV};
    EXPECT_EQ(seen.mid(0, 3), expected);
    for (int k = 1; k <= 12; ++k) {
        EXPECT_EQ(seen.at(2 + k), w().imgPunchUp[k]);
    }
    EXPECT_EQ(seen.at(15), w().imgTime[0]);  // read, not pressed
    EXPECT_EQ(seen.at(16), w().imgAlarm[0]); // the bars are hidden: Tab passes them
    EXPECT_EQ(seen.mid(17, 4),
              QList<QWidget*>({w().imgPunch, w().imgEach, w().imgCenter, w().imgMark}));
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(seen.at(21 + k), w().imgHotSpot[k]);
    }
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(seen.at(33 + k), w().imgFixed[k]);
    }
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w().imgHeader);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), w().imgFixed[9]);

    // In the edit mode the four bars come right after the read-out.
    QTest::mouseClick(w().imgAlarm[1], Qt::LeftButton);
    ASSERT_TRUE(tabTo(w().imgAlarm[0]));
    for (int k = 0; k < 4; ++k) {
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), w().imgCorrect[k]);
    }
}

TEST_F(Keys, TheFrameShowsOnlyWhileTheKeyboardMovesTheFocus) {
    EXPECT_EQ(framed(), nullptr); // at start, nothing on the clock looks different
    QTest::mouseClick(w().imgFixed[3], Qt::LeftButton);
    EXPECT_EQ(framed(), nullptr); // a click neither takes the keyboard nor frames
    EXPECT_FALSE(w().imgFixed[3]->hasFocus());

    ASSERT_TRUE(tabTo(w().imgPunchUp[5]));
    ASSERT_EQ(framed(), w().imgPunchUp[5]);
    const QRect key = w().imgPunchUp[5]->geometry();
    EXPECT_TRUE(keys().frame().geometry().contains(key));
    EXPECT_FALSE(keys().frame().geometry().adjusted(3, 3, -3, -3).contains(key));

    // The read-out is one control of five pictures: one frame round them all.
    ASSERT_TRUE(tabTo(w().imgAlarm[0]));
    EXPECT_TRUE(keys().frame().geometry().contains(w().imgAlarm[4]->geometry()));

    QTest::mouseClick(w().imgPunchUp[2], Qt::LeftButton);
    EXPECT_EQ(framed(), nullptr); // the mouse is back: the frame goes, the focus stays
    EXPECT_TRUE(w().imgAlarm[0]->hasFocus());
    press(Qt::Key_Tab);
    EXPECT_EQ(framed(), w().imgPunch); // Tab brings it back, on the next control
}

TEST_F(Keys, SpaceAndReturnPressTheFramedControl) {
    ASSERT_TRUE(tabTo(w().imgFixed[4]));
    press(Qt::Key_Space);
    EXPECT_EQ(model().countdown(), 10);
    EXPECT_FALSE(model().punchMinutes()); // the framed control, not the punch

    ASSERT_TRUE(tabTo(w().imgPunchUp[7]));
    press(Qt::Key_Return);
    EXPECT_EQ(w().imgPunchUp[7]->picture(), ref(DepotArray::imgPunchDn, 7));
    EXPECT_EQ(model().pressedKey(), 7);

    ASSERT_TRUE(tabTo(w().imgHeaderV));
    press(Qt::Key_Space);
    EXPECT_TRUE(window().isHidden());
}

TEST_F(Keys, ArrowsMoveTheFramedMarkAMinuteAtATimeAndElseTheFocus) {
    ASSERT_TRUE(tabTo(w().imgMark));
    press(Qt::Key_Left); // at 0 already: stays off rather than jumping to 60
    EXPECT_FALSE(model().armed());
    press(Qt::Key_Right);
    press(Qt::Key_Up);
    EXPECT_EQ(model().countdown(), 2);
    EXPECT_EQ(model().alarmTime(), QTime(10, 2, 30));
    EXPECT_EQ(framed(), w().imgMark); // the frame follows the mark round the rim
    EXPECT_TRUE(keys().frame().geometry().contains(
        QRect(w().imgMark->mapTo(&window(), QPoint(0, 0)), w().imgMark->size())));
    press(Qt::Key_Down);
    EXPECT_EQ(model().countdown(), 1);
    press(Qt::Key_9);
    for (int i = 0; i < 3; ++i) {
        press(Qt::Key_Right);
    }
    EXPECT_EQ(model().countdown(), 60); // the top of the rim

    ASSERT_TRUE(tabTo(w().imgPunchUp[4]));
    press(Qt::Key_Right);
    EXPECT_EQ(framed(), w().imgPunchUp[5]);
    press(Qt::Key_Up);
    EXPECT_EQ(framed(), w().imgPunchUp[4]);
}

TEST_F(Keys, TheEditModeTakesTypedDigitsAndReturnSetsTheTime) {
    ASSERT_TRUE(tabTo(w().imgAlarm[0]));
    press(Qt::Key_Return); // into the edit mode, as a click on the read-out
    ASSERT_TRUE(model().editing());
    EXPECT_TRUE(w().imgCorrect[0]->isVisible());
    EXPECT_EQ(alarmReadout(), "10:00");

    type("7"); // no hour begins with 7: the place waits
    EXPECT_EQ(alarmReadout(), "10:00");
    type("1945");
    EXPECT_EQ(model().editedTime(), QTime(19, 45));
    EXPECT_EQ(alarmReadout(), "19:45");
    EXPECT_EQ(model().countdown(), 0); // nothing is set before Return

    type("2"); // round again to the tens of hours: 29 is no hour, so 20
    EXPECT_EQ(model().editedTime(), QTime(20, 45));
    type("5"); // the units of hours after a 2 go to 3 at most
    EXPECT_EQ(model().editedTime(), QTime(20, 45));
    type("3");
    QTest::keyClick(&window(), Qt::Key_0, Qt::KeypadModifier); // the number pad types as well
    EXPECT_EQ(model().editedTime(), QTime(23, 5));

    ASSERT_TRUE(tabTo(w().imgCorrect[3])); // the bars are in the round now
    press(Qt::Key_Space);
    EXPECT_EQ(model().editedTime(), QTime(23, 6));
    press(Qt::Key_Enter); // sets the time, whichever control is framed
    EXPECT_FALSE(model().editing());
    EXPECT_FALSE(w().imgCorrect[0]->isVisible());
    EXPECT_EQ(model().alarmTime(), QTime(23, 6));
    EXPECT_TRUE(model().armed());
    EXPECT_EQ(model().countdown(), 60);

    // Back in, the typing starts again at the tens of hours.
    QTest::mouseClick(w().imgAlarm[0], Qt::LeftButton);
    type("0");
    EXPECT_EQ(model().editedTime(), QTime(3, 6));
}

} // namespace velto::test
