#include "punch/countdown.h"

namespace velto {

void PresetsNormal(const Ctx& c) {
    for (int i = 0; i < 10; ++i) {
        c.show(*c.main.imgFixed[i], DepotArray::imgFixed, i);
    }
}

void PresetHover(const Ctx& c, int k) {
    PresetsNormal(c);
    c.show(*c.main.imgFixed[k], DepotArray::imgFixed, k + kHighlighted);
}

void CorrectPress(const Ctx& c, int k, bool down) {
    ImageControl& bar = *c.main.imgCorrect.at(static_cast<size_t>(k));
    bar.setPosition(bar.left(), down ? c.s.CorrectPressedTop : c.s.CorrectTop);
}

} // namespace velto
