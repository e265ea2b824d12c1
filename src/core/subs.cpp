#include "core/subs.h"

namespace velto {

void ShowReadout(const Ctx& c, const Readout& readout, const QString& text, bool colonLit) {
    c.show(*readout[0], DepotArray::imgTime, digitAt(text, 0));
    c.show(*readout[1], DepotArray::imgTime, digitAt(text, 1));
    c.show(*readout[2], DepotArray::imgTime, colonLit ? kLitColon : kUnlitColon);
    c.show(*readout[3], DepotArray::imgTime, digitAt(text, 3));
    c.show(*readout[4], DepotArray::imgTime, digitAt(text, 4));
}

void ClearReadout(const Ctx& c, const Readout& readout) {
    for (int e : {0, 1, 3, 4}) {
        c.show(*readout[static_cast<size_t>(e)], DepotArray::imgTime, kBlankDigit);
    }
    c.show(*readout[2], DepotArray::imgTime, kUnlitColon);
}

void ShowTime(const Ctx& c, const Readout& imgTime) {
    ShowReadout(c, imgTime, c.model.timeText());
}

void ShowTwoDigits(const Ctx& c, ImageControl& tens, ImageControl& units, int value) {
    const int t = value / 10;
    c.show(tens, DepotArray::imgSet, t);
    c.show(units, DepotArray::imgSet, value - 10 * t);
}

void ShowSeconds(const Ctx& c) {
    ShowTwoDigits(c, *c.main.imgSet[5], *c.main.imgSet[6], c.model.now().time().second());
}

} // namespace velto
