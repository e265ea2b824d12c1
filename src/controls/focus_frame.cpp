#include "controls/focus_frame.h"

#include <QFocusEvent>
#include <QPainter>

namespace velto {

namespace {

/// The frame's width outside the control: a dark line and a light one inside it, so that it
/// shows on the dark face and on the light buttons alike.
constexpr int kMargin = 2;

} // namespace

FocusFrame::FocusFrame(QWidget& window) : QFocusFrame(&window), window_(window) {
    setObjectName(QStringLiteral("focusFrame"));
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void FocusFrame::track(QWidget& control, QWidget* upTo) {
    upTo_.insert(&control, upTo);
    control.installEventFilter(this);
    if (upTo != nullptr) {
        upTo->installEventFilter(this);
    }
}

void FocusFrame::watchMouse(QWidget& widget) {
    widget.installEventFilter(this);
}

void FocusFrame::follow(QWidget* control) {
    if (control == nullptr || !upTo_.contains(control) || !keyboard_ || !control->isVisible() ||
        !control->hasFocus()) {
        control_ = nullptr;
        hide();
        return;
    }
    control_ = control;
    place();
    raise();
    show();
}

void FocusFrame::place() {
    QRect r(control_->mapTo(&window_, QPoint(0, 0)), control_->size());
    if (const QWidget* upTo = upTo_.value(control_); upTo != nullptr) {
        r = r.united(QRect(upTo->mapTo(&window_, QPoint(0, 0)), upTo->size()));
    }
    // Inside the window: round a control on its edge (the title) the frame runs over the
    // control's own outer pixels rather than off the window.
    setGeometry(r.adjusted(-kMargin, -kMargin, kMargin, kMargin).intersected(window_.rect()));
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
        if (why == Qt::TabFocusReason || why == Qt::BacktabFocusReason) {
            keyboard_ = true;
        } else if (why == Qt::MouseFocusReason) {
            keyboard_ = false;
        }
        follow(qobject_cast<QWidget*>(watched));
        break;
    }
    case QEvent::FocusOut:
        if (watched == control_) {
            follow(nullptr);
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // The mouse is in use: a frame left standing would be a stray mark on the clock.
        keyboard_ = false;
        follow(nullptr);
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (control_ != nullptr && isVisible()) {
            place();
        }
        break;
    case QEvent::Hide:
        if (watched == control_) {
            follow(nullptr);
        }
        break;
    default:
        break;
    }
    return false;
}

void FocusFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    p.setPen(QColor(0, 0, 0));
    p.drawRect(outer);
    p.setPen(QColor(255, 255, 255));
    p.drawRect(outer.adjusted(1, 1, -1, -1));
}

} // namespace velto
