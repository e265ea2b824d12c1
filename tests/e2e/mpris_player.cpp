// A media player of the tests' own: it takes the name org.mpris.MediaPlayer2.velto_test on
// the session bus, plays from the start (PlaybackStatus "Playing"), and writes each call of
// Play, Pause, PlayPause and Stop to the file it is given, one line each:
//   milliseconds-since-the-epoch  method
// A file "<file>.ready" appears once it has the name.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDateTime>
#include <QFile>
#include <QObject>
#include <cstdio>

namespace {

class Player final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
public:
    explicit Player(QString path) : path_(std::move(path)) {}
    [[nodiscard]] QString playbackStatus() const { return status_; }

public slots:
    void Play() { called("Play", QStringLiteral("Playing")); }
    void Pause() { called("Pause", QStringLiteral("Paused")); }
    void PlayPause() {
        called("PlayPause", status_ == QLatin1String("Playing") ? QStringLiteral("Paused")
                                                                : QStringLiteral("Playing"));
    }
    void Stop() { called("Stop", QStringLiteral("Stopped")); }

private:
    void called(const char* method, const QString& status) {
        status_ = status;
        QFile file(path_);
        if (file.open(QIODevice::Append)) {
            file.write(QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + ' ' + method +
                       '\n');
        }
    }

    QString path_;
    QString status_ = QStringLiteral("Playing");
};

} // namespace

int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mpris_player file\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    Player player(path);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/mpris/MediaPlayer2"), &player,
                            QDBusConnection::ExportAllSlots |
                                QDBusConnection::ExportAllProperties) ||
        !bus.registerService(QStringLiteral("org.mpris.MediaPlayer2.velto_test"))) {
        std::fprintf(stderr, "mpris_player: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    QFile(path + QStringLiteral(".ready")).open(QIODevice::WriteOnly);
    return QCoreApplication::exec();
}

#include "mpris_player.moc"
