#pragma once
// The depot: every picture the windows show, drawn by code when first wanted and then shared. A
// control shows a depot picture by taking the element's picture (no pixel copy) and
// remembering which element it was. The pictures are drawn for the scale of the screen the
// main window is on, in as many device pixels as it has.

#include "art/depot_art.h"
#include "controls/image_control.h"

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <array>
#include <memory>
#include <utility>
#include <vector>

namespace velto {

/// The depot's picture arrays, by their names on the depot.
enum class DepotArray : int {
    imgTime,     // 0-9 large digits, 10 unlit digit, 11 unlit colon, 12 lit colon
    imgSet,      // 0-9 small digits, 10 blank
    imgFixed,    // 0-9 preset buttons, 10-19 the same highlighted
    imgPunchUp,  // 1-12 keypad keys released
    imgPunchDn,  // 1-12 keypad keys pressed
    imgEach,     // 0 blank, 1 "10", 2 "15", 3 "20", 4 "30", 5 "60"
    imgDial,     // 0 plain, 1-5 highlighted marks every 10, 15, 20, 30, 60 minutes
    imgHeader,   // 0 title with tick mark, 1 with empty circle
    imgHeaderV,  // 0 minimise normal, 1 highlighted
    imgHeaderX,  // 0 close normal, 1 highlighted
    imgPunch,    // 0 normal, 1 lit
    imgCenter,   // 0 cap with tick mark, 1 empty circle
    imgTrayIcon, // 0 alarm on, 1 alarm off; Tag holds the tip
};
inline constexpr int kDepotArrayCount = 13;

/// Depot indexes with a meaning of their own.
inline constexpr int kBlankDigit = 10;  // imgTime: an unlit large digit
inline constexpr int kUnlitColon = 11;  // imgTime
inline constexpr int kLitColon = 12;    // imgTime
inline constexpr int kBlankSmall = 10;  // imgSet: a blank small digit
inline constexpr int kHighlighted = 10; // imgFixed: the highlighted look of preset k is k + 10

/// The numbers the presets, the announcer's button and the dials show, by depot index: the
/// minutes of preset k, and the announcer's intervals (0 off) in the order of imgEach and
/// imgDial, with the hour marks lit on each dial where its announcer sounds. The clock's
/// rules own them; the program hands them to the art.
struct DialNumbers {
    std::array<int, 10> presetMinutes;
    std::array<int, 6> announceIntervals;
    std::array<art::LitMarks, 6> litMarks;
};

/// The pictures the main window shows first, drawn on a thread of Qt's pool while start-up
/// waits for other things (the machine most likely has a core to spare). The depot made with
/// them takes them as its own, drawing along whatever is left. Needs a QGuiApplication.
class ArtAhead {
public:
    /// Starts drawing for screens of `scale` device pixels to the pixel.
    ArtAhead(double scale, const DialNumbers& numbers);
    ~ArtAhead();
    ArtAhead(const ArtAhead&) = delete;
    ArtAhead& operator=(const ArtAhead&) = delete;

private:
    friend class Depot;
    struct Work;
    /// Helps drawing what is left, waits for the pictures the other thread is drawing and
    /// hands them over.
    Work& finish();

    std::shared_ptr<Work> work_; // shared with the thread that draws, for as long as it runs
};

class Depot {
public:
    /// Makes the depot, taking the pictures drawn `ahead` when there are such. Needs a
    /// QGuiApplication.
    explicit Depot(const DialNumbers& numbers, ArtAhead* ahead = nullptr);

    /// The device pixels per logical pixel the pictures are drawn for; 1 at first, or the scale
    /// the art taken from ahead was drawn for.
    [[nodiscard]] double scale() const { return scale_; }
    /// Draws the pictures for another scale from now on (below 1 counts as 1: the art is never
    /// drawn smaller than its layout). Returns whether the scale changed; if so, every
    /// picture handed out before is of the old scale and a control should take its element
    /// afresh. A picture's meaning and logical size never change.
    bool setScale(double scale);

    /// The picture of one element. An index outside the array's range is a programming error
    /// and ends the program with a message, in every build type.
    [[nodiscard]] const QPixmap& picture(DepotArray array, int index);
    /// Draws every picture of `array` not drawn yet, so that no later change of the time has
    /// to draw one (large fills wake Qt's drawing threads).
    void drawAhead(DepotArray array);
    /// `control` shows element (array, index).
    void show(ImageControl& control, DepotArray array, int index) {
        control.setPicture(picture(array, index), ref(array, index));
    }
    [[nodiscard]] static PictureRef ref(DepotArray array, int index) {
        return {static_cast<int>(array), index};
    }
    /// The Tag text of an element (only imgTrayIcon's carry one).
    [[nodiscard]] QString tag(DepotArray array, int index) const;
    /// First and last index of an array.
    [[nodiscard]] static int first(DepotArray array);
    [[nodiscard]] static int last(DepotArray array);

    /// The tray icon of element `index` of imgTrayIcon, 16 to 64 pixels.
    [[nodiscard]] const QIcon& trayIcon(int index) const;
    /// Window icons "ICO0" (armed) and "ICO1" (off), 16 to 256 pixels.
    [[nodiscard]] const QIcon& windowIcon(int off) const;

    // Pictures that no code swaps, only the layout uses. The background is the very image the
    // pictures on it are cut from (a pixmap of it would be a second copy, 300 KB at 1x).
    [[nodiscard]] const QImage& background();
    [[nodiscard]] const QPixmap& correctBar();
    [[nodiscard]] const QPixmap& mark();

    /// How many pictures the depot has drawn itself so far, not counting those it took.
    [[nodiscard]] int drawnHere() const { return drawnHere_; }

private:
    // Drawn on first use; the vectors never change size, so references stay good.
    std::array<std::vector<QPixmap>, kDepotArrayCount> arrays_;
    DialNumbers numbers_;
    std::array<QIcon, 2> trayIcons_;
    std::array<QIcon, 2> windowIcons_;
    QImage background_;
    QPixmap correctBar_;
    QPixmap mark_;
    double scale_ = 1;
    int drawnHere_ = 0;
};

} // namespace velto
