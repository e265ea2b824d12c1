#include "art/pixlib.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>
#include <optional>

namespace velto {

namespace {

struct PaletteSlot {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr auto A = QPalette::Active;
constexpr auto I = QPalette::Inactive;
constexpr auto D = QPalette::Disabled;

// The classic system colour numbers 0..30, each on the palette role that plays its part in a
// Qt program. Number 25 was never assigned; it and every number past the table give black.
constexpr std::array<std::optional<PaletteSlot>, 31> kSystemColours{{
    PaletteSlot{A, QPalette::Button},          // 0 scroll bar
    PaletteSlot{A, QPalette::Dark},            // 1 desktop background
    PaletteSlot{A, QPalette::Highlight},       // 2 active title bar
    PaletteSlot{I, QPalette::Highlight},       // 3 inactive title bar
    PaletteSlot{A, QPalette::Window},          // 4 menu
    PaletteSlot{A, QPalette::Base},            // 5 window background
    PaletteSlot{A, QPalette::Shadow},          // 6 window frame
    PaletteSlot{A, QPalette::WindowText},      // 7 menu text
    PaletteSlot{A, QPalette::Text},            // 8 window text
    PaletteSlot{A, QPalette::HighlightedText}, // 9 title bar text
    PaletteSlot{A, QPalette::Button},          // 10 active border
    PaletteSlot{I, QPalette::Button},          // 11 inactive border
    PaletteSlot{A, QPalette::Dark},            // 12 workspace behind documents
    PaletteSlot{A, QPalette::Highlight},       // 13 selection
    PaletteSlot{A, QPalette::HighlightedText}, // 14 selected text
    PaletteSlot{A, QPalette::Button},          // 15 button face
    PaletteSlot{A, QPalette::Dark},            // 16 button shadow
    PaletteSlot{D, QPalette::WindowText},      // 17 grey (disabled) text
    PaletteSlot{A, QPalette::ButtonText},      // 18 button text
    PaletteSlot{I, QPalette::HighlightedText}, // 19 inactive title bar text
    PaletteSlot{A, QPalette::Light},           // 20 button highlight
    PaletteSlot{A, QPalette::Shadow},          // 21 dark 3-D shadow
    PaletteSlot{A, QPalette::Midlight},        // 22 light 3-D edge
    PaletteSlot{A, QPalette::ToolTipText},     // 23 tooltip text
    PaletteSlot{A, QPalette::ToolTipBase},     // 24 tooltip background
    std::nullopt,                              // 25 not assigned
    PaletteSlot{A, QPalette::Link},            // 26 hot-tracked item
    PaletteSlot{A, QPalette::Highlight},       // 27 active title bar gradient
    PaletteSlot{I, QPalette::Highlight},       // 28 inactive title bar gradient
    PaletteSlot{A, QPalette::Highlight},       // 29 highlighted menu item
    PaletteSlot{A, QPalette::Window},          // 30 menu bar
}};

} // namespace

int32_t systemColour(int index) {
    if (index < 0 || index >= static_cast<int>(kSystemColours.size()) ||
        !kSystemColours[static_cast<size_t>(index)]) {
        return 0;
    }
    const PaletteSlot& sc = *kSystemColours[static_cast<size_t>(index)];
    const QColor colour = QGuiApplication::palette().color(sc.group, sc.role);
    return quadToColor(makeQuad(static_cast<uint8_t>(colour.red()),
                                static_cast<uint8_t>(colour.green()),
                                static_cast<uint8_t>(colour.blue()), 255));
}

PixelSurface::PixelSurface(QImage& image)
    : image_(image), width_(image.width()), height_(image.height()) {
    const QImage::Format f = image.format();
    if (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32) {
        bits_ = image.bits(); // detaches once, here, not for every pixel
        stride_ = image.bytesPerLine();
    }
}

} // namespace velto
