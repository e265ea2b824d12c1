#include "views/window_presence.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace velto {

WindowPresence::WindowPresence(QWidget& window, const TrayIcon& tray, const Desktop& desktop)
    : QObject(&window), window_(window), tray_(tray), desktop_(desktop) {
    window.installEventFilter(this);
}

WindowPresence::State WindowPresence::state() const {
    if (window_.isHidden()) {
        return window_.isMinimized() ? State::HiddenMinimised : State::Hidden;
    }
    return window_.isMinimized() ? State::Minimised : State::Shown;
}

void WindowPresence::sendToTray() {
    window_.setWindowState(window_.windowState() | Qt::WindowMinimized);
    if (tray_.visible()) {
        window_.hide();
    }
}

void WindowPresence::bringBack() {
    if (!window_.isHidden() && !window_.isActiveWindow() && !desktop_.managesOwnWindows()) {
        // It may be minimised, which only the compositor could undo, and which it does not
        // tell: mapped anew, the window shows.
        window_.hide();
    }
    if (window_.isHidden()) {
        // A window manager may have changed the state behind Qt's back while the window
        // was hidden (closing it with Alt+F4 can leave it iconic with Qt believing it
        // normal). Say "minimised" first so that the restore below really reaches it.
        placeWhereLeft();
        window_.setWindowState(window_.windowState() | Qt::WindowMinimized);
    }
    window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    showAgain();
    window_.raise();
    window_.activateWindow();
}

void WindowPresence::showAgain() {
    // A minimised window is shown minimised, and keeps its place by itself. Placing it would
    // restore it on X11, where Qt un-minimises a window it moves.
    if (window_.isHidden() && !window_.isMinimized()) {
        placeWhereLeft();
    }
    window_.show();
}

void WindowPresence::bringBackIfHidden() {
    if (window_.isHidden()) {
        bringBack();
    }
}

void WindowPresence::placeWhereLeft() {
    QWindow* native = window_.windowHandle();
    if (!hiddenAt_ || native == nullptr) {
        return;
    }
    // A window manager places a window that is mapped anew as it likes (often in the middle
    // of the screen) unless the program says where. Qt says so only when it is told a new
    // place, and the window may be mapped before show() (restoring it maps it), so the place
    // is given twice, to be sure it counts as new.
    native->setPosition(*hiddenAt_ + QPoint(1, 0));
    native->setPosition(*hiddenAt_);
}

bool WindowPresence::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_) {
        return false;
    }
    switch (event->type()) {
    case QEvent::Hide:
        hiddenAt_ = window_.pos();
        emit changed();
        break;
    case QEvent::Show:
    case QEvent::WindowStateChange:
        emit changed();
        break;
    default:
        break;
    }
    return false;
}

} // namespace velto
