#pragma once
// The art of the depot, drawn by code with no fonts: every function returns a new picture of
// the size the layout gives it.

#include <QImage>

namespace velto::art {

QImage largeDigit(int digit);            // 26x50; digit 10 = all segments unlit
QImage colon(bool lit);                  // 8x50
QImage smallDigit(int digit);            // 8x17; digit 10 = blank
QImage preset(int k, bool highlighted);  // widths 28 27 28 28 23 24 28 27 28 28, 24 high
QImage keypadKey(int key, bool pressed); // 31x29, keys 1..12
QImage intervalButton(int index);        // 30x30: 0 blank, 1 "10" .. 5 "60"
QImage dial(int index);                  // 137x137: 0 plain, 1..5 highlighted marks
QImage header(bool off);                 // 50x20: tick mark (armed) or empty circle (off)
QImage minimiseButton(bool highlighted); // 45x20
QImage closeButton(bool highlighted);    // 28x20
QImage punchButton(bool lit);            // 30x30
QImage centerCap(bool off);              // 18x18
QImage trayIcon(bool off, int size);     // size x size, any size from 16 up
QImage windowIcon(bool off, int size);   // size x size, any size from 16 up
QImage background();                     // 400x195 with the title band in its top 20 rows
QImage correctBar();                     // 22x9
QImage mark();                           // 9x9

} // namespace velto::art
