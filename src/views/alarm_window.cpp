#include "views/alarm_window.h"

#include "art/layout.h"
#include "controls/describe.h"
#include "platform/process.h"
#include "platform/qt_workarounds.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace velto {

namespace {

/// The window's width: on Wayland, where Qt draws the title bar itself, wide enough for the
/// whole caption (at 182 pixels "Alarm" was cut to "Alarr"); elsewhere the window manager
/// draws the bar, and the window keeps its classic width.
int clientWidth(const QString& caption) {
    const int classic = layout::alarm::kClient.width();
    return onWayland() ? qMax(classic, workarounds::titleBarWidthFor(caption)) : classic;
}

} // namespace

AlarmWindow::AlarmWindow(const ClockModel& model, Depot& depot) : QWidget(nullptr) {
    setObjectName(QStringLiteral("alarmWindow"));
    installControlAccessibility();
    // A screen reader reads an alert out as it comes up, wherever the user is.
    describeWindow(*this, QAccessible::AlertMessage);
    setWindowTitle(tr("Alarm"));
    // Above the other windows, but never taking the keyboard from what the user is typing:
    // the announcer rings every few minutes.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    // Its icon is the application's, which shows the alarm's state (a ring of the alarm
    // switches it off just after the window opens).
    // Wider only for Qt's own title bar; then the content keeps its layout in the middle.
    setFixedSize(clientWidth(windowTitle()), layout::alarm::kClient.height());
    const QPoint middle((width() - layout::alarm::kClient.width()) / 2, 0);

    frame_ = new QGroupBox(tr("Alarm"), this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setGeometry(layout::alarm::Frame1.translated(middle));
    time_.emplace(depot, *frame_, QStringLiteral("imgTime"), 0, DepotArray::imgTime,
                  layout::readoutPlaces(layout::alarm::kTimeY, layout::alarm::kTimeXOffset));
    done_ = new QPushButton(this);
    done_->setObjectName(QStringLiteral("cmdDone"));
    done_->setGeometry(layout::alarm::cmdDone.translated(middle));
    done_->setFocusPolicy(Qt::NoFocus);
    // Its caption counts the seconds; what it does is to close.
    done_->setAccessibleName(tr("Close"));
    done_->setToolTip(tr("Close now (Esc on the clock)"));
    connect(done_, &QPushButton::clicked, this, &AlarmWindow::unload);

    done_->setText(QString::number(secondsLeft_));
    time_->showTime(model.time());
    const QString rang = minuteText(model.time());
    time_->describe({.name = tr("Rang at"),
                     .role = QAccessible::StaticText,
                     // The copy captured is handed out on every call: not a local that could
                     // move.
                     // NOLINTNEXTLINE(performance-no-automatic-move)
                     .value = [rang] { return rang; }});
    countdown_.setObjectName(QStringLiteral("TimerAlarm"));
    countdown_.setInterval(1000);
    connect(&countdown_, &QTimer::timeout, this, &AlarmWindow::tick);
    countdown_.start();
}

void AlarmWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    announceAlert(*this);
}

void AlarmWindow::tick() {
    if (secondsLeft_ <= 1) {
        unload();
        return;
    }
    --secondsLeft_;
    done_->setText(QString::number(secondsLeft_));
}

void AlarmWindow::unload() {
    close();
}

void AlarmWindow::closeEvent(QCloseEvent* event) {
    unloaded_ = true;
    countdown_.stop();
    event->accept(); // and the window deletes itself
}

QPoint alarmWindowPlace(const QWidget& main, QSize frame) {
    QScreen* screen = main.screen() != nullptr ? main.screen() : QGuiApplication::primaryScreen();
    const QRect desk = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const bool mainShown =
        main.isVisible() && !main.isMinimized() && desk.intersects(main.frameGeometry());
    const QRect over = mainShown ? main.frameGeometry() : desk;
    QPoint at = over.center() - QPoint(frame.width() / 2, frame.height() / 2);
    // Keep it whole on the screen when the main window sits at an edge.
    at.setX(qBound(desk.left(), at.x(), qMax(desk.left(), desk.right() + 1 - frame.width())));
    at.setY(qBound(desk.top(), at.y(), qMax(desk.top(), desk.bottom() + 1 - frame.height())));
    return at;
}

} // namespace velto
