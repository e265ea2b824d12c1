#include "core/frm_velto.h"

#include "assets/layout.h"
#include "platform/describe.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

namespace velto {

namespace {

ImageControl* place(QWidget* parent, const QString& name, int index, QRect r) {
    auto* c = new ImageControl(parent, name, index);
    c->resize(r.size());
    c->setPosition(r.left(), r.top());
    return c;
}

} // namespace

FrmVelto::FrmVelto(const FrmDepot& depot) : QWidget(nullptr), depot_(depot) {
    setObjectName(QStringLiteral("frmVelto"));
    setWindowTitle(QStringLiteral("Velto"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(layout::kMainClient);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Before any control is shown: showing one makes Qt ask for its accessibility at once.
    InstallControlAccessibility();
    // The first pictures are drawn for the screen the window will most likely show on.
    depot.setScale(devicePixelRatioF());

    const auto shows = [&depot](ImageControl* c, DepotArray a, int i) {
        c->setPicture(depot.picture(a, i), FrmDepot::ref(a, i));
    };

    imgHeader = place(this, "imgHeader", -1, layout::imgHeader);
    shows(imgHeader, DepotArray::imgHeader, 1);
    imgHeaderX = place(this, "imgHeaderX", -1, layout::imgHeaderX);
    shows(imgHeaderX, DepotArray::imgHeaderX, 0);
    imgHeaderX->tag = QStringLiteral("0");
    imgHeaderV = place(this, "imgHeaderV", -1, layout::imgHeaderV);
    shows(imgHeaderV, DepotArray::imgHeaderV, 0);
    imgHeaderV->tag = QStringLiteral("0");

    for (int k = 1; k <= 12; ++k) {
        imgPunchUp[k] = place(this, "imgPunchUp", k, layout::imgPunchUp(k));
        shows(imgPunchUp[k], DepotArray::imgPunchUp, k);
    }
    for (int e = 0; e < 5; ++e) {
        const int design = e == 2 ? kUnlitColon : kBlankDigit;
        imgTime[e] = place(this, "imgTime", e, layout::readout(e, layout::kTimeY));
        shows(imgTime[e], DepotArray::imgTime, design);
        imgAlarm[e] = place(this, "imgAlarm", e, layout::readout(e, layout::kAlarmY));
        shows(imgAlarm[e], DepotArray::imgTime, design);
    }
    for (int k = 0; k < 4; ++k) {
        imgCorrect[k] = place(this, "imgCorrect", k,
                              {QPoint(layout::kCorrectX[k], layout::kCorrectY), layout::kCorrect});
        imgCorrect[k]->setPicture(depot.correctBar(), {});
        imgCorrect[k]->hide();
    }
    picClock = new PictureBox(this, QStringLiteral("picClock"), layout::picClock.size());
    picClock->setPosition(layout::picClock.left(), layout::picClock.top());
    picClock->setDial(depot.picture(DepotArray::imgDial, 0), FrmDepot::ref(DepotArray::imgDial, 0));

    for (int i = 0; i < 7; ++i) {
        QWidget* parent = layout::setIsOnFace(i) ? static_cast<QWidget*>(picClock) : this;
        imgSet[i] = place(parent, "imgSet", i, {layout::kSetPos[i], layout::kSetSize});
    }
    for (int k = 0; k < 10; ++k) {
        imgFixed[k] = place(this, "imgFixed", k, layout::imgFixed(k));
        shows(imgFixed[k], DepotArray::imgFixed, k);
    }
    imgPunch = place(picClock, "imgPunch", -1, layout::imgPunch);
    shows(imgPunch, DepotArray::imgPunch, 0);
    imgEach = place(picClock, "imgEach", -1, layout::imgEach);
    shows(imgEach, DepotArray::imgEach, 0);
    imgCenter = place(picClock, "imgCenter", -1, layout::imgCenter);
    shows(imgCenter, DepotArray::imgCenter, 1);
    imgMark = place(picClock, "imgMark", -1, layout::imgMark);
    imgMark->setPicture(depot.mark(), {});
    imgHotSpot.push_back(place(picClock, "imgHotSpot", 0, layout::imgHotSpot));
    imgMark->raise(); // above the hot spots, so that it can be grabbed wherever it stands
}

ImageControl* FrmVelto::addHotSpot(int index) {
    if (static_cast<int>(imgHotSpot.size()) <= index) {
        imgHotSpot.resize(static_cast<size_t>(index) + 1, nullptr);
    }
    if (imgHotSpot[static_cast<size_t>(index)] == nullptr) {
        const ImageControl* model = imgHotSpot.front();
        auto* c = new ImageControl(picClock, QStringLiteral("imgHotSpot"), index);
        c->resize(model->size());
        c->setPosition(model->left(), model->top());
        c->show();
        imgHotSpot[static_cast<size_t>(index)] = c;
        imgMark->raise();
    }
    return imgHotSpot[static_cast<size_t>(index)];
}

void FrmVelto::unload() {
    pendingMode_ = UnloadMode::Program;
    close();
    pendingMode_ = UnloadMode::CloseCommand;
}

void FrmVelto::bringBack() {
    if (isHidden()) {
        // A window manager may have changed the state behind Qt's back while the window
        // was hidden (closing it with Alt+F4 can leave it iconic with Qt believing it
        // normal). Say "minimised" first so that the restore below really reaches it.
        placeWhereLeft();
        setWindowState(windowState() | Qt::WindowMinimized);
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    showAgain();
    raise();
    activateWindow();
}

void FrmVelto::showAgain() {
    if (isHidden()) {
        placeWhereLeft();
    }
    show();
}

void FrmVelto::placeWhereLeft() {
    QWindow* native = windowHandle();
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

void FrmVelto::minimiseAndHide() {
    setWindowState(windowState() | Qt::WindowMinimized);
    hide();
}

bool FrmVelto::setScale(double scale) {
    if (!depot_.setScale(scale)) {
        return false;
    }
    for (ImageControl* c : findChildren<ImageControl*>()) {
        const PictureRef ref = c->picture();
        if (ref.array >= 0 && c != picClock) {
            c->setPicture(depot_.picture(static_cast<DepotArray>(ref.array), ref.index), ref);
        }
    }
    for (ImageControl* bar : imgCorrect) {
        bar->setPicture(depot_.correctBar(), {});
    }
    imgMark->setPicture(depot_.mark(), {});
    const PictureRef dial = picClock->picture();
    picClock->setDial(depot_.picture(static_cast<DepotArray>(dial.array), dial.index), dial);
    update();
    emit handsWanted();
    return true;
}

bool FrmVelto::event(QEvent* event) {
    const bool done = QWidget::event(event);
    // Qt tells the widgets of a window that moved to another screen (the scale may differ
    // there), and from 6.6 on also of a new scale on the same screen.
    const QEvent::Type type = event->type();
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    if (type == QEvent::ScreenChangeInternal || type == QEvent::DevicePixelRatioChange) {
#else
    if (type == QEvent::ScreenChangeInternal) {
#endif
        setScale(devicePixelRatioF());
    }
    return done;
}

void FrmVelto::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window may have been placed on another screen than the one it was made for; a
    // new scale asks for the hands itself.
    if (!setScale(devicePixelRatioF())) {
        emit handsWanted();
    }
}

void FrmVelto::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit pointerGone();
}

void FrmVelto::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    hiddenAt_ = pos();
    emit pointerGone();
}

void FrmVelto::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    // Only what is exposed: the whole background blitted every second would be large enough
    // for Qt to split the work across threads, waking them all.
    const QImage& background = depot_.background();
    const double k = background.devicePixelRatio(); // the source is in the picture's pixels
    for (const QRect& r : event->region()) {
        p.drawImage(QRectF(r), background,
                    QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k));
    }
    if (!painted_) {
        painted_ = true;
        emit firstPainted();
    }
}

void FrmVelto::mousePressEvent(QMouseEvent* event) {
    emit backgroundMouseDown(event->button(), event->position().toPoint());
}

void FrmVelto::mouseMoveEvent(QMouseEvent* event) {
    emit backgroundMouseMove(event->buttons(), event->position().toPoint());
}

void FrmVelto::closeEvent(QCloseEvent* event) {
    const bool cancel = onQueryUnload && onQueryUnload(pendingMode_);
    if (cancel) {
        event->ignore();
        return;
    }
    event->accept();
    if (onUnload) {
        onUnload();
    }
}

} // namespace velto
