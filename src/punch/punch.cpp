#include "punch/punch.h"

#include <algorithm>

namespace velto {

void ShowPunch(const Ctx& c) {
    const std::optional<int> minutes = c.model.punchMinutes();
    c.show(*c.main.imgPunch, DepotArray::imgPunch, minutes ? 1 : 0);
    if (!minutes) {
        for (int place = 2; place <= 4; ++place) {
            c.show(*c.main.imgSet[place], DepotArray::imgSet, kBlankSmall);
        }
        return;
    }
    // Clamped so that every place asks the depot for a digit 0..9.
    const int count = std::clamp(*minutes, 0, kPunchShownTop);
    const int h = count / 100;
    const int t = (count - 100 * h) / 10;
    const int u = count - 100 * h - 10 * t;
    c.show(*c.main.imgSet[2], DepotArray::imgSet, h != 0 ? h : kBlankSmall);
    c.show(*c.main.imgSet[3], DepotArray::imgSet, h != 0 || t != 0 ? t : kBlankSmall);
    c.show(*c.main.imgSet[4], DepotArray::imgSet, u);
}

void ShowKeys(const Ctx& c, int released, int pressed) {
    c.show(*c.main.imgPunchUp[pressed], DepotArray::imgPunchDn, pressed);
    if (released > 0) {
        c.show(*c.main.imgPunchUp[released], DepotArray::imgPunchUp, released);
    }
}

} // namespace velto
