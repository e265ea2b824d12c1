#include "platform/qt_sound.h"

#include "platform/qt_workarounds.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QtEndian>
#include <algorithm>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace velto {

// ---- checking a WAV file ----

namespace {

quint16 le16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}
quint32 le32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}

/// The format chunk's fields that decide whether the sound system can play the samples.
QString formatProblem(const QByteArray& fmt) {
    if (fmt.size() < 16) {
        return QStringLiteral("has a format chunk too short to describe the sound");
    }
    const quint16 tag = le16(fmt.constData());
    const quint16 channels = le16(fmt.constData() + 2);
    const quint32 rate = le32(fmt.constData() + 4);
    const quint16 blockAlign = le16(fmt.constData() + 12);
    const quint16 bits = le16(fmt.constData() + 14);
    if (tag != 1) {
        return QStringLiteral("is not plain PCM (format %1); only PCM can be played").arg(tag);
    }
    if (bits != 8 && bits != 16) {
        return QStringLiteral("has %1-bit samples; only 8- and 16-bit PCM can be played").arg(bits);
    }
    if (channels < 1 || channels > 8) {
        return QStringLiteral("claims %1 channels").arg(channels);
    }
    if (rate < 1000 || rate > 384000) {
        return QStringLiteral("claims a sample rate of %1 Hz").arg(rate);
    }
    if (blockAlign != channels * bits / 8) {
        return QStringLiteral("has a format chunk that contradicts itself");
    }
    return {};
}

} // namespace

QString wavProblem(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return QStringLiteral("not found");
    }
    if (info.isDir()) {
        return QStringLiteral("is a folder, not a sound file");
    }
    if (info.size() == 0) {
        return QStringLiteral("is empty");
    }
    if (info.size() > kMaxWaveBytes) {
        return QStringLiteral("is too large (%1 MiB; an alarm sound may have at most %2 MiB)")
            .arg(info.size() / (1024LL * 1024))
            .arg(kMaxWaveBytes / (1024LL * 1024));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("cannot be read (%1)").arg(file.errorString());
    }
    const qint64 size = file.size();
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") {
        return head.size() < 12 && QByteArray("RIFF").startsWith(head.left(4))
                   ? QStringLiteral("is truncated")
                   : QStringLiteral("is not a WAV file");
    }
    // Walk the chunks up to the samples: the format must come first, and the samples must
    // all be there.
    QString format;
    bool haveFormat = false;
    qint64 at = 12;
    while (true) {
        if (at + 8 > size || !file.seek(at)) {
            return haveFormat ? QStringLiteral("is truncated (no sound data)")
                              : QStringLiteral("is truncated (no format chunk)");
        }
        const QByteArray chunk = file.read(8);
        if (chunk.size() < 8) {
            return QStringLiteral("cannot be read (%1)").arg(file.errorString());
        }
        const QByteArray id = chunk.left(4);
        const qint64 length = le32(chunk.constData() + 4);
        const qint64 body = at + 8;
        if (id == "fmt ") {
            if (body + length > size) {
                return QStringLiteral("is truncated (in the format chunk)");
            }
            format = formatProblem(file.read(qMin<qint64>(length, 64)));
            if (!format.isEmpty()) {
                return format;
            }
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) {
                return QStringLiteral("has its sound data before the format chunk");
            }
            if (length == 0) {
                return QStringLiteral("holds no sound");
            }
            if (body + length > size) {
                return QStringLiteral("is truncated (%1 of %2 bytes of sound)")
                    .arg(size - body)
                    .arg(length);
            }
            return {};
        }
        at = body + length + (length & 1); // chunks are padded to even lengths
    }
}

// ---- the sound server ----

namespace {

#ifdef Q_OS_UNIX
/// The local socket where the sound server is looked for first: PULSE_SERVER's first entry,
/// else the user's own. Empty when the server is elsewhere (over the network) or where it
/// would be is not known.
QString serverSocket(bool* named) {
    const QString listed = qEnvironmentVariable("PULSE_SERVER").simplified().section(' ', 0, 0);
    *named = !listed.isEmpty();
    if (*named) {
        QString entry = listed.startsWith('{') ? listed.section('}', 1) : listed; // {host id}
        if (entry.startsWith(QStringLiteral("unix:"))) {
            entry = entry.mid(5);
        }
        return entry.startsWith('/') ? entry : QString();
    }
    const QString runtime = qEnvironmentVariable("PULSE_RUNTIME_PATH");
    if (!runtime.isEmpty()) {
        return runtime + QStringLiteral("/native");
    }
    const QString user = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return user.isEmpty() ? QString() : user + QStringLiteral("/pulse/native");
}
#endif

/// What keeps the sound server from being reached, in parentheses' words, or empty when it
/// answers or cannot be tried; `*descriptors` tells a program out of file descriptors.
QString serverUnreachable(bool* descriptors) {
    *descriptors = false;
#ifdef Q_OS_UNIX
    bool named = false;
    const QString path = serverSocket(&named);
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (path.isEmpty() || name.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
        return {};
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        const int failure = errno;
        *descriptors = failure == EMFILE || failure == ENFILE;
        return QString::fromLocal8Bit(std::strerror(failure));
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    const int connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    const int failure = errno;
    ::close(fd);
    // No socket where none was named may be a server that starts with its first client.
    if (connected == 0 || (failure == ENOENT && !named)) {
        return {};
    }
    *descriptors = failure == EMFILE || failure == ENFILE;
    return QStringLiteral("connecting to %1: %2")
        .arg(path, QString::fromLocal8Bit(std::strerror(failure)));
#else
    return {};
#endif
}

/// soundServerProblem(), with the server said to be `gone` rather than not reached.
QString serverProblem(bool gone) {
    bool descriptors = false;
    const QString why = serverUnreachable(&descriptors);
    if (why.isEmpty()) {
        return {};
    }
    if (descriptors) {
        return QStringLiteral("the program is out of file descriptors (%1)").arg(why);
    }
    return (gone ? QStringLiteral("the sound server is gone (%1)")
                 : QStringLiteral("the sound server cannot be reached (%1)"))
        .arg(why);
}

/// Whether Qt's sound output takes a stream now. Without its connection to the sound server
/// Qt says no at once; with it, the stream opened to find out plays nothing.
bool outputOpens() {
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    auto* sink = new QAudioSink(format);
    const bool opens = sink->start() != nullptr && sink->error() == QAudio::NoError;
    sink->stop();
    sink->deleteLater(); // its destructor turns the event loop
    return opens;
}

// Qt 6.4's PulseAudio connection tries once more this long after it failed.
constexpr int kQtRetryMs = 3000 + 500;
constexpr int kWatchMs = 1000;
// A WAV file of the largest size loads in a tenth of a second; one that is still loading
// after this long is looked at again.
constexpr int kLoadWatchMs = 2000;

} // namespace

QString soundServerProblem() {
    return serverProblem(false);
}

// ---- QtSound ----

QtSound::QtSound(QObject* parent) : QObject(parent) {
    watch_.setInterval(kWatchMs);
    connect(&watch_, &QTimer::timeout, this, [this] { reconnect(); });
    loadWatch_.setSingleShot(true);
    loadWatch_.setInterval(kLoadWatchMs);
    connect(&loadWatch_, &QTimer::timeout, this, &QtSound::onLoadWatch);
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
    }
    connectOutput();
}

bool QtSound::eventFilter(QObject* watched, QEvent* event) {
    if (workarounds::isSoundEngine(watched, event) &&
        std::find(engines_.begin(), engines_.end(), watched) == engines_.end()) {
        engines_.emplace_back(watched);
        workarounds::followSoundEngine(watched, this, [this] { onEngineFailed(); });
    }
    return false;
}

void QtSound::onEngineFailed() {
    engineFailed_.start();
    goSilent(serverProblem(true),
             QStringLiteral("the sound server is gone (it dropped the connection)"), true);
}

bool QtSound::connectOutput() {
    if (chime_) {
        return true;
    }
    // Qt's sound would connect once and never again: it waits until the server answers.
    const QString problem = soundServerProblem();
    if (!problem.isEmpty()) {
        goSilent(problem, problem, false);
        return false;
    }
    chime_ = effectOn(chimeUrl());
    file_ = effectOn(fileUrl_);
    watchLoad();
    return true;
}

void QtSound::goSilent(const QString& why, const QString& orElse, bool gone) {
    if (!silence_.isEmpty()) {
        return; // said once each time sound goes
    }
    cause_ = why.isEmpty() ? orElse : why;
    silence_ = cause_ + (gone ? QStringLiteral(", so rings are silent until it is back")
                              : QStringLiteral(", so rings are silent"));
    error_ = silence_;
    watch_.start();
    changed();
}

bool QtSound::reconnect() {
    if (!soundServerProblem().isEmpty()) {
        return false;
    }
    if (engineFailed_.isValid() && engineFailed_.elapsed() < kQtRetryMs) {
        return false; // Qt tries once more by itself; twice would be two connections
    }
    if (!connectOutput()) {
        return false;
    }
    if (!outputOpens()) {
        // Qt's sound output does not always come back by itself; it is asked to.
        bool asked = false;
        for (const QPointer<QObject>& engine : engines_) {
            asked = (engine && workarounds::reconnectSoundEngine(engine)) || asked;
        }
        if (!asked && ++unreconnected_ * kWatchMs > kQtRetryMs) {
            stuck();
        }
        if (!outputOpens()) {
            return false;
        }
    }
    watch_.stop();
    unreconnected_ = 0;
    if (!silence_.isEmpty()) {
        silence_.clear();
        cause_.clear();
        error_.clear();
        changed();
    }
    return true;
}

void QtSound::stuck() {
    if (saidStuck_) {
        return;
    }
    saidStuck_ = true;
    silence_ = QStringLiteral("the sound server is back, but Qt's sound output here cannot "
                              "connect to it again, so rings are silent until the clock is "
                              "started again");
    error_ = silence_;
    changed();
}

void QtSound::lost() {
    goSilent(soundServerProblem(), QStringLiteral("the sound output would not start a sound"),
             false);
    error_ = QStringLiteral("a ring could not be played: ") + cause_;
}

void QtSound::changed() {
    if (onChanged_) {
        onChanged_();
    }
}

std::unique_ptr<QSoundEffect> QtSound::effectOn(const QUrl& source) {
    auto effect = std::make_unique<QSoundEffect>();
    // Only the current effects are followed. setSource() may tell of a status at once,
    // while the effect is not yet anyone's, so the sender is what counts.
    connect(effect.get(), &QSoundEffect::statusChanged, this,
            [this, sender = effect.get()] { onStatus(sender); });
    effect->setSource(source);
    return effect;
}

QUrl QtSound::chimeUrl() {
    return QUrl(QStringLiteral("qrc:/velto/wav/alarm.wav"));
}

QtSound::Stamp QtSound::stampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return {};
    }
    return {true, info.size(), info.lastModified()};
}

void QtSound::load(const QString& path) {
    path_ = path;
    stamp_ = stampOf(path);
    waiting_ = nullptr;
    fileProblem_ = wavProblem(path);
    if (!fileProblem_.isEmpty()) {
        return; // the chime plays; what was loaded before stays as it is, unplayed
    }
    reloads_ = 0;
    requestFile();
}

void QtSound::requestFile() {
    // A new address for every load: the sound system keeps loaded sounds by address and
    // would otherwise hand back the old version of a replaced file.
    fileUrl_ = QUrl::fromLocalFile(path_);
    fileUrl_.setQuery(QStringLiteral("load=%1").arg(++loads_));
    if (!file_) {
        return; // loaded once the sound server answers
    }
    file_->stop();
    // The old sound is kept, not let go of: Qt 6.4's sound cache blocks for good when the
    // last user of a sound lets go of it while another sound is loading. A file changes
    // seldom, and each old version costs only its samples.
    if (!file_->source().isEmpty()) {
        retired_.push_back(std::move(file_));
    }
    file_ = effectOn(fileUrl_);
    onStatus(file_.get()); // what it may have told while it was not yet the file's
    watchLoad();
}

void QtSound::watchLoad() {
    if (file_ && file_->status() == QSoundEffect::Loading) {
        loadWatch_.start();
    }
}

void QtSound::onLoadWatch() {
    // Qt 6.4's sound cache loads on a thread that it ends when nothing is left to load; a
    // sound asked for as that thread ends is never loaded, and its effect says "loading"
    // for good (seen with the file asked for just after the chime had loaded). Asked for
    // again under a new address, it starts the thread anew. A ring waiting for it then
    // starts a little late rather than never.
    constexpr int kMostReloads = 3;
    if (file_ && file_->status() == QSoundEffect::Loading && reloads_++ < kMostReloads) {
        requestFile();
    }
}

void QtSound::onStatus(const QSoundEffect* sender) {
    std::unique_ptr<QSoundEffect>* effect = sender == file_.get()    ? &file_
                                            : sender == chime_.get() ? &chime_
                                                                     : nullptr;
    if (effect == nullptr) {
        return; // one no longer played
    }
    const QSoundEffect::Status status = sender->status();
    if (effect == &file_ && status != QSoundEffect::Loading) {
        loadWatch_.stop();
    }
    const bool waited = waiting_ == effect;
    if (status != QSoundEffect::Loading && waited) {
        waiting_ = nullptr;
    }
    if (effect == &file_ && status == QSoundEffect::Error && fileProblem_.isEmpty()) {
        fileProblem_ = QStringLiteral("could not be loaded by the sound system");
        if (waited) {
            ring(false);
            lastPlayed_ = chimeUrl();
        }
    }
    if (status == QSoundEffect::Ready && waited) {
        // The ring starts right after this; a sound output that refuses it stops it as soon.
        QTimer::singleShot(0, this, [this, effect, played = QPointer<const QSoundEffect>(sender)] {
            if (played == effect->get() && !(reconnect() && start(*effect))) {
                lost();
                changed();
            }
        });
    }
}

void QtSound::restart(std::unique_ptr<QSoundEffect>& effect) {
    // Stopping and playing the same effect again goes silent after half a dozen rings with
    // Qt 6.4 on PulseAudio, so every ring plays on an effect made afresh. The new one takes
    // the sound from Qt's cache (nothing is read or decoded again) before the old one goes,
    // so the sound is never let go of (see load()).
    auto next = effectOn(effect->source());
    next->setVolume(how_.volume);
    next->setLoopCount(how_.repeat ? QSoundEffect::Infinite : 1);
    effect->stop();
    // Ours until it goes, so that it goes with us even if no event loop turns again.
    effect->setParent(this);
    effect.release()->deleteLater();
    effect = std::move(next);
    effect->play();
}

bool QtSound::start(std::unique_ptr<QSoundEffect>& effect) {
    restart(effect);
    // Qt's output refuses a stream at once when it has lost the sound server, and the effect
    // stops before play() returns; one still loading is judged once it is loaded.
    return effect->status() != QSoundEffect::Ready || effect->isPlaying();
}

bool QtSound::ring(bool ownFile) {
    std::unique_ptr<QSoundEffect>& effect = ownFile ? file_ : chime_;
    (ownFile ? chime_ : file_)->stop();
    if (effect->status() == QSoundEffect::Loading) {
        // Qt 6.4 marks an effect played while it loads as playing, and then plays nothing:
        // it starts once it is loaded (onStatus()). So does the chime of a ring that comes
        // as the sound is first loaded.
        waiting_ = &effect;
        return true;
    }
    return start(effect);
}

QString QtSound::why(const QString& path) const {
    if (!silence_.isEmpty()) {
        return silence_;
    }
    if (QMediaDevices::audioOutputs().isEmpty()) {
        // Qt lists no device either when it cannot reach the sound server.
        const QString server = soundServerProblem();
        return (server.isEmpty() ? QStringLiteral("no audio output device") : server) +
               QStringLiteral(", so rings are silent");
    }
    if (!path.isEmpty() && !fileProblem_.isEmpty()) {
        return QStringLiteral("%1: %2; the built-in chime plays instead").arg(path, fileProblem_);
    }
    return {};
}

bool QtSound::prepare(const QString& path) {
    if (path != path_ || stampOf(path) != stamp_) {
        load(path); // what is loaded already is not loaded again, nor stopped if it plays
    }
    error_ = why(path);
    return error_.isEmpty();
}

void QtSound::setVolume(double volume) {
    how_.volume = std::clamp(volume, 0.0, 1.0);
    for (const auto* effect : {&file_, &chime_}) {
        if (*effect) {
            (*effect)->setVolume(how_.volume);
        }
    }
}

void QtSound::stop() {
    waiting_ = nullptr;
    for (const auto* effect : {&file_, &chime_}) {
        if (*effect) {
            (*effect)->stop();
        }
    }
}

bool QtSound::play(const QString& path, const Playing& how) {
    how_ = how;
    how_.volume = std::clamp(how.volume, 0.0, 1.0);
    if (!path.isEmpty() && (path != path_ || stampOf(path) != stamp_)) {
        load(path);
    }
    // The choice is made even without a device, so that what would be heard stays known.
    const bool ownFile = !path.isEmpty() && fileProblem_.isEmpty();
    lastPlayed_ = ownFile ? fileUrl_ : chimeUrl();
    if (!silence_.isEmpty()) {
        reconnect(); // the server may be back before the watch has looked
    }
    // Nothing is tried while the server is known to be gone: a first stream then would make
    // Qt a PulseAudio connection that fails at birth and is never tried again.
    bool started = false;
    if (silence_.isEmpty()) {
        // Refused without a word from Qt: the server went a moment ago, or Qt gave up on it.
        started = ring(ownFile) || (reconnect() && ring(ownFile));
    }
    if (!started) {
        lost();
        return false;
    }
    error_ = why(path);
    return error_.isEmpty();
}

} // namespace velto
