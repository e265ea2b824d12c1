#include "app/tick.h"

#include "alarm/alarm.h"
#include "alarm/ring.h"
#include "core/subs.h"
#include "punch/punch.h"
#include "render/analog.h"

#include <algorithm>

namespace velto {

namespace {

constexpr int64_t kDay = 86400;

int64_t floorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

/// Seconds since the epoch as the wall clock reads them: local time taken as if it were UTC.
int64_t wallSeconds(const QDateTime& t) {
    return t.toSecsSinceEpoch() + t.offsetFromUtc();
}

/// The work of `count` full minutes: read-out, countdown, punch counter.
void fullMinutes(const Ctx& c, int64_t count) {
    ShowTime(c, c.main.imgTime);
    if (c.s.CountdownMinutes > 0) {
        c.s.CountdownMinutes =
            static_cast<int16_t>(std::max<int64_t>(0, c.s.CountdownMinutes - count));
        PlaceMark(c);
        ShowCountdown(c);
    }
    for (int64_t i = 0; i < count && c.s.PunchMinutes < kPunchedOut; ++i) {
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

/// Whether the alarm's time of day fell in the wall-clock span (prev, now].
bool alarmInSpan(const Ctx& c, int64_t prevSecs) {
    const QTime alarm = QTime::fromString(c.s.AlarmTime, QStringLiteral("hh:mm:ss"));
    QDateTime prev = c.s.Now;
    prev.setSecsSinceEpoch(prevSecs);
    const int64_t from = wallSeconds(prev);
    const int64_t to = wallSeconds(c.s.Now);
    if (!alarm.isValid() || to <= from) {
        return c.s.TimeText == c.s.AlarmTime; // no forward span on the wall clock
    }
    if (to - from >= kDay) {
        return true;
    }
    int64_t moment = floorDiv(to, kDay) * kDay + alarm.msecsSinceStartOfDay() / 1000;
    if (moment > to) {
        moment -= kDay;
    }
    return moment > from;
}

void ringAlarm(const Ctx& c) {
    RingAlarm(c);
    ShowAlarmState(c, 1);
    c.s.CountdownMinutes = 0;
    PlaceMark(c);
    BlankCountdown(c);
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
    std::optional<int64_t> prev = c.s.LastTick;
    if (!prev && c.s.StartedAt) {
        prev = c.s.StartedAt->toSecsSinceEpoch();
    }
    c.s.LastTick = secs;
    c.s.Now = now;

    RedrawHands(c);
    ReadClock(c.s, now);
    ShowSeconds(c);

    const int64_t elapsed = prev ? secs - *prev : 1;
    if (elapsed < 0) {
        // The clock went back: nothing to count or ring for the span, but the read-out
        // must not keep a minute that now lies in the future.
        ShowTime(c, c.main.imgTime);
        blinkColon(c);
        return;
    }
    const bool newMinute = c.s.SecondText() == QLatin1String("00");
    const int64_t minutes = prev ? floorDiv(secs, 60) - floorDiv(*prev, 60) : (newMinute ? 1 : 0);
    if (minutes > 0) {
        fullMinutes(c, minutes);
    }

    blinkColon(c);

    if (c.s.AlarmOff == 0) {
        const bool due = elapsed <= 1 ? c.s.TimeText == c.s.AlarmTime : alarmInSpan(c, *prev);
        if (due) {
            ringAlarm(c);
        }
    }

    // Announce the current minute if its moment lies in the span; older announcer moments
    // of a long gap are stale and stay silent.
    const int64_t minuteStart = secs - now.time().second();
    const bool minuteInSpan = prev ? minuteStart > *prev : newMinute;
    if (c.s.AnnounceInterval > 0 && minuteInSpan &&
        AnnouncesAt(c.s.AnnounceInterval, c.s.MinuteText())) {
        RingAlarm(c);
    }
}

} // namespace velto
