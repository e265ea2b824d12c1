#pragma once
// frmAbout: the program's name, what it does in one line, and a button that opens the
// project's web page. Not modal; made on first use, then only hidden and shown again.

#include "core/context.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;

namespace velto {

/// The project's web page, set when the program is configured.
QString HomePage();

class FrmAbout final : public QWidget {
    Q_OBJECT
public:
    FrmAbout();

    QGroupBox* Frame1;
    QLabel* Label1;
    QPushButton* cmdHTTP;
    QPushButton* cmdDone;

protected:
    void showEvent(QShowEvent* event) override;
    /// Escape closes the window as "Done" does.
    void keyPressEvent(QKeyEvent* event) override;
};

/// "About": shows the About window, made on first use; when it is open already it comes
/// forward.
void ShowAbout(const Ctx& c);
/// Shut-down: the About window goes, if it was ever made.
void UnloadAbout(const Ctx& c);

} // namespace velto
