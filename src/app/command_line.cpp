#include "app/command_line.h"
#include "observers/punch_export.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <cstdio>

#include "platform/local_instance_guard.h"
#include "velto_config.h"

namespace velto {

namespace {

/// An option that QGuiApplication, QApplication or the X11 platform takes from the command
/// line itself; `value` names its value, null for a switch.
struct QtOption {
    const char* name;
    const char* value;
    const char* does;
};
constexpr QtOption kQtOptions[] = {
    {"platform", "name", "the window system plug-in: xcb, wayland, offscreen..."},
    {"platformpluginpath", "path", "where to look for window system plug-ins"},
    {"platformtheme", "name", "the desktop theme plug-in"},
    {"plugin", "name", "one more input plug-in to load"},
    {"display", "display", "the X display to show the clock on"},
    {"geometry", "geometry", "the main window's place and size (X11)"},
    {"name", "name", "the program's name for the X resources"},
    {"title", "title", "the main window's title (X11)"},
    {"qwindowgeometry", "geometry", "the first window's place and size"},
    {"qwindowicon", "icon", "the windows' icon"},
    {"qwindowtitle", "title", "the first window's title"},
    {"style", "style", "the style of standard widgets (Fusion, Windows)"},
    {"stylesheet", "file", "a style sheet for standard widgets"},
    {"session", "id", "the session to restore"},
    {"reverse", nullptr, "lays out right to left"},
    {"nograb", nullptr, "never grabs the mouse or keyboard (X11)"},
    {"dograb", nullptr, "grabs even under a debugger (X11)"},
    {"sync", nullptr, "talks to the X server synchronously, for debugging"},
    {"widgetcount", nullptr, "prints how many widgets were left at the end"},
};

/// Qt's own options, so that they pass; listed in the help only when `withQt`.
void addOptions(QCommandLineParser& parser, bool withQt) {
    for (const QtOption& o : kQtOptions) {
        QCommandLineOption option(QString::fromLatin1(o.name), QString::fromLatin1(o.does),
                                  o.value != nullptr ? QString::fromLatin1(o.value) : QString());
        if (!withQt) {
            option.setFlags(QCommandLineOption::HiddenFromHelp);
        }
        parser.addOption(option);
    }
}

/// The commands for the running clock, each with an example in the help.
void addCommandOptions(QCommandLineParser& parser) {
    for (const CommandOption& o : commandOptions()) {
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(o.name),
                               QStringLiteral("%1 (%2)").arg(QString::fromLatin1(o.does),
                                                             QString::fromLatin1(o.example)),
                               o.value != nullptr ? QString::fromLatin1(o.value) : QString()));
    }
}

/// The punch log's export, which needs no clock and is read before the rest (runExport):
/// here for the help, and to refuse its parts given without it.
constexpr QtOption kExportOptions[] = {
    {"export", "csv|json|ics", "writes the punch log's sessions (velto --export csv)"},
    {"from", "YYYY-MM-DD", "with --export: from that day on"},
    {"to", "YYYY-MM-DD", "with --export: up to that day"},
    {"output", "file", "with --export: into that file, not standard output"},
};

void addExportOptions(QCommandLineParser& parser) {
    for (const QtOption& o : kExportOptions) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(o.name),
                                            QString::fromLatin1(o.does),
                                            QString::fromLatin1(o.value)));
    }
}

/// The one command the parsed line asks for, none, or what is wrong.
ReadCommand commandOf(const QCommandLineParser& parser) {
    QStringList given;
    for (const CommandOption& o : commandOptions()) {
        // --json and --label only go with another.
        if (parser.isSet(QString::fromLatin1(o.name)) && qstrcmp(o.name, "json") != 0 &&
            qstrcmp(o.name, "label") != 0) {
            given << QString::fromLatin1(o.name);
        }
    }
    for (const QtOption& o : kExportOptions) {
        if (parser.isSet(QString::fromLatin1(o.name))) {
            return {std::nullopt, QStringLiteral("--%1 goes with --export only").arg(o.name)};
        }
    }
    const bool json = parser.isSet(QStringLiteral("json"));
    if (given.size() > 1) {
        return {std::nullopt, QStringLiteral("one command at a time, not --%1")
                                  .arg(given.join(QStringLiteral(" and --")))};
    }
    std::optional<QString> label;
    if (parser.isSet(QStringLiteral("label"))) {
        const QStringList labels = parser.values(QStringLiteral("label"));
        if (labels.size() > 1) {
            return {std::nullopt, QStringLiteral("--label given twice")};
        }
        label = labels.constFirst();
    }
    if (given.isEmpty()) {
        if (label) {
            return {std::nullopt, QStringLiteral("--label goes with --in or --at only")};
        }
        return json ? ReadCommand{std::nullopt, QStringLiteral("--json goes with --status only")}
                    : ReadCommand{};
    }
    const QStringList values = parser.values(given.constFirst());
    if (values.size() > 1) {
        return {std::nullopt, QStringLiteral("--%1 given twice").arg(given.constFirst())};
    }
    ReadCommand read = readCommand(given.constFirst(), values.value(0), json, label);
    if (!read.error.isEmpty()) {
        read.error = QStringLiteral("--%1: %2").arg(given.constFirst(), read.error);
    }
    return read;
}

} // namespace

CommandLine readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Analog clock, timer, alarm, time intervals announcer, punch clock."));
    // Qt's options have one dash ("-platform wayland"); they must not read as "-p -l -a ...".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    addCommandOptions(parser);
    addExportOptions(parser);
    addOptions(parser, false);

    const QString program = QStringLiteral("velto");
    if (!parser.parse(arguments)) {
        return {2,
                {},
                QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                    .arg(program, parser.errorText()),
                {}};
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        QString text = parser.helpText();
        if (parser.isSet(QStringLiteral("help-all"))) {
            // The same parser again, with Qt's own options shown.
            QCommandLineParser all;
            all.setApplicationDescription(parser.applicationDescription());
            all.addHelpOption();
            all.addVersionOption();
            addCommandOptions(all);
            addExportOptions(all);
            addOptions(all, true);
            text = all.helpText();
        }
        // Without an application object the parser does not know the program's name.
        return {0, text.replace(QStringLiteral("<executable_name>"), program), {}, {}};
    }
    if (parser.isSet(version)) {
        return {0,
                QStringLiteral("%1 %2\n").arg(program, QGuiApplication::applicationVersion()),
                {},
                {}};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return {2,
                {},
                QStringLiteral("%1: unexpected argument '%2'\nTry '%1 --help' for more "
                               "information.\n")
                    .arg(program, parser.positionalArguments().constFirst()),
                {}};
    }
    const ReadCommand command = commandOf(parser);
    if (!command.error.isEmpty()) {
        return {2,
                {},
                QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                    .arg(program, command.error),
                {}};
    }
    return {std::nullopt, {}, {}, command.command};
}

CommandLine takeCommandLine(int argc, char** argv) {
    QGuiApplication::setApplicationName(QStringLiteral("velto"));
    QGuiApplication::setApplicationVersion(QStringLiteral(VELTO_VERSION));
    // Docks, task bars and Wayland compositors match the windows to the desktop entry by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELTO_APP_ID));

    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    if (const auto exported = runExport(arguments)) {
        return {exported, {}, {}, {}}; // written by the export itself
    }
    CommandLine line = readCommandLine(arguments);
    std::fputs(qPrintable(line.out), stdout);
    std::fputs(qPrintable(line.err), stderr);
    return line;
}

std::optional<int> sendToRunningClock(const Command& command) {
    constexpr std::chrono::seconds kPatience{5};
    const LocalInstanceGuard::Reply reply =
        LocalInstanceGuard::ask(QStringLiteral("velto"), command.words().toUtf8(), kPatience);
    switch (reply.kind) {
    case LocalInstanceGuard::Reply::Kind::NoClock:
        if (command.startsClock()) {
            return std::nullopt;
        }
        if (command.verb == CommandVerb::StatusJson) {
            std::fputs("{\"running\":false}\n", stdout);
        } else if (command.statusWithoutClock() == kNoClock) {
            std::fputs("velto: no clock is running\n", stderr);
        }
        return command.statusWithoutClock();
    case LocalInstanceGuard::Reply::Kind::Silent:
        std::fprintf(stderr, "velto: the running clock did not take the command: %s\n",
                     qPrintable(reply.why));
        return kRefused;
    case LocalInstanceGuard::Reply::Kind::Answered:
        break;
    }
    // "<status>\n<text>"
    const qsizetype lineEnd = reply.answer.indexOf('\n');
    bool isNumber = false;
    const int status = reply.answer.left(lineEnd).toInt(&isNumber);
    if (lineEnd < 0 || !isNumber) {
        std::fputs("velto: the running clock gave an answer that makes no sense\n", stderr);
        return kRefused;
    }
    const QByteArray text = reply.answer.mid(lineEnd + 1);
    if (status == kDone) {
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    } else {
        std::fprintf(stderr, "velto: the running clock refused: %s", text.constData());
    }
    return status;
}

} // namespace velto
