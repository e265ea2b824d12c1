#include "app/velto_app.h"

#include "controls/describe.h"
#include "observers/kept_settings.h"
#include "observers/punch_log.h"
#include "observers/ring_notices.h"
#include "views/about_window.h"
#include "views/main_window.h"
#include "views/preferences_window.h"
#include "views/punch_log_window.h"
#include "views/ringer.h"
#include "views/tray_presenter.h"
#include "views/window_presence.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>

namespace velto {

DialNumbers dialNumbers() {
    DialNumbers numbers{ClockModel::kPresetMinutes, ClockModel::kAnnounceIntervals, {}};
    for (size_t i = 0; i < numbers.announceIntervals.size(); ++i) {
        for (size_t hour = 0; hour < numbers.litMarks.at(i).size(); ++hour) {
            numbers.litMarks.at(i).at(hour) = ClockModel::announcesAt(
                numbers.announceIntervals.at(i), 5 * static_cast<int>(hour));
        }
    }
    return numbers;
}

void setStartDefaults(ClockModel& model) {
    model.clearAlarm();
    model.setAnnounceInterval(15);
}

VeltoApp::VeltoApp(Platform& platform) : platform_(platform), model_(platform.clock) {
    new RingNotices(model_, platform.notifier); // the model's child
}

VeltoApp::~VeltoApp() {
    platform_.ticker.stop();
}

bool VeltoApp::startUp() {
    // The first frame's pictures are drawn on another core while the instance is claimed and
    // the screen readers' bus is reached: both mostly wait.
    const QScreen* screen = QGuiApplication::primaryScreen();
    ArtAhead art(screen != nullptr ? screen->devicePixelRatio() : 1.0, dialNumbers());
    if (!platform_.instance.claim()) {
        return false;
    }
    connectScreenReaderBridge();
    depot_ = std::make_unique<Depot>(dialNumbers(), &art);
    main_ = std::make_unique<MainWindow>(model_, *depot_, platform_.desktop);
    presence_ = new WindowPresence(*main_, platform_.tray, platform_.desktop);
    tray_ = std::make_unique<TrayPresenter>(model_, *depot_, platform_.tray, platform_.messages,
                                            platform_.login);
    ringer_ = std::make_unique<Ringer>(model_, *depot_, platform_.sound, platform_.media,
                                       platform_.desktop, *main_);
    wire();

    model_.start(platform_.clock.now());
    auto* kept = new KeptSettings(model_, platform_.settings, platform_.desktop,
                                  *main_); // the window's child
    kept->onPassedWhileAway = [this](Instant due) {
        RingNotices::passedWhileAway(platform_.notifier, platform_.clock, due);
    };
    kept->restoreWindow();
    main_->show();
    tray_->addIcon();
    main_->start();
    setStartDefaults(model_);
    kept->restoreClock();
    if (!punchLogPath_.isEmpty()) {
        // After the settings: a punch-in they kept from an earlier version is carried over.
        punchLog_ = new PunchLog(model_, platform_.clock, punchLogPath_, main_.get());
        punchLog_->restore();
    }
    // Scripts and the desktop: the command line through the instance's channel (main()
    // offers the same commands on the session bus).
    commands_ = new ClockCommands(model_, main_.get());
    commands_->onQuit = [this] { shutDown(); };
    platform_.instance.onCommand(
        [this](const QByteArray& words) { return commands_->answerWords(words); });
    if (firstCommand_) {
        std::fputs(qPrintable(commands_->carryOut(*firstCommand_).text + QLatin1Char('\n')),
                   stdout);
        std::fflush(stdout);
    }
    // The sound is loaded once the window is on the screen when a ring comes soon (else
    // later, see prepareSound()), so that the first ring is heard at once; the sound system
    // is the slowest part of start-up and nothing in the first frame needs it.
    QObject::connect(
        main_.get(), &MainWindow::firstPainted, main_.get(),
        [this] {
            prepareSound(platform_.clock.now());
            platform_.tray.prepareMenu(); // the first right click as quick as the others
            // And the digits the time will show, while start-up's drawing threads are about.
            depot_->drawAhead(DepotArray::imgTime);
            depot_->drawAhead(DepotArray::imgSet);
        },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));

    platform_.instance.onActivationRequest([this] { presence_->bringBack(); });
    // Shown again, the window shows the second it shows in, and the seconds from there;
    // hidden, the ticks rest from the next one on.
    QObject::connect(presence_, &WindowPresence::changed, main_.get(), [this] {
        if (presence_->state() == WindowPresence::State::Shown) {
            mainTick();
        } else {
            pace(platform_.clock.now());
        }
    });
    // A new alarm or announcer may ring sooner than what the rest and the sound were aimed at.
    const auto ringMoved = [this] {
        const ClockReading now = platform_.clock.now();
        prepareSound(now);
        pace(now);
    };
    QObject::connect(&model_, &ClockModel::alarmChanged, main_.get(), ringMoved);
    QObject::connect(&model_, &ClockModel::announcerChanged, main_.get(), ringMoved);
    // However the event loop ends (Exit, the close button, a signal, the session ending),
    // shut-down runs and the tray icon goes with the program.
    // The loop has ended then: asking it to end again would end the next one at once.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, main_.get(), [this] { finish(false); });
    platform_.ticker.start([this] { mainTick(); });
    return true;
}

void VeltoApp::mainTick() {
    const ClockReading now = platform_.clock.now();
    model_.tick(now);
    announceChanges(*main_);
    prepareSound(now);
    pace(now);
}

void VeltoApp::prepareSound(const ClockReading& now) {
    // The sound system is the largest part of the program in memory and has a connection
    // to the sound server of its own: it is loaded a while before the first ring, with room
    // for a tick a minute apart, not at start. A ring that comes unforeseen (a preview)
    // loads it as it plays.
    constexpr std::chrono::seconds kSoundAhead{150};
    if (main_->painted() && !ringer_->prepared() && model_.ringsWithin(now, kSoundAhead)) {
        ringer_->prepare();
    }
}

void VeltoApp::pace(const ClockReading& now) {
    // The seconds are drawn only on the screen: elsewhere the ticks come at what is due, a
    // minute apart at most, and the alarm's window and the fade keep time of their own. A
    // ring ticks each second, so that its Snooze counts from the second it is pressed.
    if (presence_->state() == WindowPresence::State::Shown || model_.ringing()) {
        platform_.ticker.resume();
    } else {
        platform_.ticker.restFor(model_.dueIn(now));
    }
}

void VeltoApp::wire() {
    MainWindow* w = main_.get();
    WindowPresence* p = presence_;
    QObject::connect(w, &MainWindow::exitRequested, w, [this] { shutDown(); });
    QObject::connect(w, &MainWindow::unloaded, w, [this] { shutDown(); });
    // Minimise and the desktop's close command send the window to the tray, or to the
    // taskbar while there is no tray icon.
    QObject::connect(w, &MainWindow::minimiseClicked, p, &WindowPresence::sendToTray);
    QObject::connect(w, &MainWindow::closeAsked, p, &WindowPresence::sendToTray);
    // A ringing alarm stops first, and a ring's window goes, as its button would; then the
    // clock goes to the tray.
    QObject::connect(w, &MainWindow::escapePressed, w, [this] {
        if (!model_.stopRing() && !ringer_->dismiss()) {
            presence_->sendToTray();
        }
    });
    // A press on the icon restores (when minimised), shows and raises the window; a double
    // click shows it.
    QObject::connect(tray_.get(), &TrayPresenter::clicked, p, [p](TrayClick click) {
        if (click == TrayClick::Single) {
            p->bringBack();
        } else {
            p->showAgain();
        }
    });
    QObject::connect(tray_.get(), &TrayPresenter::showChosen, p, &WindowPresence::bringBack);
    // A clock kept in a notification area that went away (a panel that crashed) would have
    // no way back but a second start: it comes back on the screen.
    QObject::connect(tray_.get(), &TrayPresenter::areaGone, p, &WindowPresence::bringBackIfHidden);
    QObject::connect(tray_.get(), &TrayPresenter::aboutChosen, w, [this] { showAbout(); });
    QObject::connect(tray_.get(), &TrayPresenter::exitChosen, w, [this] { shutDown(); });
    QObject::connect(tray_.get(), &TrayPresenter::punchLogChosen, w, [this] { showPunchLog(); });
    QObject::connect(w, &MainWindow::punchLogRequested, w, [this] { showPunchLog(); });
    QObject::connect(tray_.get(), &TrayPresenter::preferencesChosen, w,
                     [this] { showPreferences(); });
}

void VeltoApp::showPreferences() {
    if (!preferences_) {
        preferences_ = std::make_unique<PreferencesWindow>(
            model_, [this](RingKind kind) { ringer_->preview(kind); });
    }
    preferences_->bringUp();
}

void VeltoApp::showAbout() {
    if (!about_) {
        about_ = std::make_unique<AboutWindow>(platform_.urls);
        QObject::connect(about_.get(), &AboutWindow::done, presence_, &WindowPresence::showAgain);
    }
    about_->bringUp();
}

void VeltoApp::showPunchLog() {
    if (punchLog_ == nullptr) {
        return; // kept nowhere
    }
    if (!punchLogWindow_) {
        punchLogWindow_ = std::make_unique<PunchLogWindow>(*punchLog_, model_);
    }
    punchLogWindow_->bringUp();
}

void VeltoApp::shutDown() {
    finish(true);
}

void VeltoApp::finish(bool endEventLoop) {
    if (!main_ || finished_) {
        return;
    }
    finished_ = true;
    tray_->removeIcon();
    about_.reset();
    punchLogWindow_.reset();
    preferences_.reset();
    // The depot lives as long as the program object: its pictures are shared by the window
    // until the process ends.
    main_->unload(); // its unload signal comes back here, and finds the work under way
    platform_.ticker.stop();
    if (endEventLoop) {
        platform_.desktop.endProcess();
    }
}

} // namespace velto
