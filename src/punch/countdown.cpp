#include "punch/countdown.h"

#include "alarm/alarm.h"
#include "core/subs.h"

#include <algorithm>
#include <array>

namespace velto {

namespace {

constexpr std::array<int, 10> kPresetMinutes{0, 1, 3, 5, 10, 15, 20, 30, 45, 60};

/// The alarm read-out element that shows digit k of the edited hh:mm.
constexpr std::array<int, 4> kDigitElement{0, 1, 3, 4};

/// Writes the edited hh:mm digits `d` into EditedAlarmTime (seconds 00) and shows them with
/// a lit colon.
void showEdited(const Ctx& c, const std::array<int, 4>& d) {
    c.s.EditedAlarmTime = QStringLiteral("%1%2:%3%4:00").arg(d[0]).arg(d[1]).arg(d[2]).arg(d[3]);
    for (size_t i = 0; i < d.size(); ++i) {
        c.show(*c.main.imgAlarm[kDigitElement[i]], DepotArray::imgTime, d[i]);
    }
    c.show(*c.main.imgAlarm[2], DepotArray::imgTime, kLitColon);
}

std::array<int, 4> editedDigits(const Ctx& c) {
    const QString& t = c.s.EditedAlarmTime;
    return {DigitAt(t, 0), DigitAt(t, 1), DigitAt(t, 3), DigitAt(t, 4)};
}

} // namespace

int PresetMinutes(int k) {
    return kPresetMinutes.at(static_cast<size_t>(k));
}

void PresetClick(const Ctx& c, int k) {
    SetAlarmIn(c, PresetMinutes(k));
}

void PresetsNormal(const Ctx& c) {
    for (int i = 0; i < 10; ++i) {
        c.show(*c.main.imgFixed[i], DepotArray::imgFixed, i);
    }
}

void PresetHover(const Ctx& c, int k) {
    PresetsNormal(c);
    c.show(*c.main.imgFixed[k], DepotArray::imgFixed, k + kHighlighted);
}

void CorrectClick(const Ctx& c, int k) {
    std::array<int, 4> d = editedDigits(c);
    ++d.at(static_cast<size_t>(k));
    // No carry between digits; the order matters: raising the tens of hours to 2 also
    // brings a units digit above 3 back to 0.
    if (d[0] == 3) {
        d[0] = 0;
    }
    if (d[1] == 10) {
        d[1] = 0;
    }
    if (d[0] == 2 && d[1] > 3) {
        d[1] = 0;
    }
    if (d[2] == 6) {
        d[2] = 0;
    }
    if (d[3] == 10) {
        d[3] = 0;
    }
    showEdited(c, d);
}

void TypeAlarmDigit(const Ctx& c, int digit) {
    if (c.s.AlarmEditMode == 0 || digit < 0 || digit > 9) {
        return;
    }
    std::array<int, 4> d = editedDigits(c);
    const auto place = static_cast<size_t>(std::clamp<int>(c.s.EditPlace, 0, 3));
    // The largest digit each place takes; the units of hours go to 3 after a 2.
    const std::array<int, 4> top{2, d[0] == 2 ? 3 : 9, 5, 9};
    if (digit > top.at(place)) {
        return; // no time of day has it there: the place waits for a digit that fits
    }
    d.at(place) = digit;
    if (d[0] == 2 && d[1] > 3) {
        d[1] = 0; // as with the bars: 15 becomes 20, not 25
    }
    showEdited(c, d);
    c.s.EditPlace = static_cast<int16_t>((place + 1) % d.size());
}

void CorrectPress(const Ctx& c, int k, bool down) {
    ImageControl& bar = *c.main.imgCorrect.at(static_cast<size_t>(k));
    bar.setPosition(bar.left(), down ? c.s.CorrectPressedTop : c.s.CorrectTop);
}

} // namespace velto
