#include "alarm/alarm.h"

#include "core/subs.h"
#include "render/analog.h"
#include "shell/icons.h"
#include "shell/systray.h"

namespace velto {

namespace {
QTime timeOf(const QString& text) {
    return QTime::fromString(text, QStringLiteral("hh:mm:ss"));
}
} // namespace

void ShowCountdown(const Ctx& c) {
    ShowTwoDigits(c, *c.main.imgSet[0], *c.main.imgSet[1], c.s.CountdownMinutes);
}

void BlankCountdown(const Ctx& c) {
    c.show(*c.main.imgSet[0], DepotArray::imgSet, kBlankSmall);
    c.show(*c.main.imgSet[1], DepotArray::imgSet, kBlankSmall);
}

void SetAlarm(const Ctx& c, const QString& text) {
    const QString t = text.isEmpty() ? c.s.HourText() + ':' + c.s.MinuteText() + ":00" : text;
    c.s.AlarmTime = PadHour(t);
    ShowAlarmTime(c);
    const QTime now = timeOf(c.s.TimeText);
    const QTime alarm = timeOf(c.s.AlarmTime);
    if (!alarm.isValid() || !now.isValid() || now >= alarm) {
        ShowAlarmState(c, 1);
        c.s.CountdownMinutes = 0;
        PlaceMark(c);
        BlankCountdown(c);
        return;
    }
    ShowAlarmState(c, 0);
    int minutes = alarm.minute() - now.minute();
    if (minutes < 0) {
        minutes += 60;
    }
    if (now.secsTo(alarm) / 3600 == 1) {
        minutes = 60;
    }
    c.s.CountdownMinutes = static_cast<int16_t>(minutes);
    PlaceMark(c);
    ShowCountdown(c);
}

void ToggleAlarm(const Ctx& c) {
    if (c.s.AlarmOff == 0) {
        ShowAlarmState(c, 1);
        return;
    }
    c.s.AlarmTime = c.s.Now.time().addSecs(4).toString(QStringLiteral("hh:mm:ss"));
    SetAlarm(c, c.s.AlarmTime);
}

void ShowAlarmState(const Ctx& c, int16_t off) {
    c.s.AlarmOff = off;
    c.show(*c.main.imgHeader, DepotArray::imgHeader, off);
    SetTrayMenuCaption(c, c.depot.tag(DepotArray::imgTrayIcon, off == 0 ? 1 : 0));
    SetWindowIcon(c, off);
    c.show(*c.main.imgCenter, DepotArray::imgCenter, off);
    ModifyTrayIcon(c, off);
    if (off != 0) {
        c.s.CountdownMinutes = 0;
        PlaceMark(c);
        BlankCountdown(c);
        ClearAlarmTime(c);
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

} // namespace velto
