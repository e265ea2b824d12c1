// A desktop notification service of the tests' own: it takes the name
// org.freedesktop.Notifications on the session bus and writes each notification it is sent
// as one line to the file it is given, fields separated by tabs:
//   app_name  app_icon  summary  body  actions ("-" for none)  expire_timeout
// A file "<file>.ready" appears once it has the name. With REFUSE set in its environment it
// refuses each one instead, with an error of another name each time. With ACTIONS set it
// says it shows actions, and a check picks one on the latest notification as a user would:
//   gdbus call --session --dest org.freedesktop.Notifications --object-path /test
//     --method org.example.NotifyTest.Invoke KEY
// (the service then says the action was invoked, and the notification closed).
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusMessage>
#include <QFile>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

namespace {

class Service final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit Service(QString path) : path_(std::move(path)) {}

public slots:
    uint Notify(const QString& app, uint /*replaces*/, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& /*hints*/,
                int timeout) {
        if (qEnvironmentVariableIsSet("REFUSE")) {
            sendErrorReply(QStringLiteral("org.example.Refused%1").arg(++last_), QString());
            return 0;
        }
        QFile file(path_);
        if (file.open(QIODevice::Append)) {
            const QString given =
                actions.isEmpty() ? QStringLiteral("-") : actions.join(QLatin1Char(','));
            file.write(QStringList{app, icon, summary, body, given, QString::number(timeout)}
                           .join(QLatin1Char('\t'))
                           .toUtf8() +
                       '\n');
        }
        return ++last_;
    }
    QStringList GetCapabilities() {
        if (qEnvironmentVariableIsSet("ACTIONS")) {
            return {QStringLiteral("body"), QStringLiteral("actions")};
        }
        return {QStringLiteral("body")};
    }
    QString GetServerInformation(QString& vendor, QString& version, QString& spec) {
        vendor = QStringLiteral("tests");
        version = QStringLiteral("1");
        spec = QStringLiteral("1.2");
        return QStringLiteral("notify_service");
    }
    void CloseNotification(uint /*id*/) {}

    [[nodiscard]] uint last() const { return last_; }

private:
    QString path_;
    uint last_ = 0;
};

// What the check does in the user's place.
class Control final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.example.NotifyTest")
public:
    explicit Control(const Service& service) : service_(service) {}

public slots:
    void Invoke(const QString& key) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        const auto say = [&](const QString& name, const QVariantList& arguments) {
            QDBusMessage signal =
                QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                           QStringLiteral("org.freedesktop.Notifications"), name);
            signal.setArguments(arguments);
            bus.send(signal);
        };
        say(QStringLiteral("ActionInvoked"), {service_.last(), key});
        say(QStringLiteral("NotificationClosed"), {service_.last(), 2U}); // dismissed by the user
    }

private:
    const Service& service_;
};

} // namespace

int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: notify_service file\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    Service service(path);
    Control control(service);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerObject(QStringLiteral("/test"), &control, QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "notify_service: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    QFile(path + QStringLiteral(".ready")).open(QIODevice::WriteOnly);
    return QCoreApplication::exec();
}

#include "notify_service.moc"
