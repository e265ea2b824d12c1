#include "views/words.h"

#include "controls/describe.h"
#include "views/main_window.h"

#include <QLocale>
#include <array>
#include <utility>

namespace velto {

namespace {

QString onOff(const ClockModel& m) {
    return m.armed() ? MainWindow::tr("on") : MainWindow::tr("off");
}

QString countdownValue(const ClockModel& m) {
    if (!m.armed()) {
        return MainWindow::tr("off");
    }
    return m.countdown() == 0 ? MainWindow::tr("less than a minute") : inWords(m.countdown());
}

QString alarmSwitchTip(const ClockModel& m) {
    return m.armed() ? MainWindow::tr("Alarm on: click to switch it off (A)")
                     : MainWindow::tr("Alarm off: click to switch it on; it rings "
                                      "%1 seconds later (A)")
                           .arg(ClockModel::kSwitchOnSeconds);
}

/// The punch clock in words: "out", or the minutes counted as `in`(n) says them.
QString punchValue(const ClockModel& m, const std::function<QString(int)>& in) {
    return m.punchMinutes() ? in(*m.punchMinutes()) : MainWindow::tr("out");
}

/// What a preset or a hot spot on the dial does.
QString presetWords(int minutes) {
    return minutes == 0 ? MainWindow::tr("No countdown")
                        : MainWindow::tr("Alarm in %1").arg(inWords(minutes));
}

} // namespace

QString inWords(int n) {
    return MainWindow::tr("%n minute(s)", "a span of time", n);
}

void MainWindow::describe() {
    // A clock on the desktop is seldom the active window; its tips show all the same.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    Describe(*alarmSwitch_, {.name = MainWindow::tr("Alarm switch"),
                             .value = [&m = model_] { return onOff(m); },
                             .tip = [&m = model_] { return alarmSwitchTip(m); }});
    Describe(*minimiseButton_,
             {.name = MainWindow::tr("Minimise"),
              .tip = [] { return MainWindow::tr("Hide the window; the clock runs on (Esc)"); }});
    Describe(*closeButton_, {.name = MainWindow::tr("Close"),
                             .tip = [] { return MainWindow::tr("End the clock (Ctrl+Q)"); }});

    for (int k = 1; k <= 12; ++k) {
        Describe(*keys_[k],
                 {.name = MainWindow::tr("Key %1").arg(k),
                  .value =
                      [&key = std::as_const(*keys_[k]), k] {
                          return key.picture() == Depot::ref(DepotArray::imgPunchDn, k)
                                     ? MainWindow::tr("down")
                                     : MainWindow::tr("up");
                      },
                  .tip =
                      [] {
                          return MainWindow::tr("The keypad only latches: the key pressed last "
                                                "stays down. It sets nothing else.");
                      }});
    }

    time_->describe(
        {.name = MainWindow::tr("Time"),
         .role = QAccessible::StaticText,
         .value = [&m = model_] { return minuteText(m.time()); },
         // The date, which the read-out does not show, in the user's own words.
         .tip = [&m = model_] { return QLocale().toString(m.now().date(), QLocale::LongFormat); }});
    // Counted in the hands and told in the time: a screen reader skips them.
    seconds_->describe(
        {.name = MainWindow::tr("Seconds"), .role = QAccessible::StaticText, .part = true});
    const auto alarmTip = [&m = model_] {
        return !m.editing() ? MainWindow::tr("Alarm time: click here to type it or to set it "
                                             "digit by digit")
                            : MainWindow::tr("Type the time, or click the bars above the digits; "
                                             "click here or press Return to set it");
    };
    const auto alarmValue = [&m = model_] {
        if (m.editing()) {
            return MainWindow::tr("editing %1").arg(minuteText(m.editedTime()));
        }
        return m.armed() ? minuteText(m.alarmTime()) : MainWindow::tr("off");
    };
    alarm_->describe({.name = MainWindow::tr("Alarm time"), .value = alarmValue, .tip = alarmTip});
    const std::array<QString, 4> digit{MainWindow::tr("tens of hours"), MainWindow::tr("hours"),
                                       MainWindow::tr("tens of minutes"),
                                       MainWindow::tr("minutes")};
    for (size_t k = 0; k < digit.size(); ++k) {
        const QString words = MainWindow::tr("One more on the %1").arg(digit[k]);
        // NOLINTNEXTLINE(performance-no-automatic-move): the copy captured is handed out
        Describe(*bars_[k], {.name = words, .tip = [words] { return words; }});
    }

    for (int k = 0; k < 10; ++k) {
        const int minutes = ClockModel::kPresetMinutes.at(static_cast<size_t>(k));
        const QString words = presetWords(minutes);
        // Named apart from the hot spot of the same minutes, which does the same.
        Describe(*presets_[k], {.name = MainWindow::tr("%1, preset").arg(words), .tip = [words, k] {
                                    return MainWindow::tr("%1 (key %2)").arg(words).arg(k);
                                }});
    }

    Describe(*face_, {.name = MainWindow::tr("Clock face"), .role = QAccessible::Graphic});
    Describe(*faceSwitch_, {.name = MainWindow::tr("Alarm switch on the face"),
                            .value = [&m = model_] { return onOff(m); },
                            .tip = [&m = model_] { return alarmSwitchTip(m); }});
    Describe(
        *mark_,
        {.name = MainWindow::tr("Countdown mark"),
         .role = QAccessible::Slider,
         .value = [&m = model_] { return countdownValue(m); },
         .tip = [] { return MainWindow::tr("Drag to set the countdown (arrow keys)"); },
         // In minutes to the alarm, as the mark stands on the dial; setting it is a drag.
         .scale =
             ControlInfo::Scale{.minimum = 0,
                                .maximum = ClockModel::kCountdownTop,
                                .current = [&m = model_] { return m.armed() ? m.countdown() : 0; },
                                .set = [&m = model_](int minutes) { m.setAlarmIn(minutes); }}});
    countdown_->describe({.name = MainWindow::tr("Minutes to the alarm"),
                          .role = QAccessible::StaticText,
                          .value = [&m = model_] { return countdownValue(m); },
                          .tip = [] { return MainWindow::tr("Minutes left until the alarm"); }});
    for (size_t k = 0; k < hotSpots_.size(); ++k) {
        const QString words = presetWords(5 * static_cast<int>(k));
        // A copy of the captured words on every call.
        Describe(*hotSpots_[k], {.name = MainWindow::tr("%1, dial").arg(words),
                                 .tip = [words] { return QString(words); }});
    }

    Describe(*punchButton_,
             {.name = MainWindow::tr("Punch clock"),
              .value =
                  [&m = model_] {
                      return punchValue(
                          m, [](int n) { return MainWindow::tr("in, %1").arg(inWords(n)); });
                  },
              .tip =
                  [&m = model_] {
                      return !m.punchMinutes()
                                 ? MainWindow::tr("Punch in: counts the minutes from now (P)")
                                 : MainWindow::tr("Punch out; the count starts again at "
                                                  "the next punch in (P)");
                  }});
    punchCount_->describe(
        {.name = MainWindow::tr("Minutes punched in"),
         .role = QAccessible::StaticText,
         .value = [&m = model_] { return punchValue(m, [](int n) { return QString::number(n); }); },
         .tip = [] { return MainWindow::tr("Minutes punched in"); }});

    Describe(*announcer_,
             {.name = MainWindow::tr("Announcer"),
              .value =
                  [&m = model_] {
                      return m.announceInterval() == 0
                                 ? MainWindow::tr("off")
                                 : MainWindow::tr("every %1").arg(inWords(m.announceInterval()));
                  },
              .tip =
                  [&m = model_] {
                      const int next = ClockModel::nextAnnounceInterval(m.announceInterval());
                      const QString then =
                          next == 0 ? MainWindow::tr("switch it off")
                                    : MainWindow::tr("chime every %1").arg(inWords(next));
                      const QString now =
                          m.announceInterval() == 0
                              ? MainWindow::tr("Announcer off (the blank circle)")
                              : MainWindow::tr("Chimes every %1, at the yellow marks")
                                    .arg(inWords(m.announceInterval()));
                      return MainWindow::tr("%1. Click to %2 (I)").arg(now, then);
                  }});
}

} // namespace velto
