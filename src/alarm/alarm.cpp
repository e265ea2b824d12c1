#include "alarm/alarm.h"

#include "core/subs.h"
#include "render/analog.h"
#include "shell/icons.h"
#include "shell/systray.h"

#include <cmath>

namespace velto {

void ShowAlarmState(const Ctx& c) {
    const int look = c.model.armed() ? 0 : 1;
    c.show(*c.main.imgHeader, DepotArray::imgHeader, look);
    // The menu item offers the other state: its caption is the tip of the other icon.
    SetTrayMenuCaption(c, c.depot.tag(DepotArray::imgTrayIcon, 1 - look));
    SetWindowIcon(c, static_cast<int16_t>(look));
    c.show(*c.main.imgCenter, DepotArray::imgCenter, look);
    ModifyTrayIcon(c, static_cast<int16_t>(look));
    if (c.model.armed()) {
        ShowReadout(c, c.main.imgAlarm, c.model.alarmTime());
    } else {
        ClearReadout(c, c.main.imgAlarm);
    }
}

void ShowCountdown(const Ctx& c) {
    PlaceMark(c);
    if (c.model.armed()) {
        ShowTwoDigits(c, *c.main.imgSet[0], *c.main.imgSet[1], c.model.countdown());
    } else {
        c.show(*c.main.imgSet[0], DepotArray::imgSet, kBlankSmall);
        c.show(*c.main.imgSet[1], DepotArray::imgSet, kBlankSmall);
    }
}

void ShowEdit(const Ctx& c) {
    if (c.model.editing()) {
        ShowReadout(c, c.main.imgAlarm, c.model.editedTime());
    } else if (c.model.armed()) {
        ShowReadout(c, c.main.imgAlarm, c.model.alarmTime()); // an edit left unchanged
    } else {
        ClearReadout(c, c.main.imgAlarm);
    }
    for (ImageControl* bar : c.main.imgCorrect) {
        bar->setVisible(c.model.editing());
    }
}

void ShowEditColon(const Ctx& c) {
    c.show(*c.main.imgAlarm[2], DepotArray::imgTime, c.model.colonLit() ? kLitColon : kUnlitColon);
}

void HotSpotClick(const Ctx& c, int index) {
    c.model.setAlarmIn(5 * index);
}

void MarkDragOver(const Ctx& c, QPointF pos) {
    const float angle = AngleFromPoint(c.s.CenterX, c.s.CenterY, static_cast<float>(pos.x()),
                                       static_cast<float>(pos.y()));
    // Both roundings go to the nearest whole number, halves to the even one.
    const double degrees = std::nearbyint(static_cast<double>(angle));
    auto m = static_cast<int>(std::nearbyint(degrees / 6));
    const int now = c.model.countdown();
    if (m == 0 && now == 59) {
        m = 60;
    }
    // A drag does not jump across 12 o'clock, either way; minute 45 is always taken.
    if ((now > 50 && m >= 0 && m < 45) || (now < 10 && m > 45 && m <= 60)) {
        return;
    }
    c.model.setAlarmIn(m);
}

} // namespace velto
