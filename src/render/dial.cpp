#include "render/dial.h"

namespace velto {

void SetAnnounceInterval(const Ctx& c, int16_t minutes) { c.s.AnnounceInterval = minutes; }

} // namespace velto

namespace velto {

void EachClick(const Ctx&) {}

} // namespace velto
