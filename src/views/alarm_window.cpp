#include "views/alarm_window.h"

#include "art/layout.h"
#include "controls/describe.h"
#include "platform/process.h"
#include "platform/qt_workarounds.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace velto {

namespace {

/// The longest the Stop button's count reads.
constexpr int kOneRingCaption = 2;

/// The window's width: on Wayland, where Qt draws the title bar itself, wide enough for the
/// whole caption (at 182 pixels "Alarm" was cut to "Alarr"); elsewhere the window manager
/// draws the bar, and the window keeps its classic width.
int clientWidth(const QString& caption) {
    const int classic = layout::alarm::kClient.width();
    return onWayland() ? qMax(classic, workarounds::titleBarWidthFor(caption)) : classic;
}

} // namespace

AlarmWindow::AlarmWindow(ClockModel& model, Depot& depot, RingKind kind)
    : QWidget(nullptr), model_(model), kind_(kind) {
    const bool alarm = kind == RingKind::Alarm;
    const bool untilStopped = alarm && model.choices().ringMinutes > 0;
    setObjectName(QStringLiteral("alarmWindow"));
    installControlAccessibility();
    // A screen reader reads an alert out as it comes up, wherever the user is.
    describeWindow(*this, QAccessible::AlertMessage);
    setWindowTitle(tr("Alarm"));
    // Above the other windows, but never taking the keyboard from what the user is typing:
    // the announcer rings every few minutes.
    // An alarm that rings until stopped is a wake-up call: it takes the keyboard, so that Esc,
    // Space or S answer it at once.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint |
                   (untilStopped ? Qt::WindowFlags() : Qt::WindowDoesNotAcceptFocus));
    setAttribute(Qt::WA_ShowWithoutActivating, !untilStopped);
    setAttribute(Qt::WA_DeleteOnClose);
    // Its icon is the application's, which shows the alarm's state (a ring of the alarm
    // switches it off just after the window opens).
    // Wider only for Qt's own title bar; then the content keeps its layout in the middle.
    // The alarm's two buttons grow outwards for a caption that needs it ("Schlummern"), and
    // the window with them.
    int grown = 0;
    if (alarm) {
        constexpr int kPadding = 16;
        for (const QString& caption : {stopCaption(kOneRingCaption), tr("Snooze")}) {
            grown = qMax(grown, fontMetrics().horizontalAdvance(caption) + kPadding -
                                    layout::alarm::cmdStop.width());
        }
    }
    setFixedSize(qMax(clientWidth(windowTitle()), layout::alarm::kClient.width() + 2 * grown),
                 layout::alarm::kClient.height());
    const QPoint middle((width() - layout::alarm::kClient.width()) / 2, 0);

    // The alarm's label, where it has one, names the frame.
    const QString label = alarm ? model.label() : QString();
    frame_ = new QGroupBox(label.isEmpty() ? tr("Alarm") : label, this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setGeometry(layout::alarm::Frame1.translated(middle));
    time_.emplace(depot, *frame_, QStringLiteral("imgTime"), 0, DepotArray::imgTime,
                  layout::readoutPlaces(layout::alarm::kTimeY, layout::alarm::kTimeXOffset));
    done_ = new QPushButton(this);
    done_->setFocusPolicy(Qt::NoFocus);
    if (alarm) {
        done_->setObjectName(QStringLiteral("cmdStop"));
        done_->setGeometry(layout::alarm::cmdStop.translated(middle).adjusted(-grown, 0, 0, 0));
        done_->setAccessibleName(tr("Stop"));
        done_->setToolTip(untilStopped ? tr("Stop the alarm (Esc or Space)")
                                       : tr("Stop the alarm (Esc on the clock)"));
        snooze_ = new QPushButton(tr("Snooze"), this);
        snooze_->setObjectName(QStringLiteral("cmdSnooze"));
        snooze_->setGeometry(layout::alarm::cmdSnooze.translated(middle).adjusted(0, 0, grown, 0));
        snooze_->setFocusPolicy(Qt::NoFocus);
        snooze_->setToolTip(
            tr("Ring again in %n minute(s) (S)", nullptr, model.choices().snoozeMinutes));
        connect(done_, &QPushButton::clicked, this, [this] {
            model_.stopRing();
            unload();
        });
        connect(snooze_, &QPushButton::clicked, this, [this] {
            model_.snooze();
            unload();
        });
        // However it stops (here, the tray, the notification, a command), the window goes.
        connect(&model, &ClockModel::ringingChanged, this, [this] {
            if (!model_.ringing()) {
                unload();
            }
        });
    } else {
        done_->setObjectName(QStringLiteral("cmdDone"));
        done_->setGeometry(layout::alarm::cmdDone.translated(middle));
        // Its caption counts the seconds; what it does is to close.
        done_->setAccessibleName(tr("Close"));
        done_->setToolTip(tr("Close now (Esc on the clock)"));
        connect(done_, &QPushButton::clicked, this, &AlarmWindow::unload);
    }
    if (untilStopped) {
        secondsLeft_ = 0; // up until stopped
    }
    showSecondsLeft();
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
    if (secondsLeft_ > 0) {
        countdown_.start();
    }
}

QString AlarmWindow::stopCaption(int secondsLeft) {
    return secondsLeft > 0 ? tr("Stop (%1)").arg(secondsLeft) : tr("Stop");
}

void AlarmWindow::showSecondsLeft() {
    done_->setText(kind_ == RingKind::Alarm ? stopCaption(secondsLeft_)
                                            : QString::number(secondsLeft_));
}

void AlarmWindow::keyPressEvent(QKeyEvent* event) {
    if (kind_ == RingKind::Alarm) {
        switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Space:
            done_->click();
            return;
        case Qt::Key_S:
            snooze_->click();
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
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
    showSecondsLeft();
}

void AlarmWindow::unload() {
    close();
}

void AlarmWindow::closeEvent(QCloseEvent* event) {
    unloaded_ = true;
    countdown_.stop();
    if (kind_ == RingKind::Alarm && secondsLeft_ == 0) {
        model_.stopRing(); // until stopped, closed from its title bar: no ring without its window
    }
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
