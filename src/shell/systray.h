#pragma once
// The notification-area icon, which shows the alarm state, its menu, and what clicks on the
// icon do.

#include "core/context.h"

namespace velto {

/// The tray menu's entries, in order; the menu is built by the program, which owns the
/// handlers (ShutDown among them).
enum TrayMenuEntry : int {
    mnuOnOff = 0, // "Alarm ON" / "Alarm OFF": the switch the alarm offers
    mnuTray1,     // separator
    mnuShow,      // "&Show Velto", the default entry
    mnuAbout,     // "&About"
    mnuLogin,     // "Start at &login", checked while the desktop starts the clock at login
    mnuTray2,     // separator
    mnuExit,      // "E&xit"
};

/// The menu's captions; the switch starts as the depot's "Alarm ON" and ShowAlarmState keeps
/// it right from then on.
QString TrayMenuCaption(const Ctx& c, TrayMenuEntry entry);

/// Adds the icon in the armed look. Without a notification area the user is told once; the
/// icon then appears by itself when an area does (TrayAreaAppeared).
void AddTrayIcon(const Ctx& c);
/// Shows the look of `off` (0 armed, 1 off). Without an icon nothing is said: the user was
/// told at start-up, and this runs inside the tick when a ring switches the alarm off.
void ModifyTrayIcon(const Ctx& c, int16_t off);
void DeleteTrayIcon(const Ctx& c);
void SetTrayMenuCaption(const Ctx& c, const QString& caption);
/// A notification area appeared after start-up: the icon goes in, in the current state.
void TrayAreaAppeared(const Ctx& c);

/// A click on the icon: a press restores (when minimised), shows and raises the main window;
/// a double click shows it.
void TrayClicked(const Ctx& c, TrayClick click);
/// "Show Velto": the main window in its normal state, shown.
void MnuShowClick(const Ctx& c);

/// Minimise and hide: the main window goes to the tray, or, while there is no icon to bring
/// it back from, only to the taskbar.
void SendToTray(const Ctx& c);

} // namespace velto
