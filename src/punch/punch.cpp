#include "punch/punch.h"

#include <algorithm>

namespace velto {

namespace {

void blankPlaces(const Ctx& c) {
    for (int place = 2; place <= 4; ++place) {
        c.show(*c.main.imgSet[place], DepotArray::imgSet, kBlankSmall);
    }
}

} // namespace

void Punch(const Ctx& c, int16_t mode) {
    VeltoState& s = c.s;
    if (s.PunchMinutes == kPunchedOut) {
        switch (mode) {
        case kPunchIn:
            s.PunchMinutes = 0;
            c.show(*c.main.imgPunch, DepotArray::imgPunch, 1);
            ShowPunchMinutes(c);
            break;
        case kPunchMinute:
            c.platform.messages.inform(appTitle(),
                                       QStringLiteral("Punchin is off, so why increase?"));
            break;
        case kPunchOut:
            c.platform.messages.inform(appTitle(),
                                       QStringLiteral("Punchin is already off, so why off?"));
            break;
        default:
            break;
        }
        return;
    }
    switch (mode) {
    case kPunchMinute:
        if (s.PunchMinutes < kPunchTop) {
            ++s.PunchMinutes;
            ShowPunchMinutes(c);
        }
        break;
    case kPunchOut:
        s.PunchMinutes = kPunchedOut;
        c.show(*c.main.imgPunch, DepotArray::imgPunch, 0);
        blankPlaces(c);
        break;
    default:
        break; // punching in while in changes nothing
    }
}

void ShowPunchMinutes(const Ctx& c) {
    // Clamped so that every place asks the depot for a digit 0..9.
    const int count = std::clamp<int>(c.s.PunchMinutes, 0, kPunchShownTop);
    const int h = count / 100;
    const int t = (count - 100 * h) / 10;
    const int u = count - 100 * h - 10 * t;
    c.show(*c.main.imgSet[2], DepotArray::imgSet, h != 0 ? h : kBlankSmall);
    c.show(*c.main.imgSet[3], DepotArray::imgSet, h != 0 || t != 0 ? t : kBlankSmall);
    c.show(*c.main.imgSet[4], DepotArray::imgSet, u);
}

void PunchClick(const Ctx& c) {
    Punch(c, c.s.PunchMinutes == kPunchedOut ? kPunchIn : kPunchOut);
}

void PunchKeyDown(const Ctx& c, int k) {
    if (k < 1 || k > 12) {
        return;
    }
    // Pressed first, then the previous key released: when both are the same key, the
    // release wins and the key shows up until another one is pressed.
    c.show(*c.main.imgPunchUp[k], DepotArray::imgPunchDn, k);
    if (c.s.PunchKey > 0) {
        c.show(*c.main.imgPunchUp[c.s.PunchKey], DepotArray::imgPunchUp, c.s.PunchKey);
    }
    c.s.PunchKey = static_cast<int16_t>(k);
}

} // namespace velto
