#pragma once
// The command line, read before anything needs a display.

#include <QString>
#include <QStringList>
#include <optional>

namespace velto {

/// What the command line asks for: to start the clock, or to end at once with `status`
/// after printing `out` (to standard output) or `err` (to standard error).
struct CommandLine {
    std::optional<int> status; // empty: start the clock
    QString out;
    QString err;
};

/// Reads `arguments` (the program's name first). --help and --version end with status 0,
/// an unknown option or a stray argument with status 2. Qt's own options (-platform,
/// -display, -style and the like) are let through for the application to take.
CommandLine readCommandLine(const QStringList& arguments);

/// Names the program (name, version, desktop entry) and acts on its command line: returns
/// the status to end with, or nothing when the clock is to start. Needs no application
/// object, so that --help and --version work where there is no display.
std::optional<int> takeCommandLine(int argc, char** argv);

} // namespace velto
