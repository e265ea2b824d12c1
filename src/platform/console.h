#pragma once
// What the program says on the console. Each part speaks in a logging category of its own
// (QT_LOGGING_RULES="velto.sound=false" quiets one); the user reads every line as
// "velto: <text>" on standard error, whichever part said it.

#include <QLoggingCategory>
#include <QString>

namespace velto {

Q_DECLARE_LOGGING_CATEGORY(lcAccess)   // what screen readers are told, and refused
Q_DECLARE_LOGGING_CATEGORY(lcArt)      // drawing the pictures
Q_DECLARE_LOGGING_CATEGORY(lcCommands) // commands from scripts and the session bus
Q_DECLARE_LOGGING_CATEGORY(lcDesktop)  // notifications, message boxes, start at login
Q_DECLARE_LOGGING_CATEGORY(lcInstance) // the single-instance guard
Q_DECLARE_LOGGING_CATEGORY(lcMedia)    // pausing the desktop's media players during a ring
Q_DECLARE_LOGGING_CATEGORY(lcPunch)    // the punch log and its export
Q_DECLARE_LOGGING_CATEGORY(lcQt)       // the Qt the program runs on
Q_DECLARE_LOGGING_CATEGORY(lcSession)  // the session ending
Q_DECLARE_LOGGING_CATEGORY(lcSettings) // the settings file and what is kept in it
Q_DECLARE_LOGGING_CATEGORY(lcSound)    // the sound of a ring

/// The line the user reads for `text` said in the category of `context`: "velto: <text>" for
/// one of the program's own categories, empty for any other (Qt's own lines).
QString consoleLine(const QMessageLogContext& context, const QString& text);

/// From now on the program's own categories reach standard error as consoleLine() puts
/// them; every other message goes where it went before. Call first in main().
void installConsole();

} // namespace velto
