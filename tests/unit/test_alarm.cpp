// The alarm: every way of setting it, every look that follows its state, the countdown, the
// mark drag, the edit mode, and rings across midnight, daylight saving and changes of zone.
#include "fakes.h"

#include <QMouseEvent>
#include <QTest>
#include <QTimeZone>
#include <cmath>

namespace velto::test {

class Alarm : public ProgramTest {
protected:
    void SetUp() override {
        ASSERT_EQ(qgetenv("TZ"), "Europe/Berlin"); // a zone with daylight saving
    }
    /// Everything that shows the alarm is armed (or off), and the countdown `minutes`.
    void expectArmed(int minutes) {
        EXPECT_TRUE(model().armed());
        EXPECT_EQ(w().imgHeader->picture(), ref(DepotArray::imgHeader, 0));
        EXPECT_EQ(w().imgCenter->picture(), ref(DepotArray::imgCenter, 0));
        EXPECT_EQ(alarmReadout(), minuteText(model().alarmTime()));
        EXPECT_EQ(model().countdown(), minutes);
        EXPECT_EQ(countdownDigits(), std::make_pair(minutes / 10, minutes % 10));
    }
    void expectOff() {
        EXPECT_FALSE(model().armed());
        EXPECT_EQ(w().imgHeader->picture(), ref(DepotArray::imgHeader, 1));
        EXPECT_EQ(w().imgCenter->picture(), ref(DepotArray::imgCenter, 1));
        EXPECT_EQ(alarmReadout(), "--.--");
        EXPECT_EQ(model().countdown(), 0);
        EXPECT_EQ(countdownDigits(), std::make_pair(kBlankSmall, kBlankSmall));
        EXPECT_EQ(w().imgMark->pos(), QPoint(64, 4));
    }
    /// The pixel of the bare face where the pointer aims at `minute`, between the cap and
    /// the hot spots.
    static QPoint pointAt(int minute) {
        const double theta = minute * 6 * M_PI / 180;
        return {qRound(68.5 + 35 * std::sin(theta)), qRound(68.5 - 35 * std::cos(theta))};
    }
    void setTo(int minutes) {
        model().setAlarmIn(minutes);
        ASSERT_EQ(model().countdown(), minutes);
    }
    void clickPreset(int k) { QTest::mouseClick(w().imgFixed[k], Qt::LeftButton); }
    void clickReadout() { QTest::mouseClick(w().imgAlarm[3], Qt::LeftButton); }
    /// Today in Berlin at `hms` on `day`.
    void at(const QString& hms, QDate day) { clock.at(hms, day); }
};

TEST_F(Alarm, PresetArmsTheCountdownAndItRunsDownToTheRing) {
    startAt("14:20:30");
    model().setAnnounceInterval(0);
    clickPreset(3); // "05"
    EXPECT_EQ(model().alarmTime(), QTime(14, 25, 30));
    expectArmed(5);
    EXPECT_EQ(w().imgMark->pos(), QPoint(95, 12));
    tickUntil("14:21:00");
    EXPECT_EQ(countdownDigits(), std::make_pair(0, 4));
    tickUntil("14:25:00");
    EXPECT_EQ(countdownDigits(), std::make_pair(0, 0));
    EXPECT_EQ(rings(), 0);
    tickUntil("14:25:30");
    EXPECT_EQ(rings(), 1);
    expectOff();
    EXPECT_EQ(model().alarmTime(), QTime(14, 25, 30)); // kept while off
    tickUntil("14:26:00");
    EXPECT_EQ(rings(), 1);
}

TEST_F(Alarm, EachPresetAndHotSpotSetsItsMinutes) {
    startAt("10:00:30");
    for (int k = 1; k < 10; ++k) {
        clickPreset(k);
        expectArmed(ClockModel::kPresetMinutes.at(static_cast<size_t>(k)));
    }
    EXPECT_EQ(model().alarmTime(), QTime(11, 0, 30)); // "60"
    EXPECT_EQ(w().imgMark->pos(), QPoint(65, 4));
    clickPreset(0);
    expectOff();

    QTest::mouseClick(w().imgHotSpot[3], Qt::LeftButton);
    EXPECT_EQ(model().alarmTime(), QTime(10, 15, 30));
    expectArmed(15);
    QTest::mouseClick(w().imgHotSpot[11], Qt::LeftButton);
    expectArmed(55);
    QTest::mouseClick(w().imgHotSpot[0], Qt::LeftButton);
    expectOff();
}

TEST_F(Alarm, TitleAndCapSwitchItOnForFourSecondsAndOff) {
    startAt("10:00:30");
    QTest::mouseClick(w().imgHeader, Qt::LeftButton);
    EXPECT_EQ(model().alarmTime(), QTime(10, 0, 34));
    expectArmed(0);
    QTest::mouseClick(w().imgCenter, Qt::LeftButton);
    expectOff();
    clock.at("10:00:58");
    ticker.fire();
    model().toggleAlarm();
    expectArmed(1); // the minute turns within the four seconds
    tickAfter(2);
    tickAfter(2);
    EXPECT_EQ(rings(), 1);
    expectOff();
}

TEST_F(Alarm, RelativeSetsPastMidnightRingTheNextMorning) {
    startAt("23:45:00");
    model().setAnnounceInterval(0);
    clickPreset(7); // "30"
    EXPECT_EQ(model().alarmTime(), QTime(0, 15));
    expectArmed(30);
    clock.at("23:50:00");
    ticker.fire();
    QTest::mouseClick(w().imgHotSpot[3], Qt::LeftButton);
    EXPECT_EQ(model().alarmTime(), QTime(0, 5));
    expectArmed(15);
    tickUntil("00:05:00");
    EXPECT_EQ(rings(), 1);
    expectOff();

    clock.at("23:59:58");
    ticker.fire();
    model().toggleAlarm();
    EXPECT_EQ(model().alarmTime(), QTime(0, 0, 2));
    expectArmed(1);
    tickUntil("00:00:02");
    EXPECT_EQ(rings(), 2);
}

TEST_F(Alarm, ChangingTheZoneShowsTheNewTimeAtOnceAndMovesNoAlarm) {
    startAt("10:00:10");
    model().setAnnounceInterval(0);
    model().setAlarm(QTime(12, 0));
    tickAfter(1);
    ASSERT_EQ(readout(), "10:00");
    const QTimeZone newYork("America/New_York");
    clock.set(clock.msSinceEpoch() + 1000, newYork); // six hours back
    ticker.fire();
    EXPECT_EQ(timeText(model().time()), "04:00:12");
    EXPECT_EQ(readout(), "04:00");
    EXPECT_EQ(model().alarmTime(), QTime(6, 0)); // noon in Berlin
    expectArmed(60);
    const QTimeZone tokyo("Asia/Tokyo");
    clock.set(clock.msSinceEpoch() + 1000, tokyo); // fourteen hours on, past noon
    ticker.fire();
    EXPECT_EQ(timeText(model().time()), "18:00:13");
    EXPECT_EQ(readout(), "18:00");
    EXPECT_EQ(model().alarmTime(), QTime(20, 0));
    EXPECT_EQ(rings(), 0);
    tickUntil("19:59:59");
    EXPECT_EQ(rings(), 0);
    tickAfter(1);
    EXPECT_EQ(rings(), 1);
    expectOff();
}

TEST_F(Alarm, DraggingTheMarkFollowsThePointerButNotAcrossTwelve) {
    startAt("10:00:00");
    setTo(59);
    window().dragMarkOver(pointAt(0));
    EXPECT_EQ(model().countdown(), 60);
    EXPECT_EQ(countdownDigits(), std::make_pair(6, 0));
    window().dragMarkOver(pointAt(2)); // on past 12 from 60: ignored
    EXPECT_EQ(model().countdown(), 60);
    setTo(58);
    window().dragMarkOver(pointAt(1));
    EXPECT_EQ(model().countdown(), 58);
    setTo(5);
    window().dragMarkOver(pointAt(50)); // back across 12: ignored
    EXPECT_EQ(model().countdown(), 5);
    window().dragMarkOver(pointAt(45)); // but 45 is always taken
    EXPECT_EQ(model().countdown(), 45);
    window().dragMarkOver(pointAt(20)); // below the centre
    EXPECT_EQ(model().countdown(), 20);
    EXPECT_EQ(model().alarmTime(), QTime(10, 20));
    window().dragMarkOver(pointAt(0)); // from 20 to 0: the alarm goes off
    expectOff();
}

TEST_F(Alarm, OnlyTheBareDialTakesTheDraggedMark) {
    startAt("10:00:00");
    ImageControl* mark = w().imgMark;
    ASSERT_EQ(w().picClock->childAt(mark->geometry().center()), mark); // above hot spot 0
    const auto dragTo = [&](QPoint face, Qt::MouseButtons buttons = Qt::LeftButton) {
        const QPointF local = face - mark->pos();
        QMouseEvent move(QEvent::MouseMove, local, mark->mapToGlobal(local), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QApplication::sendEvent(mark, &move);
    };
    QTest::mousePress(mark, Qt::LeftButton);
    dragTo(pointAt(15));
    EXPECT_EQ(model().countdown(), 15);
    dragTo(w().imgHotSpot[6]->geometry().center()); // over a hot spot: nothing
    dragTo(w().imgCenter->geometry().center());     // over the cap: nothing
    dragTo(QPoint(200, 50));                        // off the face: nothing
    EXPECT_EQ(model().countdown(), 15);
    dragTo(pointAt(25), Qt::NoButton); // merely passing over: nothing
    EXPECT_EQ(model().countdown(), 15);
    dragTo(pointAt(27), Qt::RightButton); // any button drags
    EXPECT_EQ(model().countdown(), 27);
}

TEST_F(Alarm, EditModeShowsTheBarsAndAppliesTheEditOnTheSecondClick) {
    startAt("10:00:00");
    clickPreset(4); // 10:10:00
    clickReadout();
    EXPECT_TRUE(model().editing());
    EXPECT_EQ(model().editedTime(), QTime(10, 10));
    for (ImageControl* bar : w().imgCorrect) {
        EXPECT_TRUE(bar->isVisible());
    }
    QTest::mouseClick(w().imgCorrect[1], Qt::LeftButton); // 11:10
    QTest::mouseClick(w().imgCorrect[2], Qt::LeftButton); // 11:20
    EXPECT_EQ(alarmReadout(), "11:20");
    EXPECT_EQ(model().alarmTime(), QTime(10, 10)); // not yet
    tickAfter(1);
    EXPECT_EQ(w().imgAlarm[2]->picture(), ref(DepotArray::imgTime, kUnlitColon));
    clickReadout();
    EXPECT_FALSE(model().editing());
    EXPECT_FALSE(w().imgCorrect[0]->isVisible());
    EXPECT_EQ(model().alarmTime(), QTime(11, 20));
    expectArmed(60);

    clickReadout();
    QTest::mouseClick(w().imgCorrect[0], Qt::LeftButton); // 21:20
    QTest::mouseClick(w().imgCorrect[0], Qt::LeftButton); // 01:20, tomorrow morning
    clickReadout();
    expectArmed(60);
    EXPECT_EQ(model().alarmTime(), QTime(1, 20));
    EXPECT_GT(*model().alarmAt() - model().instant(), std::chrono::hours{15});
}

TEST_F(Alarm, RingingWhileEditingBlanksTheReadoutButKeepsTheMode) {
    startAt("10:00:00");
    model().setAnnounceInterval(0);
    model().toggleAlarm();
    clickReadout();
    tickAfter(4);
    EXPECT_EQ(rings(), 1);
    EXPECT_TRUE(model().editing());
    EXPECT_TRUE(w().imgCorrect[3]->isVisible());
    EXPECT_EQ(w().imgAlarm[0]->picture(), ref(DepotArray::imgTime, kBlankDigit));
    // A drag while editing changes the alarm; leaving the mode without an edit keeps it.
    window().dragMarkOver(pointAt(30));
    EXPECT_EQ(model().alarmTime(), QTime(10, 30, 4));
    clickReadout();
    EXPECT_FALSE(model().editing());
    EXPECT_EQ(model().alarmTime(), QTime(10, 30, 4));
    expectArmed(30);
}

/// The alarm's rules on the model alone.
class AlarmRules : public ModelTest {
protected:
    void expectArmed(int minutes) {
        EXPECT_TRUE(model().armed());
        EXPECT_EQ(model().countdown(), minutes);
    }
    void expectOff() {
        EXPECT_FALSE(model().armed());
        EXPECT_EQ(model().countdown(), 0);
    }
    void at(const QString& hms, QDate day) { clock.at(hms, day); }
};

TEST_F(AlarmRules, AnExactTimeNotAfterThisMinuteIsTomorrowsAndGarbageIsOff) {
    startAt("10:00:00");
    const Instant now = model().instant();
    for (const auto& [typed, ahead] : {std::pair{"09:59:59", 86399},
                                       {"10:00:30", 86430},
                                       {"10:01:00", 60},
                                       {"9:05:00", 83100}}) {
        model().setAlarm(QTime::fromString(QString::fromLatin1(typed), "h:mm:ss"));
        EXPECT_EQ(model().alarmAt(), now + std::chrono::seconds{ahead}) << typed;
    }
    EXPECT_EQ(model().alarmTime(), QTime(9, 5));
    expectArmed(60);
    model().setAlarm(QTime());
    expectOff();
}

TEST_F(AlarmRules, CountdownIsTheMinutesToTheAlarmAtMostSixty) {
    startAt("10:00:00");
    model().setAlarm(QTime(11, 0));
    expectArmed(60);
    model().setAlarm(QTime(11, 30));
    expectArmed(60);
    model().setAlarm(QTime(12, 30));
    expectArmed(60); // not the 30 of the minutes alone
    tickUntil("11:30:00");
    EXPECT_EQ(model().countdown(), 60);
    tickUntil("11:31:00");
    EXPECT_EQ(model().countdown(), 59);

    clock.at("10:00:30");
    fire();
    model().setAlarm(QTime(11, 0));
    expectArmed(60);
    tickUntil("10:01:00");
    expectArmed(59);
}

TEST_F(AlarmRules, AnAlarmInTheSpringForwardHourRingsOnceAtTheJump) {
    const QDate spring(2026, 3, 29);
    startAt("01:50:00");
    clock.at("01:50:00", spring);
    fire();
    model().setAnnounceInterval(0);
    model().setAlarm(QTime(2, 30)); // skipped today: it rings at the jump, ten real minutes on
    expectArmed(10);
    at("01:59:59", spring);
    fire();
    ASSERT_EQ(rings(), 0);
    tickAfter(1); // the wall clock goes from 01:59:59 to 03:00:00
    EXPECT_EQ(timeText(model().time()), "03:00:00");
    EXPECT_EQ(rings(), 1);
    expectOff();
    tickAfter(1);
    EXPECT_EQ(rings(), 1);
}

TEST(Depot, AnIndexOutOfRangeEndsTheProgramLoudly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Depot depot(dialNumbers());
    EXPECT_DEATH((void)depot.picture(DepotArray::imgTime, 13), "imgTime has no element 13");
    EXPECT_DEATH((void)depot.picture(DepotArray::imgPunchUp, 0), "no element 0");
}

} // namespace velto::test
