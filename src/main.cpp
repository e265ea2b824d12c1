#include "app/command_line.h"
#include "app/languages.h"
#include "app/velto_app.h"
#include "observers/clock_bus.h"
#include "observers/punch_log.h"
#include "platform/console.h"
#include "platform/desktop_notifier.h"
#include "platform/file_settings.h"
#include "platform/local_instance_guard.h"
#include "platform/login_start.h"
#include "platform/media_players.h"
#include "platform/process.h"
#include "platform/qt_clock.h"
#include "platform/qt_desktop.h"
#include "platform/qt_tray.h"
#include "platform/qt_workarounds.h"
#include "platform/sound_loader.h"
#include "platform/sound_names.h"
#include "views/window_presence.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    velto::installConsole(); // every line of ours reads "velto: ..."
    const velto::CommandLine line = velto::takeCommandLine(argc, argv);
    if (line.status) {
        return *line.status; // --help, --version or a mistake: said, and nothing more to do
    }
    if (line.command) {
        // For the running clock; when none runs, some commands start one.
        if (const auto status = velto::sendToRunningClock(*line.command)) {
            return *status;
        }
    }
    velto::nameSoundStreams(QApplication::desktopFileName()); // before any thread runs
    QString why;
    if (!velto::enoughDescriptors(&why)) {
        std::fprintf(stderr, "velto: %s\n", qPrintable(why));
        return 1;
    }
    velto::catchTerminationSignals(); // before anything else takes the descriptors it needs
    if (!velto::displayAvailable(&why)) {
        std::fprintf(stderr, "velto: %s\n", qPrintable(why));
        return 1;
    }
    velto::workarounds::sayFallbacks(); // one line, on a Qt they were not checked on
    velto::avoidSilentSessionBus();
    velto::prepareForLongIdle();
    QApplication app(argc, argv);
    velto::endDisplayCheck();
    const velto::EndWithDisplay endWithDisplay; // a display that goes away ends us cleanly
    // The name the desktop shows for the program as a whole: the tray item's title, the
    // application a screen reader lists, the window class. The settings and the runtime
    // folder have their own fixed names. No display name: the desktop would add it to every
    // window's caption, and the alarm window's "Alarm" would not fit its title bar.
    QApplication::setApplicationName(QStringLiteral("Velto"));
    velto::installTranslations(app, QLocale::system());
    QApplication::setQuitOnLastWindowClosed(false); // the clock lives on in the tray

    velto::SystemClock clock;
    velto::SecondTicker ticker;
    velto::SoundLoader sound(velto::SoundLoader::foldersFor(QApplication::applicationDirPath()));
    velto::QtTray tray;
    velto::QtMessageBoxes messages;
    velto::QtUrlOpener urls;
    velto::LocalInstanceGuard instance(QStringLiteral("velto"));
    velto::QtDesktop desktop;
    velto::FileSettingsStore settings;
    velto::SystemLoginStart login(QApplication::desktopFileName(),
                                  QApplication::applicationFilePath());
    velto::DesktopNotifier notifier(QApplication::desktopFileName(), tray);
    velto::DesktopMediaPlayers media;
    velto::Platform platform{clock,    ticker,  sound,    tray,  messages, urls,
                             instance, desktop, settings, login, notifier, media};

    velto::VeltoApp velto(platform);
    if (line.command) {
        velto.carryOutAtStart(*line.command);
    }
    velto.keepPunchLog(velto::PunchStore::defaultPath());
    if (!velto.startUp()) {
        if (line.command) { // another clock started first: it carries the command out
            return velto::sendToRunningClock(*line.command).value_or(velto::kRefused);
        }
        // The running clock has been asked to show itself; one that did not hear it was named.
        return instance.firstAnswered() ? 0 : 1;
    }
    velto::offerOnSessionBus(velto.model(), velto.commands(),
                             [&velto] { velto.presence().bringBack(); });
    velto::quitOnTerminationSignals();
    // Once start-up has settled (the window painted, the sound loaded in the background, the
    // drawing threads gone), its scratch memory can go.
    constexpr int kSettledMs = 3000;
    QTimer::singleShot(kSettledMs, &app, [] { velto::returnFreeMemory(); });
    return QApplication::exec();
}
