#pragma once
// The program as a whole: it builds the model, the views and the desktop's seams, wires them
// together, starts the tick, and has the one shut-down.

#include "art/depot.h"
#include "model/clock_model.h"
#include "observers/clock_commands.h"
#include "platform/seams.h"

#include <memory>

namespace velto {

class AboutWindow;
class PunchLog;
class PunchLogWindow;
class PreferencesWindow;
class MainWindow;
class Ringer;
class TrayPresenter;
class WindowPresence;

/// What the art's presets, announcer button and dials show: the model's numbers.
DialNumbers dialNumbers();

/// What every run starts with before the settings kept from the last one: the alarm off at
/// the current minute, the announcer every quarter hour.
void setStartDefaults(ClockModel& model);

class VeltoApp {
public:
    explicit VeltoApp(Platform& platform);
    ~VeltoApp();
    VeltoApp(const VeltoApp&) = delete;
    VeltoApp& operator=(const VeltoApp&) = delete;

    /// `command` is carried out once the program has started, after what was kept from the
    /// last run: the command line started the clock for it.
    void carryOutAtStart(const Command& command) { firstCommand_ = command; }
    /// Starts the program. Returns false, having shown nothing, when another instance runs.
    bool startUp();
    /// Keeps the punch clock's sessions in the SQLite file at `path` from startUp() on;
    /// without it (the tests) the punch clock is kept nowhere.
    void keepPunchLog(const QString& path) { punchLogPath_ = path; }
    /// One firing of the ticker.
    void mainTick();
    /// Removes the tray icon, unloads the windows and ends the process, once, however often
    /// and from wherever it is asked for.
    void shutDown();

    ClockModel& model() { return model_; }
    [[nodiscard]] Depot& depot() const { return *depot_; }
    [[nodiscard]] MainWindow& mainWindow() const { return *main_; }
    /// Whether the main window is shown, minimised or hidden, and the moves between them.
    [[nodiscard]] WindowPresence& presence() const { return *presence_; }
    [[nodiscard]] Ringer& ringer() const { return *ringer_; }
    /// What scripts and the desktop may ask of the clock; after startUp().
    [[nodiscard]] ClockCommands& commands() const { return *commands_; }
    /// The About window once it was asked for; null before, and after shut-down.
    [[nodiscard]] AboutWindow* aboutWindow() const { return about_.get(); }
    /// The punch log, when kept; null before startUp().
    [[nodiscard]] PunchLog* punchLog() const { return punchLog_; }
    /// The Preferences window once it was asked for.
    [[nodiscard]] PreferencesWindow* preferencesWindow() const { return preferences_.get(); }
    /// The punch log's window once it was asked for.
    [[nodiscard]] PunchLogWindow* punchLogWindow() const { return punchLogWindow_.get(); }

private:
    /// The shut-down; `endEventLoop` is false when the event loop has ended already.
    void finish(bool endEventLoop);
    /// Whether the ticker fires each second or rests until the next thing due.
    void pace(const ClockReading& now);
    /// Loads the sound when a ring comes soon, once the window has been painted.
    void prepareSound(const ClockReading& now);
    /// What the views ask of each other and of the program.
    void wire();
    /// "About": the About window, made on first use; when it is open already it comes
    /// forward.
    void showAbout();
    /// "Punch log": its window, made on first use.
    void showPunchLog();
    /// "Preferences...": its window, made on first use.
    void showPreferences();

    Platform& platform_;
    ClockModel model_;
    std::unique_ptr<Depot> depot_;
    std::unique_ptr<MainWindow> main_;
    WindowPresence* presence_ = nullptr; // the main window's child
    std::unique_ptr<TrayPresenter> tray_;
    std::unique_ptr<Ringer> ringer_;
    std::unique_ptr<AboutWindow> about_;
    ClockCommands* commands_ = nullptr; // the main window's child
    std::optional<Command> firstCommand_;
    QString punchLogPath_;
    PunchLog* punchLog_ = nullptr; // the window's child
    std::unique_ptr<PunchLogWindow> punchLogWindow_;
    std::unique_ptr<PreferencesWindow> preferences_;
    bool finished_ = false;
};

} // namespace velto
