#pragma once
// The Preferences window: the ring's sound and volumes, how long an alarm rings, the snooze's
// minutes, the announcer's quiet hours and the alarm's label. Each choice takes effect, and is
// kept, as it is made. Not modal; made on first use, then only hidden and shown again.

#include "model/clock_model.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QTimeEdit;

namespace velto {

class PreferencesWindow final : public QDialog {
    Q_OBJECT
public:
    /// `preview` plays a ring's sound as it would ring, and nothing else.
    PreferencesWindow(ClockModel& model, std::function<void(RingKind)> preview);

    /// Shows the window with the choices as they are now, or brings it forward.
    void bringUp();

private:
    /// The controls show the model's choices.
    void showChoices();
    /// The model takes what the controls show.
    void takeChoices();
    void chooseFile();
    void takeLabel();

    ClockModel& model_;
    std::function<void(RingKind)> preview_;
    QLineEdit* soundFile_;
    QSlider* alarmVolume_;
    QLabel* alarmPercent_;
    QSlider* announcerVolume_;
    QLabel* announcerPercent_;
    QComboBox* ringFor_;
    QComboBox* snooze_;
    QCheckBox* quiet_;
    QTimeEdit* quietFrom_;
    QTimeEdit* quietTo_;
    QLineEdit* label_;
    QLabel* labelProblem_;
    bool showing_ = false; // the controls change to show the model: nothing to take
};

} // namespace velto
