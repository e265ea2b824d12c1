#include "alarm/alarm.h"

#include "core/subs.h"
#include "render/analog.h"
#include "shell/icons.h"
#include "shell/systray.h"

#include <algorithm>
#include <cmath>

namespace velto {

namespace {

constexpr int64_t kDay = 86400;
constexpr int16_t kCountdownTop = 60;

QTime timeOf(const QString& text) {
    return QTime::fromString(text, QStringLiteral("hh:mm:ss"));
}

/// The reading of the current tick, in wall-clock seconds.
int64_t wallNow(const Ctx& c) {
    return WallSeconds(c.s.Now);
}

/// The wall-clock moment of `time` on the day of the current reading.
int64_t todayAt(const Ctx& c, QTime time) {
    return FloorDiv(wallNow(c), kDay) * kDay + time.msecsSinceStartOfDay() / 1000;
}

/// Everything that says "off": no countdown, mark at 12 o'clock, digits and read-out blank.
void showOff(const Ctx& c) {
    c.s.CountdownMinutes = 0;
    PlaceMark(c);
    c.show(*c.main.imgSet[0], DepotArray::imgSet, kBlankSmall);
    c.show(*c.main.imgSet[1], DepotArray::imgSet, kBlankSmall);
    ClearAlarmTime(c);
}

/// Arms the alarm for wall-clock moment `at` (AlarmTime already says its time of day), or
/// switches it off when that moment is not in the future.
void armAt(const Ctx& c, int64_t at) {
    ShowAlarmTime(c);
    if (at <= wallNow(c)) {
        ShowAlarmState(c, 1);
        return;
    }
    c.s.AlarmAt = at;
    ShowAlarmState(c, 0);
    c.s.CountdownMinutes = MinutesToAlarm(c);
    PlaceMark(c);
    ShowCountdown(c);
}

/// Sets the alarm `seconds` from now, as a moment rather than a time of day, so that it
/// may lie past midnight.
void setAlarmAhead(const Ctx& c, int seconds) {
    c.s.AlarmTime = c.s.Now.time().addSecs(seconds).toString(QStringLiteral("hh:mm:ss"));
    armAt(c, wallNow(c) + seconds);
}

} // namespace

void SetAlarm(const Ctx& c, const QString& text) {
    const QString t = text.isEmpty() ? c.s.HourText() + ':' + c.s.MinuteText() + ":00" : text;
    c.s.AlarmTime = PadHour(t);
    const QTime alarm = timeOf(c.s.AlarmTime);
    // A text that is no time of day cannot be later today: off.
    armAt(c, alarm.isValid() ? todayAt(c, alarm) : wallNow(c));
}

void SetAlarmIn(const Ctx& c, int minutes) {
    c.s.CountdownMinutes = static_cast<int16_t>(minutes);
    PlaceMark(c);
    setAlarmAhead(c, 60 * minutes);
}

void ToggleAlarm(const Ctx& c) {
    if (c.s.AlarmOff == 0) {
        ShowAlarmState(c, 1);
        return;
    }
    setAlarmAhead(c, 4);
}

int16_t MinutesToAlarm(const Ctx& c) {
    if (c.s.AlarmOff != 0) {
        return 0;
    }
    const int64_t minutes = FloorDiv(c.s.AlarmAt, 60) - FloorDiv(wallNow(c), 60);
    return static_cast<int16_t>(std::clamp<int64_t>(minutes, 0, kCountdownTop));
}

bool AlarmFallsIn(const Ctx& c, int64_t from, int64_t to) {
    return c.s.AlarmOff == 0 && c.s.AlarmAt > from && c.s.AlarmAt <= to;
}

void ShowCountdown(const Ctx& c) {
    ShowTwoDigits(c, *c.main.imgSet[0], *c.main.imgSet[1], c.s.CountdownMinutes);
}

void ShowAlarmState(const Ctx& c, int16_t off) {
    c.s.AlarmOff = off;
    c.show(*c.main.imgHeader, DepotArray::imgHeader, off);
    // The menu item offers the other state: its caption is the tip of the other icon.
    SetTrayMenuCaption(c, c.depot.tag(DepotArray::imgTrayIcon, off == 0 ? 1 : 0));
    SetWindowIcon(c, off);
    c.show(*c.main.imgCenter, DepotArray::imgCenter, off);
    ModifyTrayIcon(c, off);
    if (off != 0) {
        showOff(c);
    }
}

void ShowAlarmTime(const Ctx& c) {
    const auto& a = c.main.imgAlarm;
    c.show(*a[0], DepotArray::imgTime, DigitAt(c.s.AlarmTime, 0));
    c.show(*a[1], DepotArray::imgTime, DigitAt(c.s.AlarmTime, 1));
    c.show(*a[2], DepotArray::imgTime, kLitColon);
    c.show(*a[3], DepotArray::imgTime, DigitAt(c.s.AlarmTime, 3));
    c.show(*a[4], DepotArray::imgTime, DigitAt(c.s.AlarmTime, 4));
}

void ClearAlarmTime(const Ctx& c) {
    for (int e : {0, 1, 3, 4}) {
        c.show(*c.main.imgAlarm[e], DepotArray::imgTime, kBlankDigit);
    }
    c.show(*c.main.imgAlarm[2], DepotArray::imgTime, kUnlitColon);
}

void HotSpotClick(const Ctx& c, int index) {
    SetAlarmIn(c, 5 * index);
}

void MarkDragOver(const Ctx& c, QPointF pos) {
    const float angle = AngleFromPoint(c.s.CenterX, c.s.CenterY, static_cast<float>(pos.x()),
                                       static_cast<float>(pos.y()));
    // Both roundings go to the nearest whole number, halves to the even one.
    const double degrees = std::nearbyint(static_cast<double>(angle));
    auto m = static_cast<int>(std::nearbyint(degrees / 6));
    const int16_t now = c.s.CountdownMinutes;
    if (m == 0 && now == 59) {
        m = 60;
    }
    // A drag does not jump across 12 o'clock, either way; minute 45 is always taken.
    if ((now > 50 && m >= 0 && m < 45) || (now < 10 && m > 45 && m <= 60)) {
        return;
    }
    SetAlarmIn(c, m);
}

void MarkStep(const Ctx& c, int minutes) {
    // The keyboard's drag: one minute at a time along the rim, stopping at both ends rather
    // than jumping across 12 o'clock.
    SetAlarmIn(c, std::clamp(c.s.CountdownMinutes + minutes, 0, int{kCountdownTop}));
}

void AlarmReadoutClick(const Ctx& c) {
    if (c.s.AlarmEditMode == 0) {
        c.s.AlarmEditMode = 1;
        ShowAlarmTime(c);
        for (ImageControl* bar : c.main.imgCorrect) {
            bar->show();
        }
        c.s.EditedAlarmTime = c.s.AlarmTime;
        c.s.EditPlace = 0;
        return;
    }
    c.s.AlarmEditMode = 0;
    ClearAlarmTime(c);
    for (ImageControl* bar : c.main.imgCorrect) {
        bar->hide();
    }
    SetAlarm(c, c.s.EditedAlarmTime);
}

} // namespace velto
