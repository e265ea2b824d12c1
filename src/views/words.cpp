#include "views/words.h"

#include "platform/describe.h"
#include "views/main_window.h"

#include <array>
#include <utility>

namespace velto {

namespace {

QString onOff(const ClockModel& m) {
    return m.armed() ? QStringLiteral("on") : QStringLiteral("off");
}

QString countdownValue(const ClockModel& m) {
    if (!m.armed()) {
        return QStringLiteral("off");
    }
    return m.countdown() == 0 ? QStringLiteral("less than a minute") : inWords(m.countdown());
}

QString alarmSwitchTip(const ClockModel& m) {
    return m.armed() ? QStringLiteral("Alarm on: click to switch it off (A)")
                     : QStringLiteral("Alarm off: click to switch it on; it rings "
                                      "4 seconds later (A)");
}

/// The punch clock in words: "out", or the minutes counted as `in`(n) says them.
QString punchValue(const ClockModel& m, const std::function<QString(int)>& in) {
    return m.punchMinutes() ? in(*m.punchMinutes()) : QStringLiteral("out");
}

/// What a preset or a hot spot on the dial does.
QString presetWords(int minutes) {
    return minutes == 0 ? QStringLiteral("No countdown")
                        : QStringLiteral("Alarm in %1").arg(inWords(minutes));
}

} // namespace

QString inWords(int n) {
    return n == 1 ? QStringLiteral("1 minute") : QStringLiteral("%1 minutes").arg(n);
}

void MainWindow::describe() {
    // A clock on the desktop is seldom the active window; its tips show all the same.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    Describe(*alarmSwitch_, {.name = QStringLiteral("Alarm switch"),
                             .value = [&m = model_] { return onOff(m); },
                             .tip = [&m = model_] { return alarmSwitchTip(m); }});
    Describe(*minimiseButton_,
             {.name = QStringLiteral("Minimise"),
              .tip = [] { return QStringLiteral("Hide the window; the clock runs on (Esc)"); }});
    Describe(*closeButton_, {.name = QStringLiteral("Close"),
                             .tip = [] { return QStringLiteral("End the clock (Ctrl+Q)"); }});

    for (int k = 1; k <= 12; ++k) {
        Describe(*keys_[k],
                 {.name = QStringLiteral("Key %1").arg(k),
                  .value =
                      [&key = std::as_const(*keys_[k]), k] {
                          return key.picture() == Depot::ref(DepotArray::imgPunchDn, k)
                                     ? QStringLiteral("down")
                                     : QStringLiteral("up");
                      },
                  .tip =
                      [] {
                          return QStringLiteral("The keypad only latches: the key pressed last "
                                                "stays down. It sets nothing else.");
                      }});
    }

    time_->describe({.name = QStringLiteral("Time"),
                     .role = QAccessible::StaticText,
                     .value = [&m = model_] { return m.timeText().left(5); }});
    // Counted in the hands and told in the time: a screen reader skips them.
    seconds_->describe(
        {.name = QStringLiteral("Seconds"), .role = QAccessible::StaticText, .part = true});
    const auto alarmTip = [&m = model_] {
        return !m.editing() ? QStringLiteral("Alarm time: click to set it digit by digit")
                            : QStringLiteral("Type the time, or click the bars above the digits; "
                                             "click here or press Return to set it");
    };
    const auto alarmValue = [&m = model_] {
        if (m.editing()) {
            return QStringLiteral("editing %1").arg(m.editedTime().left(5));
        }
        return m.armed() ? m.alarmTime().left(5) : QStringLiteral("off");
    };
    alarm_->describe({.name = QStringLiteral("Alarm time"), .value = alarmValue, .tip = alarmTip});
    const std::array<QString, 4> digit{QStringLiteral("tens of hours"), QStringLiteral("hours"),
                                       QStringLiteral("tens of minutes"),
                                       QStringLiteral("minutes")};
    for (size_t k = 0; k < digit.size(); ++k) {
        const QString& what = digit[k];
        Describe(*bars_[k], {.name = QStringLiteral("One more on the %1").arg(what), .tip = [what] {
                                 return QStringLiteral("One more on the %1").arg(what);
                             }});
    }

    for (int k = 0; k < 10; ++k) {
        const int minutes = ClockModel::kPresetMinutes.at(static_cast<size_t>(k));
        const QString words = presetWords(minutes);
        // Named apart from the hot spot of the same minutes, which does the same.
        Describe(*presets_[k], {.name = QStringLiteral("%1, preset").arg(words), .tip = [words, k] {
                                    return QStringLiteral("%1 (key %2)").arg(words).arg(k);
                                }});
    }

    Describe(*face_, {.name = QStringLiteral("Clock face"), .role = QAccessible::Graphic});
    Describe(*faceSwitch_, {.name = QStringLiteral("Alarm switch on the face"),
                            .value = [&m = model_] { return onOff(m); },
                            .tip = [&m = model_] { return alarmSwitchTip(m); }});
    Describe(
        *mark_,
        {.name = QStringLiteral("Countdown mark"),
         .role = QAccessible::Slider,
         .value = [&m = model_] { return countdownValue(m); },
         .tip = [] { return QStringLiteral("Drag to set the countdown (arrow keys)"); },
         // In minutes to the alarm, as the mark stands on the dial; setting it is a drag.
         .scale =
             ControlInfo::Scale{.minimum = 0,
                                .maximum = ClockModel::kCountdownTop,
                                .current = [&m = model_] { return m.armed() ? m.countdown() : 0; },
                                .set = [&m = model_](int minutes) { m.setAlarmIn(minutes); }}});
    countdown_->describe({.name = QStringLiteral("Minutes to the alarm"),
                          .role = QAccessible::StaticText,
                          .value = [&m = model_] { return countdownValue(m); },
                          .tip = [] { return QStringLiteral("Minutes left until the alarm"); }});
    for (size_t k = 0; k < hotSpots_.size(); ++k) {
        const QString words = presetWords(5 * static_cast<int>(k));
        // A copy of the captured words on every call.
        Describe(*hotSpots_[k], {.name = QStringLiteral("%1, dial").arg(words),
                                 .tip = [words] { return QString(words); }});
    }

    Describe(*punchButton_,
             {.name = QStringLiteral("Punch clock"),
              .value =
                  [&m = model_] {
                      return punchValue(
                          m, [](int n) { return QStringLiteral("in, %1").arg(inWords(n)); });
                  },
              .tip =
                  [&m = model_] {
                      return !m.punchMinutes()
                                 ? QStringLiteral("Punch in: counts the minutes from now (P)")
                                 : QStringLiteral("Punch out; the count starts again at "
                                                  "the next punch in (P)");
                  }});
    punchCount_->describe(
        {.name = QStringLiteral("Minutes punched in"),
         .role = QAccessible::StaticText,
         .value = [&m = model_] { return punchValue(m, [](int n) { return QString::number(n); }); },
         .tip = [] { return QStringLiteral("Minutes punched in"); }});

    Describe(*announcer_,
             {.name = QStringLiteral("Announcer"),
              .value =
                  [&m = model_] {
                      return m.announceInterval() == 0
                                 ? QStringLiteral("off")
                                 : QStringLiteral("every %1").arg(inWords(m.announceInterval()));
                  },
              .tip =
                  [&m = model_] {
                      const int next = ClockModel::nextAnnounceInterval(m.announceInterval());
                      const QString then =
                          next == 0 ? QStringLiteral("switch it off")
                                    : QStringLiteral("chime every %1").arg(inWords(next));
                      const QString now =
                          m.announceInterval() == 0
                              ? QStringLiteral("Announcer off (the blank circle)")
                              : QStringLiteral("Chimes every %1, at the yellow marks")
                                    .arg(inWords(m.announceInterval()));
                      return QStringLiteral("%1. Click to %2 (I)").arg(now, then);
                  }});
}

} // namespace velto
