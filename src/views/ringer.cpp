#include "views/ringer.h"

#include "platform/console.h"
#include "views/alarm_window.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

Ringer::Ringer(const ClockModel& model, Depot& depot, SoundPlayer& sound, const Desktop& desktop,
               const QWidget& main)
    : model_(model), depot_(depot), sound_(sound), desktop_(desktop), main_(main) {
    // The alarm and the announcer ring alike.
    connect(&model, &ClockModel::ring, this, &Ringer::ring);
}

Ringer::~Ringer() {
    delete window_.data();
}

QString Ringer::alarmSound() const {
    return wavePath(desktop_, QStringLiteral("alarm"));
}

void Ringer::prepare() {
    sound_.onChanged([this] { reportChange(); });
    report(sound_.prepare(alarmSound()));
}

void Ringer::ring() {
    report(sound_.play(alarmSound()));
    if (window() != nullptr) {
        return; // loaded from an earlier ring: its countdown goes on untouched
    }
    auto* w = new AlarmWindow(model_, depot_);
    window_ = w;
    w->move(alarmWindowPlace(main_, w->size()));
    w->show();
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
