#include "alarm/frm_alarm.h"

#include "assets/layout.h"
#include "platform/describe.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace velto {

FrmAlarm::FrmAlarm(const Ctx& c) : QWidget(nullptr) {
    setObjectName(QStringLiteral("frmAlarm"));
    setWindowTitle(QStringLiteral("Alarm"));
    // Above the other windows, but never taking the keyboard from what the user is typing:
    // the announcer rings every few minutes.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(c.depot.windowIcon(c.model.armed() ? 0 : 1));
    setFixedSize(layout::alarm::kClient);

    Frame1 = new QGroupBox(QStringLiteral("Alarm"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(layout::alarm::Frame1);
    for (int e = 0; e < 5; ++e) {
        const QRect r = layout::readout(e, layout::alarm::kTimeY, layout::alarm::kTimeXOffset);
        imgTime[e] = new ImageControl(Frame1, QStringLiteral("imgTime"), e);
        imgTime[e]->resize(r.size());
        imgTime[e]->setPosition(r.left(), r.top());
    }
    cmdDone = new QPushButton(this);
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    cmdDone->setGeometry(layout::alarm::cmdDone);
    cmdDone->setFocusPolicy(Qt::NoFocus);
    // Its caption counts the seconds; what it does is to close.
    cmdDone->setAccessibleName(QStringLiteral("Close"));
    cmdDone->setToolTip(QStringLiteral("Close now (Esc on the clock)"));
    connect(cmdDone, &QPushButton::clicked, this, &FrmAlarm::unload);

    // Form_Load
    SecondsLeft = 2;
    cmdDone->setText(QString::number(SecondsLeft));
    ShowTime(c, imgTime);
    const QString rang = c.model.timeText().left(5);
    for (size_t e = 0; e < imgTime.size(); ++e) {
        Describe(*imgTime[e], {.name = QStringLiteral("Rang at"),
                               .role = QAccessible::StaticText,
                               // The copy captured is handed out on every call: not a
                               // local that could move.
                               // NOLINTNEXTLINE(performance-no-automatic-move)
                               .value = [rang] { return rang; },
                               .part = e != 0});
    }
    TimerAlarm.setInterval(1000);
    connect(&TimerAlarm, &QTimer::timeout, this, &FrmAlarm::tick);
    TimerAlarm.start();
}

void FrmAlarm::tick() {
    if (SecondsLeft <= 1) {
        unload();
        return;
    }
    --SecondsLeft;
    cmdDone->setText(QString::number(SecondsLeft));
}

void FrmAlarm::unload() {
    close();
}

void FrmAlarm::closeEvent(QCloseEvent* event) {
    unloaded_ = true;
    TimerAlarm.stop();
    event->accept(); // and the window deletes itself
}

QPoint AlarmWindowPlace(const QWidget& main, QSize frame) {
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
