#include "views/main_window.h"

#include "art/layout.h"
#include "controls/describe.h"
#include "platform/qt_workarounds.h"
#include "views/main_keys.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHideEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleHints>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace velto {

namespace {

/// The places of imgSet `first`..`last`.
std::vector<QRect> setPlaces(int first, int last) {
    std::vector<QRect> places;
    for (int i = first; i <= last; ++i) {
        places.emplace_back(layout::kSetPos[static_cast<size_t>(i)], layout::kSetSize);
    }
    return places;
}

/// The depot index of the dial and button pictures for an interval: its place in the
/// announcer's cycle; 0 (plain dial, blank button) for "off" and for any value that is not an
/// interval.
int dialIndex(int minutes) {
    return static_cast<int>(ClockModel::cycleIndex(minutes).value_or(0));
}

} // namespace

MainWindow::MainWindow(ClockModel& model, Depot& depot, Desktop& desktop)
    : QWidget(nullptr), model_(model), depot_(depot), desktop_(desktop) {
    setObjectName(QStringLiteral("mainWindow"));
    // Before any control is shown: showing one makes Qt ask for its accessibility at once.
    installControlAccessibility();
    describeWindow(*this, QAccessible::Window);
    setWindowTitle(QStringLiteral("Velto"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(layout::kMainClient);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A clock is looked at while another window has the keyboard; Qt would show tooltips
    // only in the active window.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    // The application's icon follows the first frame (see showWindowIcon()), or comes a
    // moment after start-up all the same for a window that is not painted then (one on
    // another workspace).
    QTimer::singleShot(kIconLatestMs, this, [this] {
        iconDue_ = true;
        showWindowIcon();
    });
    // The first pictures are drawn for the screen the window will most likely show on.
    depot.setScale(devicePixelRatioF());
    build();
    wire();
}

void MainWindow::build() {
    // A control placed at `r` that shows picture `picture` of `array`.
    const auto showing = [this](QWidget* parent, const QString& name, int index, QRect r,
                                DepotArray array, int picture) {
        ImageControl* c = ImageControl::placed(parent, name, index, r);
        depot_.show(*c, array, picture);
        return c;
    };
    alarmSwitch_ = showing(this, "imgHeader", -1, layout::imgHeader, DepotArray::imgHeader, 1);
    closeButton_ = showing(this, "imgHeaderX", -1, layout::imgHeaderX, DepotArray::imgHeaderX, 0);
    minimiseButton_ =
        showing(this, "imgHeaderV", -1, layout::imgHeaderV, DepotArray::imgHeaderV, 0);

    for (int k = 1; k <= 12; ++k) {
        keys_[k] = showing(this, "imgPunchUp", k, layout::imgPunchUp(k), DepotArray::imgPunchUp, k);
    }
    const auto timeAt = layout::readoutPlaces(layout::kTimeY);
    time_.emplace(depot_, *this, QStringLiteral("imgTime"), 0, DepotArray::imgTime, timeAt);
    time_->clear();
    const auto alarmAt = layout::readoutPlaces(layout::kAlarmY);
    alarm_.emplace(depot_, *this, QStringLiteral("imgAlarm"), 0, DepotArray::imgTime, alarmAt);
    alarm_->clear();
    for (int k = 0; k < 4; ++k) {
        bars_[k] = ImageControl::placed(
            this, "imgCorrect", k,
            {QPoint(layout::kCorrectX[k], layout::kCorrectY), layout::kCorrect});
        bars_[k]->setPicture(depot_.correctBar(), {});
        bars_[k]->hide();
    }
    barTop_ = bars_[0]->top();
    face_ = new PictureBox(this, QStringLiteral("picClock"), layout::picClock.size());
    face_->setPosition(layout::picClock.left(), layout::picClock.top());
    face_->setDial(depot_.picture(DepotArray::imgDial, 0), Depot::ref(DepotArray::imgDial, 0));

    const QString set = QStringLiteral("imgSet");
    countdown_.emplace(depot_, *face_, set, 0, DepotArray::imgSet, setPlaces(0, 1));
    punchCount_.emplace(depot_, *face_, set, 2, DepotArray::imgSet, setPlaces(2, 4));
    seconds_.emplace(depot_, *this, set, 5, DepotArray::imgSet, setPlaces(5, 6));
    for (int k = 0; k < 10; ++k) {
        presets_[k] = showing(this, "imgFixed", k, layout::imgFixed(k), DepotArray::imgFixed, k);
    }
    punchButton_ = showing(face_, "imgPunch", -1, layout::imgPunch, DepotArray::imgPunch, 0);
    announcer_ = showing(face_, "imgEach", -1, layout::imgEach, DepotArray::imgEach, 0);
    faceSwitch_ = showing(face_, "imgCenter", -1, layout::imgCenter, DepotArray::imgCenter, 1);
    mark_ = ImageControl::placed(face_, "imgMark", -1, layout::imgMark);
    mark_->setPicture(depot_.mark(), {});
    hotSpots_.push_back(ImageControl::placed(face_, "imgHotSpot", 0, layout::imgHotSpot));
    mark_->raise(); // above the hot spots, so that it can be grabbed wherever it stands
}

void MainWindow::wire() {
    // The close button ends the program, tray icon and all.
    connect(closeButton_, &ImageControl::mouseMove, this, [this] { hoverHeader(true, false); });
    connect(minimiseButton_, &ImageControl::mouseMove, this, [this] { hoverHeader(false, true); });
    connect(closeButton_, &ImageControl::buttonClicked, this, &MainWindow::exitRequested);
    connect(minimiseButton_, &ImageControl::buttonClicked, this, &MainWindow::minimiseClicked);
    connect(face_, &ImageControl::mouseMove, this, [this] { hoverHeader(false, false); });
    connect(announcer_, &ImageControl::clicked, &model_, &ClockModel::stepAnnouncer);
    connect(punchButton_, &ImageControl::clicked, &model_, &ClockModel::togglePunch);
    for (int k = 1; k <= 12; ++k) {
        connect(keys_[k], &ImageControl::mouseDown, &model_, [this, k] { model_.pressKey(k); });
    }
    for (int k = 0; k < 10; ++k) {
        connect(presets_[k], &ImageControl::clicked, this, [this, k] { model_.choosePreset(k); });
        connect(presets_[k], &ImageControl::mouseMove, this, [this, k] { hoverPreset(k); });
    }
    for (int k = 0; k < 4; ++k) {
        connect(bars_[k], &ImageControl::mouseDown, this, [this, k] { pressBar(k, true); });
        connect(bars_[k], &ImageControl::mouseUp, this, [this, k] { pressBar(k, false); });
        connect(bars_[k], &ImageControl::clicked, this, [this, k] { model_.correctDigit(k); });
    }
    for (ImageControl* element : alarm_->elements()) {
        connect(element, &ImageControl::clicked, &model_, &ClockModel::toggleEdit);
    }
    connect(alarmSwitch_, &ImageControl::clicked, &model_, &ClockModel::toggleAlarm);
    connect(faceSwitch_, &ImageControl::clicked, &model_, &ClockModel::toggleAlarm);
    // The mark keeps the mouse while a button is held on it (the press grabs it); where the
    // pointer is over the bare dial, the mark follows it.
    connect(mark_, &ImageControl::mouseMove, this, [this](Qt::MouseButtons buttons, QPoint pos) {
        if (buttons == Qt::NoButton) {
            return;
        }
        const QPoint p = mark_->mapTo(face_, pos);
        if (face_->rect().contains(p) && face_->childAt(p) == nullptr) {
            dragMarkOver(p);
        }
    });
}

void MainWindow::start() {
    geometry_ = faceGeometryOf(face_->size());
    started_ = true;
    redrawHands();
    for (int i = 1; i <= 11; ++i) {
        auto* c = ImageControl::placed(face_, QStringLiteral("imgHotSpot"), i, layout::imgHotSpot);
        c->show();
        hotSpots_.push_back(c);
    }
    mark_->raise();
    for (size_t j = 0; j < hotSpots_.size(); ++j) {
        const QPointF at = hotSpotPlace(geometry_, static_cast<int>(j));
        hotSpots_[j]->setPosition(at.x(), at.y());
        connect(hotSpots_[j], &ImageControl::clicked, this,
                [this, j] { model_.setAlarmIn(5 * static_cast<int>(j)); });
    }
    describe();

    MainKeys::Controls keys{.alarmSwitch = *alarmSwitch_,
                            .closeButton = *closeButton_,
                            .minimiseButton = *minimiseButton_,
                            .keys = {keys_.begin() + 1, keys_.end()},
                            .timeReadout = time_->elements(),
                            .alarmReadout = alarm_->elements(),
                            .bars = {bars_.begin(), bars_.end()},
                            .punchButton = *punchButton_,
                            .announcer = *announcer_,
                            .faceSwitch = *faceSwitch_,
                            .mark = *mark_,
                            .hotSpots = hotSpots_,
                            .presets = {presets_.begin(), presets_.end()}};
    auto* keyboard = new MainKeys(*this, model_, std::move(keys)); // the window's child
    connect(keyboard, &MainKeys::exitRequested, this, &MainWindow::exitRequested);
    connect(keyboard, &MainKeys::escapePressed, this, &MainWindow::escapePressed);
    connect(keyboard, &MainKeys::punchLogRequested, this, &MainWindow::punchLogRequested);

    observe();
    time_->showTime(model_.time());
    seconds_->showNumber(model_.time().second(), Readout::Leading::Zeros);
    showPunch();
}

void MainWindow::observe() {
    connect(&model_, &ClockModel::timeChanged, this, &MainWindow::showTick);
    connect(&model_, &ClockModel::alarmChanged, this, &MainWindow::showAlarmState);
    connect(&model_, &ClockModel::countdownChanged, this, &MainWindow::showCountdown);
    connect(&model_, &ClockModel::editChanged, this, &MainWindow::showEdit);
    connect(&model_, &ClockModel::colonBlinked, this, &MainWindow::showEditColon);
    connect(&model_, &ClockModel::punchChanged, this, &MainWindow::showPunch);
    connect(&model_, &ClockModel::keyChanged, this, &MainWindow::showKeys);
    connect(&model_, &ClockModel::announcerChanged, this, &MainWindow::showAnnounceInterval);
}

// ---- what the model says ----

void MainWindow::showTick(bool fullMinute) {
    // A hidden window's hands are drawn when it shows again.
    if (isVisible()) {
        redrawHands();
    }
    seconds_->showNumber(model_.time().second(), Readout::Leading::Zeros);
    if (fullMinute) {
        time_->showTime(model_.time());
    }
}

void MainWindow::redrawHands() {
    if (!started_) {
        return; // the first show comes before there is a time to show
    }
    // All three hands come from the tick's one reading. (Reading the clock once per hand
    // could show a minute hand a minute behind its second hand at a minute's turn.)
    drawHands(*face_, geometry_, model_.time());
}

void MainWindow::showAlarmState() {
    const int look = model_.armed() ? 0 : 1;
    depot_.show(*alarmSwitch_, DepotArray::imgHeader, look);
    showWindowIcon();
    depot_.show(*faceSwitch_, DepotArray::imgCenter, look);
    showAlarmTime();
}

void MainWindow::showWindowIcon() {
    // The application icon stands for the program in task switchers and docks, and is the
    // icon of each of its windows. Set, it is drawn at every size for every window, the
    // large ones afresh (milliseconds): so only when its look changes, and not before the
    // first frame is on the screen, which it would hold up.
    const int look = model_.armed() ? 0 : 1;
    if (!iconDue_ || look == iconLook_) {
        return;
    }
    iconLook_ = look;
    QGuiApplication::setWindowIcon(depot_.windowIcon(look));
}

void MainWindow::showAlarmTime() {
    if (model_.armed()) {
        alarm_->showTime(model_.alarmTime());
    } else {
        alarm_->clear();
    }
}

void MainWindow::showCountdown() {
    const PixelPoint at = markPlace(geometry_, model_.countdown());
    mark_->setPosition(at.x, at.y);
    if (model_.armed()) {
        countdown_->showNumber(model_.countdown(), Readout::Leading::Zeros);
    } else {
        countdown_->clear();
    }
}

void MainWindow::showEdit() {
    if (model_.editing()) {
        alarm_->showTime(model_.editedTime());
    } else {
        showAlarmTime(); // after an edit, even one that changed nothing
    }
    for (ImageControl* bar : bars_) {
        bar->setVisible(model_.editing());
    }
}

void MainWindow::showEditColon() {
    alarm_->showColon(model_.colonLit());
}

void MainWindow::showPunch() {
    const std::optional<int> minutes = model_.punchMinutes();
    depot_.show(*punchButton_, DepotArray::imgPunch, minutes ? 1 : 0);
    if (minutes) {
        punchCount_->showNumber(*minutes, Readout::Leading::Blanks);
    } else {
        punchCount_->clear();
    }
}

void MainWindow::showKeys(int released, int pressed) {
    if (released > 0) {
        depot_.show(*keys_[released], DepotArray::imgPunchUp, released);
    }
    if (pressed > 0) {
        depot_.show(*keys_[pressed], DepotArray::imgPunchDn, pressed);
    }
}

void MainWindow::showAnnounceInterval() {
    const int index = dialIndex(model_.announceInterval());
    face_->setDial(depot_.picture(DepotArray::imgDial, index),
                   Depot::ref(DepotArray::imgDial, index));
    depot_.show(*announcer_, DepotArray::imgEach, index);
    // The hands go onto the new dial now rather than at the next tick.
    redrawHands();
}

void MainWindow::dragMarkOver(QPointF pos) {
    if (const std::optional<int> minutes = markDragMinutes(geometry_, pos, model_.countdown())) {
        model_.setAlarmIn(*minutes);
    }
}

// ---- the chrome of a borderless window ----

void MainWindow::hoverHeader(bool overClose, bool overMinimise) {
    setLook(*closeButton_, closeLook_, overClose ? Look::Highlighted : Look::Normal);
    setLook(*minimiseButton_, minimiseLook_, overMinimise ? Look::Highlighted : Look::Normal);
}

void MainWindow::setLook(ImageControl& button, Look& look, Look wanted) {
    // Moving within one button repaints nothing.
    if (look == wanted) {
        return;
    }
    look = wanted;
    const DepotArray array =
        &button == closeButton_ ? DepotArray::imgHeaderX : DepotArray::imgHeaderV;
    depot_.show(button, array, wanted == Look::Highlighted ? 1 : 0);
}

void MainWindow::hoverPreset(std::optional<int> k) {
    // Every preset each time: one whose picture stays repaints nothing.
    for (int i = 0; i < 10; ++i) {
        depot_.show(*presets_[i], DepotArray::imgFixed, i == k ? i + kHighlighted : i);
    }
}

void MainWindow::pressBar(int k, bool down) {
    ImageControl& bar = *bars_.at(static_cast<size_t>(k));
    bar.setPosition(bar.left(), down ? barTop_ + 2 : barTop_);
}

void MainWindow::drag() {
    if (windowState() & Qt::WindowMaximized) {
        return;
    }
    // A desktop that cannot move the window leaves it where it is; there is nothing to say.
    (void)desktop_.startSystemMove(*this);
}

// ---- the window ----

void MainWindow::unload() {
    closingByProgram_ = true;
    close();
    closingByProgram_ = false;
}

bool MainWindow::setScale(double scale) {
    if (!depot_.setScale(scale)) {
        return false;
    }
    for (ImageControl* c : findChildren<ImageControl*>()) {
        const PictureRef ref = c->picture();
        if (ref.array >= 0 && c != face_) {
            c->setPicture(depot_.picture(static_cast<DepotArray>(ref.array), ref.index), ref);
        }
    }
    for (ImageControl* bar : bars_) {
        bar->setPicture(depot_.correctBar(), {});
    }
    mark_->setPicture(depot_.mark(), {});
    const PictureRef dial = face_->picture();
    face_->setDial(depot_.picture(static_cast<DepotArray>(dial.array), dial.index), dial);
    update();
    // The face is bare now.
    redrawHands();
    return true;
}

bool MainWindow::event(QEvent* event) {
    const bool done = QWidget::event(event);
    const QEvent::Type type = event->type();
    if (type == QEvent::UngrabMouse || type == QEvent::WindowDeactivate || type == QEvent::Hide) {
        pressedAt_.reset(); // a drag that has not started ends with the grab or the focus
    }
    if (workarounds::scaleChanged(event)) { // another screen, or a new scale on this one
        setScale(devicePixelRatioF());
    }
    return done;
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!followsScreen_ && !workarounds::taken(Workaround::ScreenChangeEvent)) {
        // The window's own word that it went to another screen; the widgets' scale is the
        // new screen's by the time the queued call comes.
        followsScreen_ = true;
        connect(
            windowHandle(), &QWindow::screenChanged, this,
            [this] { setScale(devicePixelRatioF()); }, Qt::QueuedConnection);
    }
    // The window may have been placed on another screen than the one it was made for; a
    // new scale draws the hands itself. Otherwise they are drawn now: the tick leaves the
    // hands of a hidden window alone.
    if (!setScale(devicePixelRatioF())) {
        redrawHands();
    }
}

// A header button or preset left lit while the pointer went elsewhere would come back lit.
void MainWindow::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    hoverHeader(false, false);
    hoverPreset(std::nullopt);
}

void MainWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    hoverHeader(false, false);
    hoverPreset(std::nullopt);
}

void MainWindow::paintEvent(QPaintEvent* event) {
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
        iconDue_ = true;
        QMetaObject::invokeMethod(this, &MainWindow::showWindowIcon, Qt::QueuedConnection);
        emit firstPainted();
    }
}

// The bare background: the left button drags the window, and the pointer over it leaves
// every header button and preset normal. The window is handed to the system to move only
// once the pointer moves with the button still down: a move begun on the press alone
// outlives a quick click (a tap), and the window then follows the pointer with no button
// held.
void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressedAt_ = event->globalPosition().toPoint();
    }
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    hoverHeader(false, false);
    hoverPreset(std::nullopt);
    if (!pressedAt_) {
        return;
    }
    if (!(event->buttons() & Qt::LeftButton)) {
        pressedAt_.reset(); // released where we did not see it
        return;
    }
    const QPoint moved = event->globalPosition().toPoint() - *pressedAt_;
    if (moved.manhattanLength() >= QGuiApplication::styleHints()->startDragDistance()) {
        pressedAt_.reset();
        drag();
    }
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressedAt_.reset();
    }
}

// A user's close command (Alt+F4, the taskbar, the window menu) leaves the window open, for
// closeAsked() to send it to the tray; an unload by program closes it.
void MainWindow::closeEvent(QCloseEvent* event) {
    emit closeAsked();
    if (!closingByProgram_) {
        event->ignore();
        return;
    }
    event->accept();
    emit unloaded();
}

} // namespace velto
