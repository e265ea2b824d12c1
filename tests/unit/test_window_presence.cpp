// Where the main window goes when the user minimises or closes it and calls it back.
#include "fakes.h"
#include "views/window_presence.h"

#include <QWidget>

namespace velto::test {

namespace {

using State = WindowPresence::State;
using Move = void (WindowPresence::*)();

const char* nameOf(State s) {
    switch (s) {
    case State::Shown:
        return "shown";
    case State::Minimised:
        return "minimised";
    case State::Hidden:
        return "hidden";
    case State::HiddenMinimised:
        return "hidden minimised";
    }
    return "?";
}

/// A window left in `state` as the window system would leave it.
void putIn(QWidget& window, State state) {
    window.show();
    if (state == State::Minimised || state == State::HiddenMinimised) {
        window.setWindowState(Qt::WindowMinimized);
    }
    if (state == State::Hidden || state == State::HiddenMinimised) {
        window.hide();
    }
}

} // namespace

TEST(WindowPresence, EachMoveLeadsFromEachStateWhereTheUserExpects) {
    const Move toTray = &WindowPresence::sendToTray;
    const Move bringBack = &WindowPresence::bringBack;
    const Move showAgain = &WindowPresence::showAgain;
    const Move ifHidden = &WindowPresence::bringBackIfHidden;
    struct Case {
        const char* move;
        Move apply;
        State from;
        State to;
        bool trayShown = true;
        bool placesWindows = true; // false: a compositor that tells nothing (Wayland)
    };
    const std::vector<Case> cases{
        {"to the tray", toTray, State::Shown, State::HiddenMinimised},
        {"to the tray", toTray, State::Minimised, State::HiddenMinimised},
        {"to the tray", toTray, State::Hidden, State::HiddenMinimised},
        {"to the tray", toTray, State::HiddenMinimised, State::HiddenMinimised},
        // With no icon to come back from, the taskbar keeps it.
        {"to the taskbar", toTray, State::Shown, State::Minimised, false},
        {"to the taskbar", toTray, State::Minimised, State::Minimised, false},
        {"to the taskbar", toTray, State::Hidden, State::HiddenMinimised, false},
        {"to the taskbar", toTray, State::HiddenMinimised, State::HiddenMinimised, false},
        {"bring back", bringBack, State::Shown, State::Shown},
        {"bring back", bringBack, State::Minimised, State::Shown},
        {"bring back", bringBack, State::Hidden, State::Shown},
        {"bring back", bringBack, State::HiddenMinimised, State::Shown},
        {"bring back, compositor", bringBack, State::Shown, State::Shown, true, false},
        {"bring back, compositor", bringBack, State::Minimised, State::Shown, true, false},
        {"bring back, compositor", bringBack, State::HiddenMinimised, State::Shown, true, false},
        // A minimised window shows minimised.
        {"show again", showAgain, State::Shown, State::Shown},
        {"show again", showAgain, State::Minimised, State::Minimised},
        {"show again", showAgain, State::Hidden, State::Shown},
        {"show again", showAgain, State::HiddenMinimised, State::Minimised},
        // The tray went away: only a window that has no other way back comes back.
        {"tray gone", ifHidden, State::Shown, State::Shown},
        {"tray gone", ifHidden, State::Minimised, State::Minimised},
        {"tray gone", ifHidden, State::Hidden, State::Shown},
        {"tray gone", ifHidden, State::HiddenMinimised, State::Shown},
    };
    for (const Case& c : cases) {
        FakeTray tray;
        tray.shown = c.trayShown;
        FakeDesktop desktop;
        desktop.manages = c.placesWindows;
        QWidget window;
        auto* presence = new WindowPresence(window, tray, desktop);
        putIn(window, c.from);
        ASSERT_EQ(presence->state(), c.from) << nameOf(c.from);

        (presence->*c.apply)();
        EXPECT_EQ(presence->state(), c.to)
            << c.move << " from " << nameOf(c.from) << " gave " << nameOf(presence->state());
    }
}

} // namespace velto::test
