#pragma once
// The small window every ring opens. It shows the time of the ring and closes itself two
// seconds later; its button shows the seconds left and closes it at once. An alarm's ring
// offers Stop and Snooze instead, and one that rings until stopped keeps the window up, with
// the keyboard, until it is stopped.

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
    /// Builds the window, shows the ring's hh:mm and starts the countdown at 2 (none for an
    /// alarm that rings until stopped); not shown yet.
    AlarmWindow(ClockModel& model, Depot& depot, RingKind kind);

    /// The caption of the Stop button with `secondsLeft` to go; 0 for none.
    static QString stopCaption(int secondsLeft);

    /// One second of the countdown: the button counts down, and after the last second the
    /// window unloads.
    void tick();
    /// Closes the window for good; it deletes itself once control is back in the event loop.
    void unload();
    /// True from the moment the window starts to go away.
    [[nodiscard]] bool unloaded() const { return unloaded_; }
    /// What rang when the window opened.
    [[nodiscard]] RingKind kind() const { return kind_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// The caption that counts the seconds left.
    void showSecondsLeft();

    ClockModel& model_;
    RingKind kind_;
    QPushButton* snooze_ = nullptr; // cmdSnooze, for the alarm
    QGroupBox* frame_;              // Frame1
    std::optional<Readout> time_;   // imgTime
    QPushButton* done_;             // cmdDone
    QTimer countdown_{this};        // TimerAlarm
    int secondsLeft_ = 2;           // 0: an alarm that rings until stopped, with no countdown
    bool unloaded_ = false;
};

/// Where the alarm window goes: centred over the main window when that is on the screen,
/// else centred on the screen.
QPoint alarmWindowPlace(const QWidget& main, QSize frame);

} // namespace velto
