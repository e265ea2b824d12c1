// The ring: sound first, then the alarm window; the window's countdown, its single life per
// ring, where it opens; where the sound file is looked for; failures said once.
#include "fakes.h"
#include "views/alarm_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace velto::test {

class Ring : public ProgramTest {
protected:
    AlarmWindow* alarm() { return alarmWindow(); }
    void ring() { app.ringer().ring(RingKind::Announcer); }
    static QPushButton* doneButton(const AlarmWindow* w) {
        return w->findChild<QPushButton*>(QStringLiteral("cmdDone"));
    }
    /// Lets the event loop delete what asked to be deleted.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    /// The hh:mm the alarm window shows, from the depot indexes of its read-out.
    QString shown() {
        QString t;
        for (int e = 0; e < 5; ++e) {
            const int i = element(*alarm(), "imgTime", e)->picture().index;
            t += e == 2 ? (i == kLitColon ? QStringLiteral(":") : QStringLiteral("?"))
                        : QString::number(i);
        }
        return t;
    }
};

TEST_F(Ring, PlaysTheSoundThenOpensTheWindowShowingTheTime) {
    startAt("07:44:58");
    EXPECT_TRUE(sound.prepared.isEmpty()) << "the first frame does not wait for the sound";
    EXPECT_TRUE(QTest::qWaitFor([this] { return !sound.prepared.isEmpty(); }));
    EXPECT_EQ(sound.prepared, QStringList{"/opt/velto/wav/alarm.wav"}) << "loaded once painted";
    bool windowBeforeSound = true;
    sound.onPlay = [this, &windowBeforeSound] { windowBeforeSound = alarm() != nullptr; };
    tickUntil("07:45:00"); // the announcer's minute
    EXPECT_EQ(sound.played, QStringList{"/opt/velto/wav/alarm.wav"});
    EXPECT_FALSE(windowBeforeSound);
    ASSERT_NE(alarm(), nullptr);
    EXPECT_TRUE(alarm()->isVisible());
    EXPECT_EQ(alarm()->windowTitle(), "Alarm");
    EXPECT_EQ(alarm()->size(), QSize(182, 129));
    EXPECT_EQ(doneButton(alarm())->text(), "2");
    EXPECT_FALSE(alarm()->windowIcon().isNull());
    EXPECT_TRUE(alarm()->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(alarm()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(shown(), "07:45");
    tickAfter(1); // 07:45:01, then a new minute while the window is open
    alarm()->tick();
    EXPECT_EQ(shown(), "07:45");
}

TEST_F(Ring, TheWindowCarriesTheIconOfTheAlarmAsItIsNow) {
    startAt("09:00:00");
    showFirstFrame();
    model().choosePreset(1); // a minute
    tickUntil("09:01:00");
    ASSERT_NE(alarm(), nullptr);
    EXPECT_FALSE(model().armed());
    EXPECT_EQ(alarm()->windowIcon().cacheKey(), app.depot().windowIcon(1).cacheKey()) << "off";
    model().toggleAlarm();
    EXPECT_EQ(alarm()->windowIcon().cacheKey(), app.depot().windowIcon(0).cacheKey()) << "on";
}

TEST_F(Ring, WindowCountsTwoOneAndIsGone) {
    startAt("09:00:00");
    ring();
    QPointer<AlarmWindow> first = alarm();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->findChild<QTimer*>(QStringLiteral("TimerAlarm"))->isActive());
    EXPECT_EQ(first->findChild<QTimer*>(QStringLiteral("TimerAlarm"))->interval(), 1000);
    first->tick();
    EXPECT_EQ(doneButton(first)->text(), "1");
    first->tick();
    EXPECT_FALSE(first->isVisible());
    settle();
    EXPECT_EQ(first, nullptr) << "unloaded, not just hidden";
    EXPECT_EQ(alarm(), nullptr);

    ring(); // a fresh window, counting from 2 again
    ASSERT_NE(alarm(), nullptr);
    EXPECT_EQ(doneButton(alarm())->text(), "2");
}

TEST_F(Ring, SecondRingRestartsTheSoundButLeavesTheWindowAlone) {
    startAt("09:00:00");
    ring();
    AlarmWindow* first = alarm();
    first->tick(); // "1"
    ring();        // the same second or the next: one window, its countdown goes on
    EXPECT_EQ(rings(), 2);
    EXPECT_EQ(alarm(), first);
    EXPECT_EQ(doneButton(first)->text(), "1");
    first->tick();
    ring(); // after it went, even before it is deleted, the next ring opens a new one
    ASSERT_NE(alarm(), nullptr);
    EXPECT_NE(alarm(), first);
    EXPECT_EQ(doneButton(alarm())->text(), "2");
    settle();
    EXPECT_NE(alarm(), nullptr);
}

TEST_F(Ring, ClickOnTheButtonClosesTheWindowAtOnce) {
    startAt("09:00:00");
    ring();
    QTest::mouseClick(doneButton(alarm()), Qt::LeftButton);
    settle();
    EXPECT_EQ(alarm(), nullptr);
}

TEST_F(Ring, WindowOpensOverTheMainWindowOrMidScreenWhenItHides) {
    startAt("09:00:00");
    ring();
    EXPECT_LE((alarm()->geometry().center() - window().geometry().center()).manhattanLength(), 3);
    alarm()->unload();
    settle();

    window().hide(); // in the tray: the window still opens, in the middle of the screen
    ring();
    ASSERT_NE(alarm(), nullptr);
    EXPECT_TRUE(alarm()->isVisible());
    const QRect screen = window().screen()->availableGeometry();
    EXPECT_LE((alarm()->geometry().center() - screen.center()).manhattanLength(), 3);
}

TEST_F(Ring, SoundIsLookedForBesideTheProgramThenInTheDataFolders) {
    QTemporaryDir program;
    QTemporaryDir data;
    desktop.folder = program.path();
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    startAt("09:00:00");
    const QString beside = program.filePath("wav/alarm.wav");
    const QString installed = data.filePath("velto/wav/alarm.wav");
    EXPECT_EQ(wavePath(desktop, "alarm"), beside) << "found nowhere: named where looked first";

    QDir().mkpath(data.filePath("velto/wav"));
    QFile(installed).open(QIODevice::WriteOnly);
    EXPECT_EQ(wavePath(desktop, "alarm"), installed);

    QDir().mkpath(program.filePath("wav"));
    QFile(beside).open(QIODevice::WriteOnly);
    EXPECT_EQ(wavePath(desktop, "alarm"), beside);
    qunsetenv("XDG_DATA_HOME");
}

TEST_F(Ring, EachSoundFailureIsSaidOnceAndTheRingGoesOn) {
    Console console;
    sound.works = false;
    sound.why = "no audio output device, so rings are silent";
    startAt("09:00:00"); // said at start-up, when the sound is loaded
    ring();
    ring();
    EXPECT_NE(alarm(), nullptr) << "a silent ring still opens the window";
    sound.why = "/opt/velto/wav/alarm.wav: is empty; the built-in chime plays instead";
    ring();
    ring();
    sound.works = true;
    ring();
    sound.works = false; // the same failure again after the file played: said again
    ring();
    EXPECT_EQ(Console::lines(),
              QStringList({"velto: no audio output device, so rings are silent",
                           "velto: /opt/velto/wav/alarm.wav: is empty; the built-in chime "
                           "plays instead",
                           "velto: /opt/velto/wav/alarm.wav: is empty; the built-in chime "
                           "plays instead"}));
}

TEST_F(Ring, SoundThatGoesAndComesBackIsSaidOnceEachAndSoIsALostRing) {
    Console console;
    startAt("09:13:00"); // the announcer rings soon: the sound is loaded
    ASSERT_TRUE(QTest::qWaitFor([this] { return !sound.prepared.isEmpty(); }));
    sound.change("the sound server is gone (x), so rings are silent until it is back");
    sound.why = "a ring could not be played: the sound server is gone (x)";
    ring();
    ring();
    EXPECT_NE(alarm(), nullptr) << "a silent ring still opens the window";
    sound.change("");
    ring();
    sound.change("the sound server is gone (x), so rings are silent until it is back");
    sound.change(""); // a second outage, with no ring in it
    const QString gone =
        QStringLiteral("velto: the sound server is gone (x), so rings are silent until it is back");
    EXPECT_EQ(Console::lines(),
              QStringList({gone, "velto: a ring could not be played: the sound server is gone (x)",
                           "velto: sound is back", gone, "velto: sound is back"}));
}

// The sound system is loaded a while before a ring, not at start while none comes soon.
TEST_F(Ring, SoundIsLoadedOnlyAsARingComesNear) {
    startAt("09:00:10"); // the announcer's next ring is at 09:15
    showFirstFrame();
    model().setAlarmIn(5);
    EXPECT_TRUE(sound.prepared.isEmpty());
    tickAfter(200); // the alarm is less than two minutes away
    EXPECT_EQ(sound.prepared, QStringList{"/opt/velto/wav/alarm.wav"});
}

} // namespace velto::test
