#pragma once
// Where every control of the main window sits, in pixels: left, top, width, height,
// relative to the window or, for the controls on the clock face, to the face.

#include <QRect>
#include <array>

namespace velto::layout {

inline constexpr QSize kMainClient{385, 195};
inline constexpr QSize kBackground{400, 195};
inline constexpr int kTitleBand = 20;

inline constexpr QRect imgHeader{2, 0, 50, 20};
inline constexpr QRect imgHeaderX{308, 0, 28, 20};
inline constexpr QRect imgHeaderV{336, 0, 45, 20};

inline constexpr std::array<int, 3> kKeypadX{8, 40, 72};
inline constexpr std::array<int, 4> kKeypadY{33, 62, 91, 120};
inline constexpr QSize kKey{31, 29};
/// Key k (1..12) of the keypad.
constexpr QRect imgPunchUp(int k) {
    return {kKeypadX[(k - 1) % 3], kKeypadY[(k - 1) / 3], kKey.width(), kKey.height()};
}

/// The five elements of a hh:mm read-out at x positions relative to its first digit.
inline constexpr std::array<int, 5> kReadoutX{112, 136, 160, 168, 192};
inline constexpr QSize kLargeDigit{26, 50};
inline constexpr QSize kColon{8, 50};
inline constexpr int kTimeY = 34;
inline constexpr int kAlarmY = 96;
constexpr QRect readout(int element, int y, int xOffset = 0) {
    return {QPoint(kReadoutX[element] + xOffset, y), element == 2 ? kColon : kLargeDigit};
}
/// The places of all five elements of an hh:mm read-out.
constexpr std::array<QRect, 5> readoutPlaces(int y, int xOffset = 0) {
    std::array<QRect, 5> places;
    for (int e = 0; e < 5; ++e) {
        places[static_cast<size_t>(e)] = readout(e, y, xOffset);
    }
    return places;
}
inline constexpr std::array<int, 4> kCorrectX{115, 139, 171, 195};
inline constexpr int kCorrectY = 84;
inline constexpr QSize kCorrect{22, 9};

/// imgSet(0..6): 0, 1 countdown and 2, 3, 4 punch count (on the face), 5, 6 seconds (window).
inline constexpr std::array<QPoint, 7> kSetPos{
    {{114, 5}, {122, 5}, {0, 5}, {7, 5}, {15, 5}, {220, 25}, {228, 25}}};
inline constexpr QSize kSetSize{9, 17};
/// A small digit's picture: a pixel narrower than its place, which overlaps the next one's.
inline constexpr QSize kSmallDigit{8, 17};

inline constexpr QRect picClock{248, 20, 137, 137};

inline constexpr std::array<int, 10> kFixedX{106, 135, 163, 192, 221, 245, 270, 299, 327, 356};
inline constexpr std::array<int, 10> kFixedWidth{28, 27, 28, 28, 23, 24, 28, 27, 28, 28};
inline constexpr int kFixedY = 164;
inline constexpr int kFixedHeight = 24;
constexpr QRect imgFixed(int k) {
    return {kFixedX[k], kFixedY, kFixedWidth[k], kFixedHeight};
}

// On the clock face.
inline constexpr QRect imgPunch{0, 107, 30, 30};
inline constexpr QRect imgEach{107, 107, 30, 30};
inline constexpr QRect imgCenter{60, 60, 18, 18};
inline constexpr QRect imgMark{64, 4, 9, 9};
inline constexpr QRect imgHotSpot{60, 12, 17, 17};

// The alarm window, relative to the window; its read-out relative to the frame.
namespace alarm {
inline constexpr QSize kClient{182, 129};
inline constexpr QRect Frame1{16, 8, 153, 97};
inline constexpr int kTimeY = 24;
inline constexpr int kTimeXOffset = 24 - kReadoutX[0];
inline constexpr QRect cmdDone{40, 96, 105, 25};
// An alarm's ring offers two buttons where the announcer's has one.
inline constexpr QRect cmdStop{16, 96, 74, 25};
inline constexpr QRect cmdSnooze{95, 96, 74, 25};
} // namespace alarm

} // namespace velto::layout
