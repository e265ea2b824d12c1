#pragma once
// The main window without the mouse: every control in a tab order with a frame that shows
// where the keyboard is, and the keys a user tries, each doing what its click does.

#include "controls/image_control.h"
#include "model/clock_model.h"

#include <QObject>
#include <vector>

class QKeyEvent;

namespace velto {

class FocusFrame;

class MainKeys final : public QObject {
    Q_OBJECT
public:
    /// The controls of the window that the keys reach.
    struct Controls {
        ImageControl& alarmSwitch;
        ImageControl& closeButton;
        ImageControl& minimiseButton;
        std::vector<ImageControl*> keys;         // 1..12
        std::vector<ImageControl*> timeReadout;  // its five pictures: it takes no action
        std::vector<ImageControl*> alarmReadout; // its five pictures
        std::vector<ImageControl*> bars;
        ImageControl& punchButton;
        ImageControl& announcer;
        ImageControl& faceSwitch;
        ImageControl& mark;
        std::vector<ImageControl*> hotSpots;
        std::vector<ImageControl*> presets; // 0..9
    };

    /// Takes the keys of `window`, whose controls `controls` are. A child of the window, it
    /// goes with it.
    MainKeys(QWidget& window, ClockModel& model, Controls controls);

    /// The controls in the order Tab visits them (the bars only while they are shown).
    [[nodiscard]] const std::vector<ImageControl*>& tabOrder() const { return order_; }
    [[nodiscard]] FocusFrame& frame() const { return *frame_; }

signals:
    /// Ctrl+Q: the program should end, as the tray's Exit ends it.
    void exitRequested();
    /// Escape, which no control takes.
    void escapePressed();
    /// L: the punch log.
    void punchLogRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Acts on a key that no control took; false when it means nothing here.
    bool key(const QKeyEvent& event);
    /// Space or Return: the framed control as if clicked. False when none is framed.
    bool pressFramed();
    /// Moves the focus on (or back) as Tab does.
    void tab(bool forward);

    QWidget& window_;
    ClockModel& model_;
    Controls controls_;
    FocusFrame* frame_;
    std::vector<ImageControl*> order_;
    bool announcePending_ = false;
};

} // namespace velto
