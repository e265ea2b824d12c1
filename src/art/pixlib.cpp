#include "art/pixlib.h"

namespace velto {

PixelSurface::PixelSurface(QImage& image)
    : image_(image), width_(image.width()), height_(image.height()) {
    const QImage::Format f = image.format();
    if (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32) {
        bits_ = image.bits(); // detaches once, here, not for every pixel
        stride_ = image.bytesPerLine();
    }
}

} // namespace velto
