#pragma once
// The command line, read before anything needs a display.

#include "observers/clock_commands.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace velto {

/// What the command line asks for: to start the clock, to send a command to the running one,
/// or to end at once with `status` after printing `out` (to standard output) or `err` (to
/// standard error).
struct CommandLine {
    std::optional<int> status; // empty: start the clock, or send the command
    QString out;
    QString err;
    std::optional<Command> command;
};

/// Reads `arguments` (the program's name first). --help and --version end with status 0,
/// an unknown option, a stray argument, a bad command value or two commands with status 2.
/// Qt's own options (-platform, -display, -style and the like) are let through for the
/// application to take.
CommandLine readCommandLine(const QStringList& arguments);

/// Names the program (name, version, desktop entry) and reads its command line, printing
/// what ends it at once. Needs no application object, so that --help, --version and the
/// commands work where there is no display.
CommandLine takeCommandLine(int argc, char** argv);

/// Sends `command` to the running clock and prints its answer: returns the status to end
/// with, or nothing when no clock runs and one is to start to carry it out.
std::optional<int> sendToRunningClock(const Command& command);

} // namespace velto
