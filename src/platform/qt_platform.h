#pragma once
// The real seams, on Qt.

#include "platform/files.h"
#include "platform/seams.h"

#include <QMap>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <map>
#include <memory>

class QFileInfo;

namespace velto {

/// The system's clock and zone. Each reading also takes up a change of the system's zone
/// (the TZ variable, /etc/localtime).
class SystemClock final : public Clock {
public:
    [[nodiscard]] ClockReading now() const override;
    [[nodiscard]] std::chrono::seconds utcOffsetAt(std::chrono::sys_seconds instant) const override;
};

/// Fires a few milliseconds after each whole second of the system clock. It re-aims at the
/// next whole second on every firing, so it neither drifts nor skips a second in normal
/// running, and it follows the clock when the clock is set.
class SecondTicker final : public QObject, public Ticker {
    Q_OBJECT
public:
    /// How long after the whole second the ticker aims to fire, so that a firing a hair
    /// early never reads the second before.
    static constexpr int kMarginMs = 3;

    SecondTicker();
    void start(std::function<void()> onTick) override;
    void stop() override;
    /// Milliseconds from `msOfSecond` (0..999) to the next firing.
    static int delayAfter(int msOfSecond);

private:
    void aim();
    QTimer timer_;
    std::function<void()> onTick_;
};

class QtMessageBoxes final : public MessageBoxes {
public:
    int inform(const QString& title, const QString& text) override;
    void withdraw(int id) override;

private:
    std::map<int, QPointer<QMessageBox>> boxes_;
    int last_ = 0;
};

class QtUrlOpener final : public UrlOpener {
public:
    void open(const QString& url) override;
};

/// One instance per user: a lock file that a running clock holds (flock on Unix) decides who
/// runs, whatever the file says, so that one whose owner ended, however it ended, is free at
/// once; a socket beside it carries a later start's request to bring the window back (a
/// datagram socket on Unix, a local server on Windows). Both live in the user's private
/// folder (see InstanceFolder). A FIFO, a device or a link where the lock goes is replaced;
/// a folder there serves as the lock itself. When there is no such folder or no lock can be
/// made there, the guard says why once on the console and lets the program run.
class LocalInstanceGuard final : public QObject, public InstanceGuard {
    Q_OBJECT
public:
    /// `key` names the program; the user's name is added to it.
    explicit LocalInstanceGuard(const QString& key);
    ~LocalInstanceGuard() override;
    bool claim() override;
    void onActivationRequest(std::function<void()> handler) override;

    /// The full path of the socket; empty before claim() or without a private folder.
    [[nodiscard]] QString socketPath() const;
    /// After a claim() that found another clock: whether it got the request to show itself.
    [[nodiscard]] bool firstAnswered() const { return firstAnswered_; }

    /// The one message a later start sends, when it was started without an activation token.
    static constexpr char kShow[] = "show\n";
    /// The message a later start sends, with the activation token it was started with (a
    /// Wayland compositor's permission to give the window the keyboard), when there is one.
    [[nodiscard]] static QByteArray showMessage(const QByteArray& token);

private:
    // How a later start reaches the first differs per system.
    /// False when the request could not be delivered: nobody listens at the socket.
    bool askFirstToShow();
    void listen();
    void stopListening();
    /// A later start said `message`: the one message brings the window back, anything else
    /// is ignored. Its token is left where Qt's Wayland platform takes it from when it
    /// activates the window.
    void heard(const QByteArray& message);
    /// Brings the window back, with the latest token heard.
    void show();

    QString name_;
    QString folder_;
    FileLock lock_;
    QObject* listener_ = nullptr; // the system's listener, a child of the guard
    std::function<void()> handler_;
    bool firstAnswered_ = false;
    QTimer showPause_; // runs after a request was carried out; later ones wait for it
    bool showWaits_ = false;
    QByteArray token_; // of the latest request that waits: the one its showing will use
};

class QtDesktop final : public Desktop {
public:
    bool startSystemMove(QWidget& window) override;
    void endProcess() override;
    [[nodiscard]] QString programFolder() const override;
    [[nodiscard]] bool managesOwnWindows() const override;
};

/// The name of the user running the program, for per-user names (per system).
QString currentUserName();
/// Whether the file or folder belongs to the user running the program (per system).
bool ownedByCurrentUser(const QFileInfo& info);

/// The folder private to the user that holds the single-instance lock and socket:
/// $XDG_RUNTIME_DIR, or without one velto-<user> in the temporary folder (made owner-only
/// when missing). Empty, and `why` says so, when that folder is not a folder of this user
/// closed to everybody else.
QString InstanceFolder(QString* why);

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

/// Settles the process for a life spent mostly asleep: fewer threads and fewer wake-ups per
/// painted second. Call before the application object is made.
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

namespace velto {

/// The settings in one INI file: by default velto/velto.conf in the user's configuration
/// folder (see userConfigFolder). Only a regular file of a size that settings could have is
/// read, and nothing in it is taken for more than a number or a word. A save writes what
/// changed since this store last read or wrote into the file as it is then, so that two
/// clocks on one file both keep their changes, and what the clock does not know stays; the
/// file is replaced atomically.
class FileSettingsStore final : public SettingsStore {
public:
    /// A larger file is no clock's settings: it is set aside unread.
    static constexpr qint64 kLargestFile = qint64{64} * 1024;
    /// How long a save waits for another clock that is writing the same file.
    static constexpr std::chrono::milliseconds kLockPatience{500};

    explicit FileSettingsStore(QString path = defaultPath());
    static QString defaultPath();
    QVariantMap load() override;
    void setAside(const QString& why) override;
    bool save(const QVariantMap& values) override;

private:
    QString path_;
    QMap<QString, QString> written_; // each key's text as last read or written here
    bool setAside_ = false;          // said and done once
    bool inTheWay_ = false; // something that must not be overwritten is where the file goes
    bool saidUnwritable_ = false;
    bool saidLock_ = false;
};

} // namespace velto
