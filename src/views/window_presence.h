#pragma once
// Where the main window is for the user: on the screen, minimised to the taskbar, or hidden
// with only the tray icon to bring it back. The window itself only reports the user's clicks;
// what they lead to is decided here.

#include "platform/seams.h"

#include <QObject>
#include <QPoint>
#include <optional>

class QWidget;

namespace velto {

class WindowPresence final : public QObject {
    Q_OBJECT
public:
    enum class State {
        Shown,
        Minimised,       // on the taskbar
        Hidden,          // not mapped; it shows as it was
        HiddenMinimised, // not mapped, and minimised when it shows
    };

    /// Moves `window` between the states. A child of the window, it goes with it. `tray` says
    /// whether there is an icon to come back from, `desktop` whether the program may restore
    /// and place the window itself.
    WindowPresence(QWidget& window, const TrayIcon& tray, const Desktop& desktop);

    /// The state the window is in now, as the window system last told it.
    [[nodiscard]] State state() const;

    /// Minimise and hide: the window goes to the tray, or, while there is no icon to bring
    /// it back from, only to the taskbar (Minimised, or HiddenMinimised when hidden already).
    void sendToTray();
    /// Shown from any state: restored when minimised, shown when hidden, raised and active.
    void bringBack();
    /// Shows the window in the state it has (minimised stays minimised), where it was when
    /// it was hidden.
    void showAgain();
    /// A hidden window comes back (bringBack()); one on the screen or the taskbar stays.
    void bringBackIfHidden();

signals:
    /// The window was shown, hidden, minimised or restored: state() may say another state.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Tells the window system to map the hidden window where it was when it was hidden.
    void placeWhereLeft();

    QWidget& window_;
    const TrayIcon& tray_;
    const Desktop& desktop_;
    std::optional<QPoint> hiddenAt_; // where the window was when it was last hidden
};

} // namespace velto
