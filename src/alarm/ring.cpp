#include "alarm/ring.h"

#include <QDir>

namespace velto {

void PlayWave(const Ctx& c, const QString& name) {
    const QString path =
        QDir(c.platform.desktop.programFolder()).filePath(QStringLiteral("wav/%1.wav").arg(name));
    if (!c.platform.sound.play(path)) {
        qInfo("velto: %s", qPrintable(c.platform.sound.error()));
    }
}

void RingAlarm(const Ctx& c) {
    PlayWave(c, QStringLiteral("alarm"));
    OpenAlarmWindow(c);
}

// The alarm window has not been built yet: a ring is the sound alone.
void OpenAlarmWindow(const Ctx&) {}

} // namespace velto
