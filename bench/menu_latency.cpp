// How long a right click on the tray icon takes to put the menu on the screen: the first
// time, with the menu left to that click ("cold") or prepared ahead as the program does after
// its first paint ("prepared"), and the times after. A first is slow for what one process
// keeps (the style, the fonts and their glyphs), so each kind runs in a process of its own.
//   velto_menu_latency cold|prepared
#include "platform/qt_tray.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMenu>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

/// Notes the menu's paints.
class PaintSeen final : public QObject {
public:
    bool seen = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            seen = true;
        }
        return QObject::eventFilter(watched, event);
    }
};

/// Opens the menu as a right click does and returns the milliseconds until it was painted,
/// then closes it; -1 when it was not painted within five seconds.
double openAndClose(QMenu& menu, PaintSeen& paints) {
    paints.seen = false;
    QElapsedTimer clock;
    clock.start();
    menu.popup(QPoint(100, 100));
    while (!paints.seen && clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    menu.hide();
    QCoreApplication::processEvents();
    return paints.seen ? ms : -1;
}

} // namespace

int main(int argc, char** argv) {
    const bool prepared = argc > 1 && std::strcmp(argv[1], "prepared") == 0;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    velto::QtTray tray;
    std::vector<velto::TrayMenuItem> items(7);
    const char* captions[] = {"Alarm ON",        "", "&Show Velto", "&About",
                              "Start at &login", "", "E&xit"};
    for (size_t i = 0; i < items.size(); ++i) {
        items[i].caption = QString::fromLatin1(captions[i]);
        if (!items[i].caption.isEmpty()) {
            items[i].onChosen = [] {};
        }
    }
    items[2].isDefault = true;
    items[4].checked = [] { return false; };
    tray.setMenu(items);
    QMenu* menu = &tray.menu(); // made, not yet polished or drawn; no area is needed
    PaintSeen paints;
    menu->installEventFilter(&paints);

    double prepareMs = 0;
    if (prepared) {
        QElapsedTimer clock;
        clock.start();
        tray.prepareMenu();
        prepareMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }
    const double first = openAndClose(*menu, paints);
    constexpr int kLater = 21;
    std::vector<double> later;
    later.reserve(kLater);
    for (int i = 0; i < kLater; ++i) {
        later.push_back(openAndClose(*menu, paints));
    }
    std::sort(later.begin(), later.end());
    std::printf("tray menu on %s, %s: first open %.1f ms, later opens %.1f ms (median of %zu)",
                qPrintable(QGuiApplication::platformName()), prepared ? "prepared" : "cold", first,
                later[later.size() / 2], later.size());
    if (prepared) {
        std::printf(", prepared ahead in %.1f ms", prepareMs);
    }
    std::printf("\n");
    return first < 0 ? 1 : 0;
}
