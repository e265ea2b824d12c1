#include "render/analog.h"

namespace velto {

// The face is drawn by the hands module; until then the dial shows without hands.
void InitClockGeometry(const Ctx& c) {
    c.s.CenterX = static_cast<float>(c.main.picClock->width()) / 2.0f;
    c.s.CenterY = static_cast<float>(c.main.picClock->height()) / 2.0f;
    RedrawHands(c);
}
void RedrawHands(const Ctx& c) { c.main.picClock->cls(); }
void PlaceMark(const Ctx&) {}
void PlaceHotSpots(const Ctx&) {}
float AngleFromPoint(float, float, float, float) { return 0; }

} // namespace velto
