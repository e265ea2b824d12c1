#include "render/dial.h"

#include "render/analog.h"

namespace velto {

namespace {

/// The depot index of the dial and button pictures for an interval; 0 (plain dial, blank
/// button) for "off" and for any value that is not an interval.
int dialIndex(int16_t minutes) {
    switch (minutes) {
    case 10:
        return 1;
    case 15:
        return 2;
    case 20:
        return 3;
    case 30:
        return 4;
    case 60:
        return 5;
    default:
        return 0;
    }
}

} // namespace

void SetAnnounceInterval(const Ctx& c, int16_t minutes) {
    c.s.AnnounceInterval = minutes;
    const int index = dialIndex(minutes);
    c.main.picClock->setDial(c.depot.picture(DepotArray::imgDial, index),
                             FrmDepot::ref(DepotArray::imgDial, index));
    c.show(*c.main.imgEach, DepotArray::imgEach, index);
    // The hands go onto the new dial now rather than at the next tick.
    RedrawHands(c);
}

int16_t NextAnnounceInterval(int16_t minutes) {
    int16_t next = 0;
    switch (minutes) {
    case 10:
        next = 15;
        break;
    case 15:
        next = 20;
        break;
    case 20:
        next = 30;
        break;
    case 30:
        next = 60;
        break;
    case 60:
        next = 0;
        break;
    // 0, and any value outside the cycle: the face shows those as "off" (plain dial, blank
    // button), so the click goes on from "off" to the first interval, as the user expects.
    default:
        next = 10;
        break;
    }
    return next;
}

void EachClick(const Ctx& c) {
    SetAnnounceInterval(c, NextAnnounceInterval(c.s.AnnounceInterval));
}

} // namespace velto
