// The commands of scripts and the desktop: read from the command line, carried over the
// instance's channel as words, carried out on the model.
#include "app/command_line.h"
#include "fakes.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace velto::test {

TEST(Commands, ValuesAreReadOrRefusedNamingTheBadValue) {
    struct Case {
        const char* option;
        const char* value;
        std::optional<Command> expected; // none: refused
    };
    const Case cases[] = {
        {"in", "25", Command{CommandVerb::Countdown, 25, {}, {}, {}}},
        {"in", "1:30", Command{CommandVerb::Countdown, 90, {}, {}, {}}},
        {"in", "1440", Command{CommandVerb::Countdown, 1440, {}, {}, {}}},
        {"in", "0", {}},
        {"in", "-3", {}},
        {"in", "1441", {}},
        {"in", "abc", {}},
        {"in", "1:60", {}},
        {"at", "07:00", Command{CommandVerb::AlarmAt, 0, QTime(7, 0), {}, {}}},
        {"at", "7:05", Command{CommandVerb::AlarmAt, 0, QTime(7, 5), {}, {}}},
        {"at", "25:00", {}},
        {"at", "7", {}},
        {"at", "07:00:00", {}},
        {"punch", "in", Command{CommandVerb::Punch, 0, {}, PunchAction::In, {}}},
        {"punch", "toggle", Command{CommandVerb::Punch, 0, {}, PunchAction::Toggle, {}}},
        {"punch", "sideways", {}},
        {"announce", "off", Command{CommandVerb::Announce, 0, {}, {}, {}}},
        {"announce", "60", Command{CommandVerb::Announce, 60, {}, {}, {}}},
        {"announce", "7", {}},
        {"announce", "0", {}},
        {"off", "", Command{CommandVerb::AlarmOff, 0, {}, {}, {}}},
        {"quit", "now", {}},
        {"reboot", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.option) + " " + c.value);
        const ReadCommand read =
            readCommand(QString::fromLatin1(c.option), QString::fromLatin1(c.value));
        EXPECT_EQ(read.command, c.expected);
        if (c.expected) {
            // What the running clock receives reads back as the same command.
            EXPECT_EQ(readCommandWords(c.expected->words()).command, c.expected);
        } else {
            EXPECT_TRUE(read.error.contains(QString::fromLatin1(c.value)) ||
                        QString::fromLatin1(c.value).isEmpty())
                << read.error.toStdString();
        }
    }
    EXPECT_FALSE(readCommandWords(QString(100, QLatin1Char('1'))).command);
}

TEST(Commands, TheCommandLineTakesOneCommandAtATime) {
    const auto line = [](QStringList arguments) {
        arguments.prepend(QStringLiteral("velto"));
        return readCommandLine(arguments);
    };
    const CommandLine json = line({QStringLiteral("--status"), QStringLiteral("--json")});
    ASSERT_TRUE(json.command);
    EXPECT_EQ(json.command->verb, CommandVerb::StatusJson);
    EXPECT_FALSE(line({}).command);
    for (const QStringList& bad :
         {QStringList{QStringLiteral("--in"), QStringLiteral("5"), QStringLiteral("--off")},
          QStringList{QStringLiteral("--json")},
          QStringList{QStringLiteral("--in"), QStringLiteral("-3")},
          QStringList{QStringLiteral("--at=7"), QStringLiteral("--at=8")},
          QStringList{QStringLiteral("--label"), QStringLiteral("Tea")},
          QStringList{QStringLiteral("--off"), QStringLiteral("--label=Tea")},
          QStringList{QStringLiteral("--in=4"), QStringLiteral("--label"), QString(41, 'x')},
          QStringList{QStringLiteral("--at=07:00"), QStringLiteral("--label=a\u0007")}}) {
        const CommandLine refused = line(bad);
        EXPECT_EQ(refused.status, kBadUsage) << bad.join(' ').toStdString();
        EXPECT_FALSE(refused.err.isEmpty());
    }
    EXPECT_TRUE(line({QStringLiteral("--in"), QStringLiteral("-3")}).err.contains("'-3'"));
    // A label goes with the alarm it names, and crosses to the running clock whole.
    const CommandLine tea =
        line({QStringLiteral("--in=4"), QStringLiteral("--label"), QStringLiteral("Grüner Tee")});
    ASSERT_TRUE(tea.command);
    EXPECT_EQ(tea.command->label, QStringLiteral("Grüner Tee"));
    EXPECT_EQ(readCommandWords(tea.command->words()).command, tea.command);
    // Every command is in the help, with its example.
    const QString help = line({QStringLiteral("--help")}).out.simplified();
    for (const CommandOption& o : commandOptions()) {
        EXPECT_TRUE(help.contains(QString::fromLatin1(o.example))) << o.name;
    }
}

class CommandsOnTheModel : public ModelTest {
protected:
    ClockCommands commands{model()};
    CommandAnswer run(const char* option, const char* value = "") {
        return commands.carryOut(
            *readCommand(QString::fromLatin1(option), QString::fromLatin1(value)).command);
    }
    QJsonObject status() { return QJsonDocument::fromJson(commands.statusJson()).object(); }
};

TEST_F(CommandsOnTheModel, ACommandDoesWhatTheWindowWouldAndTheStatusSaysIt) {
    startAt(QStringLiteral("23:50:07"));
    run("at", "07:00"); // the next 07:00 to come: tomorrow's
    QJsonObject alarm = status()[QStringLiteral("alarm")].toObject();
    EXPECT_EQ(alarm[QStringLiteral("kind")], QStringLiteral("time"));
    EXPECT_EQ(alarm[QStringLiteral("at")], QStringLiteral("2026-12-09T07:00:00+01:00"));
    EXPECT_EQ(alarm[QStringLiteral("minutes_left")], 430);
    EXPECT_EQ(model().countdown(), ClockModel::kCountdownTop);

    run("in", "90"); // longer than the face counts: it shows as a typed time does
    alarm = status()[QStringLiteral("alarm")].toObject();
    EXPECT_EQ(alarm[QStringLiteral("kind")], QStringLiteral("countdown"));
    EXPECT_EQ(alarm[QStringLiteral("at")], QStringLiteral("2026-12-09T01:20:07+01:00"));
    EXPECT_EQ(alarm[QStringLiteral("minutes_left")], 90);
    EXPECT_EQ(minuteText(model().alarmTime()), QStringLiteral("01:20"));

    run("punch", "in");
    run("punch", "in"); // in already: stays in, since then
    tickAfter(5 * 60);
    run("announce", "30");
    const QJsonObject state = status();
    EXPECT_EQ(state[QStringLiteral("time")], QStringLiteral("2026-12-08T23:55:07+01:00"));
    EXPECT_EQ(state[QStringLiteral("punch")][QStringLiteral("since")],
              QStringLiteral("2026-12-08T23:50:07+01:00"));
    EXPECT_EQ(state[QStringLiteral("punch")][QStringLiteral("minutes")], 5);
    EXPECT_EQ(state[QStringLiteral("announcer")][QStringLiteral("interval")], 30);
    EXPECT_EQ(model().announceInterval(), 30);

    run("off");
    run("punch", "out");
    const QJsonObject off = status();
    EXPECT_TRUE(off[QStringLiteral("alarm")][QStringLiteral("at")].isNull());
    EXPECT_TRUE(off[QStringLiteral("punch")][QStringLiteral("minutes")].isNull());
    EXPECT_FALSE(model().armed());
    EXPECT_EQ(minuteText(model().alarmTime()), QStringLiteral("01:20")); // as the switch leaves it
}

TEST_F(CommandsOnTheModel, WordsThatAreNoCommandAreRefusedAndChangeNothing) {
    startAt(QStringLiteral("10:00:00"));
    for (const char* words : {"in 0", "at 25:00", "punch sideways", "rm -rf /", "", "in 5 6"}) {
        EXPECT_TRUE(commands.answerWords(words).startsWith("1\n")) << words;
    }
    EXPECT_FALSE(model().armed());
    EXPECT_FALSE(model().punchMinutes());
    EXPECT_TRUE(commands.answerWords("in 5").startsWith("0\n"));
    EXPECT_TRUE(model().armed());
    // A status bar's line: the countdown as its text, the state for its icon.
    const QJsonObject bar = QJsonDocument::fromJson(commands.waybarLine()).object();
    EXPECT_EQ(bar[QStringLiteral("class")], QStringLiteral("countdown"));
    EXPECT_TRUE(bar[QStringLiteral("text")].toString().contains(QLatin1String("5")));
}

} // namespace velto::test
