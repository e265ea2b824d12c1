#include "app/command_line.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <cstdio>

namespace velto {

namespace {

/// Options that QGuiApplication, QApplication and the X11 platform take from the command line
/// themselves: with a value, and without.
constexpr const char* kQtOptions[] = {"platform",
                                      "platformpluginpath",
                                      "platformtheme",
                                      "plugin",
                                      "display",
                                      "geometry",
                                      "name",
                                      "title",
                                      "qwindowgeometry",
                                      "qwindowicon",
                                      "qwindowtitle",
                                      "style",
                                      "stylesheet",
                                      "session"};
constexpr const char* kQtSwitches[] = {"reverse", "nograb", "dograb", "sync", "widgetcount"};

} // namespace

CommandLine readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Analog clock, timer, alarm, time intervals announcer, punch clock."));
    // Qt's options have one dash ("-platform wayland"); they must not read as "-p -l -a ...".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const char* name : kQtOptions) {
        QCommandLineOption option(QString::fromLatin1(name), {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtSwitches) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const QString program = QStringLiteral("velto");
    if (!parser.parse(arguments)) {
        return {2,
                {},
                QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                    .arg(program, parser.errorText())};
    }
    // --help-all too: Qt's own options are for Qt's documentation to explain.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object the parser does not know the program's name.
        return {0, parser.helpText().replace(QStringLiteral("<executable_name>"), program), {}};
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
    const CommandLine line = readCommandLine(arguments);
    std::fputs(qPrintable(line.out), stdout);
    std::fputs(qPrintable(line.err), stderr);
    return line.status;
}

} // namespace velto
