#include "platform/console.h"
#include "platform/local_instance_guard.h"
#include "platform/process.h"
#include "platform/qt_clock.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimeZone>
#include <QTimer>

#include <windows.h>

namespace velto {

ClockReading SystemClock::now() const {
    using std::chrono::milliseconds;
    return {std::chrono::sys_time<milliseconds>{milliseconds{QDateTime::currentMSecsSinceEpoch()}},
            milliseconds{static_cast<int64_t>(GetTickCount64())}}; // counts time asleep
}

std::chrono::seconds SystemClock::utcOffsetAt(std::chrono::sys_seconds instant) const {
    const QDateTime at = QDateTime::fromSecsSinceEpoch(instant.time_since_epoch().count(), Qt::UTC);
    return std::chrono::seconds{QTimeZone::systemTimeZone().offsetFromUtc(at)};
}

// ---- LocalInstanceGuard: a later start's request comes over a local server ----

namespace {
/// A peer that has not said the one message within this time is dropped.
constexpr int kPeerPatienceMs = 2000;
} // namespace

bool LocalInstanceGuard::askFirstToShow() {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(1000)) {
        return false;
    }
    socket.write(showMessage(qgetenv("XDG_ACTIVATION_TOKEN")));
    const bool sent = socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return sent;
}

LocalInstanceGuard::Reply LocalInstanceGuard::ask(const QString& key, const QByteArray& words,
                                                  std::chrono::milliseconds patience) {
    Reply reply;
    const QString name = runningClock(key, &reply);
    if (name.isEmpty()) {
        return reply;
    }
    QLocalSocket socket;
    const int ms = static_cast<int>(patience.count());
    socket.connectToServer(name + QStringLiteral(".socket"));
    if (!socket.waitForConnected(ms)) {
        reply.why = socket.errorString();
        return reply;
    }
    socket.write(commandMessage(words));
    if (socket.waitForBytesWritten(ms) && socket.waitForReadyRead(ms)) {
        // The clock closes the connection after its answer.
        while (socket.waitForReadyRead(ms / 10)) {
        }
        reply.answer = socket.readAll();
        reply.kind = Reply::Kind::Answered;
    } else {
        reply.why = QStringLiteral("no answer within %1 s").arg(patience.count() / 1000);
    }
    return reply;
}

void LocalInstanceGuard::listen() {
    // We own the lock, so a server left behind by a crashed run can go.
    QLocalServer::removeServer(socketPath());
    auto* server = new QLocalServer(this);
    listener_ = server;
    server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server, &QLocalServer::newConnection, this, [this, server] {
        while (QLocalSocket* peer = server->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->bytesAvailable() < static_cast<qint64>(sizeof(kShow)) - 1) {
                    return;
                }
                const QByteArray message = peer->readAll();
                const QByteArray answer = heard(message);
                if (!answer.isEmpty()) {
                    peer->write(answer);
                    peer->waitForBytesWritten(kPeerPatienceMs);
                }
                peer->abort();
                peer->deleteLater();
            });
            // A peer that says nothing keeps nothing waiting, but it goes after a while.
            QTimer::singleShot(kPeerPatienceMs, peer, [peer] {
                peer->abort();
                peer->deleteLater();
            });
        }
    });
    if (!server->listen(socketPath())) {
        qCWarning(lcInstance, "cannot listen for later starts (%s); they will still be refused",
                  qPrintable(server->errorString()));
    }
}

void LocalInstanceGuard::stopListening() {} // the server closes with the guard

QString currentUserName() {
    const QString name = qEnvironmentVariable("USERNAME");
    return name.isEmpty() ? QStringLiteral("user") : name;
}

bool ownedByCurrentUser(const QFileInfo&) {
    return true; // the folders used are in the user's own profile
}

bool displayAvailable(QString*) {
    return true;
}

void endDisplayCheck() {}

EndWithDisplay::EndWithDisplay() = default;

EndWithDisplay::~EndWithDisplay() = default;

void avoidSilentSessionBus() {} // no session bus here

void catchTerminationSignals() {}

void quitOnTerminationSignals() {}

bool enoughDescriptors(QString*) {
    return true;
}

QString descriptorShortage() {
    return {};
}

void returnFreeMemory() {}

long peakResidentKiB() {
    return 0;
}

} // namespace velto
