#include "platform/qt_sound.h"

#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QtEndian>

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

// ---- QtSound ----

QtSound::QtSound(QObject* parent)
    : QObject(parent), file_(effectOn({}, true)), chime_(effectOn(chimeUrl(), false)) {}

std::unique_ptr<QSoundEffect> QtSound::effectOn(const QUrl& source, bool isFile) {
    auto effect = std::make_unique<QSoundEffect>();
    if (isFile) {
        connect(effect.get(), &QSoundEffect::statusChanged, this, &QtSound::onFileStatus);
    }
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
    ringWaits_ = false;
    file_->stop();
    fileProblem_ = wavProblem(path);
    // A new address for every load: the sound system keeps loaded sounds by address and
    // would otherwise hand back the old version of a replaced file.
    QUrl url;
    if (fileProblem_.isEmpty()) {
        url = QUrl::fromLocalFile(path);
        url.setQuery(QStringLiteral("load=%1").arg(++loads_));
    }
    // The old sound is kept, not let go of: Qt 6.4's sound cache blocks for good when the
    // last user of a sound lets go of it while another sound is loading. A file changes
    // seldom, and each old version costs only its samples.
    if (!file_->source().isEmpty()) {
        retired_.push_back(std::move(file_));
    }
    file_ = effectOn(url, true);
}

void QtSound::onFileStatus() {
    if (file_->status() == QSoundEffect::Error && fileProblem_.isEmpty()) {
        fileProblem_ = QStringLiteral("could not be loaded by the sound system");
        if (ringWaits_) {
            restart(chime_);
            lastPlayed_ = chimeUrl();
        }
    }
    if (file_->status() != QSoundEffect::Loading) {
        ringWaits_ = false;
    }
}

void QtSound::restart(std::unique_ptr<QSoundEffect>& effect) {
    // Stopping and playing the same effect again goes silent after half a dozen rings with
    // Qt 6.4 on PulseAudio, so every ring plays on an effect made afresh. The new one takes
    // the sound from Qt's cache (nothing is read or decoded again) before the old one goes,
    // so the sound is never let go of (see load()).
    auto next = effectOn(effect->source(), effect == file_);
    effect->stop();
    // Ours until it goes, so that it goes with us even if no event loop turns again.
    effect->setParent(this);
    effect.release()->deleteLater();
    effect = std::move(next);
    effect->play();
}

QString QtSound::why(const QString& path) const {
    if (QMediaDevices::audioOutputs().isEmpty()) {
        return QStringLiteral("no audio output device, so rings are silent");
    }
    if (!fileProblem_.isEmpty()) {
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

bool QtSound::play(const QString& path) {
    if (path != path_ || stampOf(path) != stamp_) {
        load(path);
    }
    // The choice is made even without a device, so that what would be heard stays known.
    if (fileProblem_.isEmpty()) {
        chime_->stop();
        restart(file_); // while the file still loads, it starts as soon as it is ready
        ringWaits_ = file_->status() == QSoundEffect::Loading;
        lastPlayed_ = file_->source();
    } else {
        file_->stop();
        restart(chime_);
        lastPlayed_ = chimeUrl();
    }
    error_ = why(path);
    return error_.isEmpty();
}

} // namespace velto
