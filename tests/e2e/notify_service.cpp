// A desktop notification service of the tests' own: it takes the name
// org.freedesktop.Notifications on the session bus and writes each notification it is sent
// as one line to the file it is given, fields separated by tabs:
//   app_name  app_icon  summary  body  actions ("-" for none)  expire_timeout
// A file "<file>.ready" appears once it has the name. With REFUSE set in its environment it
// refuses each one instead, with an error of another name each time.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
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
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
    QString GetServerInformation(QString& vendor, QString& version, QString& spec) {
        vendor = QStringLiteral("tests");
        version = QStringLiteral("1");
        spec = QStringLiteral("1.2");
        return QStringLiteral("notify_service");
    }
    void CloseNotification(uint /*id*/) {}

private:
    QString path_;
    uint last_ = 0;
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
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "notify_service: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    QFile(path + QStringLiteral(".ready")).open(QIODevice::WriteOnly);
    return QCoreApplication::exec();
}

#include "notify_service.moc"
