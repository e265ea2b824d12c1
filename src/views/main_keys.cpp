#include "views/main_keys.h"

#include "controls/describe.h"
#include "controls/focus_frame.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

namespace velto {

MainKeys::MainKeys(QWidget& window, ClockModel& model, Controls controls)
    : QObject(&window), window_(window), model_(model), controls_(std::move(controls)),
      frame_(new FocusFrame(window)) {
    Controls& c = controls_;
    // In reading order: the title band, the keypad, the time (so that the keyboard can reach
    // it and a screen reader read it out), the alarm read-out with its bars, the face, the
    // presets along the bottom.
    order_ = {&c.alarmSwitch, &c.closeButton, &c.minimiseButton};
    order_.insert(order_.end(), c.keys.begin(), c.keys.end());
    order_.push_back(c.timeReadout.front());
    order_.push_back(c.alarmReadout.front());
    order_.insert(order_.end(), c.bars.begin(), c.bars.end());
    order_.insert(order_.end(), {&c.punchButton, &c.announcer, &c.faceSwitch, &c.mark});
    order_.insert(order_.end(), c.hotSpots.begin(), c.hotSpots.end());
    order_.insert(order_.end(), c.presets.begin(), c.presets.end());

    for (size_t i = 0; i < order_.size(); ++i) {
        // Tab only: a click must not move the keyboard, nor leave a frame on the clock.
        order_[i]->setFocusPolicy(Qt::TabFocus);
        QWidget* upTo = order_[i] == c.alarmReadout.front()  ? c.alarmReadout.back()
                        : order_[i] == c.timeReadout.front() ? c.timeReadout.back()
                                                             : nullptr;
        frame_->track(*order_[i], upTo);
        if (i > 0) {
            QWidget::setTabOrder(order_[i - 1], order_[i]);
        }
    }
    for (QWidget* child : window.findChildren<QWidget*>()) {
        frame_->watchMouse(*child);
        child->installEventFilter(this);
    }
    frame_->watchMouse(window);
    window.installEventFilter(this);
    // The window itself holds the keyboard until the user tabs to a control, so that Space
    // punches rather than pressing whichever control came first.
    window.setFocus(Qt::OtherFocusReason);
}

bool MainKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && QAccessible::isActive() &&
        !announcePending_) {
        // After the click has run: what it changed is told to the screen reader at once
        // instead of at the next tick.
        announcePending_ = true;
        QTimer::singleShot(0, this, [this] {
            announcePending_ = false;
            announceChanges(window_);
        });
    }
    // Keys reach the window when the focused control leaves them.
    if (watched != &window_ || event->type() != QEvent::KeyPress) {
        return false;
    }
    if (!key(*static_cast<QKeyEvent*>(event))) {
        return false;
    }
    announceChanges(window_);
    return true;
}

bool MainKeys::pressFramed() {
    auto* framed = qobject_cast<ImageControl*>(frame_->framed());
    if (framed == nullptr) {
        return false;
    }
    pressControl(*framed);
    return true;
}

void MainKeys::tab(bool forward) {
    QWidget* from = QApplication::focusWidget();
    if (from == nullptr || from->window() != &window_) {
        from = &window_;
    }
    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                  forward ? Qt::NoModifier : Qt::ShiftModifier);
    QCoreApplication::sendEvent(from, &tab);
}

bool MainKeys::key(const QKeyEvent& event) {
    Controls& c = controls_;
    const Qt::KeyboardModifiers mods =
        event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (mods == Qt::ControlModifier && event.key() == Qt::Key_Q) {
        emit exitRequested();
        return true;
    }
    if (mods != Qt::NoModifier) {
        return false;
    }
    const int k = event.key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9) {
        const int digit = k - Qt::Key_0;
        if (model_.editing()) {
            model_.typeDigit(digit);
        } else if (!(event.modifiers() & Qt::KeypadModifier)) {
            pressControl(
                *c.presets.at(static_cast<size_t>(digit))); // the ten presets in order, 0 to 9
        } else {
            return false;
        }
        return true;
    }
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // In the edit mode Return sets the time, wherever the keyboard is.
        if (model_.editing()) {
            pressControl(*c.alarmReadout.front());
            return true;
        }
        return pressFramed();
    case Qt::Key_Space:
        if (!pressFramed()) {
            pressControl(c.punchButton);
        }
        return true;
    case Qt::Key_P:
        pressControl(c.punchButton);
        return true;
    case Qt::Key_A:
        pressControl(c.alarmSwitch);
        return true;
    case Qt::Key_I:
        pressControl(c.announcer);
        return true;
    case Qt::Key_L:
        emit punchLogRequested();
        return true;
    case Qt::Key_S:
        return model_.snooze(); // while the alarm rings

    case Qt::Key_Escape:
        emit escapePressed();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (frame_->framed() == &c.mark) {
            // Along the rim as a slider goes: right and up for more minutes.
            model_.stepMark(k == Qt::Key_Right || k == Qt::Key_Up ? 1 : -1);
        } else {
            tab(k == Qt::Key_Right || k == Qt::Key_Down);
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace velto
