// What the clock tells the desktop beside its windows: the alarm's rings as notifications
// (on the model alone), and the tray menu's switch of the start at login.
#include "fakes.h"
#include "observers/ring_notices.h"
#include "views/tray_presenter.h"

namespace velto::test {

class RingNoticesTest : public ::testing::Test {
protected:
    FakeClock clock;
    ClockModel model{clock};
    FakeNotifier notifier;
    RingNotices notices{model, notifier};

    void SetUp() override {
        clock.at("06:59:58");
        model.start(clock.now());
    }
    void tick(int secs) {
        clock.advance(secs);
        model.tick(clock.now());
    }
};

TEST_F(RingNoticesTest, AnAlarmOnTimeSaysItsTime) {
    model.setAlarm(QTime(7, 0));
    tick(1);
    EXPECT_TRUE(notifier.posted.isEmpty());
    tick(1);
    EXPECT_EQ(notifier.posted, QStringList{"Velto: Alarm 07:00"});
}

TEST_F(RingNoticesTest, AnAlarmThatRingsLateSaysWhenItWasDueAndWhenItRang) {
    model.setAlarm(QTime(7, 0));
    tick(60); // a minute after the instant is still on time
    EXPECT_EQ(notifier.posted, QStringList{"Velto: Alarm 07:00"});

    notifier.posted.clear();
    model.setAlarm(QTime(7, 5));
    tick(38 * 60); // the machine slept through it
    EXPECT_EQ(notifier.posted,
              QStringList{"Velto: Alarm 07:05, rang at 07:38: the computer was asleep"});
}

TEST_F(RingNoticesTest, TheAnnouncerPostsNothing) {
    int announced = 0;
    QObject::connect(&model, &ClockModel::ring,
                     [&announced](RingKind kind) { announced += kind == RingKind::Announcer; });
    model.setAnnounceInterval(15);
    for (int i = 0; i < 20 * 60; ++i) {
        tick(1);
    }
    EXPECT_EQ(announced, 2);
    EXPECT_TRUE(notifier.posted.isEmpty());
}

TEST_F(RingNoticesTest, AnAlarmThatPassedWhileAwaySaysItsLocalTime) {
    const Instant due{
        std::chrono::seconds{QDateTime(QDate(2026, 7, 1), QTime(7, 0)).toSecsSinceEpoch()}};
    RingNotices::passedWhileAway(notifier, clock, due); // summer time, while it is winter now
    EXPECT_EQ(notifier.posted,
              QStringList{"Velto: Alarm 07:00 passed while Velto was not running"});
}

class LoginItem : public ProgramTest {
protected:
    void SetUp() override { startAt("10:00:00"); }
    [[nodiscard]] bool checked() const {
        return tray.menu.at(static_cast<size_t>(TrayEntry::LoginStart)).checked();
    }
};

TEST_F(LoginItem, TheCheckMarkFollowsTheDesktopAndTheChoiceSwitchesIt) {
    EXPECT_FALSE(checked());
    login.on = true; // arranged elsewhere: the menu shows it when it opens next
    EXPECT_TRUE(checked());
    tray.choose("Start at &login");
    EXPECT_FALSE(login.on);
    EXPECT_FALSE(checked());
    tray.choose("Start at &login");
    EXPECT_TRUE(login.on);
}

TEST_F(LoginItem, ASwitchThatFailsIsSaidOncePerCauseAndChangesNothing) {
    const Console console;
    login.refusal = QStringLiteral("/x/autostart/a.desktop is a symbolic link");
    tray.choose("Start at &login");
    tray.choose("Start at &login");
    EXPECT_FALSE(login.on);
    login.refusal = QStringLiteral("cannot make the folder /x/autostart");
    tray.choose("Start at &login");
    EXPECT_EQ(console.lines(), QStringList({"velto: /x/autostart/a.desktop is a symbolic link",
                                            "velto: cannot make the folder /x/autostart"}));
}

} // namespace velto::test
