#include "app/tick.h"

#include "alarm/alarm.h"
#include "alarm/ring.h"
#include "core/subs.h"
#include "punch/punch.h"
#include "render/analog.h"

namespace velto {

namespace {

/// The work of a full minute: read-out, countdown (derived from the alarm's moment, so a
/// skipped minute needs no catching up), and `punched` minutes on the punch counter.
void fullMinute(const Ctx& c, int64_t punched) {
    ShowTime(c, c.main.imgTime);
    if (c.s.AlarmOff == 0) {
        c.s.CountdownMinutes = MinutesToAlarm(c);
        PlaceMark(c);
        ShowCountdown(c);
    }
    for (int64_t i = 0; i < punched && c.s.PunchMinutes < kPunchedOut; ++i) {
        const int16_t before = c.s.PunchMinutes;
        Punch(c, kPunchMinute);
        if (c.s.PunchMinutes == before) {
            break; // the counter has stopped at its top
        }
    }
}

void blinkColon(const Ctx& c) {
    if (c.s.AlarmEditMode != 1) {
        return;
    }
    c.s.ColonBlink = c.s.ColonBlink == 0 ? 1 : 0;
    c.show(*c.main.imgAlarm[2], DepotArray::imgTime, c.s.ColonBlink == 1 ? kUnlitColon : kLitColon);
}

void ringAlarm(const Ctx& c) {
    RingAlarm(c);
    ShowAlarmState(c, 1); // which also blanks the countdown and puts the mark home
}

} // namespace

bool AnnouncesAt(int16_t interval, const QString& minuteText) {
    static const QStringList k10{"00", "10", "20", "30", "40", "50"};
    static const QStringList k15{"00", "15", "30", "45"};
    static const QStringList k20{"00", "20", "40"};
    static const QStringList k30{"00", "30"};
    static const QStringList k60{"00"};
    switch (interval) {
    case 10:
        return k10.contains(minuteText);
    case 15:
        return k15.contains(minuteText);
    case 20:
        return k20.contains(minuteText);
    case 30:
        return k30.contains(minuteText);
    case 60:
        return k60.contains(minuteText);
    default:
        return false;
    }
}

void MainTick(const Ctx& c) {
    QDateTime now = c.platform.clock.now();
    now = now.addMSecs(-now.time().msec());
    const int64_t secs = now.toSecsSinceEpoch();
    if (c.s.LastTick && *c.s.LastTick == secs) {
        return;
    }
    const int64_t prev =
        c.s.LastTick.value_or(c.s.StartedAt ? c.s.StartedAt->toSecsSinceEpoch() : secs - 1);
    const int64_t wall = WallSeconds(now);
    const int64_t prevWall = c.s.LastTick || c.s.StartedAt ? c.s.LastWall : wall - 1;
    c.s.LastTick = secs;
    c.s.LastWall = wall;
    c.s.Now = now;

    if (c.main.isVisible()) { // a hidden window's hands are drawn when it shows again
        RedrawHands(c);
    }
    ReadClock(c.s, now);
    ShowSeconds(c);

    // The span of wall-clock time this tick answers for: what passed since the last tick
    // when the clock went forward (by a second, or by a jump: suspend, daylight saving, a
    // change of zone, the clock set); only this very second when it went back.
    const int64_t from = wall > prevWall ? prevWall : wall - 1;
    const bool jumped = wall - prevWall != 1;
    const bool newMinute = c.s.SecondText() == QLatin1String("00");
    // Punch minutes are real minutes: those begun since the last tick, whatever the wall
    // clock did; after the clock went back, only the minute this tick lands on, if any.
    const int64_t punched =
        secs > prev ? FloorDiv(secs, 60) - FloorDiv(prev, 60) : (newMinute ? 1 : 0);
    if (newMinute || jumped) { // a real minute begun always shows as one of these
        fullMinute(c, punched);
    }

    blinkColon(c);

    // Late rather than never: an alarm whose moment the span passed over rings now, once.
    if (AlarmFallsIn(c, from, wall)) {
        ringAlarm(c);
    }

    // The current minute is announced if its start lies in the span; older moments of a
    // long gap are stale and stay silent.
    const int64_t minuteStart = wall - now.time().second();
    if (c.s.AnnounceInterval > 0 && minuteStart > from &&
        AnnouncesAt(c.s.AnnounceInterval, c.s.MinuteText())) {
        RingAlarm(c);
    }
}

} // namespace velto
