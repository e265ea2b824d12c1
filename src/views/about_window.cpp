#include "views/about_window.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "velto_config.h"

namespace velto {

QString homePage() {
    return QStringLiteral(VELTO_HOMEPAGE);
}

AboutWindow::AboutWindow(UrlOpener& urls) : QWidget(nullptr) {
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(tr("About Velto"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(304, 139);

    // "Done" is made first, so it comes first in the tab order.
    done_ = new QPushButton(tr("Done"), this);
    done_->setObjectName(QStringLiteral("cmdDone"));
    done_->setDefault(true);
    // The frame holds the description and the address button; "Done" sits below it. Both
    // buttons are as wide as the address needs in the desktop's font, centred.
    auto* frame = new QGroupBox(QStringLiteral("Velto"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(16, 8, 273, 89);
    auto* label =
        new QLabel(tr("Analog clock, timer, alarm, time intervals announcer, punch clock."), frame);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(8, 18, 257, 36);
    auto* page = new QPushButton(homePage(), frame);
    page->setObjectName(QStringLiteral("cmdHTTP"));
    page->setToolTip(tr("Open the page in your web browser"));
    const int wide = std::clamp(page->sizeHint().width(), 185, 257);
    page->setGeometry((frame->width() - wide) / 2, 56, wide, 25);
    done_->setGeometry(frame->x() + page->x(), 104, wide, 25);
    // Not a dialog, so Return would press neither button by itself: each presses the one
    // that has the keyboard, as in any dialog.
    page->setAutoDefault(true);
    done_->setAutoDefault(true);
    connect(page, &QPushButton::clicked, this, [&urls] { urls.open(homePage()); });
    connect(done_, &QPushButton::clicked, this, [this] {
        hide();
        emit done();
    });
}

void AboutWindow::bringUp() {
    show();
    raise();
    activateWindow();
}

void AboutWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    done_->setFocus(Qt::OtherFocusReason);
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        done_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace velto
