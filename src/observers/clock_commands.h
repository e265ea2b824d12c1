#pragma once
// What scripts and the desktop may ask of the running clock: one table of commands that the
// command line (through the single-instance channel) and the session bus both carry out on
// the model, as the same action on the window would.

#include "model/clock_model.h"

#include <QObject>
#include <QString>
#include <QTime>
#include <functional>
#include <optional>
#include <span>

namespace velto {

enum class CommandVerb {
    Countdown, // the alarm as a countdown of `minutes`
    AlarmAt,   // the alarm at the next `time` to come
    AlarmOff,
    Punch, // in, out or toggle
    Announce,
    Status,     // in a few lines for people
    StatusJson, // as one JSON object for programs
    Waybar,     // one line for a status bar's custom module
    Quit,
    StopRing, // the ringing alarm
    Snooze,   // the ringing alarm
};

enum class PunchAction { In, Out, Toggle };

/// One command, checked: its values are in range.
struct Command {
    CommandVerb verb = CommandVerb::Status;
    int minutes = 0; // Countdown (1..kLongestCountdown), Announce (one of the announcer's)
    QTime time;      // AlarmAt
    PunchAction punch = PunchAction::Toggle;
    QString label; // Countdown and AlarmAt: the alarm's label, empty for none

    /// The words that carry the command to the running clock: "in 25", "punch in".
    [[nodiscard]] QString words() const;
    /// Whether a clock is started to carry it out when none runs.
    [[nodiscard]] bool startsClock() const;
    /// The status a command that finds no clock running ends with, when it starts none.
    [[nodiscard]] int statusWithoutClock() const;

    bool operator==(const Command&) const = default;
};

/// The longest countdown: a day.
constexpr int kLongestCountdown = 24 * 60;

/// How a command ended, as the command line's exit status.
enum CommandStatus {
    kDone = 0,
    kRefused = 1, // refused by the clock, or no answer in time
    kBadUsage = 2,
    kNoClock = 3,
};

/// A command option of the command line: its name without dashes, its value's name (null for
/// a switch), what it does and an example.
struct CommandOption {
    const char* name;
    const char* value;
    const char* does;
    const char* example;
};
/// Every command option, in the order the help lists them; --json goes with --status and
/// --label with --in or --at.
std::span<const CommandOption> commandOptions();

/// A command read from an option and its value, or what is wrong with them.
struct ReadCommand {
    std::optional<Command> command;
    QString error; // names the bad value; empty when there is a command
};
/// Reads option `name` (as in commandOptions()) with its `value` ("" for a switch), and the
/// --label given with it, if any.
ReadCommand readCommand(const QString& name, const QString& value, bool json = false,
                        const std::optional<QString>& label = std::nullopt);
/// Reads a command from its words(), as the running clock receives them: anything else is
/// refused there.
ReadCommand readCommandWords(const QString& words);

struct CommandAnswer {
    int status = kDone;
    QString text; // for standard output when done, standard error otherwise
};

/// Carries out commands on the model. Owned by the model's owner; says its answers in the
/// program's language.
class ClockCommands final : public QObject {
    Q_OBJECT
public:
    explicit ClockCommands(ClockModel& model, QObject* parent = nullptr);

    /// Quit asked for: called after the answer has gone.
    std::function<void()> onQuit;

    CommandAnswer carryOut(const Command& command);
    /// The words of a command as they came over the channel, answered as
    /// "<status>\n<text>"; words that are no command are refused.
    QByteArray answerWords(const QByteArray& words);

    /// The state in a few lines: the time, the alarm, the announcer, the punch clock.
    [[nodiscard]] QString statusText() const;
    /// The state as one JSON object (version 1), times as local ISO 8601 with their offset.
    [[nodiscard]] QByteArray statusJson() const;
    /// One line of JSON for a status bar's custom module: text, tooltip, class and alt.
    [[nodiscard]] QByteArray waybarLine() const;

private:
    [[nodiscard]] QString alarmLine() const;
    [[nodiscard]] QString announcerLine() const;
    [[nodiscard]] QString punchLine() const;

    ClockModel& model_;
};

} // namespace velto
