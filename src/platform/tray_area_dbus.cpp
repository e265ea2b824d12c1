// The notification area on Linux and the other freedesktop systems: a StatusNotifierWatcher on
// the session bus, or else an XEmbed tray on X11. Qt's own check asks the watcher with calls
// that wait for it, 25 seconds each when it hangs, while the event loop stands still; here the
// watcher is asked without waiting, and Qt's check is made only when it has answered or there
// is none (then Qt looks for an XEmbed tray, which the X server answers at once).
//
// Both kinds tell when they come and go, so the clock can sleep while it sits in one: the bus
// says when the watcher's name changes hands and the watcher when a host (the panel that shows
// the items) registers or leaves; the X server, through its XFixes extension, says when the
// tray's selection changes hands or its owner goes.
#include "platform/tray_area.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QSystemTrayIcon>

#ifdef VELTO_HAVE_XFIXES
#include <QAbstractNativeEventFilter>
#include <QSet>
#include <cstdlib>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>
#endif

namespace velto {

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

/// Takes the watcher's signals. QtDBus hands a bus signal only to a slot, hence this small
/// receiver.
class HostSignals final : public QObject {
    Q_OBJECT
public:
    HostSignals(QObject& context, std::function<void()> changed)
        : QObject(&context), changed_(std::move(changed)) {}

public slots:
    void hostsChanged() { changed_(); }

private:
    std::function<void()> changed_;
};

/// Follows the StatusNotifierWatcher: its name changing hands and its hosts coming and going.
void watchStatusNotifierWatcher(QDBusConnection& bus, QObject& context,
                                std::function<void()> changed) {
    auto* owner =
        new QDBusServiceWatcher(kWatcher, bus, QDBusServiceWatcher::WatchForOwnerChange, &context);
    QObject::connect(owner, &QDBusServiceWatcher::serviceOwnerChanged, &context, changed);
    // From any sender: a signal tied to the watcher's name makes QtDBus ask the bus who owns it,
    // and wait for the answer.
    auto* hosts = new HostSignals(context, std::move(changed));
    for (const char* name : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
        bus.connect(QString(), kWatcherPath, kWatcher, QLatin1String(name), hosts,
                    SLOT(hostsChanged()));
    }
}

#ifdef VELTO_HAVE_XFIXES
/// Hears the X server's word that an XEmbed tray's selection changed hands, on Qt's own
/// connection, as long as `context` lives.
class TraySelectionWatch final : public QObject, public QAbstractNativeEventFilter {
public:
    TraySelectionWatch(QObject& context, uint8_t notifyType, QSet<xcb_atom_t> selections,
                       QSet<xcb_window_t> trays, std::function<void()> changed)
        : QObject(&context), notifyType_(notifyType), selections_(std::move(selections)),
          trays_(std::move(trays)), changed_(std::move(changed)) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~TraySelectionWatch() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
    TraySelectionWatch(const TraySelectionWatch&) = delete;
    TraySelectionWatch& operator=(const TraySelectionWatch&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message,
                           qintptr* /*result*/) override {
        if (eventType != "xcb_generic_event_t") {
            return false;
        }
        constexpr uint8_t kSentFlag = 0x80;
        const uint8_t type = static_cast<const xcb_generic_event_t*>(message)->response_type &
                             static_cast<uint8_t>(~kSentFlag);
        if (type == notifyType_) {
            const auto* notify = static_cast<const xcb_xfixes_selection_notify_event_t*>(message);
            if (selections_.contains(notify->selection)) {
                if (notify->owner != XCB_WINDOW_NONE) {
                    trays_.insert(notify->owner);
                }
                tell();
            }
        } else if (type == XCB_DESTROY_NOTIFY) {
            // Qt's own check trusts the tray's window it last saw until it reads of that
            // window's end, which comes after the selection's when a tray dies: told again
            // then.
            const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
            if (trays_.remove(destroyed->window)) {
                tell();
            }
        }
        return false; // Qt reads these events too
    }

private:
    /// Later, once Qt has read the event too.
    void tell() { QMetaObject::invokeMethod(this, changed_, Qt::QueuedConnection); }

    uint8_t notifyType_;
    QSet<xcb_atom_t> selections_;
    QSet<xcb_window_t> trays_; // the windows that own a tray's selection, or did until lately
    std::function<void()> changed_;
};

/// Follows the XEmbed trays' selections (_NET_SYSTEM_TRAY_S<screen>) of every screen of Qt's
/// display; false where the X server has no XFixes.
bool watchXEmbedTrays(xcb_connection_t* connection, QObject& context,
                      std::function<void()> changed) {
    // Asked by Qt already, which also agreed the extension's version with the server for this
    // connection, as it needs before any other request of XFixes.
    const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
    if (xfixes == nullptr || xfixes->present == 0) {
        return false;
    }
    // Each step asks for every screen at once, and then takes the answers.
    std::vector<std::pair<xcb_window_t, xcb_intern_atom_cookie_t>> named;
    int screen = 0;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem > 0;
         xcb_screen_next(&it), ++screen) {
        const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen);
        named.emplace_back(
            it.data->root,
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.constData()));
    }
    QSet<xcb_atom_t> selections;
    std::vector<xcb_get_selection_owner_cookie_t> owned;
    for (const auto& [root, cookie] : named) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        if (reply == nullptr) {
            return false;
        }
        selections.insert(reply->atom);
        xcb_xfixes_select_selection_input(
            connection, root, reply->atom,
            XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
        // Asked once followed: no change falls between.
        owned.push_back(xcb_get_selection_owner(connection, reply->atom));
        std::free(reply);
    }
    QSet<xcb_window_t> trays;
    for (const xcb_get_selection_owner_cookie_t& cookie : owned) {
        xcb_get_selection_owner_reply_t* reply =
            xcb_get_selection_owner_reply(connection, cookie, nullptr);
        if (reply != nullptr && reply->owner != XCB_WINDOW_NONE) {
            trays.insert(reply->owner);
        }
        std::free(reply);
    }
    new TraySelectionWatch(context,
                           static_cast<uint8_t>(xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY),
                           std::move(selections), std::move(trays), std::move(changed));
    return true;
}
#endif

} // namespace

void askForNotificationArea(QObject& context, std::function<void(bool)> answer) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        answer(QSystemTrayIcon::isSystemTrayAvailable());
        return;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcher, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
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

bool watchNotificationArea(QObject& context, std::function<void()> changed) {
    // Qt puts the icon in whichever kind it finds: each kind it may find must tell.
    QDBusConnection bus = QDBusConnection::sessionBus();
    const bool items = bus.isConnected();
    if (items) {
        watchStatusNotifierWatcher(bus, context, changed);
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        return items; // no XEmbed tray but on X11
    }
#ifdef VELTO_HAVE_XFIXES
    return watchXEmbedTrays(x11->connection(), context, std::move(changed));
#else
    return false;
#endif
}

} // namespace velto

#include "tray_area_dbus.moc"
