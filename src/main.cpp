#include "app/velto_app.h"
#include "platform/qt_platform.h"
#include "platform/qt_tray.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QString why;
    if (!velto::displayAvailable(&why)) {
        std::fprintf(stderr, "velto: %s\n", qPrintable(why));
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velto"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velto"));
    QApplication::setQuitOnLastWindowClosed(false); // the clock lives on in the tray

    velto::SystemClock clock;
    velto::SecondTicker ticker;
    velto::SilentSound sound;
    velto::QtTray tray;
    velto::QtMessageBoxes messages;
    velto::QtUrlOpener urls;
    velto::LocalInstanceGuard instance(QStringLiteral("velto"));
    velto::QtDesktop desktop;
    velto::Platform platform{clock, ticker, sound, tray, messages, urls, instance, desktop};

    velto::VeltoApp velto(platform);
    if (!velto.startUp()) {
        return 0; // the running clock has been asked to show itself
    }
    velto::quitOnTerminationSignals();
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [&velto] { velto.shutDown(); });
    return QApplication::exec();
}
