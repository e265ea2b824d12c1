#include "views/words.h"

#include "controls/describe.h"
#include "views/main_window.h"

#include <QLocale>
#include <array>
#include <utility>
#include <variant>
#include <vector>

namespace velto {

namespace {

// The words that follow the model, each asked for when a screen reader or a tooltip needs it.

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

QString timeValue(const ClockModel& m) {
    return minuteText(m.time());
}

/// The date, which the read-out does not show, in the user's own words.
QString dateTip(const ClockModel& m) {
    return QLocale().toString(m.now().date(), QLocale::LongFormat);
}

QString alarmValue(const ClockModel& m) {
    if (m.editing()) {
        return MainWindow::tr("editing %1").arg(minuteText(m.editedTime()));
    }
    return m.armed() ? minuteText(m.alarmTime()) : MainWindow::tr("off");
}

QString alarmTip(const ClockModel& m) {
    return !m.editing() ? MainWindow::tr("Alarm time: click here to type it or to set it "
                                         "digit by digit")
                        : MainWindow::tr("Type the time, or click the bars above the digits; "
                                         "click here or press Return to set it");
}

QString punchValue(const ClockModel& m) {
    return m.punchMinutes() ? MainWindow::tr("in, %1").arg(inWords(*m.punchMinutes()))
                            : MainWindow::tr("out");
}

QString punchCountValue(const ClockModel& m) {
    return m.punchMinutes() ? QString::number(*m.punchMinutes()) : MainWindow::tr("out");
}

QString punchTip(const ClockModel& m) {
    return !m.punchMinutes() ? MainWindow::tr("Punch in: counts the minutes from now (P)")
                             : MainWindow::tr("Punch out; the count starts again at "
                                              "the next punch in (P)");
}

QString announcerValue(const ClockModel& m) {
    return m.announceInterval() == 0
               ? MainWindow::tr("off")
               : MainWindow::tr("every %1").arg(inWords(m.announceInterval()));
}

QString announcerTip(const ClockModel& m) {
    const int next = ClockModel::nextAnnounceInterval(m.announceInterval());
    const QString then = next == 0 ? MainWindow::tr("switch it off")
                                   : MainWindow::tr("chime every %1").arg(inWords(next));
    const QString now = m.announceInterval() == 0
                            ? MainWindow::tr("Announcer off (the blank circle)")
                            : MainWindow::tr("Chimes every %1, at the yellow marks")
                                  .arg(inWords(m.announceInterval()));
    return MainWindow::tr("%1. Click to %2 (I)").arg(now, then);
}

/// What a preset or a hot spot on the dial does.
QString presetWords(int minutes) {
    return minutes == 0 ? MainWindow::tr("No countdown")
                        : MainWindow::tr("Alarm in %1").arg(inWords(minutes));
}

/// Words that never change.
std::function<QString()> fixed(QString words) {
    return [words = std::move(words)] { return words; };
}

/// A control of the window, or a read-out that speaks as one, and its words.
struct Row {
    std::variant<ImageControl*, const Readout*> control;
    ControlInfo info;
};

} // namespace

QString inWords(int n) {
    return MainWindow::tr("%n minute(s)", "a span of time", n);
}

void MainWindow::describe() {
    // A clock on the desktop is seldom the active window; its tips show all the same.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    const auto of = [&m = std::as_const(model_)](QString (*words)(const ClockModel&)) {
        return [words, &m] { return words(m); };
    };
    const auto text = QAccessible::StaticText;

    // One row per control: what it is called, its role, and its words.
    std::vector<Row> rows{
        {alarmSwitch_, {.name = tr("Alarm switch"), .value = of(onOff), .tip = of(alarmSwitchTip)}},
        {minimiseButton_,
         {.name = tr("Minimise"), .tip = fixed(tr("Hide the window; the clock runs on (Esc)"))}},
        {closeButton_, {.name = tr("Close"), .tip = fixed(tr("End the clock (Ctrl+Q)"))}},
        {&*time_, {.name = tr("Time"), .role = text, .value = of(timeValue), .tip = of(dateTip)}},
        // Counted in the hands and told in the time: a screen reader skips them.
        {&*seconds_, {.name = tr("Seconds"), .role = text, .part = true}},
        {&*alarm_, {.name = tr("Alarm time"), .value = of(alarmValue), .tip = of(alarmTip)}},
        {face_, {.name = tr("Clock face"), .role = QAccessible::Graphic}},
        {faceSwitch_,
         {.name = tr("Alarm switch on the face"), .value = of(onOff), .tip = of(alarmSwitchTip)}},
        {mark_,
         {.name = tr("Countdown mark"),
          .role = QAccessible::Slider,
          .value = of(countdownValue),
          .tip = fixed(tr("Drag to set the countdown (arrow keys)")),
          // In minutes to the alarm, as the mark stands on the dial; setting it is a drag.
          .scale =
              ControlInfo::Scale{.minimum = 0,
                                 .maximum = ClockModel::kCountdownTop,
                                 .current = [&m = model_] { return m.armed() ? m.countdown() : 0; },
                                 .set = [&m = model_](int minutes) { m.setAlarmIn(minutes); }}}},
        {&*countdown_,
         {.name = tr("Minutes to the alarm"),
          .role = text,
          .value = of(countdownValue),
          .tip = fixed(tr("Minutes left until the alarm"))}},
        {punchButton_, {.name = tr("Punch clock"), .value = of(punchValue), .tip = of(punchTip)}},
        {&*punchCount_,
         {.name = tr("Minutes punched in"),
          .role = text,
          .value = of(punchCountValue),
          .tip = fixed(tr("Minutes punched in"))}},
        {announcer_,
         {.name = tr("Announcer"), .value = of(announcerValue), .tip = of(announcerTip)}},
    };
    // And the controls that come in numbers.
    for (int k = 1; k <= 12; ++k) {
        const auto down = [&key = std::as_const(*keys_[k]), k] {
            return key.picture() == Depot::ref(DepotArray::imgPunchDn, k) ? tr("down") : tr("up");
        };
        rows.push_back({keys_[k],
                        {.name = tr("Key %1").arg(k),
                         .value = down,
                         .tip = fixed(tr("The keypad only latches: the key pressed last "
                                         "stays down. It sets nothing else."))}});
    }
    const std::array<QString, 4> digit{tr("tens of hours"), tr("hours"), tr("tens of minutes"),
                                       tr("minutes")};
    for (size_t k = 0; k < digit.size(); ++k) {
        const QString words = tr("One more on the %1").arg(digit[k]);
        rows.push_back({bars_[k], {.name = words, .tip = fixed(words)}});
    }
    for (int k = 0; k < 10; ++k) {
        const QString words = presetWords(ClockModel::kPresetMinutes.at(static_cast<size_t>(k)));
        // Named apart from the hot spot of the same minutes, which does the same.
        rows.push_back({presets_[k],
                        {.name = tr("%1, preset").arg(words),
                         .tip = fixed(tr("%1 (key %2)").arg(words).arg(k))}});
    }
    for (size_t k = 0; k < hotSpots_.size(); ++k) {
        const QString words = presetWords(5 * static_cast<int>(k));
        rows.push_back({hotSpots_[k], {.name = tr("%1, dial").arg(words), .tip = fixed(words)}});
    }

    for (Row& row : rows) {
        if (ImageControl* const* control = std::get_if<ImageControl*>(&row.control)) {
            describeControl(**control, std::move(row.info));
        } else {
            std::get<const Readout*>(row.control)->describe(row.info);
        }
    }
}

} // namespace velto
