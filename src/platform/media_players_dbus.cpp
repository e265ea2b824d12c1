// The media players on the session bus that speak MPRIS (org.mpris.MediaPlayer2.*). Nothing
// here waits: each player is asked and told without blocking, with a short time limit, so
// that a player that hangs cannot stall the clock.
//
// A pause is one round: the bus is asked for the players, each for whether it plays, and
// those that play are told to pause and remembered by their unique bus names (a player that
// restarts meanwhile is another, which was not paused by us). A resume closes the round, even
// when some of its answers are still to come: a player that answers "playing" after that is
// left playing, as the ring is over; one told to pause just before is asked after its pause,
// since the bus keeps our calls to one player in order.
#include "platform/media_players.h"

#include "platform/console.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QSet>
#include <QStringList>

namespace velto {

namespace {

const QString kPlayerPrefix = QStringLiteral("org.mpris.MediaPlayer2.");
const QString kPlayerPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

// Long enough for a busy player, short enough that a hung one is not waited for all ring long.
constexpr int kPlayerAnswerMs = 1500;

} // namespace

struct DesktopMediaPlayers::System {
    QObject* context = nullptr; // owns the calls under way
    QSet<QString> said;         // the kinds of failure told already

    struct Round {
        bool standing = true; // until the resume
        QStringList paused;   // unique bus names
    };
    std::shared_ptr<Round> round; // the pause now standing, if any

    /// Sends `method` of the player interface to `player`; a failure is said as what did not
    /// happen (`undone`).
    void call(const QString& player, const QString& method, const QString& undone) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        const QDBusMessage message =
            QDBusMessage::createMethodCall(player, kPlayerPath, kPlayerInterface, method);
        answered(bus.asyncCall(message, kPlayerAnswerMs), undone, {});
    }

    /// Asks `player` for its PlaybackStatus; `then` gets it with the player's unique name.
    void askStatus(const QString& player,
                   std::function<void(const QString& status, const QString& unique)> then) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        QDBusMessage get = QDBusMessage::createMethodCall(
            player, kPlayerPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        get << kPlayerInterface << QStringLiteral("PlaybackStatus");
        answered(bus.asyncCall(get, kPlayerAnswerMs),
                 QStringLiteral("a media player did not say whether it plays"),
                 [then = std::move(then)](const QDBusMessage& reply) {
                     const QVariant value = reply.arguments().value(0);
                     then(qvariant_cast<QDBusVariant>(value).variant().toString(), reply.service());
                 });
    }

    /// `then` gets the reply when it comes; a failure is said as `undone`.
    void answered(const QDBusPendingCall& pending, const QString& undone,
                  std::function<void(const QDBusMessage&)> then) {
        auto* watcher = new QDBusPendingCallWatcher(pending, context);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                         [this, undone, then = std::move(then)](QDBusPendingCallWatcher* done) {
                             done->deleteLater();
                             if (done->isError()) {
                                 failed(undone, done->error());
                             } else if (then) {
                                 then(done->reply());
                             }
                         });
    }

    void failed(const QString& undone, const QDBusError& error) {
        // A player that ended in the meantime is no failure; a hung or broken one is, once.
        if (error.type() == QDBusError::ServiceUnknown) {
            return;
        }
        const QString kind = QDBusError::errorString(error.type());
        if (!said.contains(kind)) {
            said.insert(kind);
            qCWarning(lcMedia, "%s: %s", qPrintable(undone), qPrintable(error.message()));
        }
    }
};

DesktopMediaPlayers::DesktopMediaPlayers() : system_(std::make_unique<System>()) {
    system_->context = this;
}

DesktopMediaPlayers::~DesktopMediaPlayers() = default;

void DesktopMediaPlayers::pausePlaying() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return; // no desktop session, no players
    }
    System& s = *system_;
    if (!s.round) {
        s.round = std::make_shared<System::Round>();
    }
    const std::shared_ptr<System::Round> round = s.round;
    const QDBusMessage list = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"));
    s.answered(bus.asyncCall(list, kPlayerAnswerMs),
               QStringLiteral("the media players could not be listed"),
               [&s, round](const QDBusMessage& reply) {
                   const QStringList names = reply.arguments().value(0).toStringList();
                   for (const QString& name : names) {
                       if (!round->standing || !name.startsWith(kPlayerPrefix)) {
                           continue;
                       }
                       s.askStatus(name, [&s, round](const QString& status, const QString& unique) {
                           // A player with two names is paused once.
                           if (!round->standing || status != QLatin1String("Playing") ||
                               round->paused.contains(unique)) {
                               return;
                           }
                           round->paused << unique;
                           s.call(unique, QStringLiteral("Pause"),
                                  QStringLiteral("a media player could not be paused"));
                       });
                   }
               });
}

void DesktopMediaPlayers::resumePaused() {
    System& s = *system_;
    if (!s.round) {
        return;
    }
    const std::shared_ptr<System::Round> round = std::move(s.round);
    round->standing = false;
    for (const QString& player : std::as_const(round->paused)) {
        // Left alone when the user has played or stopped it meanwhile.
        s.askStatus(player, [&s, player](const QString& status, const QString& /*unique*/) {
            if (status == QLatin1String("Paused")) {
                s.call(player, QStringLiteral("Play"),
                       QStringLiteral("a media player could not be played again"));
            }
        });
    }
}

} // namespace velto
