#pragma once
// Every place where the clock leans on Qt's insides rather than on what Qt documents. Each
// is taken only on the Qt versions it was checked on; on any other Qt the clock does the
// plain thing, which works, only less well (see each below and the README).

#include <QString>
#include <functional>

class QEvent;
class QObject;

namespace velto {

enum class Workaround {
    /// Qt 6.4's PulseAudio engine, found by its class name among the objects that get
    /// queued calls, is followed through its contextFailed() signal and asked to prepare()
    /// again once the sound server is back. Plain: a server that went away leaves every
    /// later ring silent, which is said once, with what brings sound back.
    SoundReconnect,
    /// Qt tells a window's widgets that it went to another screen by QEvent::ScreenChangeInternal,
    /// after their scale is the new screen's. Plain: QWindow::screenChanged.
    ScreenChangeEvent,
    /// The measures of Qt's own title bar on Wayland (its caption's font size, its buttons,
    /// its frame), so that a narrow window's caption is not cut. Plain: the classic width.
    WaylandTitleBar,
    /// QT_XCB_NO_MITSHM: without shared-memory painting an X server has no reason to wake
    /// the clock's threads after each painted second. Plain: Qt's own choice.
    PaintingWakeUps,
    /// Qt's X11 platform says a line just before it calls exit() on a broken connection;
    /// that line is where the clock ends itself instead. Plain: Qt's exit(), whose teardown
    /// now and then crashes in the sound system.
    DisplayLoss,
    /// QT_ACCESSIBILITY and QT_LINUX_ACCESSIBILITY_ALWAYS_ON keep Qt's screen-reader bridge
    /// from waiting on a session bus that never answers. Plain: the bus alone is turned off.
    AccessibilityOff,
};

namespace workarounds {

/// Whether `workaround` is taken: the running Qt (or VELTO_TEST_QT_VERSION, for tests) is
/// one it was checked on, and VELTO_NO_QT_WORKAROUNDS is not set.
bool taken(Workaround workaround);

/// The one line for the start of a run when some workarounds are not taken because the
/// running Qt is outside their versions, naming them; empty when there are none, and when
/// VELTO_NO_QT_WORKAROUNDS turned them all off on purpose.
QString fallbackNotice();

/// Says fallbackNotice() on the console, if there is one.
void sayFallbacks();

// ---- SoundReconnect ----

/// Whether `object`, which is handed `event`, is Qt's PulseAudio engine.
bool isSoundEngine(const QObject* object, const QEvent* event);
/// Calls `onFailed` on `receiver`'s thread each time `engine` loses the sound server, while
/// `receiver` lives; false when the engine has no such signal.
bool followSoundEngine(QObject* engine, QObject* receiver, std::function<void()> onFailed);
/// Asks `engine` to connect to the sound server again; false when it cannot be asked.
bool reconnectSoundEngine(QObject* engine);

// ---- ScreenChangeEvent ----

/// Whether `event`, sent to a widget, says that its window now has another scale.
bool scaleChanged(const QEvent* event);

// ---- WaylandTitleBar ----

/// How wide a window must be for Qt's own Wayland title bar to show `caption` whole; 0
/// when that is not known.
int titleBarWidthFor(const QString& caption);

// ---- PaintingWakeUps, AccessibilityOff ----

/// Keeps X11 painting from waking the clock's threads, unless the user chose otherwise.
/// Call before the application object is made.
void avoidPaintingWakeUps();
/// Keeps Qt's screen-reader bridge off the session bus. Call before the application object.
void turnAccessibilityOff();

// ---- DisplayLoss ----

/// Calls `beforeEach` ahead of every message Qt says from now on, until unwatchQtMessages();
/// Qt's last words before it ends the process are among them. A second call replaces the first.
void watchQtMessages(void (*beforeEach)());
void unwatchQtMessages();

} // namespace workarounds
} // namespace velto
