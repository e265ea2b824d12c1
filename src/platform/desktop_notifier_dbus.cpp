// Desktop notifications through org.freedesktop.Notifications on the session bus. The call
// goes out without waiting; its answer comes back to the event loop, where a failure is said.
#include "platform/desktop_notifier.h"

#include "platform/console.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QSet>
#include <QVariantMap>

namespace velto {

struct DesktopNotifier::System {
    QString appId;
    QSet<QString> said; // the kinds of failure told already

    void tell(const QString& cause, const QString& words) {
        if (!said.contains(cause)) {
            said.insert(cause);
            qCWarning(lcDesktop, "desktop notifications are not shown: %s", qPrintable(words));
        }
    }
};

DesktopNotifier::DesktopNotifier(QString appId, QtTray& /*tray*/)
    : system_(std::make_unique<System>()) {
    system_->appId = std::move(appId);
}

DesktopNotifier::~DesktopNotifier() = default;

void DesktopNotifier::notify(const QString& title, const QString& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        const QString detail = bus.lastError().message();
        system_->tell(QStringLiteral("no bus"),
                      detail.isEmpty()
                          ? QStringLiteral("there is no session bus")
                          : QStringLiteral("there is no session bus (%1)").arg(detail));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), system_->appId},
        {QStringLiteral("suppress-sound"), true}, // the clock rings itself
    };
    call << QStringLiteral("Velto") << 0U << system_->appId << title << body << QStringList()
         << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                const QDBusPendingReply<uint> reply = *done;
                if (reply.isError()) {
                    // By its kind: a service may give each of its failures a name of its own.
                    const QDBusError error = reply.error();
                    system_->tell(QDBusError::errorString(error.type()), error.message());
                }
            });
}

void DesktopNotifier::notify(const QString& title, const QString& body,
                             const std::vector<NoticeAction>& /*actions*/,
                             std::function<void(const QString& id)> /*onAction*/) {
    notify(title, body);
}

} // namespace velto
