#pragma once
// The About window: the program's name, what it does in one line, and a button that opens
// the project's web page. Not modal; made on first use, then only hidden and shown again.

#include "platform/seams.h"

#include <QWidget>

class QPushButton;

namespace velto {

/// The project's web page, set when the program is configured.
QString homePage();

class AboutWindow final : public QWidget {
    Q_OBJECT
public:
    /// The page opens through `urls`.
    explicit AboutWindow(UrlOpener& urls);

    /// Shows the window, or brings it forward when it is open already.
    void bringUp();

signals:
    /// "Done": the window has hidden itself.
    void done();

protected:
    void showEvent(QShowEvent* event) override;
    /// Escape closes the window as "Done" does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* done_; // cmdDone
};

} // namespace velto
