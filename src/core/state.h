#pragma once
// What the views keep of their own; the clock's state is the model's (model/clock_model.h).

#include <QString>
#include <cstdint>

namespace velto {

/// A pixel of the clock face.
struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

/// What the views keep beside the model: where the face's hands and bars are, and what was
/// said last about the sound.
struct VeltoState {
    // The last sound failure reported, so that it is said once and not at every ring.
    QString SoundError;

    // Clock-face geometry.
    float CenterX = 0;
    float CenterY = 0;
    PixelPoint HourStart, HourEnd, MinuteStart, MinuteEnd, SecondStart, SecondEnd;

    // Correction bars.
    int16_t CorrectTop = 0;
    int16_t CorrectPressedTop = 0;
};

} // namespace velto
