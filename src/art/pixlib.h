#pragma once
// Colours as the hand drawing sees them: a colour value is a 32-bit integer laid out as
// 0x00BBGGRR (red in the lowest byte), a ColorQuad is the same colour split into bytes.
// Also the single-pixel access to the clock face that the line routine works through.
//
// The small routines are inline: the line routine calls them for every pixel it touches.

#include <QImage>
#include <cmath>
#include <cstdint>

namespace velto {

/// A pixel of the clock face.
struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

/// One colour split into bytes, in this order. Alpha is carried and blended like the
/// other channels but never reaches the screen.
struct ColorQuad {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t alpha = 0;
    friend bool operator==(const ColorQuad&, const ColorQuad&) = default;
};

/// The colour value the face returns for a pixel outside it; it splits as white.
inline constexpr int32_t kInvalidColour = -1; // 0xFFFFFFFF

/// Builds a quad from its four bytes.
inline ColorQuad makeQuad(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
    return {blue, green, red, alpha};
}

/// red + 256 x green + 65536 x blue; alpha is dropped, so the top byte is always 0.
inline int32_t quadToColor(ColorQuad q) {
    return q.red + 256 * q.green + 65536 * q.blue;
}

/// Splits a colour value into a quad with alpha 255; the top byte is not a channel.
inline ColorQuad colorToQuad(int32_t colour) {
    const auto bits = static_cast<uint32_t>(colour);
    return makeQuad(static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                    static_cast<uint8_t>(bits >> 16), 255);
}

/// (1 - f) x a + f x b, rounded to the nearest integer with halves to the even neighbour
/// and kept within 0 to 255. f = 0 gives a, f = 1 gives b.
inline uint8_t blendByte(uint8_t a, uint8_t b, float f) {
    // f comes in single precision; the mix itself is worked out in double.
    const double v = (1.0 - static_cast<double>(f)) * a + static_cast<double>(f) * b;
    const double r = std::nearbyint(v); // default rounding mode: halves to even
    if (!(r >= 0.0)) {
        return 0; // also a NaN fraction
    }
    return r > 255.0 ? 255 : static_cast<uint8_t>(r);
}

/// blendByte on each of blue, green, red and alpha: p weighs 1 - f, q weighs f.
inline ColorQuad blendQuad(ColorQuad p, ColorQuad q, float f) {
    return {blendByte(p.blue, q.blue, f), blendByte(p.green, q.green, f),
            blendByte(p.red, q.red, f), blendByte(p.alpha, q.alpha, f)};
}

/// Single pixels of an image, read and written as colour values. Made for one drawing: it
/// holds on to the image's pixels, so the image must not be resized or reassigned while it
/// lives. RGB32 and ARGB32 images are accessed directly, any other format through QImage.
class PixelSurface {
public:
    explicit PixelSurface(QImage& image);

    /// The pixel (x, y) as a colour value, or kInvalidColour outside the image.
    [[nodiscard]] int32_t pixel(int x, int y) const {
        if (!inside(x, y)) {
            return kInvalidColour;
        }
        const QRgb rgb = bits_ != nullptr ? row(y)[x] : image_.pixel(x, y);
        return static_cast<int32_t>(((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) |
                                    ((rgb & 0xFFu) << 16));
    }

    /// Writes the colour value (its top byte is not a channel) to pixel (x, y); a pixel
    /// outside the image is left alone.
    void setPixel(int x, int y, int32_t colour) {
        if (!inside(x, y)) {
            return;
        }
        const auto c = static_cast<uint32_t>(colour);
        const QRgb rgb = 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
        if (bits_ != nullptr) {
            row(y)[x] = rgb;
        } else {
            image_.setPixel(x, y, rgb);
        }
    }

private:
    [[nodiscard]] bool inside(int x, int y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }
    [[nodiscard]] QRgb* row(int y) const {
        return reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_);
    }

    QImage& image_;
    uchar* bits_ = nullptr; // null when the pixels go through QImage
    qsizetype stride_ = 0;
    int width_ = 0;
    int height_ = 0;
};

} // namespace velto
