#include "app/velto_app.h"

#include "alarm/alarm.h"
#include "alarm/frm_alarm.h"
#include "alarm/ring.h"
#include "app/chrome.h"
#include "app/keys.h"
#include "app/tick.h"
#include "app/words.h"
#include "core/subs.h"
#include "observers/login_item.h"
#include "observers/ring_notices.h"
#include "platform/describe.h"
#include "punch/countdown.h"
#include "punch/punch.h"
#include "render/analog.h"
#include "render/dial.h"
#include "shell/frm_about.h"
#include "shell/systray.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace velto {

VeltoApp::VeltoApp(Platform& platform) : platform_(platform), model_(platform.clock) {
    new RingNotices(model_, platform.notifier); // the model's child
}

VeltoApp::~VeltoApp() {
    platform_.ticker.stop();
    delete windows_.alarm; // a window still counting down goes with the program
}

Ctx VeltoApp::ctx() {
    return {model_, state_, *depot_, *main_, platform_, windows_};
}

bool VeltoApp::startUp() {
    // The first frame's pictures are drawn on another core while the instance is claimed and
    // the screen readers' bus is reached: both mostly wait.
    const QScreen* screen = QGuiApplication::primaryScreen();
    ArtAhead art(screen != nullptr ? screen->devicePixelRatio() : 1.0);
    if (!platform_.instance.claim()) {
        return false;
    }
    ConnectScreenReaderBridge();
    depot_ = std::make_unique<FrmDepot>(&art);
    main_ = std::make_unique<FrmVelto>(*depot_);
    wire();
    wireShell();
    const Ctx c = ctx();

    model_.start(platform_.clock.now());

    main_->show();
    AddTrayIcon(c);
    InitClockGeometry(c);
    PlaceHotSpots(c);
    placeHotSpotHandlers();
    DescribeControls(c);
    new MainKeys(c, [this] { shutDown(); }); // the window's child
    observe();
    ShowTime(c, main_->imgTime);
    ShowSeconds(c);
    model_.clearAlarm();
    ShowPunch(c);
    state_.CorrectTop = static_cast<int16_t>(std::nearbyint(main_->imgCorrect[0]->top()));
    state_.CorrectPressedTop = static_cast<int16_t>(state_.CorrectTop + 2);
    model_.setAnnounceInterval(15);
    // The sound is loaded as soon as the window is on the screen, so that the first ring is
    // heard at once; the sound system is the slowest part of start-up and nothing in the
    // first frame needs it.
    QObject::connect(
        main_.get(), &FrmVelto::firstPainted, main_.get(),
        [this] {
            PrepareWave(ctx(), QStringLiteral("alarm"));
            // And the digits the time will show, while start-up's drawing threads are about.
            depot_->drawAhead(DepotArray::imgTime);
            depot_->drawAhead(DepotArray::imgSet);
        },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));

    platform_.instance.onActivationRequest([this] { main_->bringBack(); });
    // However the event loop ends (Exit, the close button, a signal, the session ending),
    // shut-down runs and the tray icon goes with the program.
    // The loop has ended then: asking it to end again would end the next one at once.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, main_.get(), [this] { finish(false); });
    // A new scale leaves the face bare, and the tick leaves the hands of a hidden window
    // alone: either way they are drawn at once.
    QObject::connect(main_.get(), &FrmVelto::handsWanted, main_.get(),
                     [this] { RedrawHands(ctx()); });
    platform_.ticker.start([this] { mainTick(); });
    return true;
}

void VeltoApp::mainTick() {
    model_.tick(platform_.clock.now());
    AnnounceChanges(*main_);
}

void VeltoApp::observe() {
    QWidget* w = main_.get(); // the views go with the window
    const auto on = [this, w](auto signal, void (*view)(const Ctx&)) {
        QObject::connect(&model_, signal, w, [this, view] { view(ctx()); });
    };
    QObject::connect(&model_, &ClockModel::timeChanged, w,
                     [this](bool fullMinute) { ShowTick(ctx(), fullMinute); });
    on(&ClockModel::alarmChanged, ShowAlarmState);
    on(&ClockModel::countdownChanged, ShowCountdown);
    on(&ClockModel::editChanged, ShowEdit);
    on(&ClockModel::colonBlinked, ShowEditColon);
    on(&ClockModel::punchChanged, ShowPunch);
    on(&ClockModel::announcerChanged, ShowAnnounceInterval);
    QObject::connect(&model_, &ClockModel::keyChanged, w,
                     [this](int released, int pressed) { ShowKeys(ctx(), released, pressed); });
    // The alarm and the announcer ring alike.
    QObject::connect(&model_, &ClockModel::ring, w, [this](RingKind) { RingAlarm(ctx()); });
}

void VeltoApp::shutDown() {
    finish(true);
}

void VeltoApp::finish(bool endEventLoop) {
    if (!main_ || finished_) {
        return;
    }
    finished_ = true;
    const Ctx c = ctx();
    DeleteTrayIcon(c);
    UnloadAbout(c);
    // The depot lives as long as the program object: its pictures are shared by the window
    // until the process ends.
    main_->unload(); // its unload handler comes back here, and finds the work under way
    platform_.ticker.stop();
    if (endEventLoop) {
        platform_.desktop.endProcess();
    }
}

void VeltoApp::wire() {
    FrmVelto& w = *main_;
    // A user's close command only sends the window to the tray; every unload hides it first.
    w.onQueryUnload = [this](UnloadMode mode) {
        SendToTray(ctx());
        return mode == UnloadMode::CloseCommand;
    };
    w.onUnload = [this] { shutDown(); };

    QObject::connect(&w, &FrmVelto::backgroundMouseDown, &w,
                     [this](Qt::MouseButton b, QPoint) { FormMouseDown(ctx(), b); });
    QObject::connect(&w, &FrmVelto::backgroundMouseMove, &w,
                     [this](Qt::MouseButtons, QPoint pos) { FormMouseMove(ctx(), pos); });
    QObject::connect(w.imgHeaderX, &ImageControl::mouseMove, &w,
                     [this] { HoverHeader(ctx(), 1, 0); });
    QObject::connect(w.imgHeaderV, &ImageControl::mouseMove, &w,
                     [this] { HoverHeader(ctx(), 0, 1); });
    QObject::connect(w.imgHeaderX, &ImageControl::buttonClicked, &w,
                     [this] { shutDown(); }); // the tray icon must not outlive us
    QObject::connect(w.imgHeaderV, &ImageControl::buttonClicked, &w,
                     [this] { HeaderVMouseUp(ctx()); });
    QObject::connect(w.picClock, &ImageControl::mouseMove, &w,
                     [this] { HoverHeader(ctx(), 0, 0); });
    QObject::connect(w.imgEach, &ImageControl::clicked, &model_, &ClockModel::stepAnnouncer);
    QObject::connect(w.imgPunch, &ImageControl::clicked, &model_, &ClockModel::togglePunch);
    for (int k = 1; k <= 12; ++k) {
        QObject::connect(w.imgPunchUp[k], &ImageControl::mouseDown, &model_,
                         [this, k] { model_.pressKey(k); });
    }
    wireAlarm();
}

void VeltoApp::wireAlarm() {
    FrmVelto& w = *main_;
    for (int k = 0; k < 10; ++k) {
        QObject::connect(w.imgFixed[k], &ImageControl::clicked, &w,
                         [this, k] { model_.choosePreset(k); });
        QObject::connect(w.imgFixed[k], &ImageControl::mouseMove, &w,
                         [this, k] { PresetHover(ctx(), k); });
    }
    for (int k = 0; k < 4; ++k) {
        ImageControl* bar = w.imgCorrect[k];
        QObject::connect(bar, &ImageControl::mouseDown, &w,
                         [this, k] { CorrectPress(ctx(), k, true); });
        QObject::connect(bar, &ImageControl::mouseUp, &w,
                         [this, k] { CorrectPress(ctx(), k, false); });
        QObject::connect(bar, &ImageControl::clicked, &w, [this, k] { model_.correctDigit(k); });
    }
    for (ImageControl* element : w.imgAlarm) {
        QObject::connect(element, &ImageControl::clicked, &model_, &ClockModel::toggleEdit);
    }
    QObject::connect(w.imgHeader, &ImageControl::clicked, &model_, &ClockModel::toggleAlarm);
    QObject::connect(w.imgCenter, &ImageControl::clicked, &model_, &ClockModel::toggleAlarm);
    // The mark keeps the mouse while a button is held on it (the press grabs it); where the
    // pointer is over the bare dial, the mark follows it.
    QObject::connect(w.imgMark, &ImageControl::mouseMove, &w,
                     [this](Qt::MouseButtons buttons, QPoint pos) {
                         if (buttons == Qt::NoButton) {
                             return;
                         }
                         PictureBox& face = *main_->picClock;
                         const QPoint p = main_->imgMark->mapTo(&face, pos);
                         if (face.rect().contains(p) && face.childAt(p) == nullptr) {
                             MarkDragOver(ctx(), p);
                         }
                     });
}

void VeltoApp::placeHotSpotHandlers() {
    FrmVelto& w = *main_;
    for (size_t k = 0; k < w.imgHotSpot.size(); ++k) {
        const int index = static_cast<int>(k);
        QObject::connect(w.imgHotSpot[k], &ImageControl::clicked, &w,
                         [this, index] { HotSpotClick(ctx(), index); });
    }
}

void VeltoApp::wireShell() {
    TrayIcon& tray = platform_.tray;
    std::vector<TrayMenuItem> menu(mnuExit + 1);
    const Ctx c = ctx();
    for (int e = mnuOnOff; e <= mnuExit; ++e) {
        menu[static_cast<size_t>(e)].caption = TrayMenuCaption(c, static_cast<TrayMenuEntry>(e));
    }
    menu[mnuOnOff].onChosen = [this] { model_.toggleAlarm(); };
    menu[mnuShow].onChosen = [this] { MnuShowClick(ctx()); };
    menu[mnuShow].isDefault = true;
    menu[mnuAbout].onChosen = [this] { ShowAbout(ctx()); };
    MakeLoginStartItem(menu[mnuLogin], platform_.login);
    menu[mnuExit].onChosen = [this] { shutDown(); };
    tray.setMenu(std::move(menu));
    tray.onClick([this](TrayClick click) { TrayClicked(ctx(), click); });
    tray.onAreaAppeared([this] { TrayAreaAppeared(ctx()); });

    // A header button or preset left lit while the pointer went elsewhere would come back lit.
    QObject::connect(main_.get(), &FrmVelto::pointerGone, main_.get(), [this] {
        HoverHeader(ctx(), 0, 0);
        PresetsNormal(ctx());
    });
}

} // namespace velto
