#pragma once
// The notification-area icon: it shows the alarm's state in its picture, its tip and the
// switch of its menu, and says what the user chose on it.

#include "art/depot.h"
#include "model/clock_model.h"
#include "platform/seams.h"

#include <QObject>
#include <optional>

namespace velto {

/// The tray menu's entries, in order.
enum class TrayEntry : int {
    StopRing, // "Stop the alarm", while it rings
    Snooze,   // "Snooze", while it rings
    SeparatorRing,
    AlarmSwitch, // "Alarm ON" / "Alarm OFF": the switch the alarm offers
    Separator1,
    Show, // "&Show Velto", the default entry
    About,
    PunchLog,    // "&Punch log"
    Preferences, // "P&references..."
    LoginStart,  // "Start at &login", checked while the desktop starts the clock at login
    Separator2,
    Exit,
};

class TrayPresenter final : public QObject {
    Q_OBJECT
public:
    /// Sets up the menu; the icon comes with addIcon(). Follows the alarm of `model` from now
    /// on, and switches it from the menu.
    TrayPresenter(ClockModel& model, Depot& depot, TrayIcon& tray, MessageBoxes& messages,
                  LoginStart& login);

    /// Adds the icon in the armed look. Without a notification area the user is told once,
    /// in a box that leaves the clock usable, when none has come a few seconds later; the icon
    /// appears by itself when an area does, and the box goes.
    void addIcon();
    void removeIcon();

signals:
    /// "Show Velto".
    void showChosen();
    void aboutChosen();
    void punchLogChosen();
    void preferencesChosen();
    void exitChosen();
    /// A click on the icon.
    void clicked(TrayClick click);
    /// The notification area went away with the icon; it comes back with the next area.
    void areaGone();

private:
    /// The look of the alarm's state; the menu offers the other state: its caption is the
    /// tip of the other icon. Without an icon nothing is said: the user is told once, after
    /// start-up, and this runs inside the tick when a ring switches the alarm off.
    void showAlarmState();
    /// A notification area appeared after start-up: the icon goes in, in the current state.
    void areaAppeared();
    [[nodiscard]] int look() const { return model_.armed() ? 0 : 1; }
    /// The icon's tip: the alarm's state, its label and whether it was snoozed.
    [[nodiscard]] QString tip() const;
    /// No notification area came in the seconds after addIcon(): the user is told.
    void areaStillMissing();

    ClockModel& model_;
    Depot& depot_;
    TrayIcon& tray_;
    MessageBoxes& messages_;
    /// The box that says there is no notification area, while it may be up.
    std::optional<int> notice_;
};

} // namespace velto
