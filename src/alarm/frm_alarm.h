#pragma once
// frmAlarm: the small window every ring opens. It shows the time of the ring and closes
// itself two seconds later; its button shows the seconds left and closes it at once.

#include "core/subs.h"

#include <QTimer>
#include <QWidget>

class QGroupBox;
class QPushButton;

namespace velto {

class FrmAlarm final : public QWidget {
    Q_OBJECT
public:
    /// Builds the window, shows the ring's hh:mm and starts the countdown at 2; not shown yet.
    explicit FrmAlarm(const Ctx& c);

    /// One second of the countdown (TimerAlarm_Timer): the button counts down, and after
    /// the last second the window unloads.
    void tick();
    /// Closes the window for good; it deletes itself once control is back in the event loop.
    void unload();
    /// True from the moment the window starts to go away.
    [[nodiscard]] bool unloaded() const { return unloaded_; }

    QGroupBox* Frame1;
    Readout imgTime{};
    QPushButton* cmdDone;
    QTimer TimerAlarm;
    int16_t SecondsLeft = 2;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool unloaded_ = false;
};

/// Where the alarm window goes: centred over the main window when that is on the screen,
/// else centred on the screen.
QPoint AlarmWindowPlace(const QWidget& main, QSize frame);

} // namespace velto
