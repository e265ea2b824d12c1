// The ring as its user chose it: how long it rings, stop and snooze from wherever the user
// is, quiet hours, the label, the sound and its volume, and the choices kept between runs.
#include "fakes.h"
#include "views/alarm_window.h"
#include "views/ringer.h"
#include "views/tray_presenter.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTest>

namespace velto::test {

/// The default choices with `change` made to them.
template <class Change> RingChoices choosing(Change change) {
    RingChoices c;
    change(c);
    return c;
}

class RingRules : public ModelTest {
protected:
    /// Starts at 10:00:00 with `choices`, the alarm four seconds ahead; ticks until it rings.
    void ringWith(const RingChoices& choices) {
        startAt("10:00:00");
        model().setChoices(choices);
        model().toggleAlarm();
        tickAfter(4);
        ASSERT_TRUE(model().ringing());
    }
};

TEST_F(RingRules, ARingLastsItsWindowOrItsMinutesUnlessStopped) {
    for (const int minutes : ClockModel::kRingMinutes) {
        SCOPED_TRACE(minutes);
        ringWith(choosing([&](RingChoices& r) { r.ringMinutes = minutes; }));
        const int length = minutes == 0 ? ClockModel::kOneRingSeconds : 60 * minutes;
        tickAfter(length - 1);
        EXPECT_TRUE(model().ringing());
        tickAfter(1);
        EXPECT_FALSE(model().ringing()) << "a ring nobody stops ends after its time";
        EXPECT_FALSE(model().stopRing()) << "nothing left to stop";
        EXPECT_FALSE(model().snooze());
    }
}

TEST_F(RingRules, SnoozeArmsTheChosenMinutesAsACountdownThatRingsThen) {
    ringWith(choosing([&](RingChoices& r) {
        r.ringMinutes = 5;
        r.snoozeMinutes = 10;
    }));
    ASSERT_TRUE(model().setLabel("Tea"));
    const int before = rings();
    ASSERT_TRUE(model().snooze());
    EXPECT_FALSE(model().ringing());
    EXPECT_TRUE(model().snoozed());
    EXPECT_EQ(model().alarmKind(), AlarmKind::Countdown);
    EXPECT_EQ(model().countdown(), 10);
    EXPECT_EQ(model().label(), "Tea");
    tickAfter(10 * 60 - 1);
    EXPECT_EQ(rings(), before);
    tickAfter(1);
    EXPECT_EQ(rings(), before + 1);
    EXPECT_TRUE(model().ringing());
    EXPECT_FALSE(model().snoozed()) << "the snoozed alarm rang";
    model().stopRing();
    model().setAlarmIn(5);
    EXPECT_FALSE(model().snoozed()) << "an alarm set by hand is no snooze";
}

TEST_F(RingRules, QuietHoursKeepTheAnnouncerStillAcrossMidnight) {
    struct Case {
        QTime from, to, at;
        bool quiet;
    };
    const Case cases[] = {
        {QTime(22, 0), QTime(7, 0), QTime(23, 0), true},
        {QTime(22, 0), QTime(7, 0), QTime(6, 59), true},
        {QTime(22, 0), QTime(7, 0), QTime(7, 0), false},
        {QTime(22, 0), QTime(7, 0), QTime(21, 59), false},
        {QTime(9, 0), QTime(17, 0), QTime(12, 0), true},
        {QTime(9, 0), QTime(17, 0), QTime(17, 0), false},
        {QTime(9, 0), QTime(9, 0), QTime(9, 0), false}, // from equal to until: never
        {QTime(), QTime(), QTime(3, 0), false},
    };
    startAt("10:00:00");
    for (const Case& c : cases) {
        model().setChoices(choosing([&](RingChoices& r) {
            r.quietFrom = c.from;
            r.quietTo = c.to;
        }));
        EXPECT_EQ(model().quietAt(c.at), c.quiet)
            << qPrintable(minuteText(c.from) + "-" + minuteText(c.to) + " at " + minuteText(c.at));
    }
    model().setChoices(choosing([&](RingChoices& r) {
        r.quietFrom = QTime(22, 0);
        r.quietTo = QTime(7, 0);
    }));
    tickUntil("22:59:58");
    const int before = rings();
    tickUntil("23:00:01");
    EXPECT_EQ(rings(), before) << "no chime in the quiet hours";
    tickUntil("07:00:01");
    EXPECT_EQ(rings(), before + 1) << "the first chime after them";
}

TEST_F(RingRules, ALabelIsShortAndPlainOrRefused) {
    startAt("10:00:00");
    struct Case {
        QString text;
        bool taken;
        QString kept;
    };
    const Case cases[] = {
        {"Tea", true, "Tea"},
        {"  Stand-up  ", true, "Stand-up"},
        {QString(ClockModel::kLabelLength, 'x'), true, QString(ClockModel::kLabelLength, 'x')},
        {QString(ClockModel::kLabelLength + 1, 'x'), false, {}},
        {"two\nlines", false, {}},
        {QStringLiteral("bell\u0007"), false, {}},
        {"", true, ""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(model().setLabel("before"));
        EXPECT_EQ(model().setLabel(c.text), c.taken) << qPrintable(c.text);
        EXPECT_EQ(model().label(), c.taken ? c.kept : QStringLiteral("before"));
        EXPECT_EQ(ClockModel::labelProblem(c.text).isEmpty(), c.taken);
    }
}

TEST_F(RingRules, ChoicesNotOfferedAreTheDefaults) {
    startAt("10:00:00");
    model().setChoices(choosing([&](RingChoices& r) {
        r.alarmVolume = 150;
        r.announcerVolume = -5;
        r.ringMinutes = 7;
        r.snoozeMinutes = 3;
        r.quietFrom = QTime(22, 0);
    }));
    const RingChoices& c = model().choices();
    EXPECT_EQ(c.alarmVolume, 100);
    EXPECT_EQ(c.announcerVolume, 0);
    EXPECT_EQ(c.ringMinutes, RingChoices().ringMinutes);
    EXPECT_EQ(c.snoozeMinutes, RingChoices().snoozeMinutes);
    EXPECT_FALSE(c.quietFrom.isValid()) << "quiet hours need both ends";
}

class RingChoicesProgram : public ProgramTest {
protected:
    void SetUp() override { startAt("10:00:00"); }
    void ringAlarm() {
        model().toggleAlarm();
        tickAfter(4);
        ASSERT_TRUE(model().ringing());
        ASSERT_NE(alarmWindow(), nullptr);
    }
    QPushButton* button(const char* name) {
        return alarmWindow()->findChild<QPushButton*>(QLatin1String(name));
    }
};

TEST_F(RingChoicesProgram, TheAlarmPlaysItsOwnSoundAtItsVolumeAndTheAnnouncerItsChime) {
    model().setChoices(choosing([&](RingChoices& r) {
        r.soundFile = "/home/me/wake.wav";
        r.alarmVolume = 80;
        r.announcerVolume = 30;
        r.ringMinutes = 1;
    }));
    ringAlarm();
    EXPECT_EQ(sound.played.last(), "/home/me/wake.wav");
    EXPECT_TRUE(sound.repeating);
    EXPECT_NEAR(sound.volume, 0.8 * Ringer::fadeIn(0), 1e-9) << "quiet at first";
    EXPECT_LT(Ringer::fadeIn(0), 0.05);
    EXPECT_LT(Ringer::fadeIn(Ringer::kFadeInMs / 2), Ringer::fadeIn(Ringer::kFadeInMs));
    EXPECT_DOUBLE_EQ(Ringer::fadeIn(2 * Ringer::kFadeInMs), 1.0);
    EXPECT_EQ(media.paused, 1);
    model().stopRing();
    EXPECT_FALSE(sound.playing);
    EXPECT_EQ(media.resumed, 1);
    tickUntil("10:15:00");
    EXPECT_EQ(sound.played.last(), "") << "the player's own chime, not the wake-up sound";
    EXPECT_DOUBLE_EQ(sound.volume, 0.3);
    EXPECT_FALSE(sound.repeating);
    EXPECT_EQ(media.paused, 1) << "the announcer pauses nobody";
}

TEST_F(RingChoicesProgram, TheAnnouncerDoesNotTalkOverTheRingingAlarm) {
    for (const int minutes : {0, 1}) {
        SCOPED_TRACE(minutes);
        model().setChoices(choosing([&](RingChoices& r) {
            r.soundFile = "/home/me/wake.wav";
            r.ringMinutes = minutes;
        }));
        const QTime now = model().time();
        model().setAlarm(QTime(now.hour(), now.minute() - now.minute() % 15).addSecs(15 * 60));
        tickUntil(timeText(model().alarmTime())); // the alarm and the announcer's minute at once
        EXPECT_EQ(sound.played.last(), "/home/me/wake.wav") << "not cut short by the chime";
        EXPECT_TRUE(sound.playing);
        model().stopRing();
    }
}

TEST_F(RingChoicesProgram, ARingOnceWhoseTimeIsUpPlaysToItsEndButStopStopsIt) {
    ringAlarm();
    tickAfter(ClockModel::kOneRingSeconds);
    EXPECT_FALSE(model().ringing());
    EXPECT_TRUE(sound.playing) << "a long sound of the user's is not cut at two seconds";
    ringAlarm();
    model().stopRing();
    EXPECT_FALSE(sound.playing);
}

TEST_F(RingChoicesProgram, TheAlarmHasAWindowOfItsOwnAndClosingItStopsTheRing) {
    model().setChoices(choosing([](RingChoices& r) { r.ringMinutes = 1; }));
    tickUntil("10:15:00"); // the announcer's window is up
    ASSERT_EQ(alarmWindow()->kind(), RingKind::Announcer);
    ringAlarm();
    EXPECT_EQ(alarmWindow()->kind(), RingKind::Alarm);
    EXPECT_NE(button("cmdSnooze"), nullptr);
    alarmWindow()->close(); // the title bar's close button
    EXPECT_FALSE(model().ringing());
}

TEST_F(RingChoicesProgram, StopAndSnoozeFromEveryPlaceTheUserMayBe) {
    model().setChoices(choosing([&](RingChoices& r) {
        r.ringMinutes = 10;
        r.snoozeMinutes = 15;
    }));
    const std::vector<std::pair<const char*, std::function<void()>>> stops{
        {"window's Stop", [this] { button("cmdStop")->click(); }},
        {"Esc on the window", [this] { QTest::keyClick(alarmWindow(), Qt::Key_Escape); }},
        {"Space on the window", [this] { QTest::keyClick(alarmWindow(), Qt::Key_Space); }},
        {"the tray", [this] { tray.choose("S&top the alarm"); }},
        {"the notice", [this] { notifier.pick("stop"); }},
        {"the command line", [this] { app.commands().answerWords("stop"); }},
    };
    for (const auto& [way, stop] : stops) {
        SCOPED_TRACE(way);
        ringAlarm();
        EXPECT_TRUE(tray.captions().contains("S&nooze"));
        stop();
        EXPECT_FALSE(model().ringing());
        EXPECT_FALSE(model().armed());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(alarmWindow(), nullptr);
        EXPECT_FALSE(tray.captions().contains("S&nooze")) << "offered only while it rings";
    }
    const std::vector<std::pair<const char*, std::function<void()>>> snoozes{
        {"window's Snooze", [this] { button("cmdSnooze")->click(); }},
        {"S on the window", [this] { QTest::keyClick(alarmWindow(), Qt::Key_S); }},
        {"the tray", [this] { tray.choose("S&nooze"); }},
        {"the notice", [this] { notifier.pick("snooze"); }},
        {"the command line", [this] { app.commands().answerWords("snooze"); }},
    };
    for (const auto& [way, snooze] : snoozes) {
        SCOPED_TRACE(way);
        ringAlarm();
        snooze();
        EXPECT_FALSE(model().ringing());
        EXPECT_TRUE(model().snoozed());
        EXPECT_EQ(model().countdown(), 15);
        EXPECT_TRUE(tray.tip.contains("Snoozed until")) << qPrintable(tray.tip);
        model().clearAlarm();
    }
    EXPECT_EQ(notifier.offered, QStringList({"stop", "snooze"}));
}

TEST_F(RingChoicesProgram, TheLabelShowsInTheTipTheNoticeAndTheWindow) {
    ASSERT_TRUE(model().setLabel("Tea"));
    ringAlarm();
    EXPECT_TRUE(notifier.posted.last().contains("Tea")) << qPrintable(notifier.posted.last());
    EXPECT_TRUE(alarmWindow()->findChild<QGroupBox*>()->title() == "Tea");
    model().stopRing();
    model().setAlarmIn(5);
    EXPECT_TRUE(tray.tip.endsWith(": Tea")) << qPrintable(tray.tip);
}

class KeptChoices : public ProgramTest {
protected:
    /// A later run of the program, at 10:05, that finds `kept` in its settings file.
    struct Run {
        Run(KeptChoices& t, const QVariantMap& kept)
            : platform{clock,      t.ticker,  t.sound, t.tray,  t.messages, t.urls,
                       t.instance, t.desktop, store,   t.login, t.notifier, t.media} {
            store.kept = kept;
            clock.at("10:05:00");
        }
        FakeSettings store;
        FakeClock clock;
        Platform platform;
        VeltoApp app{platform};
    };
};

TEST_F(KeptChoices, EveryChoiceIsWrittenAtOnceAndComesBack) {
    startAt("10:00:00");
    const RingChoices chosen = choosing([](RingChoices& r) {
        r.soundFile = "/home/me/wake up.wav";
        r.alarmVolume = 55;
        r.announcerVolume = 20;
        r.ringMinutes = 5;
        r.snoozeMinutes = 15;
        r.quietFrom = QTime(22, 30);
        r.quietTo = QTime(6, 45);
    });
    model().setChoices(chosen);
    ASSERT_TRUE(model().setLabel("Stand-up"));
    const QVariantMap written = settings.kept;
    EXPECT_EQ(written.value("announcer/quiet_from"), "22:30");

    Run next(*this, written);
    ASSERT_TRUE(next.app.startUp());
    EXPECT_EQ(next.app.model().choices(), chosen);
    EXPECT_EQ(next.app.model().label(), "Stand-up");
    EXPECT_TRUE(next.store.setAsideFor.isEmpty());
}

TEST_F(KeptChoices, AValueThatMakesNoSenseIsTheDefaultAndSaidOnce) {
    const std::pair<const char*, QVariant> hostile[] = {
        {"alarm/ring_minutes", "7"},
        {"alarm/snooze_minutes", "abc"},
        {"sound/alarm_volume", "150"},
        {"announcer/quiet_from", "25:00"},
        {"alarm/label", QStringLiteral("ring\u0007")},
        {"sound/file", QString(5000, 'x')},
    };
    for (const auto& [key, value] : hostile) {
        SCOPED_TRACE(key);
        Run run(*this, {{"version", 1}, {key, value}, {"announcer/quiet_to", "07:00"}});
        ASSERT_TRUE(run.app.startUp());
        EXPECT_EQ(run.app.model().choices(), RingChoices());
        EXPECT_TRUE(run.app.model().label().isEmpty());
        ASSERT_EQ(run.store.setAsideFor.size(), 1);
        EXPECT_TRUE(run.store.setAsideFor.first().contains(QLatin1String(key)));
    }
}

} // namespace velto::test
