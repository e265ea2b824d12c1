#pragma once
// The main window in words: each control's tooltip, and the name and value a screen reader
// reads (MainWindow::describe). The art carries no text, so this is the only place where the
// controls say what they do.

#include <QString>

namespace velto {

/// "1 minute", "5 minutes".
QString inWords(int minutes);

} // namespace velto
