// A hundred thousand random mouse events on the real widgets of every window (the main
// window, the alarm window and the About window), between ticks and rings. Run under the
// sanitizers this shows the controls survive anything a hand can do; after every tick the
// clock must still read right, its alarm be due in the future and its counters in range.
#include "fakes.h"
#include "views/about_window.h"
#include "views/alarm_window.h"

#include <QTest>
#include <algorithm>
#include <iostream>
#include <map>
#include <random>

namespace velto::test {

class RandomInput : public ProgramTest {
protected:
    std::mt19937 rng{20260329};
    std::map<std::string, int> perWindow; // actions on each window, by its name
    int random(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng); }

    /// The windows open now, the main one always among them.
    std::vector<QWidget*> windows() {
        std::vector<QWidget*> out{&window()};
        if (AlarmWindow* alarm = alarmWindow(); alarm != nullptr && alarm->isVisible()) {
            out.push_back(alarm);
        }
        if (AboutWindow* about = app.aboutWindow(); about != nullptr && about->isVisible()) {
            out.push_back(about);
        }
        return out;
    }
    /// A random control of a random window (or the window's own background).
    QWidget* anyControl() {
        const auto open = windows();
        QWidget* window =
            open.at(static_cast<size_t>(random(0, static_cast<int>(open.size()) - 1)));
        const QList<QWidget*> controls = window->findChildren<QWidget*>();
        const int pick = random(-1, static_cast<int>(controls.size()) - 1);
        ++perWindow[window->objectName().toStdString()];
        // The close button ends the program (the window chrome's tests show it): the run would
        // end with its first hit.
        return pick < 0 || controls.at(pick) == w().imgHeaderX ? window : controls.at(pick);
    }
    QPoint anywhereIn(const QWidget* control) {
        return {random(-2, control->width() + 1), random(-2, control->height() + 1)};
    }
    static Qt::MouseButton anyButton(int r) {
        return r < 6 ? Qt::LeftButton : r < 8 ? Qt::RightButton : Qt::MiddleButton;
    }

    /// One random thing a hand does with the mouse; returns how many events it sent.
    int mouse() {
        QPointer<QWidget> on = anyControl();
        const Qt::MouseButton button = anyButton(random(0, 9));
        const QPoint at = anywhereIn(on);
        switch (random(0, 5)) {
        case 0:
            QTest::mousePress(on, button, {}, at);
            return 1;
        case 1:
            QTest::mouseRelease(on, button, {}, at);
            return 1;
        case 2:
            QTest::mouseMove(on, at);
            return 1;
        case 3:
            QTest::mouseDClick(on, button, {}, at);
            return 1;
        case 4:
            QTest::mouseClick(on, button, {}, at);
            return 1;
        default: {
            // A drag: pressed here, moved over this control (the press keeps the mouse),
            // released somewhere.
            QTest::mousePress(on, button, {}, at);
            int sent = 1;
            for (int n = random(1, 6); n > 0 && on; --n, ++sent) {
                QMouseEvent move(QEvent::MouseMove, anywhereIn(on), on->mapToGlobal(QPoint()),
                                 Qt::NoButton, button, Qt::NoModifier);
                QCoreApplication::sendEvent(on, &move);
            }
            if (on) {
                QTest::mouseRelease(on, button, {}, anywhereIn(on));
            }
            return sent + 1;
        }
        }
    }

    void checkAfterTick() {
        const ClockModel& cm = model();
        const QString text = clock.wallClock().time().toString(QStringLiteral("hh:mm:ss"));
        ASSERT_EQ(timeText(cm.time()).toStdString(), text.toStdString());
        ASSERT_EQ(readout().toStdString(), text.left(5).toStdString());
        const Instant now = cm.instant();
        if (cm.armed()) {
            ASSERT_GT(*cm.alarmAt(), now) << "an armed alarm is overdue";
            const auto minutes = std::chrono::floor<std::chrono::minutes>(*cm.alarmAt()) -
                                 std::chrono::floor<std::chrono::minutes>(now);
            ASSERT_EQ(cm.countdown(), std::clamp<int64_t>(minutes.count(), 0, 60));
        } else {
            ASSERT_EQ(cm.countdown(), 0);
            ASSERT_EQ(countdownDigits(), std::make_pair(kBlankSmall, kBlankSmall));
        }
        checkRanges();
    }
    void checkRanges() {
        const ClockModel& cm = model();
        ASSERT_TRUE(cm.countdown() >= 0 && cm.countdown() <= ClockModel::kCountdownTop);
        ASSERT_TRUE(!cm.punchMinutes() ||
                    (*cm.punchMinutes() >= 0 && *cm.punchMinutes() <= ClockModel::kPunchTop));
        ASSERT_TRUE(cm.pressedKey() >= 0 && cm.pressedKey() <= 12);
        const auto& cycle = ClockModel::kAnnounceIntervals;
        ASSERT_NE(std::find(cycle.begin(), cycle.end(), cm.announceInterval()), cycle.end());
    }
};

TEST_F(RandomInput, AHundredThousandMouseEventsOnEveryWindow) {
    const int asked = qEnvironmentVariableIntValue("VELTO_RANDOM_EVENTS");
    const int events = asked > 0 ? asked : 100000;
    startAt("23:40:00");
    int sent = 0;
    int ticks = 0;
    while (sent < events && !HasFatalFailure()) {
        sent += mouse();
        checkRanges();
        if (chance(0.05)) {
            // Mostly the next second; now and then a stall, a suspend or the clock set back.
            const int r = random(0, 99);
            tickAfter(r < 90 ? 1 : r < 97 ? random(2, 600) : -random(1, 3600));
            ++ticks;
            checkAfterTick();
        }
        if (chance(0.002)) {
            tray.choose(QStringLiteral("&About"));
        }
        if (chance(0.002)) {
            tray.choose(QStringLiteral("&Show Velto")); // back from the tray
        }
        if (chance(0.002)) {
            tray.choose(tray.captions().first()); // the alarm switched on or off: rings soon
        }
        if (chance(0.01)) {
            QCoreApplication::processEvents(); // closed windows go, their timers run
        }
    }
    std::cout << "[ random input ] " << sent << " mouse events, " << ticks << " ticks, " << rings()
              << " rings, " << desktop.ends << " ends asked for;";
    for (const auto& [name, n] : perWindow) {
        std::cout << " " << name << " " << n;
    }
    std::cout << "\n";
    EXPECT_EQ(perWindow.size(), 3U) << "not every window had the mouse";
}

} // namespace velto::test
