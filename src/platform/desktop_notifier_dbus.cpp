// Desktop notifications through org.freedesktop.Notifications on the session bus. The call
// goes out without waiting; its answer comes back to the event loop, where a failure is said.
//
// A message with actions first needs to know whether the service shows actions at all: it is
// asked once (GetCapabilities, without waiting), and the messages posted meanwhile wait for
// the answer. The service tells which action was picked by a signal that names its message by
// the number Notify answered; the handler waits under that number until it is called, the
// message is closed, or the service goes away (its numbers mean nothing to the next one).
#include "platform/desktop_notifier.h"

#include "platform/console.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QSet>
#include <QVariantMap>
#include <algorithm>
#include <deque>

namespace velto {

namespace {

const QString kNotifications = QStringLiteral("org.freedesktop.Notifications");
const QString kNotificationsPath = QStringLiteral("/org/freedesktop/Notifications");

// A service that does not say within this long whether it shows actions gets the message
// without them rather than late.
constexpr int kCapabilitiesAnswerMs = 2000;

// Messages whose handlers still wait. A service that never says a message was closed must not
// make them pile up: the oldest are forgotten first.
constexpr std::size_t kMostWaiting = 16;

/// Takes the service's signals about its messages. QtDBus hands a bus signal only to a slot
/// named by its signature, hence this small receiver.
class NoticeSignals final : public QObject {
    Q_OBJECT
public:
    std::function<void(uint id, const QString& key, const QString& sender)> onAction;
    std::function<void(uint id, const QString& sender)> onClosed;

public slots:
    void actionInvoked(uint id, const QString& key, const QDBusMessage& message) {
        onAction(id, key, message.service());
    }
    void notificationClosed(uint id, uint /*reason*/, const QDBusMessage& message) {
        onClosed(id, message.service());
    }
};

} // namespace

struct DesktopNotifier::System {
    QObject* context = nullptr; // the notifier, which owns the calls under way
    QString appId;
    QSet<QString> said; // the kinds of failure told already

    enum class Actions { Unknown, Asking, Shown, NotShown };
    Actions actions = Actions::Unknown; // whether the service shows actions
    struct Message {
        QString title;
        QString body;
        std::vector<NoticeAction> actions;
        std::function<void(const QString&)> onAction;
    };
    std::vector<Message> waiting; // posted while the service is asked about actions

    struct Handler {
        uint id;
        QStringList keys; // the action ids offered on the message
        std::function<void(const QString&)> onAction;
    };
    std::deque<Handler> handlers; // oldest first
    QString owner; // the unique bus name of the service that numbered the handlers' messages
    bool listening = false;

    void tell(const QString& cause, const QString& words) {
        if (!said.contains(cause)) {
            said.insert(cause);
            qCWarning(lcDesktop, "desktop notifications are not shown: %s", qPrintable(words));
        }
    }

    void notify(Message message) {
        if (message.actions.empty() || !message.onAction || actions == Actions::NotShown) {
            post(message.title, message.body, {}, {});
            return;
        }
        if (actions == Actions::Shown) {
            post(message.title, message.body, message.actions, std::move(message.onAction));
            return;
        }
        waiting.push_back(std::move(message));
        if (actions == Actions::Unknown) {
            askForActions();
        }
    }

    void askForActions() {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            postWaiting(); // said by post()
            return;
        }
        listen(bus);
        actions = Actions::Asking;
        const QDBusMessage ask = QDBusMessage::createMethodCall(
            kNotifications, kNotificationsPath, kNotifications, QStringLiteral("GetCapabilities"));
        auto* watcher =
            new QDBusPendingCallWatcher(bus.asyncCall(ask, kCapabilitiesAnswerMs), context);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                         [this](QDBusPendingCallWatcher* done) {
                             done->deleteLater();
                             const QDBusPendingReply<QStringList> reply = *done;
                             // No answer is no "yes" for now, and the next message with
                             // actions asks again; Notify says what is wrong with the service.
                             actions = reply.isError() ? Actions::Unknown
                                       : reply.value().contains(QStringLiteral("actions"))
                                           ? Actions::Shown
                                           : Actions::NotShown;
                             postWaiting();
                         });
    }

    void postWaiting() {
        std::vector<Message> these;
        these.swap(waiting);
        for (Message& one : these) {
            if (actions == Actions::Shown) {
                post(one.title, one.body, one.actions, std::move(one.onAction));
            } else {
                post(one.title, one.body, {}, {});
            }
        }
    }

    void listen(QDBusConnection& bus) {
        if (listening) {
            return;
        }
        listening = true;
        auto* taken = new NoticeSignals;
        taken->setParent(context);
        taken->onAction = [this](uint id, const QString& key, const QString& sender) {
            const auto found = find(id, sender);
            if (found == handlers.end() || !found->keys.contains(key)) {
                return; // another program's message, or an action it was not offered
            }
            const std::function<void(const QString&)> onAction = std::move(found->onAction);
            handlers.erase(found); // before the call, which may post another message
            onAction(key);
        };
        taken->onClosed = [this](uint id, const QString& sender) {
            const auto found = find(id, sender);
            if (found != handlers.end()) {
                handlers.erase(found);
            }
        };
        // From any sender, told apart by the owner: naming the service here would have QtDBus
        // ask the bus who owns it while the event loop waits.
        bus.connect(QString(), kNotificationsPath, kNotifications, QStringLiteral("ActionInvoked"),
                    taken, SLOT(actionInvoked(uint, QString, QDBusMessage)));
        bus.connect(QString(), kNotificationsPath, kNotifications,
                    QStringLiteral("NotificationClosed"), taken,
                    SLOT(notificationClosed(uint, uint, QDBusMessage)));
        // A service that ends or restarts: what was known of it is not true of the next.
        auto* watcher = new QDBusServiceWatcher(kNotifications, bus,
                                                QDBusServiceWatcher::WatchForOwnerChange, context);
        QObject::connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, context, [this] {
            if (actions != Actions::Asking) {
                actions = Actions::Unknown;
            }
            handlers.clear();
            owner.clear();
        });
    }

    std::deque<Handler>::iterator find(uint id, const QString& sender) {
        if (sender != owner) {
            return handlers.end();
        }
        return std::find_if(handlers.begin(), handlers.end(),
                            [id](const Handler& handler) { return handler.id == id; });
    }

    void post(const QString& title, const QString& body, const std::vector<NoticeAction>& offered,
              std::function<void(const QString&)> onAction) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            const QString detail = bus.lastError().message();
            tell(QStringLiteral("no bus"),
                 detail.isEmpty() ? QStringLiteral("there is no session bus")
                                  : QStringLiteral("there is no session bus (%1)").arg(detail));
            return;
        }
        QDBusMessage call = QDBusMessage::createMethodCall(
            kNotifications, kNotificationsPath, kNotifications, QStringLiteral("Notify"));
        const QVariantMap hints{
            {QStringLiteral("desktop-entry"), appId},
            {QStringLiteral("suppress-sound"), true}, // the clock rings itself
        };
        QStringList flat; // id, label, id, label...
        QStringList keys;
        for (const NoticeAction& action : offered) {
            flat << action.id << action.label;
            keys << action.id;
        }
        call << QStringLiteral("Velto") << 0U << appId << title << body << flat << hints << -1;
        auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), context);
        QObject::connect(
            watcher, &QDBusPendingCallWatcher::finished, context,
            [this, keys, onAction = std::move(onAction)](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                const QDBusPendingReply<uint> reply = *done;
                if (reply.isError()) {
                    // By its kind: a service may give each of its failures a name of its own.
                    const QDBusError error = reply.error();
                    tell(QDBusError::errorString(error.type()), error.message());
                    return;
                }
                if (!onAction) {
                    return;
                }
                const QString sender = reply.reply().service();
                if (sender != owner) { // another service, with numbers of its own
                    handlers.clear();
                    owner = sender;
                }
                handlers.push_back({reply.value(), keys, onAction});
                if (handlers.size() > kMostWaiting) {
                    handlers.pop_front();
                }
            });
    }
};

DesktopNotifier::DesktopNotifier(QString appId, QtTray& /*tray*/)
    : system_(std::make_unique<System>()) {
    system_->context = this;
    system_->appId = std::move(appId);
}

DesktopNotifier::~DesktopNotifier() = default;

void DesktopNotifier::notify(const QString& title, const QString& body) {
    system_->post(title, body, {}, {});
}

void DesktopNotifier::notify(const QString& title, const QString& body,
                             const std::vector<NoticeAction>& actions,
                             std::function<void(const QString& id)> onAction) {
    system_->notify({title, body, actions, std::move(onAction)});
}

} // namespace velto

#include "desktop_notifier_dbus.moc"
