// The time rules on the model alone: an alarm is an instant, a countdown a duration, a typed
// time the next one to come, punch minutes real minutes, across every kind of clock change.
#include "fakes.h"

#include <QTimeZone>
#include <ctime>

namespace velto::test {

using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::seconds;

class TimeRules : public ::testing::Test {
protected:
    FakeClock clock;
    ClockModel model{clock};
    int alarms = 0;

    void SetUp() override {
        QObject::connect(&model, &ClockModel::ring,
                         [this](RingKind kind) { alarms += kind == RingKind::Alarm ? 1 : 0; });
    }
    /// Starts at `utc` in `zone`, which the clock keeps from then on.
    void startAt(const char* zone, qint64 utcMs) {
        clock.set(utcMs, QTimeZone(zone));
        model.start(clock.now());
        tick(1);
    }
    void tick(int secs) {
        clock.advance(secs);
        model.tick(clock.now());
    }
    /// Ticks each second, `secs` times, and returns how many of them rang the alarm.
    int tickEachSecond(int secs) {
        const int before = alarms;
        for (int i = 0; i < secs; ++i) {
            tick(1);
        }
        return alarms - before;
    }
};

TEST_F(TimeRules, ACountdownLastsItsRealMinutesAcrossAChangeOfTheClocks) {
    struct Case {
        const char* zone;
        qint64 setAt; // UTC
        int minutes;
    };
    for (const Case& c : {
             Case{"Africa/Cairo", utc(2026, 10, 29, 20, 58, 59), 1},       // 23:59:00 +03, then +02
             Case{"Australia/Lord_Howe", utc(2026, 4, 4, 14, 49, 59), 20}, // half an hour back
             Case{"Australia/Lord_Howe", utc(2026, 10, 3, 15, 29, 59), 1}, // half an hour on
             Case{"Antarctica/Troll", utc(2026, 3, 29, 0, 58, 59), 1},     // two hours on
             Case{"Europe/Berlin", utc(2026, 10, 25, 0, 54, 59), 10},      // 02:55 CEST
         }) {
        SCOPED_TRACE(c.zone);
        alarms = 0;
        startAt(c.zone, c.setAt);
        model.setAlarmIn(c.minutes);
        EXPECT_EQ(model.countdown(), c.minutes);
        EXPECT_EQ(tickEachSecond(60 * c.minutes - 1), 0);
        EXPECT_EQ(model.countdown(), 1) << "the last minute";
        EXPECT_EQ(tickEachSecond(1), 1);
    }
}

TEST_F(TimeRules, SettingTheClockBackDelaysAnAlarmForATimeOfDayButNoCountdown) {
    for (const auto& [countdown, ringsAfter] : {std::pair{true, 60}, std::pair{false, 3660}}) {
        SCOPED_TRACE(countdown ? "countdown" : "time of day");
        startAt("Europe/Berlin", utc(2026, 12, 8, 9, 0, 0)); // 10:00:01
        countdown ? model.setAlarmIn(1) : model.setAlarm(QTime(10, 1, 1));
        const int before = alarms;
        tickEachSecond(20);
        clock.set(clock.msSinceEpoch() - 3'600'000); // an hour back: no real time passes
        model.tick(clock.now());
        int ranFor = 20;
        while (alarms == before && ranFor < 2 * 3600) {
            tick(1);
            ++ranFor;
        }
        EXPECT_EQ(ranFor, ringsAfter);
    }
}

// The fake itself: a local time that a change between two standard offsets repeats (Moscow,
// 2014: 02:00 +04 became 01:00 +03, no daylight-saving flag) reads back as the instant reached.
TEST(FakeClockInstants, ARepeatedLocalTimeIsTheInstantItWasReached) {
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Moscow");
    tzset();
    FakeClock clock;
    clock.at("00:30:00", QDate(2014, 10, 26));
    clock.advance(2 * 3600);
    const qint64 read = clock.now().instant.time_since_epoch().count();
    const QString shown = clock.wallClock().toString(Qt::ISODate);
    qputenv("TZ", zone);
    tzset();
    EXPECT_EQ(read, utc(2014, 10, 25, 22, 30, 0));
    EXPECT_EQ(shown, "2014-10-26T01:30:00+03:00");
}

TEST_F(TimeRules, AnAlarmPassedDuringAStallAcrossAFallBackRingsAtTheResume) {
    startAt("Europe/Berlin", utc(2026, 10, 25, 0, 58, 58)); // 02:58:59 CEST
    model.choosePreset(1);                                  // "01": 02:59:59 CEST
    EXPECT_EQ(tickEachSecond(57), 0);                       // 02:59:56 CEST
    tick(7);                                                // stalled: 02:00:03 CET
    EXPECT_EQ(timeText(model.time()), "02:00:03");
    EXPECT_EQ(alarms, 1);
    EXPECT_FALSE(model.armed());
    EXPECT_EQ(tickEachSecond(3600), 0) << "and never again";
}

TEST_F(TimeRules, PunchMinutesAreRealMinutesWhateverTheWallClockDoes) {
    // Suspended for an hour across the fall back: the hour asleep counts.
    startAt("Europe/Berlin", utc(2026, 10, 25, 0, 20, 1)); // 02:20:02 CEST
    model.togglePunch();
    tickEachSecond(581); // 02:29:43 CEST
    tick(3601);          // 02:29:44 CET
    tickEachSecond(216); // 02:33:20 CET
    EXPECT_EQ(timeText(model.time()), "02:33:20");
    EXPECT_EQ(model.punchMinutes(), 73);

    // Between two standard offsets (Almaty, 2024: 00:00 +06 became 23:00 +05).
    model.punchOut();
    startAt("Asia/Almaty", utc(2024, 2, 29, 17, 39, 59)); // 23:40 +06
    model.togglePunch();
    for (int minute = 1; minute <= 60; ++minute) {
        tickEachSecond(60);
        ASSERT_EQ(model.punchMinutes(), minute) << timeText(model.time()).toStdString();
    }

    // Setting the clock or changing the zone passes no time.
    clock.set(clock.msSinceEpoch() + 3'600'000);
    model.tick(clock.now());
    clock.set(clock.msSinceEpoch(), QTimeZone("Asia/Tokyo"));
    tick(1);
    EXPECT_EQ(model.punchMinutes(), 60);
}

TEST_F(TimeRules, ATypedTimeIsTheNextOneToComeAndAnUnchangedEditKeepsTheAlarm) {
    startAt("Europe/Berlin", utc(2026, 12, 8, 22, 50, 0)); // 23:50
    model.setAlarm(QTime(7, 0));
    ASSERT_TRUE(model.armed());
    EXPECT_EQ(*model.alarmAt() - model.instant(), hours{7} + minutes{10} - seconds{1});

    model.choosePreset(7); // 30 minutes: 00:20 tomorrow
    const auto overnight = model.alarmAt();
    model.toggleEdit();
    model.toggleEdit();
    EXPECT_EQ(model.alarmAt(), overnight);

    // The repeated hour of the fall back: the first 02:30 to come, once.
    startAt("Europe/Berlin", utc(2026, 10, 25, 0, 0, 0)); // 02:00 CEST
    model.setAlarm(QTime(2, 30));
    EXPECT_EQ(*model.alarmAt() - model.instant(), minutes{30} - seconds{1});
    EXPECT_EQ(tickEachSecond(2 * 3600), 1);
    startAt("Europe/Berlin", utc(2026, 10, 25, 1, 40, 0)); // 02:40 CET, in the repeat
    model.setAlarm(QTime(2, 50));
    EXPECT_EQ(*model.alarmAt() - model.instant(), minutes{10} - seconds{1});
}

TEST_F(TimeRules, ArrowsMoveTheAlarmAMinuteFromWhereItIs) {
    startAt("Europe/Berlin", utc(2026, 12, 8, 8, 59, 59)); // 10:00:00
    model.setAlarm(QTime(12, 30));
    const Instant far = *model.alarmAt();
    model.stepMark(1);
    EXPECT_EQ(model.alarmAt(), far + minutes{1});
    EXPECT_EQ(model.alarmTime(), QTime(12, 31));
    model.stepMark(-1);
    model.stepMark(-1);
    EXPECT_EQ(model.alarmAt(), far - minutes{1});
}

} // namespace velto::test
