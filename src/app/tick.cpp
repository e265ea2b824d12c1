#include "app/tick.h"

#include "core/subs.h"
#include "render/analog.h"

namespace velto {

void ShowTick(const Ctx& c, bool fullMinute) {
    if (c.main.isVisible()) {
        RedrawHands(c);
    }
    ShowSeconds(c);
    if (fullMinute) {
        ShowTime(c, c.main.imgTime);
    }
}

} // namespace velto
