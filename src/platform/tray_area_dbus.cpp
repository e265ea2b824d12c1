// The notification area on Linux and the other freedesktop systems: a StatusNotifierWatcher on
// the session bus, or else an XEmbed tray on X11. Qt's own check asks the watcher with calls
// that wait for it, 25 seconds each when it hangs, while the event loop stands still; here the
// watcher is asked without waiting, and Qt's check is made only when it has answered or there
// is none (then Qt looks for an XEmbed tray, which the X server answers at once).
#include "platform/tray_area.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QSystemTrayIcon>

namespace velto {

void askForNotificationArea(QObject& context, std::function<void(bool)> answer) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        answer(QSystemTrayIcon::isSystemTrayAvailable());
        return;
    }
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcher, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* call = new QDBusPendingCallWatcher(bus.asyncCall(get, kTrayAreaAnswerMs), &context);
    QObject::connect(call, &QDBusPendingCallWatcher::finished, &context,
                     [answer = std::move(answer)](QDBusPendingCallWatcher* done) {
                         done->deleteLater();
                         const QDBusPendingReply<QDBusVariant> reply = *done;
                         if (!reply.isError()) {
                             answer(reply.value().variant().toBool() ||
                                    QSystemTrayIcon::isSystemTrayAvailable());
                             return;
                         }
                         // A watcher that does not answer holds no icon anyone can see.
                         answer(reply.error().type() == QDBusError::ServiceUnknown &&
                                QSystemTrayIcon::isSystemTrayAvailable());
                     });
}

} // namespace velto
