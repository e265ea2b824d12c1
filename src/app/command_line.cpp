#include "app/command_line.h"
#include "observers/punch_export.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <cstdio>

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

} // namespace

CommandLine readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Analog clock, timer, alarm, time intervals announcer, punch clock."));
    // Qt's options have one dash ("-platform wayland"); they must not read as "-p -l -a ...".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    addOptions(parser, false);

    const QString program = QStringLiteral("velto");
    if (!parser.parse(arguments)) {
        return {2,
                {},
                QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                    .arg(program, parser.errorText())};
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        QString text = parser.helpText();
        if (parser.isSet(QStringLiteral("help-all"))) {
            // The same parser again, with Qt's own options shown.
            QCommandLineParser all;
            all.setApplicationDescription(parser.applicationDescription());
            all.addHelpOption();
            all.addVersionOption();
            addOptions(all, true);
            text = all.helpText();
        }
        // Without an application object the parser does not know the program's name.
        return {0, text.replace(QStringLiteral("<executable_name>"), program), {}};
    }
    if (parser.isSet(version)) {
        return {
            0, QStringLiteral("%1 %2\n").arg(program, QGuiApplication::applicationVersion()), {}};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return {2,
                {},
                QStringLiteral("%1: unexpected argument '%2'\nTry '%1 --help' for more "
                               "information.\n")
                    .arg(program, parser.positionalArguments().constFirst())};
    }
    return {};
}

std::optional<int> takeCommandLine(int argc, char** argv) {
    QGuiApplication::setApplicationName(QStringLiteral("velto"));
    QGuiApplication::setApplicationVersion(QStringLiteral(VELTO_VERSION));
    // Docks, task bars and Wayland compositors match the windows to the desktop entry by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELTO_APP_ID));

    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    if (const auto exported = runExport(arguments)) {
        return exported;
    }
    const CommandLine line = readCommandLine(arguments);
    std::fputs(qPrintable(line.out), stdout);
    std::fputs(qPrintable(line.err), stderr);
    return line.status;
}

} // namespace velto
