#include "alarm/ring.h"

#include <QDir>

namespace velto {

void PlayWave(const Ctx& c, const QString& name) {
    const QString path =
        QDir(c.platform.desktop.programFolder()).filePath(QStringLiteral("wav/%1.wav").arg(name));
    if (c.platform.sound.play(path)) {
        c.s.SoundError.clear();
    } else if (c.platform.sound.error() != c.s.SoundError) {
        // Said once, not at every ring: the ring itself goes on without its sound.
        c.s.SoundError = c.platform.sound.error();
        qWarning("velto: %s", qPrintable(c.s.SoundError));
    }
}

void RingAlarm(const Ctx& c) {
    PlayWave(c, QStringLiteral("alarm"));
    OpenAlarmWindow(c);
}

// The alarm window has not been built yet: a ring is the sound alone.
void OpenAlarmWindow(const Ctx&) {}

} // namespace velto
