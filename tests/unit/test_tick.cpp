// The one-second tick: what a new second does, the full-minute work, the alarm and the
// announcer, and what happens when seconds were skipped or the clock went back.
#include "fakes.h"

#include <QTimeZone>

namespace velto::test {

/// Punched in, whether or not it was.
template <class Test> class PunchingIn : public Test {
protected:
    void punchIn() {
        if (!this->model().punchMinutes()) {
            this->model().togglePunch();
        }
    }
};
/// What the window shows of the tick.
class Tick : public PunchingIn<ProgramTest> {};
/// What the tick does to the model alone.
class TickRules : public PunchingIn<ModelTest> {};

TEST_F(TickRules, SecondFiringInTheSameSecondDoesNothing) {
    startAt("10:14:59");
    model().toggleEdit();
    tickAfter(1); // 10:15:00: announces, blinks
    ASSERT_EQ(rings(), 1);
    ASSERT_FALSE(model().colonLit());
    fire();
    fire();
    EXPECT_EQ(rings(), 1);
    EXPECT_FALSE(model().colonLit());
    clock.set(clock.msSinceEpoch() + 900); // later in the same second
    fire();
    EXPECT_FALSE(model().colonLit());
}

TEST_F(Tick, FirstFiringAfterStartUpDoesTheWork) {
    startAt("08:00:10");
    tickAfter(1);
    EXPECT_EQ(timeText(model().time()), "08:00:11");
    EXPECT_EQ(w().imgSet[6]->picture(), ref(DepotArray::imgSet, 1));
}

TEST_F(Tick, ReadoutChangesOnlyAtTheFullMinute) {
    startAt("10:15:58");
    tickAfter(1);
    EXPECT_EQ(readout(), "10:15");
    tickAfter(1);
    EXPECT_EQ(timeText(model().time()), "10:16:00");
    EXPECT_EQ(readout(), "10:16");
}

TEST_F(Tick, CountdownStepsAtEachFullMinuteAndStopsAtZero) {
    startAt("14:20:30");
    model().setAlarm(QTime(14, 25, 30));
    ASSERT_EQ(model().countdown(), 5);
    tickUntil("14:21:00");
    EXPECT_EQ(model().countdown(), 4);
    EXPECT_EQ(countdownDigits(), std::make_pair(0, 4));
    tickUntil("14:25:00");
    EXPECT_EQ(model().countdown(), 0);
    EXPECT_EQ(countdownDigits(), std::make_pair(0, 0)); // reaching zero shows "00"
    tickUntil("14:25:29");
    EXPECT_TRUE(model().armed());
    const int before = rings();
    tickAfter(1); // 14:25:30: rings, goes off, digits blank
    EXPECT_EQ(rings(), before + 1);
    EXPECT_FALSE(model().armed());
    EXPECT_EQ(countdownDigits(), std::make_pair(10, 10));
    tickUntil("14:26:00");
    EXPECT_EQ(model().countdown(), 0); // at 0 nothing changes
    EXPECT_EQ(countdownDigits(), std::make_pair(10, 10));
}

TEST_F(Tick, AlarmOnAFullMinuteBlanksTheDigitsAfterTheCountdownStep) {
    startAt("09:59:00");
    model().setAlarm(QTime(10, 0));
    ASSERT_EQ(model().countdown(), 1);
    model().setAnnounceInterval(30);
    tickUntil("10:00:00");
    // The alarm and the announcement of 10:00 ring in one firing, the alarm first.
    EXPECT_EQ(rings(), 2);
    EXPECT_EQ(model().countdown(), 0);
    EXPECT_EQ(countdownDigits(), std::make_pair(10, 10));
    EXPECT_FALSE(model().armed());
}

TEST_F(TickRules, AlarmRingsOnlyWhenArmed) {
    startAt("07:44:58");
    model().setAlarm(QTime(7, 45));
    model().toggleAlarm();
    ASSERT_FALSE(model().armed());
    model().setAnnounceInterval(0);
    tickUntil("07:45:01");
    EXPECT_EQ(rings(), 0);
}

TEST_F(TickRules, AnnouncerRingsAtItsMinutesOnly) {
    startAt("10:00:01"); // start-up leaves the announcer at 15 minutes
    ASSERT_EQ(model().announceInterval(), 15);
    QStringList heard;
    for (int i = 0; i < 3600; ++i) {
        const int before = rings();
        tickAfter(1);
        if (rings() != before) {
            heard.append(timeText(model().time()));
        }
    }
    EXPECT_EQ(heard, (QStringList{"10:15:00", "10:30:00", "10:45:00", "11:00:00"}));
    for (int interval : {10, 20, 30, 60}) {
        EXPECT_TRUE(ClockModel::announcesAt(interval, 0));
    }
    EXPECT_TRUE(ClockModel::announcesAt(10, 50));
    EXPECT_FALSE(ClockModel::announcesAt(20, 50));
    EXPECT_FALSE(ClockModel::announcesAt(0, 0));
    EXPECT_FALSE(ClockModel::announcesAt(25, 0));
}

TEST_F(TickRules, PunchCounterStepsOnlyWhilePunchedIn) {
    startAt("10:15:30");
    tickUntil("10:17:00");
    EXPECT_FALSE(model().punchMinutes());
    punchIn();
    tickUntil("10:19:00");
    EXPECT_EQ(model().punchMinutes(), 2);
}

TEST_F(Tick, ColonBlinksEverySecondWhileEditing) {
    startAt("10:00:00");
    model().toggleEdit();
    tickAfter(1);
    EXPECT_EQ(w().imgAlarm[2]->picture(), ref(DepotArray::imgTime, 11));
    tickAfter(1);
    EXPECT_EQ(w().imgAlarm[2]->picture(), ref(DepotArray::imgTime, 12));
    tickAfter(1);
    EXPECT_EQ(w().imgAlarm[2]->picture(), ref(DepotArray::imgTime, 11));
    model().toggleEdit(); // leaving the mode keeps the phase
    tickAfter(1);
    EXPECT_FALSE(model().colonLit());
    EXPECT_EQ(w().imgAlarm[2]->picture(), ref(DepotArray::imgTime, 11));
}

// ---- Skipped seconds ----

TEST_F(Tick, ForwardGapDoesEveryMissedMinute) {
    startAt("10:00:30");
    model().setAnnounceInterval(0);
    punchIn();
    model().setAlarmIn(5); // 10:05:30
    tickAfter(1);
    tickAfter(3 * 60 + 10); // to 10:03:41: three full minutes passed unseen
    EXPECT_EQ(timeText(model().time()), "10:03:41");
    EXPECT_EQ(readout(), "10:03");
    EXPECT_EQ(model().punchMinutes(), 3);
    EXPECT_EQ(model().countdown(), 2);
    EXPECT_EQ(countdownDigits(), std::make_pair(0, 2));
    tickAfter(600); // past the alarm: it rings, late, and the countdown is over
    EXPECT_EQ(rings(), 1);
    EXPECT_EQ(model().countdown(), 0);
    EXPECT_EQ(model().punchMinutes(), 13);
}

TEST_F(Tick, GapWithinOneMinuteCountsNothing) {
    startAt("10:00:01");
    punchIn();
    tickAfter(1);
    tickAfter(30);
    EXPECT_EQ(model().punchMinutes(), 0);
    EXPECT_EQ(readout(), "10:00");
}

TEST_F(TickRules, AlarmSkippedOverRingsOnceLate) {
    startAt("06:59:50");
    model().setAnnounceInterval(0);
    model().setAlarm(QTime(7, 0, 5));
    ASSERT_TRUE(model().armed());
    tickAfter(1);
    tickAfter(20); // 07:00:11: the alarm second was never seen
    EXPECT_EQ(rings(), 1);
    EXPECT_FALSE(model().armed());
    tickAfter(1);
    EXPECT_EQ(rings(), 1);
}

TEST_F(TickRules, AlarmSkippedOverMidnightRingsToo) {
    startAt("23:59:58");
    model().setAnnounceInterval(0);
    model().toggleAlarm(); // 00:00:02 the next day
    ASSERT_TRUE(model().armed());
    tickAfter(1);
    tickAfter(5); // 00:00:04
    EXPECT_EQ(rings(), 1);
}

TEST_F(TickRules, AlarmOutsideTheGapStaysArmed) {
    startAt("06:00:00");
    model().setAnnounceInterval(0);
    model().setAlarm(QTime(8, 0));
    tickAfter(1);
    tickAfter(3600);
    EXPECT_EQ(rings(), 0);
    EXPECT_TRUE(model().armed());
}

TEST_F(TickRules, SkippedAnnouncementsRingOnceIfRecent) {
    startAt("10:14:50"); // announcer at 15
    tickAfter(1);
    tickAfter(40); // 10:15:31: 10:15:00 is 31 s old
    EXPECT_EQ(rings(), 1);

    clock.at("11:14:50");
    fire();
    tickAfter(75); // 11:16:05: 11:15:00 is over a minute old
    EXPECT_EQ(rings(), 1);

    clock.at("11:59:10");
    fire();
    tickAfter(3660); // 13:00:10: five announcer moments passed, the last 10 s ago
    EXPECT_EQ(rings(), 2);
}

TEST_F(Tick, ClockSetBackCountsNothingAndShowsTheNewTime) {
    startAt("10:05:00");
    punchIn();
    model().setAlarm(QTime(10, 10));
    tickAfter(1);
    clock.at("09:50:20"); // set back over an announcer minute and many full minutes
    ticker.fire();
    EXPECT_EQ(readout(), "09:50");
    EXPECT_EQ(model().punchMinutes(), 0);
    EXPECT_EQ(model().countdown(), 20); // the alarm is further away now
    EXPECT_EQ(countdownDigits(), std::make_pair(2, 0));
    EXPECT_EQ(rings(), 0);
    tickAfter(1);
    EXPECT_EQ(model().punchMinutes(), 0);
    tickUntil("09:51:00"); // and from there it runs on as usual
    EXPECT_EQ(model().countdown(), 19);
    tickUntil("09:51:19"); // a real minute after punching in
    EXPECT_EQ(model().punchMinutes(), 1);
    tickUntil("10:10:00");
    EXPECT_EQ(rings(), 2); // 10:00 announced, then the alarm
    EXPECT_FALSE(model().armed());
}

TEST_F(Tick, ClockSetBackOntoAFullMinuteDoesThatMinutesWork) {
    startAt("10:20:30");
    punchIn();
    tickAfter(1);
    model().setAlarmIn(60); // 11:20:31
    clock.advance(1);
    clock.at("10:15:00"); // a second later the clock is set back onto an announcer minute
    ticker.fire();
    EXPECT_EQ(readout(), "10:15");
    EXPECT_EQ(model().punchMinutes(), 0); // two real seconds
    EXPECT_EQ(rings(), 1);
    EXPECT_EQ(model().countdown(), 59); // a countdown is real time: 59:59 to go
}

TEST_F(Tick, DaylightSavingChangesAreOneSecondLikeAnyOther) {
    const QTimeZone berlin("Europe/Berlin");
    ASSERT_TRUE(berlin.isValid());
    startAt("12:00:00");
    model().setAnnounceInterval(0);
    // Spring forward: 01:59:59 CET is followed by 03:00:00 CEST.
    clock.set(utc(2026, 3, 29, 0, 58, 59), berlin);
    ticker.fire();
    punchIn();
    tickAfter(60);
    ASSERT_EQ(timeText(model().time()), "01:59:59");
    tickAfter(1);
    EXPECT_EQ(timeText(model().time()), "03:00:00");
    EXPECT_EQ(readout(), "03:00");
    EXPECT_EQ(model().punchMinutes(), 1); // one real minute, not sixty-one
    // Fall back: 02:59:59 CEST is followed by 02:00:00 CET.
    clock.set(utc(2026, 10, 25, 0, 58, 59), berlin);
    ticker.fire();
    model().punchOut();
    punchIn();
    tickAfter(60);
    ASSERT_EQ(clock.wallClock().offsetFromUtc(), 7200);
    tickAfter(1);
    EXPECT_EQ(timeText(model().time()), "02:00:00");
    EXPECT_EQ(readout(), "02:00");
    EXPECT_EQ(model().punchMinutes(), 1);
}

// What a tick must wake for when no seconds are shown, in real time from the reading.
TEST_F(TickRules, DueIsTheNextMinuteTheAlarmOrTheRingsEnd) {
    using namespace std::chrono_literals;
    startAt("10:14:20");
    clock.set(clock.msSinceEpoch() + 250);
    EXPECT_EQ(model().dueIn(clock.now()), 39750ms);
    model().setAlarmIn(1); // 10:15:20
    tickUntil("10:15:00");
    EXPECT_EQ(model().dueIn(clock.now()), 19750ms); // on the alarm's whole second
    tickAfter(20);
    ASSERT_TRUE(model().ringing());
    EXPECT_EQ(model().dueIn(clock.now()), std::chrono::seconds{ClockModel::kOneRingSeconds});
    tickAfter(ClockModel::kOneRingSeconds);
    // Set forward past a typed alarm: due at once, however far the next minute.
    model().setAlarm(QTime(11, 0));
    clock.at("11:00:05");
    EXPECT_EQ(model().dueIn(clock.now()), 0ms);
    // Spring forward in Berlin: from 01:59:30 CET the next minute is 03:00 CEST.
    clock.set(utc(2026, 3, 29, 0, 59, 30), QTimeZone("Europe/Berlin"));
    fire();
    EXPECT_EQ(model().dueIn(clock.now()), 30s);
}

TEST_F(Tick, HiddenTheTicksRestUntilDueAndShownTheSecondsComeBack) {
    using namespace std::chrono_literals;
    startAt("10:14:20");
    app.presence().sendToTray();
    tickAfter(1);
    EXPECT_EQ(ticker.rest, 39s);
    tickAfter(39);
    EXPECT_EQ(readout(), "10:15"); // the minute's work is done hidden too
    EXPECT_EQ(ticker.rest, 60s);
    clock.advance(25);
    app.presence().bringBack();
    EXPECT_EQ(timeText(model().time()), "10:15:25"); // at once, not at the next tick
    EXPECT_FALSE(ticker.rest);
}

} // namespace velto::test
