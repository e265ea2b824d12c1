#include "app/words.h"

#include "platform/describe.h"
#include "punch/countdown.h"
#include "render/dial.h"

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
    return m.countdown() == 0 ? QStringLiteral("less than a minute") : Minutes(m.countdown());
}

QString alarmSwitchTip(const ClockModel& m) {
    return m.armed() ? QStringLiteral("Alarm on: click to switch it off (A)")
                     : QStringLiteral("Alarm off: click to switch it on; it rings "
                                      "4 seconds later (A)");
}

QString presetName(int minutes) {
    return minutes == 0 ? QStringLiteral("No countdown")
                        : QStringLiteral("Alarm in %1").arg(Minutes(minutes));
}

void describeHeader(const Ctx& c) {
    Describe(*c.main.imgHeader, {.name = QStringLiteral("Alarm switch"),
                                 .value = [&m = c.model] { return onOff(m); },
                                 .tip = [&m = c.model] { return alarmSwitchTip(m); }});
    Describe(*c.main.imgHeaderV,
             {.name = QStringLiteral("Minimise"),
              .tip = [] { return QStringLiteral("Hide the window; the clock runs on (Esc)"); }});
    Describe(*c.main.imgHeaderX, {.name = QStringLiteral("Close"),
                                  .tip = [] { return QStringLiteral("End the clock (Ctrl+Q)"); }});
}

void describeKeypad(const Ctx& c) {
    for (int k = 1; k <= 12; ++k) {
        Describe(*c.main.imgPunchUp[k],
                 {.name = QStringLiteral("Key %1").arg(k),
                  .value =
                      [&key = std::as_const(*c.main.imgPunchUp[k]), k] {
                          return key.picture() == FrmDepot::ref(DepotArray::imgPunchDn, k)
                                     ? QStringLiteral("down")
                                     : QStringLiteral("up");
                      },
                  .tip =
                      [] {
                          return QStringLiteral("The keypad only latches: the key pressed last "
                                                "stays down. It sets nothing else.");
                      }});
    }
}

void describeReadouts(const Ctx& c) {
    Describe(*c.main.imgTime[0], {.name = QStringLiteral("Time"),
                                  .role = QAccessible::StaticText,
                                  .value = [&m = c.model] { return m.timeText().left(5); }});
    const auto alarmTip = [&m = c.model] {
        return !m.editing() ? QStringLiteral("Alarm time: click to set it digit by digit")
                            : QStringLiteral("Type the time, or click the bars above the digits; "
                                             "click here or press Return to set it");
    };
    const auto alarmValue = [&m = c.model] {
        if (m.editing()) {
            return QStringLiteral("editing %1").arg(m.editedTime().left(5));
        }
        return m.armed() ? m.alarmTime().left(5) : QStringLiteral("off");
    };
    for (size_t e = 0; e < c.main.imgAlarm.size(); ++e) {
        Describe(*c.main.imgAlarm[e], {.name = QStringLiteral("Alarm time"),
                                       .value = alarmValue,
                                       .tip = alarmTip,
                                       .part = e != 0});
    }
    const std::array<QString, 4> digit{QStringLiteral("tens of hours"), QStringLiteral("hours"),
                                       QStringLiteral("tens of minutes"),
                                       QStringLiteral("minutes")};
    for (size_t k = 0; k < digit.size(); ++k) {
        const QString& what = digit[k];
        Describe(*c.main.imgCorrect[k],
                 {.name = QStringLiteral("One more on the %1").arg(what),
                  .tip = [what] { return QStringLiteral("One more on the %1").arg(what); }});
    }
}

void describePresets(const Ctx& c) {
    for (int k = 0; k < 10; ++k) {
        const int minutes = ClockModel::kPresetMinutes.at(static_cast<size_t>(k));
        const QString name = presetName(minutes);
        Describe(*c.main.imgFixed[k], {.name = name, .tip = [name, k] {
                                           return QStringLiteral("%1 (key %2)").arg(name).arg(k);
                                       }});
    }
}

void describeFace(const Ctx& c) {
    FrmVelto& w = c.main;
    Describe(*w.picClock, {.name = QStringLiteral("Clock face"), .role = QAccessible::Graphic});
    Describe(*w.imgCenter, {.name = QStringLiteral("Alarm switch on the face"),
                            .value = [&m = c.model] { return onOff(m); },
                            .tip = [&m = c.model] { return alarmSwitchTip(m); }});
    Describe(*w.imgMark,
             {.name = QStringLiteral("Countdown mark"),
              .role = QAccessible::Slider,
              .value = [&m = c.model] { return countdownValue(m); },
              .tip = [] { return QStringLiteral("Drag to set the countdown (arrow keys)"); }});
    for (int i : {0, 1}) {
        Describe(*w.imgSet[i],
                 {.name = QStringLiteral("Minutes to the alarm"),
                  .role = QAccessible::StaticText,
                  .value = [&m = c.model] { return countdownValue(m); },
                  .tip = [] { return QStringLiteral("Minutes left until the alarm"); },
                  .part = i != 0});
    }
    for (size_t k = 0; k < w.imgHotSpot.size(); ++k) {
        const QString name = presetName(5 * static_cast<int>(k));
        // The copy captured is handed out on every call: not a local that could move.
        // NOLINTNEXTLINE(performance-no-automatic-move)
        Describe(*w.imgHotSpot[k], {.name = name, .tip = [name] { return name; }});
    }

    Describe(*w.imgPunch,
             {.name = QStringLiteral("Punch clock"),
              .value =
                  [&m = c.model] {
                      return !m.punchMinutes()
                                 ? QStringLiteral("out")
                                 : QStringLiteral("in, %1").arg(Minutes(*m.punchMinutes()));
                  },
              .tip =
                  [&m = c.model] {
                      return !m.punchMinutes()
                                 ? QStringLiteral("Punch in: counts the minutes from now (P)")
                                 : QStringLiteral("Punch out; the count starts again at "
                                                  "the next punch in (P)");
                  }});
    for (int i : {2, 3, 4}) {
        Describe(*w.imgSet[i], {.name = QStringLiteral("Minutes punched in"),
                                .role = QAccessible::StaticText,
                                .value =
                                    [&m = c.model] {
                                        return !m.punchMinutes()
                                                   ? QStringLiteral("out")
                                                   : QString::number(*m.punchMinutes());
                                    },
                                .tip = [] { return QStringLiteral("Minutes punched in"); },
                                .part = i != 2});
    }

    Describe(*w.imgEach,
             {.name = QStringLiteral("Announcer"),
              .value =
                  [&m = c.model] {
                      return m.announceInterval() == 0
                                 ? QStringLiteral("off")
                                 : QStringLiteral("every %1").arg(Minutes(m.announceInterval()));
                  },
              .tip =
                  [&m = c.model] {
                      const int next = ClockModel::nextAnnounceInterval(m.announceInterval());
                      const QString then =
                          next == 0 ? QStringLiteral("switch it off")
                                    : QStringLiteral("chime every %1").arg(Minutes(next));
                      const QString now =
                          m.announceInterval() == 0
                              ? QStringLiteral("Announcer off (the blank circle)")
                              : QStringLiteral("Chimes every %1, at the yellow marks")
                                    .arg(Minutes(m.announceInterval()));
                      return QStringLiteral("%1. Click to %2 (I)").arg(now, then);
                  }});
}

} // namespace

QString Minutes(int n) {
    return n == 1 ? QStringLiteral("1 minute") : QStringLiteral("%1 minutes").arg(n);
}

void DescribeControls(const Ctx& c) {
    // A clock on the desktop is seldom the active window; its tips show all the same.
    c.main.setAttribute(Qt::WA_AlwaysShowToolTips);
    describeHeader(c);
    describeKeypad(c);
    describeReadouts(c);
    describePresets(c);
    describeFace(c);
}

} // namespace velto
