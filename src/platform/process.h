#pragma once
// The process as a whole: its signals, limits, display, session bus and memory.

#include <QString>

namespace velto {

/// Catches SIGTERM, SIGINT and SIGHUP (the session ending, `kill`, Ctrl+C) from now on. Call
/// it first in main(), before anything else takes the descriptors it needs; a signal that
/// comes before quitOnTerminationSignals() waits for it. Does nothing where there are no such
/// signals.
void catchTerminationSignals();
/// Turns the signals caught into an orderly quit of the event loop, so shut-down runs and no
/// tray icon is left behind. Needs the application object.
void quitOnTerminationSignals();
/// Whether the process may open as many files as the clock needs, after raising its own
/// limit as far as the system lets it; when not, `why` says so in words for the user.
bool enoughDescriptors(QString* why);
/// Why no file can be opened now when the cause is a limit on open files, in words for the
/// user; empty otherwise.
QString descriptorShortage();

/// Settles the process for a life spent mostly asleep: fewer threads, fewer wake-ups per
/// painted second and one heap. Call before the application object is made.
void prepareForLongIdle();

/// Whether the program runs on Qt's Wayland platform (any of its "wayland" variants).
bool onWayland();

/// Gives the memory that start-up drew its pictures in and freed back to the system, so that
/// a clock that runs all day does not keep it (where the C library can).
void returnFreeMemory();

/// The most memory the process has held resident so far, in KiB (0 where unknown).
long peakResidentKiB();

/// How long the session bus may take to answer at start before this run goes without it.
inline constexpr int kSessionBusAnswerMs = 2000;
/// Keeps this run off a session bus that takes connections and never answers, saying so once:
/// Qt's parts that use it (the screen readers' bridge, the StatusNotifier tray) would wait
/// for it with the window not yet shown. A bus that answers, or one that cannot be reached
/// this way (none, or not on a local socket), is left alone. Call before the application
/// object is made.
void avoidSilentSessionBus();

/// Whether a display can be reached; when not, `why` says so in words for the user. A server
/// that refuses for a moment is asked again for about a second. The connection that proved it
/// stays open until endDisplayCheck(), to be called once the application object exists.
bool displayAvailable(QString* why);
void endDisplayCheck();

/// While it lives, a display that goes away under the program (its X server ends, or the
/// connection to it breaks) ends the program at once: one line on the console that says so,
/// and status 1. Qt would end it through exit(), whose teardown of the libraries races their
/// own threads (the sound system's) and now and then crashes. Nothing is lost: what the user
/// chose is saved as it changes, and a lock whose owner is gone does not stop the next start.
/// Make it after the application object, so that it goes before it.
class EndWithDisplay final {
public:
    EndWithDisplay();
    ~EndWithDisplay();
    EndWithDisplay(const EndWithDisplay&) = delete;
    EndWithDisplay& operator=(const EndWithDisplay&) = delete;
};

} // namespace velto
