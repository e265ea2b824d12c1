#include "render/dial.h"

#include "render/analog.h"

#include <algorithm>

namespace velto {

namespace {

/// The depot index of the dial and button pictures for an interval: its place in the
/// announcer's cycle; 0 (plain dial, blank button) for "off" and for any value that is not an
/// interval.
int dialIndex(int minutes) {
    const auto& cycle = ClockModel::kAnnounceIntervals;
    const auto* at = std::find(cycle.begin(), cycle.end(), minutes);
    return at == cycle.end() ? 0 : static_cast<int>(at - cycle.begin());
}

} // namespace

void ShowAnnounceInterval(const Ctx& c) {
    const int index = dialIndex(c.model.announceInterval());
    c.main.picClock->setDial(c.depot.picture(DepotArray::imgDial, index),
                             FrmDepot::ref(DepotArray::imgDial, index));
    c.show(*c.main.imgEach, DepotArray::imgEach, index);
    // The hands go onto the new dial now rather than at the next tick.
    RedrawHands(c);
}

} // namespace velto
