#include "shell/frm_about.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#ifndef VELTO_HOMEPAGE
#error "VELTO_HOMEPAGE names the project's web page; CMake sets it"
#endif

namespace velto {

QString HomePage() {
    return QStringLiteral(VELTO_HOMEPAGE);
}

FrmAbout::FrmAbout() : QWidget(nullptr) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Velto"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(304, 139);

    // "Done" is made first, so it comes first in the tab order.
    cmdDone = new QPushButton(QStringLiteral("Done"), this);
    cmdDone->setDefault(true);
    // The frame holds the description and the address button; "Done" sits below it. Both
    // buttons are as wide as the address needs in the desktop's font, centred.
    Frame1 = new QGroupBox(QStringLiteral("Velto"), this);
    Frame1->setGeometry(16, 8, 273, 89);
    Label1 = new QLabel(
        QStringLiteral("Analog clock, timer, alarm, time intervals announcer, punch clock."),
        Frame1);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(8, 18, 257, 36);
    cmdHTTP = new QPushButton(HomePage(), Frame1);
    cmdHTTP->setToolTip(QStringLiteral("Open the page in your web browser"));
    const int wide = std::clamp(cmdHTTP->sizeHint().width(), 185, 257);
    cmdHTTP->setGeometry((Frame1->width() - wide) / 2, 56, wide, 25);
    cmdDone->setGeometry(Frame1->x() + cmdHTTP->x(), 104, wide, 25);
    // Not a dialog, so Return would press neither button by itself: each presses the one
    // that has the keyboard, as in any dialog.
    cmdHTTP->setAutoDefault(true);
    cmdDone->setAutoDefault(true);
}

void FrmAbout::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    cmdDone->setFocus(Qt::OtherFocusReason);
}

void FrmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdDone->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ShowAbout(const Ctx& c) {
    if (!c.windows.about) {
        auto* about = new FrmAbout();
        QObject::connect(about->cmdHTTP, &QPushButton::clicked, about,
                         [c] { c.platform.urls.open(HomePage()); });
        QObject::connect(about->cmdDone, &QPushButton::clicked, about, [c] {
            c.windows.about->hide();
            c.main.showAgain();
        });
        c.windows.about = about;
    }
    FrmAbout& about = *c.windows.about;
    about.show();
    about.raise();
    about.activateWindow();
}

void UnloadAbout(const Ctx& c) {
    delete c.windows.about.data();
}

} // namespace velto
