#pragma once
// The seams between the clock and the desktop. Each has one Qt implementation with a header
// of its own in this folder (qt_clock.h, qt_sound.h, qt_tray.h, qt_desktop.h, file_settings.h,
// local_instance_guard.h, login_start.h, desktop_notifier.h) and one fake for the tests
// (tests/unit/fakes.h); process.h holds what concerns the process as a whole. main.cpp alone makes
// the real ones and hands them to the program as one Platform of references.

#include <QDateTime>
#include <QString>
#include <QVariantMap>
#include <chrono>
#include <functional>
#include <vector>

class QWidget;
class QIcon;

namespace velto {

/// One reading of the clock: the instant, and how long the machine has run.
struct ClockReading {
    /// Since the epoch, UTC. Jumps only when the clock is set; a change of zone or of
    /// daylight saving leaves it alone.
    std::chrono::sys_time<std::chrono::milliseconds> instant;
    /// Since some fixed point of this boot, counting time asleep; never set, never jumps.
    std::chrono::milliseconds sinceBoot{0};
};

/// Where the time comes from. The program reads it once per tick and passes that one
/// reading to everything the tick does.
class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual ClockReading now() const = 0;
    /// How far the local zone's time of day is ahead of UTC at `instant`, by the zone the
    /// system has at the last reading.
    [[nodiscard]] virtual std::chrono::seconds
    utcOffsetAt(std::chrono::sys_seconds instant) const = 0;
};

/// The heartbeat. After start() the callback runs on the UI thread shortly after each whole
/// second of the clock, until stop(); restFor() leaves out the seconds nobody sees.
class Ticker {
public:
    virtual ~Ticker() = default;
    virtual void start(std::function<void()> onTick) = 0;
    virtual void stop() = 0;
    /// The next firing comes when `span` of real time has passed, rather than at the next
    /// whole second, or at once when the wall clock is set or the machine wakes from sleep
    /// meanwhile; the firings after it come at each whole second again. A ticker that cannot
    /// tell when the clock is set keeps firing each second: a ring must never come late.
    virtual void restFor(std::chrono::milliseconds span) = 0;
    /// Ends a rest: the firings come at each whole second again.
    virtual void resume() = 0;
};

/// How a sound plays.
struct Playing {
    double volume = 1.0; // of full loudness, as a factor of the samples, 0..1
    bool repeat = false; // over and over, until stop()
};

/// Sound playback. Neither call waits for the sound or throws. Both return false, and say why
/// in error(), when the file at `path` will not be heard: a file that cannot be played is
/// replaced by a sound of the player's own, and with no audio output (no device, no sound
/// server) nothing is heard. A failure that shows only while the file loads in the
/// background is returned by the next call.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    /// Loads the file ahead of time, so that a later play() of it starts at once.
    virtual bool prepare(const QString& path) = 0;
    /// Starts the file from its beginning, stopping whatever this player still plays. A file
    /// that changed since it was loaded is loaded again first. No file (an empty path) plays
    /// the player's own sound.
    virtual bool play(const QString& path, const Playing& how = {}) = 0;
    /// Changes the loudness of what plays now, as Playing::volume.
    virtual void setVolume(double volume) = 0;
    /// Stops whatever plays; nothing when nothing does.
    virtual void stop() = 0;
    [[nodiscard]] virtual QString error() const = 0;
    /// `handler` runs on the UI thread when error() changes between calls: the sound output
    /// went away (error() says why) or came back (error() is empty).
    virtual void onChanged(std::function<void()> handler) = 0;
};

/// One entry of the tray menu. An entry without a caption is a separator.
struct TrayMenuItem {
    QString caption;        // "&" marks the access key
    bool isDefault = false; // the menu's default item, drawn bold
    std::function<void()> onChosen;
    /// Set for an entry with a check mark: whether it is checked, asked each time the menu
    /// is about to show.
    std::function<bool()> checked;
    /// Set for an entry that shows only at times: whether it shows, asked each time the
    /// menu is about to show.
    std::function<bool()> shown;
};

/// What the user did to the tray icon (the menu aside, which the icon opens itself).
enum class TrayClick {
    Single, // left button pressed on the icon
    Double, // left button double-clicked
};

/// The notification-area icon and its menu.
class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    /// Adds the icon; false when the desktop has no notification area now.
    virtual bool add(const QIcon& icon, const QString& tip) = 0;
    /// Changes picture and tip; false when there is no icon to change (the picture and tip
    /// are kept all the same, for an add() that comes later).
    virtual bool modify(const QIcon& icon, const QString& tip) = 0;
    /// Removes the icon; harmless when it is already gone. A notification area that appears
    /// afterwards is no longer reported.
    virtual void remove() = 0;
    /// Whether the icon is in a notification area.
    [[nodiscard]] virtual bool visible() const = 0;
    /// The menu a right click on the icon opens; replaces any earlier one.
    virtual void setMenu(std::vector<TrayMenuItem> items) = 0;
    /// Changes the caption of entry `index` of the menu.
    virtual void setMenuCaption(int index, const QString& caption) = 0;
    /// `handler` runs on the UI thread when the user clicks the icon.
    virtual void onClick(std::function<void(TrayClick)> handler) = 0;
    /// `handler` runs on the UI thread when a notification area appears while an add() has
    /// found none and no remove() followed (a panel that starts late or restarts).
    virtual void onAreaAppeared(std::function<void()> handler) = 0;
    /// `handler` runs on the UI thread, once, when an add() found no notification area and
    /// none has appeared a few seconds later (long enough for a panel that starts with the
    /// session), unless a remove() came first.
    virtual void onAreaStillMissing(std::function<void()> handler) = 0;
    /// `handler` runs on the UI thread when the notification area that held the icon goes
    /// away (its panel ended or crashed). The icon is then no longer visible, and comes back
    /// by itself, with onAreaAppeared, when an area appears again.
    virtual void onAreaGone(std::function<void()> handler) = 0;
    /// Gets the menu ready to open at once (its style, fonts and window), ahead of the first
    /// right click; meant for a moment when nothing waits, such as after the first paint.
    virtual void prepareMenu() {}
};

/// Message boxes with a single OK button, which leave every other window usable while they
/// are up.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    /// Shows `text` and returns at once. The box stays until the user closes it or
    /// withdraw() takes it away; returns its number, for withdraw().
    virtual int inform(const QString& title, const QString& text) = 0;
    /// Takes away box `id` if it is still up; nothing otherwise.
    virtual void withdraw(int id) = 0;
};

/// Opening a web address in the user's browser. Failure is not reported.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QString& url) = 0;
};

/// Keeps the program to one instance per user.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    /// True when this process is the first instance. A second instance asks the first to
    /// bring its window back before it returns false.
    virtual bool claim() = 0;
    /// Called in the first instance whenever a later start asked for the window.
    virtual void onActivationRequest(std::function<void()> handler) = 0;
    /// Called in the first instance with the words of each command a later start sent; what
    /// it returns is the answer sent back.
    virtual void onCommand(std::function<QByteArray(const QByteArray&)> handler) = 0;
};

/// The desktop's window manager and the process itself.
class Desktop {
public:
    virtual ~Desktop() = default;
    /// Starts the window manager's own interactive move of the window; false if it cannot.
    virtual bool startSystemMove(QWidget& window) = 0;
    /// Ends the event loop and with it the process.
    virtual void endProcess() = 0;
    /// The folder that holds the program.
    [[nodiscard]] virtual QString programFolder() const = 0;
    /// Whether the program places its windows, learns where they are and restores them from
    /// minimised itself. Where it does not (Wayland: the compositor alone places windows and
    /// brings a minimised one back, and tells neither), a window that is mapped anew shows,
    /// and its place is not known.
    [[nodiscard]] virtual bool managesOwnWindows() const = 0;
};

/// Where the user's choices are kept between runs: named values, each a number or a text.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    /// The values kept, read once at start; none when nothing was kept yet or it could not
    /// be read (which the store says once, keeping the unreadable file aside).
    virtual QVariantMap load() = 0;
    /// The values that load() gave make no sense for `why`: the store says so once and keeps
    /// them aside, so that the next save() does not overwrite them.
    virtual void setAside(const QString& why) = 0;
    /// Replaces the values kept, all at once: a crash or a full disk leaves the old ones or
    /// the new ones, never a mix. A store that cannot be written says so once and returns
    /// false; the caller tries again later.
    virtual bool save(const QVariantMap& values) = 0;
};

/// Starting the program when the user logs in to the desktop.
class LoginStart {
public:
    virtual ~LoginStart() = default;
    /// Whether the desktop starts the program at login, whoever arranged it.
    [[nodiscard]] virtual bool enabled() const = 0;
    /// Arranges or cancels the start at login. False, with `why` in words for the user, when
    /// it could not be done; then nothing of the user's was changed.
    virtual bool setEnabled(bool on, QString* why) = 0;
};

/// A choice a notification offers, such as "Stop" or "Snooze".
struct NoticeAction {
    QString id; // what the handler is told
    QString label;
};

/// Desktop notifications: a short message the desktop shows outside the program's windows.
class Notifier {
public:
    virtual ~Notifier() = default;
    /// Posts the message and returns at once. A desktop that cannot show it is said once on
    /// the console; the caller hears nothing of it.
    virtual void notify(const QString& title, const QString& body) = 0;
    /// The same with `actions` offered on it where the desktop shows actions (elsewhere the
    /// message comes without them). `onAction` runs on the UI thread with the id of the one
    /// the user picked, at most once per message.
    virtual void notify(const QString& title, const QString& body,
                        const std::vector<NoticeAction>& actions,
                        std::function<void(const QString& id)> onAction) = 0;
};

/// The media players of the desktop (music, video), which an alarm pauses while it rings.
class MediaPlayers {
public:
    virtual ~MediaPlayers() = default;
    /// Pauses every player that says it is playing, and remembers which. Returns at once.
    virtual void pausePlaying() = 0;
    /// Plays again those that pausePlaying() paused and that are still paused; forgets them.
    virtual void resumePaused() = 0;
};

/// Everything the program needs from outside, handed over as one bundle.
struct Platform {
    Clock& clock;
    Ticker& ticker;
    SoundPlayer& sound;
    TrayIcon& tray;
    MessageBoxes& messages;
    UrlOpener& urls;
    InstanceGuard& instance;
    Desktop& desktop;
    SettingsStore& settings;
    LoginStart& login;
    Notifier& notifier;
    MediaPlayers& media;
};

} // namespace velto
