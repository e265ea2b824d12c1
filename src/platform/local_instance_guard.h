#pragma once
// One clock per user, on Qt and the system's own locks and sockets.

#include "platform/files.h"
#include "platform/seams.h"

#include <QObject>
#include <QTimer>

class QFileInfo;

namespace velto {

/// One instance per user: a lock file that a running clock holds (flock on Unix) decides who
/// runs, whatever the file says, so that one whose owner ended, however it ended, is free at
/// once; a socket beside it carries a later start's request to bring the window back (a
/// datagram socket on Unix, a local server on Windows). Both live in the user's private
/// folder (see instanceFolder). A FIFO, a device or a link where the lock goes is replaced;
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
    void onCommand(std::function<QByteArray(const QByteArray&)> handler) override;

    /// What asking the running clock came to.
    struct Reply {
        enum class Kind {
            NoClock,  // no clock holds the lock (or there is no private folder for one)
            Answered, // `answer` is what it said
            Silent,   // it holds the lock but did not answer in time (`why` says more)
        };
        Kind kind = Kind::NoClock;
        QByteArray answer;
        QString why;
    };
    /// Sends the command `words` to the clock that runs for `key` and waits up to `patience`
    /// for its answer. Needs no application object and no event loop.
    static Reply ask(const QString& key, const QByteArray& words,
                     std::chrono::milliseconds patience);
    /// The message that carries a command's words.
    [[nodiscard]] static QByteArray commandMessage(const QByteArray& words);

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
    /// The path of the running clock's lock and socket without their endings, when a clock
    /// holds the lock for `key`; empty, with `reply` saying so, when none does.
    static QString runningClock(const QString& key, Reply* reply);
    // How a later start reaches the first differs per system.
    /// False when the request could not be delivered: nobody listens at the socket.
    bool askFirstToShow();
    void listen();
    void stopListening();
    /// A later start said `message`: the one message brings the window back, and a command
    /// is carried out, its answer returned to be sent back; anything else is ignored. A show
    /// request's token is left where Qt's Wayland platform takes it from when it activates
    /// the window.
    QByteArray heard(const QByteArray& message);
    /// Brings the window back, with the latest token heard.
    void show();

    QString name_;
    QString folder_;
    FileLock lock_;
    QObject* listener_ = nullptr; // the system's listener, a child of the guard
    std::function<void()> handler_;
    std::function<QByteArray(const QByteArray&)> commands_;
    bool firstAnswered_ = false;
    QTimer showPause_; // runs after a request was carried out; later ones wait for it
    bool showWaits_ = false;
    QByteArray token_; // of the latest request that waits: the one its showing will use
};
/// The name of the user running the program, for per-user names (per system).
QString currentUserName();
/// Whether the file or folder belongs to the user running the program (per system).
bool ownedByCurrentUser(const QFileInfo& info);

/// The folder private to the user that holds the single-instance lock and socket:
/// $XDG_RUNTIME_DIR, or without one velto-<user> in the temporary folder (made owner-only
/// when missing). Empty, and `why` says so, when that folder is not a folder of this user
/// closed to everybody else.
QString instanceFolder(QString* why);

} // namespace velto
