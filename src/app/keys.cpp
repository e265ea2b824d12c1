#include "app/keys.h"

#include "alarm/alarm.h"
#include "alarm/frm_alarm.h"
#include "platform/describe.h"
#include "platform/focus_frame.h"
#include "punch/countdown.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

namespace velto {

MainKeys::MainKeys(const Ctx& c, std::function<void()> exit)
    : QObject(&c.main), c_(c), exit_(std::move(exit)), frame_(new FocusFrame(c.main)) {
    FrmVelto& w = c.main;
    // In reading order: the title band, the keypad, the alarm read-out with its bars, the
    // face, the presets along the bottom.
    order_ = {w.imgHeader, w.imgHeaderX, w.imgHeaderV};
    order_.insert(order_.end(), w.imgPunchUp.begin() + 1, w.imgPunchUp.end());
    order_.push_back(w.imgAlarm[0]);
    order_.insert(order_.end(), w.imgCorrect.begin(), w.imgCorrect.end());
    order_.insert(order_.end(), {w.imgPunch, w.imgEach, w.imgCenter, w.imgMark});
    order_.insert(order_.end(), w.imgHotSpot.begin(), w.imgHotSpot.end());
    order_.insert(order_.end(), w.imgFixed.begin(), w.imgFixed.end());

    for (size_t i = 0; i < order_.size(); ++i) {
        // Tab only: a click must not move the keyboard, nor leave a frame on the clock.
        order_[i]->setFocusPolicy(Qt::TabFocus);
        frame_->track(*order_[i], order_[i] == w.imgAlarm[0] ? w.imgAlarm[4] : nullptr);
        if (i > 0) {
            QWidget::setTabOrder(order_[i - 1], order_[i]);
        }
    }
    for (QWidget* child : w.findChildren<QWidget*>()) {
        frame_->watchMouse(*child);
        child->installEventFilter(this);
    }
    frame_->watchMouse(w);
    w.installEventFilter(this);
    // The window itself holds the keyboard until the user tabs to a control, so that Space
    // punches rather than pressing whichever control came first.
    w.setFocus(Qt::OtherFocusReason);
}

bool MainKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && QAccessible::isActive() &&
        !announcePending_) {
        // After the click has run: what it changed is told to the screen reader at once
        // instead of at the next tick.
        announcePending_ = true;
        QTimer::singleShot(0, this, [this] {
            announcePending_ = false;
            AnnounceChanges(c_.main);
        });
    }
    // Keys reach the window when the focused control leaves them.
    if (watched != &c_.main || event->type() != QEvent::KeyPress) {
        return false;
    }
    if (!key(*static_cast<QKeyEvent*>(event))) {
        return false;
    }
    AnnounceChanges(c_.main);
    return true;
}

bool MainKeys::pressFramed() {
    auto* framed = qobject_cast<ImageControl*>(frame_->framed());
    if (framed == nullptr) {
        return false;
    }
    Press(*framed);
    return true;
}

void MainKeys::tab(bool forward) {
    QWidget* from = QApplication::focusWidget();
    if (from == nullptr || from->window() != &c_.main) {
        from = &c_.main;
    }
    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                  forward ? Qt::NoModifier : Qt::ShiftModifier);
    QCoreApplication::sendEvent(from, &tab);
}

bool MainKeys::key(const QKeyEvent& event) {
    FrmVelto& w = c_.main;
    const Qt::KeyboardModifiers mods =
        event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (mods == Qt::ControlModifier && event.key() == Qt::Key_Q) {
        exit_();
        return true;
    }
    if (mods != Qt::NoModifier) {
        return false;
    }
    const int k = event.key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9) {
        const int digit = k - Qt::Key_0;
        if (c_.model.editing()) {
            c_.model.typeDigit(digit);
        } else if (!(event.modifiers() & Qt::KeypadModifier)) {
            Press(*w.imgFixed[digit]); // the ten presets in order, 0 to 9
        } else {
            return false;
        }
        return true;
    }
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // In the edit mode Return sets the time, wherever the keyboard is.
        if (c_.model.editing()) {
            Press(*w.imgAlarm[0]);
            return true;
        }
        return pressFramed();
    case Qt::Key_Space:
        if (!pressFramed()) {
            Press(*w.imgPunch);
        }
        return true;
    case Qt::Key_P:
        Press(*w.imgPunch);
        return true;
    case Qt::Key_A:
        Press(*w.imgHeader);
        return true;
    case Qt::Key_I:
        Press(*w.imgEach);
        return true;
    case Qt::Key_Escape:
        // A ring's window goes first, as its button would; then the clock goes to the tray.
        if (c_.windows.alarm && !c_.windows.alarm->unloaded()) {
            c_.windows.alarm->unload();
        } else {
            Press(*w.imgHeaderV);
        }
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (frame_->framed() == w.imgMark) {
            // Along the rim as a slider goes: right and up for more minutes.
            c_.model.stepMark(k == Qt::Key_Right || k == Qt::Key_Up ? 1 : -1);
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
