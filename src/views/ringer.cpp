#include "views/ringer.h"

#include "platform/console.h"
#include "views/alarm_window.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>

namespace velto {

QString wavePath(const Desktop& desktop, const QString& name) {
    const QString file = QStringLiteral("wav/%1.wav").arg(name);
    QString beside = QDir(desktop.programFolder()).filePath(file);
    if (QFileInfo::exists(beside)) {
        return beside;
    }
    const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                     QStringLiteral("velto/") + file);
    return installed.isEmpty() ? beside : installed;
}

Ringer::Ringer(ClockModel& model, Depot& depot, SoundPlayer& sound, MediaPlayers& media,
               const Desktop& desktop, const QWidget& main)
    : model_(model), depot_(depot), sound_(sound), media_(media), desktop_(desktop), main_(main) {
    // The alarm and the announcer ring alike.
    connect(&model, &ClockModel::ring, this, &Ringer::ring);
    connect(&model, &ClockModel::ringingChanged, this, [this] {
        if (!model_.ringing()) {
            ringStopped();
        }
    });
    // Stopped by the user, the sound stops too; a ring once whose time is up plays to its end.
    connect(&model, &ClockModel::ringStopped, this, [this] { sound_.stop(); });
    // A new sound is loaded ahead of its first ring.
    connect(&model, &ClockModel::choicesChanged, this, [this] {
        if (prepared_ && !model_.ringing()) {
            report(sound_.prepare(soundOf(RingKind::Alarm)));
        }
    });
    constexpr int kFadeStepMs = 250;
    fading_.setInterval(kFadeStepMs);
    connect(&fading_, &QTimer::timeout, this, &Ringer::fade);
}

Ringer::~Ringer() {
    delete window_.data();
}

QString Ringer::soundOf(RingKind kind) const {
    const QString own = model_.choices().soundFile;
    if (own.isEmpty()) {
        return wavePath(desktop_, QStringLiteral("alarm"));
    }
    // The user's own sound is the alarm's; the announcer keeps the player's chime, so that
    // a wake-up tune is not heard every quarter of an hour.
    return kind == RingKind::Alarm ? own : QString();
}

double Ringer::volumeOf(RingKind kind) const {
    const RingChoices& c = model_.choices();
    return (kind == RingKind::Alarm ? c.alarmVolume : c.announcerVolume) / 100.0;
}

Playing Ringer::playingOf(RingKind kind) const {
    const bool repeat = kind == RingKind::Alarm && model_.choices().ringMinutes > 0;
    return {.volume = volumeOf(kind) * (repeat ? fadeIn(0) : 1.0), .repeat = repeat};
}

double Ringer::fadeIn(qint64 elapsedMs) {
    // 30 dB up to the full volume, evenly to the ear.
    constexpr double kQuietDb = -30.0;
    const double done = std::clamp(static_cast<double>(elapsedMs) / kFadeInMs, 0.0, 1.0);
    return std::pow(10.0, kQuietDb * (1.0 - done) / 20.0);
}

void Ringer::prepare() {
    if (prepared_) {
        return;
    }
    prepared_ = true;
    sound_.onChanged([this] { reportChange(); });
    report(sound_.prepare(soundOf(RingKind::Alarm)));
}

void Ringer::ring(RingKind kind) {
    // The alarm's own or repeating sound goes on: the announcer's chime in the same minute
    // would cut it short. The built-in chime rung once is the same sound either way.
    const RingChoices& c = model_.choices();
    if (kind == RingKind::Announcer && model_.ringing() &&
        (c.ringMinutes > 0 || !c.soundFile.isEmpty())) {
        return;
    }
    prepare(); // a ring that came unforeseen
    const Playing how = playingOf(kind);
    report(sound_.play(soundOf(kind), how));
    repeating_ = how.repeat;
    if (how.repeat) {
        fadingFor_.start();
        fading_.start();
    }
    if (kind == RingKind::Alarm && !mediaPaused_) {
        media_.pausePlaying();
        mediaPaused_ = true;
    }
    if (AlarmWindow* earlier = window()) {
        if (kind != RingKind::Alarm || earlier->kind() == RingKind::Alarm) {
            return; // loaded from an earlier ring: its countdown goes on untouched
        }
        earlier->unload(); // the announcer's: the alarm's offers Stop and Snooze
    }
    auto* w = new AlarmWindow(model_, depot_, kind);
    window_ = w;
    w->move(alarmWindowPlace(main_, w->size()));
    w->show();
}

void Ringer::preview(RingKind kind) {
    prepare();
    report(sound_.play(soundOf(kind), {.volume = volumeOf(kind), .repeat = false}));
}

void Ringer::fade() {
    const qint64 elapsed = fadingFor_.elapsed();
    sound_.setVolume(volumeOf(RingKind::Alarm) * fadeIn(elapsed));
    if (elapsed >= kFadeInMs) {
        fading_.stop();
    }
}

void Ringer::ringStopped() {
    fading_.stop();
    if (repeating_) {
        sound_.stop();
        repeating_ = false;
    }
    if (mediaPaused_) {
        media_.resumePaused();
        mediaPaused_ = false;
    }
}

bool Ringer::dismiss() {
    AlarmWindow* w = window();
    if (w == nullptr) {
        return false;
    }
    w->unload();
    return true;
}

AlarmWindow* Ringer::window() const {
    return window_ && !window_->unloaded() ? window_.data() : nullptr;
}

void Ringer::report(bool heard) {
    if (heard) {
        soundError_.clear();
    } else if (sound_.error() != soundError_) {
        soundError_ = sound_.error();
        qCWarning(lcSound, "%s", qPrintable(soundError_));
    }
}

void Ringer::reportChange() {
    const bool back = sound_.error().isEmpty();
    if (back && !soundError_.isEmpty()) {
        qCWarning(lcSound, "sound is back");
    }
    report(back);
}

} // namespace velto
