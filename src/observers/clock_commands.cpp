#include "observers/clock_commands.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>

namespace velto {

namespace {

constexpr CommandOption kOptions[] = {
    {"in", "minutes", "arms a countdown of 1 to 1440 minutes (or h:mm)", "velto --in 25"},
    {"at", "HH:MM", "arms the alarm for the next HH:MM to come", "velto --at 07:00"},
    {"off", nullptr, "switches the alarm off", "velto --off"},
    {"punch", "in|out|toggle", "punches the punch clock in, out, or the other way",
     "velto --punch in"},
    {"announce", "off|10|15|20|30|60", "sets the interval the clock announces",
     "velto --announce 30"},
    {"status", nullptr, "tells the running clock's state", "velto --status"},
    {"json", nullptr, "with --status: the state as one JSON object", "velto --status --json"},
    {"waybar", nullptr, "one line of JSON for a status bar's custom module", "velto --waybar"},
    {"quit", nullptr, "ends the running clock", "velto --quit"},
    {"label", "text", "with --in or --at: the alarm's label", "velto --in 4 --label Tea"},
    {"stop", nullptr, "stops the ringing alarm", "velto --stop"},
    {"snooze", nullptr, "snoozes the ringing alarm", "velto --snooze"},
};

/// A label as it travels in a command's words: "label=" and no spaces, nothing but
/// printable ASCII.
QString labelWord(const QString& label) {
    return QStringLiteral("label=") + QString::fromLatin1(label.toUtf8().toPercentEncoding());
}

ReadCommand bad(const QString& why) {
    return {std::nullopt, why};
}

ReadCommand good(Command command) {
    return {command, {}};
}

/// An option and its value, without a label.
ReadCommand readOption(const QString& name, const QString& value, bool json);

/// "25" or "1:30" as minutes; none for anything else.
std::optional<int> spanOf(const QString& text) {
    static const QRegularExpression minutes(QStringLiteral("^\\d{1,4}$"));
    static const QRegularExpression hoursMinutes(QStringLiteral("^(\\d{1,2}):([0-5]\\d)$"));
    if (minutes.match(text).hasMatch()) {
        return text.toInt();
    }
    const QRegularExpressionMatch m = hoursMinutes.match(text);
    if (m.hasMatch()) {
        return m.captured(1).toInt() * 60 + m.captured(2).toInt();
    }
    return std::nullopt;
}

QString iso(const QDateTime& t) {
    return t.toString(Qt::ISODate);
}

/// The ISO time of `t`, or null.
QJsonValue isoOrNull(const ClockModel& model, std::optional<Instant> t) {
    return t ? QJsonValue(iso(model.localAt(*t))) : QJsonValue(QJsonValue::Null);
}

QString kindName(AlarmKind kind) {
    return kind == AlarmKind::Countdown ? QStringLiteral("countdown") : QStringLiteral("time");
}

} // namespace

std::span<const CommandOption> commandOptions() {
    return kOptions;
}

QString Command::words() const {
    switch (verb) {
    case CommandVerb::Countdown:
        return QStringLiteral("in %1").arg(minutes) +
               (label.isEmpty() ? QString() : QLatin1Char(' ') + labelWord(label));
    case CommandVerb::AlarmAt:
        return QStringLiteral("at ") + minuteText(time) +
               (label.isEmpty() ? QString() : QLatin1Char(' ') + labelWord(label));
    case CommandVerb::StopRing:
        return QStringLiteral("stop");
    case CommandVerb::Snooze:
        return QStringLiteral("snooze");
    case CommandVerb::AlarmOff:
        return QStringLiteral("off");
    case CommandVerb::Punch:
        return punch == PunchAction::In    ? QStringLiteral("punch in")
               : punch == PunchAction::Out ? QStringLiteral("punch out")
                                           : QStringLiteral("punch toggle");
    case CommandVerb::Announce:
        return minutes == 0 ? QStringLiteral("announce off")
                            : QStringLiteral("announce %1").arg(minutes);
    case CommandVerb::Status:
        return QStringLiteral("status");
    case CommandVerb::StatusJson:
        return QStringLiteral("status json");
    case CommandVerb::Waybar:
        return QStringLiteral("waybar");
    case CommandVerb::Quit:
        return QStringLiteral("quit");
    }
    return {};
}

bool Command::startsClock() const {
    switch (verb) {
    case CommandVerb::Countdown:
    case CommandVerb::AlarmAt:
    case CommandVerb::Announce:
        return true;
    case CommandVerb::Punch:
        return punch != PunchAction::Out;
    default:
        return false;
    }
}

int Command::statusWithoutClock() const {
    // Off and out are what a clock that does not run is already.
    return verb == CommandVerb::AlarmOff || verb == CommandVerb::Punch ? kDone : kNoClock;
}

ReadCommand readCommand(const QString& name, const QString& value, bool json,
                        const std::optional<QString>& label) {
    ReadCommand read = readOption(name, value, json);
    if (!label || !read.command) {
        return read;
    }
    const CommandVerb verb = read.command->verb;
    if (verb != CommandVerb::Countdown && verb != CommandVerb::AlarmAt) {
        return bad(QStringLiteral("--label goes with --in or --at only"));
    }
    const QString why = ClockModel::labelProblem(*label);
    if (!why.isEmpty()) {
        return bad(QStringLiteral("--label: %1").arg(why));
    }
    read.command->label = label->trimmed();
    return read;
}

namespace {

ReadCommand readOption(const QString& name, const QString& value, bool json) {
    const QString quoted = QStringLiteral("'%1'").arg(value);
    if (json && name != QLatin1String("status")) {
        return bad(QStringLiteral("--json goes with --status only"));
    }
    if (name == QLatin1String("in")) {
        const auto span = spanOf(value);
        if (!span || *span < 1 || *span > kLongestCountdown) {
            return bad(QStringLiteral("a countdown is 1 to %1 minutes, or h:mm up to 24:00, not %2")
                           .arg(kLongestCountdown)
                           .arg(quoted));
        }
        return good({CommandVerb::Countdown, *span, {}, {}, {}});
    }
    if (name == QLatin1String("at")) {
        static const QRegularExpression hhmm(QStringLiteral("^([01]?\\d|2[0-3]):([0-5]\\d)$"));
        const QRegularExpressionMatch m = hhmm.match(value);
        if (!m.hasMatch()) {
            return bad(
                QStringLiteral("an alarm time is a time of day as HH:MM (00:00 to 23:59), not %1")
                    .arg(quoted));
        }
        return good(
            {CommandVerb::AlarmAt, 0, QTime(m.captured(1).toInt(), m.captured(2).toInt()), {}, {}});
    }
    if (name == QLatin1String("punch")) {
        const PunchAction* action = nullptr;
        static constexpr PunchAction kActions[] = {PunchAction::In, PunchAction::Out,
                                                   PunchAction::Toggle};
        static const QString kNames[] = {QStringLiteral("in"), QStringLiteral("out"),
                                         QStringLiteral("toggle")};
        for (size_t i = 0; i < std::size(kNames); ++i) {
            if (value == kNames[i]) {
                action = &kActions[i];
            }
        }
        if (action == nullptr) {
            return bad(
                QStringLiteral("the punch clock is punched in, out or toggle, not %1").arg(quoted));
        }
        return good({CommandVerb::Punch, 0, {}, *action, {}});
    }
    if (name == QLatin1String("announce")) {
        const auto& intervals = ClockModel::kAnnounceIntervals;
        bool number = false;
        const int interval = value == QLatin1String("off") ? 0 : value.toInt(&number);
        const bool known =
            (number || interval == 0) && value != QLatin1String("0") &&
            std::find(intervals.begin(), intervals.end(), interval) != intervals.end();
        if (!known) {
            return bad(QStringLiteral(
                           "the announcer's interval is off, 10, 15, 20, 30 or 60 minutes, not %1")
                           .arg(quoted));
        }
        return good({CommandVerb::Announce, interval, {}, {}, {}});
    }
    static const std::pair<const char*, CommandVerb> kSwitches[] = {
        {"off", CommandVerb::AlarmOff},  {"status", CommandVerb::Status},
        {"waybar", CommandVerb::Waybar}, {"quit", CommandVerb::Quit},
        {"stop", CommandVerb::StopRing}, {"snooze", CommandVerb::Snooze},
    };
    for (const auto& [switchName, verb] : kSwitches) {
        if (name == QLatin1String(switchName)) {
            if (!value.isEmpty()) {
                return bad(QStringLiteral("%1 takes no value, not %2").arg(name, quoted));
            }
            return good({json ? CommandVerb::StatusJson : verb, 0, {}, {}, {}});
        }
    }
    return bad(QStringLiteral("no such command: %1").arg(name));
}

} // namespace

ReadCommand readCommandWords(const QString& words) {
    // A label of the longest, each character sent as three bytes in percent signs.
    constexpr qsizetype kLongest = 32 + 9 * ClockModel::kLabelLength;
    if (words.size() > kLongest) {
        return bad(QStringLiteral("the command is too long"));
    }
    if (words == QLatin1String("status json")) {
        return readCommand(QStringLiteral("status"), {}, true);
    }
    const QStringList parts = words.split(QLatin1Char(' '));
    const QString labelled = QStringLiteral("label=");
    if (parts.size() == 3 && parts[2].startsWith(labelled)) { // in/at, its value and a label
        return readCommand(parts[0], parts[1], false,
                           QString::fromUtf8(QByteArray::fromPercentEncoding(
                               parts[2].mid(labelled.size()).toLatin1())));
    }
    if (parts.size() > 2) {
        return bad(QStringLiteral("no such command: %1").arg(words));
    }
    return parts.size() == 1 ? readCommand(words, {}) : readCommand(parts[0], parts[1]);
}

ClockCommands::ClockCommands(ClockModel& model, QObject* parent) : QObject(parent), model_(model) {}

CommandAnswer ClockCommands::carryOut(const Command& command) {
    model_.catchUp(); // a hidden clock's last tick may be most of a minute old
    switch (command.verb) {
    case CommandVerb::Countdown:
        // A timer from a script is whole: without a label of its own it has none.
        model_.setLabel(command.label);
        model_.setAlarmIn(command.minutes);
        return {kDone, alarmLine()};
    case CommandVerb::AlarmAt:
        model_.setLabel(command.label);
        model_.setAlarm(command.time);
        return {kDone, alarmLine()};
    case CommandVerb::StopRing:
        if (!model_.stopRing()) {
            return {kRefused, tr("No alarm is ringing")};
        }
        return {kDone, tr("Alarm stopped")};
    case CommandVerb::Snooze:
        if (!model_.snooze()) {
            return {kRefused, tr("No alarm is ringing")};
        }
        return {kDone, alarmLine()};
    case CommandVerb::AlarmOff:
        if (model_.armed()) {
            model_.toggleAlarm(); // as the switch does: the time stays on the face
        }
        return {kDone, alarmLine()};
    case CommandVerb::Punch: {
        const bool in = model_.punchMinutes().has_value();
        if (command.punch == PunchAction::Toggle || (command.punch == PunchAction::In) != in) {
            model_.togglePunch();
        }
        return {kDone, punchLine()};
    }
    case CommandVerb::Announce:
        model_.setAnnounceInterval(command.minutes);
        return {kDone, announcerLine()};
    case CommandVerb::Status:
        return {kDone, statusText()};
    case CommandVerb::StatusJson:
        return {kDone, QString::fromUtf8(statusJson())};
    case CommandVerb::Waybar:
        return {kDone, QString::fromUtf8(waybarLine())};
    case CommandVerb::Quit:
        // After this answer has gone back.
        QTimer::singleShot(0, this, [this] {
            if (onQuit) {
                onQuit();
            }
        });
        return {kDone, {}};
    }
    return {kRefused, {}};
}

QByteArray ClockCommands::answerWords(const QByteArray& words) {
    const ReadCommand read = readCommandWords(QString::fromUtf8(words).trimmed());
    const CommandAnswer answer =
        read.command ? carryOut(*read.command) : CommandAnswer{kRefused, read.error};
    QString text = answer.text;
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) {
        text += QLatin1Char('\n');
    }
    return QByteArray::number(answer.status) + '\n' + text.toUtf8();
}

QString ClockCommands::alarmLine() const {
    if (model_.ringing()) {
        return tr("Alarm: ringing");
    }
    if (!model_.armed()) {
        return tr("Alarm: off");
    }
    const int left = model_.minutesLeft();
    const QString in = left == 0 ? tr("in less than a minute") : tr("in %n minute(s)", "", left);
    const QString at = minuteText(model_.localAt(*model_.alarmAt()).time());
    QString line = model_.snoozed() ? tr("Alarm: snoozed, rings at %1 (%2)").arg(at, in)
                   : model_.alarmKind() == AlarmKind::Countdown
                       ? tr("Alarm: countdown, rings at %1 (%2)").arg(at, in)
                       : tr("Alarm: at %1 (%2)").arg(at, in);
    if (!model_.label().isEmpty()) {
        line += QStringLiteral(" - ") + model_.label();
    }
    return line;
}

QString ClockCommands::announcerLine() const {
    const int every = model_.announceInterval();
    return every == 0 ? tr("Announcer: off") : tr("Announcer: every %n minute(s)", "", every);
}

QString ClockCommands::punchLine() const {
    if (!model_.punchMinutes() || !model_.punchedInAt()) {
        return tr("Punch clock: out");
    }
    return tr("Punch clock: in since %1 (%n minute(s))", "", *model_.punchMinutes())
        .arg(minuteText(model_.localAt(*model_.punchedInAt()).time()));
}

QString ClockCommands::statusText() const {
    return tr("Time: %1").arg(timeText(model_.time())) + QLatin1Char('\n') + alarmLine() +
           QLatin1Char('\n') + announcerLine() + QLatin1Char('\n') + punchLine() +
           QLatin1Char('\n');
}

QByteArray ClockCommands::statusJson() const {
    const bool armed = model_.armed();
    const bool in = model_.punchMinutes().has_value();
    const QJsonObject alarm{
        {QStringLiteral("armed"), armed},
        {QStringLiteral("kind"), kindName(model_.alarmKind())},
        {QStringLiteral("at"), isoOrNull(model_, model_.alarmAt())},
        {QStringLiteral("minutes_left"),
         armed ? QJsonValue(model_.minutesLeft()) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("ringing"), model_.ringing()},
        {QStringLiteral("snoozed"), model_.snoozed()},
        {QStringLiteral("label"),
         model_.label().isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(model_.label())},
    };
    const QJsonObject punch{
        {QStringLiteral("in"), in},
        {QStringLiteral("since"), isoOrNull(model_, model_.punchedInAt())},
        {QStringLiteral("minutes"),
         in ? QJsonValue(*model_.punchMinutes()) : QJsonValue(QJsonValue::Null)},
    };
    const QJsonObject state{
        {QStringLiteral("version"), 1},
        {QStringLiteral("running"), true},
        {QStringLiteral("time"), iso(model_.now())},
        {QStringLiteral("alarm"), alarm},
        {QStringLiteral("announcer"),
         QJsonObject{{QStringLiteral("interval"), model_.announceInterval()}}},
        {QStringLiteral("punch"), punch},
    };
    return QJsonDocument(state).toJson(QJsonDocument::Compact);
}

QByteArray ClockCommands::waybarLine() const {
    // Nothing armed: no text, and the bar hides the module.
    QString text;
    QString kind = QStringLiteral("off");
    if (model_.armed()) {
        kind = kindName(model_.alarmKind());
        text = model_.alarmKind() == AlarmKind::Countdown
                   ? tr("%1 min").arg(model_.minutesLeft())
                   : minuteText(model_.localAt(*model_.alarmAt()).time());
    }
    const QJsonObject line{
        {QStringLiteral("text"), text},
        {QStringLiteral("tooltip"), statusText().trimmed()},
        {QStringLiteral("class"), kind},
        {QStringLiteral("alt"), kind},
    };
    return QJsonDocument(line).toJson(QJsonDocument::Compact);
}

} // namespace velto
