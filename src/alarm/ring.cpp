#include "alarm/ring.h"

#include "alarm/frm_alarm.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace velto {

namespace {

/// Says a sound failure on the console unless it is the one said last.
void report(const Ctx& c, bool heard) {
    if (heard) {
        c.s.SoundError.clear();
    } else if (c.platform.sound.error() != c.s.SoundError) {
        c.s.SoundError = c.platform.sound.error();
        qWarning("velto: %s", qPrintable(c.s.SoundError));
    }
}

/// Says what the player found out between rings: sound gone, or back after a failure.
void reportChange(const Ctx& c) {
    const bool back = c.platform.sound.error().isEmpty();
    if (back && !c.s.SoundError.isEmpty()) {
        qWarning("velto: sound is back");
    }
    report(c, back);
}

} // namespace

QString WavePath(const Ctx& c, const QString& name) {
    const QString file = QStringLiteral("wav/%1.wav").arg(name);
    QString beside = QDir(c.platform.desktop.programFolder()).filePath(file);
    if (QFileInfo::exists(beside)) {
        return beside;
    }
    const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                     QStringLiteral("velto/") + file);
    return installed.isEmpty() ? beside : installed;
}

void PrepareWave(const Ctx& c, const QString& name) {
    c.platform.sound.onChanged([c] { reportChange(c); });
    report(c, c.platform.sound.prepare(WavePath(c, name)));
}

void PlayWave(const Ctx& c, const QString& name) {
    report(c, c.platform.sound.play(WavePath(c, name)));
}

void RingAlarm(const Ctx& c) {
    PlayWave(c, QStringLiteral("alarm"));
    OpenAlarmWindow(c);
}

void OpenAlarmWindow(const Ctx& c) {
    if (c.windows.alarm && !c.windows.alarm->unloaded()) {
        return; // loaded from an earlier ring: its countdown goes on untouched
    }
    auto* w = new FrmAlarm(c);
    c.windows.alarm = w;
    w->move(AlarmWindowPlace(c.main, w->size()));
    w->show();
}

} // namespace velto
