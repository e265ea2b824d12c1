// Placeholder art of the right sizes; the real skin replaces it.
#include "assets/depot_art.h"

#include <QPainter>
#include <array>

namespace velto::art {

namespace {
QImage blank(int w, int h, QColor c = QColor(30, 32, 36)) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(c);
    return img;
}
constexpr std::array<int, 10> kFixedWidth{28, 27, 28, 28, 23, 24, 28, 27, 28, 28};
} // namespace

QImage largeDigit(int) { return blank(26, 50); }
QImage colon(bool) { return blank(8, 50); }
QImage smallDigit(int) { return blank(8, 17); }
QImage preset(int k, bool) { return blank(kFixedWidth[static_cast<size_t>(k)], 24); }
QImage keypadKey(int, bool) { return blank(31, 29); }
QImage intervalButton(int) { return blank(30, 30); }
QImage dial(int) { return blank(137, 137, QColor(20, 22, 26)); }
QImage header(bool) { return blank(50, 20); }
QImage minimiseButton(bool) { return blank(45, 20); }
QImage closeButton(bool) { return blank(28, 20); }
QImage punchButton(bool) { return blank(30, 30); }
QImage centerCap(bool) { return blank(18, 18); }
QImage trayIcon(bool, int size) { return blank(size, size); }
QImage windowIcon(bool, int size) { return blank(size, size); }
QImage background() { return blank(400, 195, QColor(12, 14, 18)); }
QImage correctBar() { return blank(22, 9); }
QImage mark() { return blank(9, 9); }

} // namespace velto::art
