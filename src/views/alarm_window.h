#pragma once
// The small window every ring opens. It shows the time of the ring and closes itself two
// seconds later; its button shows the seconds left and closes it at once.

#include "views/readout.h"

#include <QTimer>
#include <QWidget>
#include <optional>

class QGroupBox;
class QPushButton;

namespace velto {

class AlarmWindow final : public QWidget {
    Q_OBJECT
public:
    /// Builds the window, shows the ring's hh:mm and starts the countdown at 2; not shown yet.
    AlarmWindow(const ClockModel& model, Depot& depot);

    /// One second of the countdown: the button counts down, and after the last second the
    /// window unloads.
    void tick();
    /// Closes the window for good; it deletes itself once control is back in the event loop.
    void unload();
    /// True from the moment the window starts to go away.
    [[nodiscard]] bool unloaded() const { return unloaded_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QGroupBox* frame_;            // Frame1
    std::optional<Readout> time_; // imgTime
    QPushButton* done_;           // cmdDone
    QTimer countdown_{this};      // TimerAlarm
    int secondsLeft_ = 2;
    bool unloaded_ = false;
};

/// Where the alarm window goes: centred over the main window when that is on the screen,
/// else centred on the screen.
QPoint alarmWindowPlace(const QWidget& main, QSize frame);

} // namespace velto
