#include "punch/punch.h"

namespace velto {

void Punch(const Ctx& c, int16_t mode) {
    if (mode == kPunchOut) {
        c.s.PunchMinutes = kPunchedOut;
    } else if (mode == kPunchMinute && c.s.PunchMinutes != kPunchedOut) {
        ++c.s.PunchMinutes;
    }
}

} // namespace velto

namespace velto {

void PunchClick(const Ctx&) {}
void PunchKeyDown(const Ctx&, int) {}

} // namespace velto
