#include "platform/qt_platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace velto {

// ---- SecondTicker ----

SecondTicker::SecondTicker() {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        aim();
        if (onTick_) {
            onTick_();
        }
    });
}

int SecondTicker::delayAfter(int msOfSecond) {
    return 1000 - msOfSecond + kMarginMs;
}

void SecondTicker::start(std::function<void()> onTick) {
    onTick_ = std::move(onTick);
    aim();
}

void SecondTicker::stop() {
    timer_.stop();
    onTick_ = nullptr;
}

void SecondTicker::aim() {
    timer_.start(delayAfter(QTime::currentTime().msec()));
}

// ---- QtMessageBoxes ----

void QtMessageBoxes::inform(const QString& title, const QString& text) {
    // Said on the terminal too, so that a session's log keeps what the user was told.
    qWarning("velto: %s", qPrintable(text));
    // Modal, but it does not hold the caller up: start-up and the tick go on behind it.
    auto* box = new QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

// ---- QtUrlOpener ----

void QtUrlOpener::open(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

// ---- LocalInstanceGuard ----

namespace {
QString runtimeFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    return dir;
}
} // namespace

LocalInstanceGuard::LocalInstanceGuard(const QString& key)
    : serverName_(key + QLatin1Char('-') + currentUserName()) {}

LocalInstanceGuard::~LocalInstanceGuard() = default;

bool LocalInstanceGuard::claim() {
    QDir().mkpath(runtimeFolder());
    lock_ = std::make_unique<QLockFile>(runtimeFolder() + QLatin1Char('/') + serverName_ +
                                        QStringLiteral(".lock"));
    // A lock is stale only when its owner is gone, never because it is old: a clock may run
    // for months.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        QLocalSocket socket;
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(1000)) {
            socket.write("show\n");
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
        }
        lock_.reset();
        return false;
    }
    // We own the lock, so a socket left behind by a crashed run can go.
    QLocalServer::removeServer(serverName_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            if (handler_) {
                handler_();
            }
        }
    });
    if (!server_->listen(serverName_)) {
        qWarning("velto: cannot listen for later starts (%s); they will still be refused",
                 qPrintable(server_->errorString()));
    }
    return true;
}

void LocalInstanceGuard::onActivationRequest(std::function<void()> handler) {
    handler_ = std::move(handler);
}

// ---- QtDesktop ----

bool QtDesktop::startSystemMove(QWidget& window) {
    QWindow* handle = window.windowHandle();
    return handle != nullptr && handle->startSystemMove();
}

void QtDesktop::endProcess() {
    QCoreApplication::exit(0);
}

QString QtDesktop::programFolder() const {
    return QCoreApplication::applicationDirPath();
}

} // namespace velto
