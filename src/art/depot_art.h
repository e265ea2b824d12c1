#pragma once
// The art of the depot, drawn by code with no fonts: every function returns a new picture of
// the size the layout gives it. At a scale above 1 (a screen with more device pixels to the
// pixel) the picture holds that many more device pixels, rounded up, and says so in its device
// pixel ratio: the same picture drawn at the screen's own resolution, not an enlargement.

#include <QImage>
#include <array>

namespace velto::art {

/// The hour marks of a dial, 0 at the top and on clockwise, that are lit.
using LitMarks = std::array<bool, 12>;

QImage largeDigit(int digit, double scale = 1); // 26x50; 10 = all segments unlit
QImage colon(bool lit, double scale = 1);       // 8x50
QImage smallDigit(int digit, double scale = 1); // 8x17; digit 10 = blank
// Preset k (its place: widths 28 27 28 28 23 ..., 24 high) labelled with its minutes, "05".
QImage preset(int k, int minutes, bool highlighted, double scale = 1);
QImage keypadKey(int key, bool pressed, double scale = 1); // 31x29, keys 1..12
// 30x30: the announcer interval in minutes, blank for 0 (off).
QImage intervalButton(int minutes, double scale = 1);
// 137x137: the hour marks `lit` yellow, the others white.
QImage dial(const LitMarks& lit, double scale = 1);
QImage header(bool off, double scale = 1);                 // 50x20: tick (armed) or circle (off)
QImage minimiseButton(bool highlighted, double scale = 1); // 45x20
QImage closeButton(bool highlighted, double scale = 1);    // 28x20
QImage punchButton(bool lit, double scale = 1);            // 30x30
QImage centerCap(bool off, double scale = 1);              // 18x18
QImage trayIcon(bool off, int size);   // size x size device pixels, any size from 16 up
QImage windowIcon(bool off, int size); // size x size device pixels, any size from 16 up
QImage background(double scale = 1);   // 400x195, title band in the top 20 rows
QImage correctBar(double scale = 1);   // 22x9
QImage mark(double scale = 1);         // 9x9

} // namespace velto::art
