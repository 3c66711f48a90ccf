// Reading the pixels of a Windows bitmap file (BMP) of 24 or 32 bits per pixel.
#include "framework/graphics/bitmap_file.h"

#include <algorithm>

namespace {

constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiBitFields = 3;
constexpr std::uint32_t Fuchsia = 0xFF00FF;
// Larger pictures are not tool pictures; the limit keeps a damaged size from asking for gigabytes.
constexpr std::int32_t MaxSide = 16384;

[[noreturn]] void Invalid() { throw EInvalidGraphic(SInvalidBitmapData); }

struct Bytes {
    const std::uint8_t* data;
    std::size_t size;

    std::uint32_t U16(std::size_t at) const
    {
        if (at + 2 > size)
            Invalid();
        return data[at] | data[at + 1] << 8;
    }
    std::uint32_t U32(std::size_t at) const
    {
        if (at + 4 > size)
            Invalid();
        return data[at] | data[at + 1] << 8 | data[at + 2] << 16 | static_cast<std::uint32_t>(data[at + 3]) << 24;
    }
};

}  // namespace

TPixelImage ReadBitmapFile(const std::uint8_t* data, std::size_t size)
{
    Bytes in{data, size};
    if (size < 2 || data[0] != 'B' || data[1] != 'M')
        Invalid();
    std::uint32_t pixelsAt = in.U32(10);
    std::uint32_t headerSize = in.U32(14);
    if (headerSize != 40 && headerSize != 108 && headerSize != 124)
        Invalid();  // the old 12-byte header has no 32-bit pictures; others are not bitmap files
    auto width = static_cast<std::int32_t>(in.U32(18));
    auto height = static_cast<std::int32_t>(in.U32(22));
    std::uint32_t planes = in.U16(26), bits = in.U16(28), compression = in.U32(30);
    bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (planes != 1 || width <= 0 || height <= 0 || width > MaxSide || height > MaxSide)
        Invalid();
    if (bits == 32 && compression == BiBitFields) {
        // Only the usual layout is taken: blue, green, red, then the opacity.
        if (in.U32(54) != 0xFF0000 || in.U32(58) != 0xFF00 || in.U32(62) != 0xFF)
            Invalid();
    } else if ((bits != 24 && bits != 32) || compression != BiRgb) {
        Invalid();
    }
    std::size_t stride = (static_cast<std::size_t>(width) * bits / 8 + 3) & ~std::size_t{3};
    if (pixelsAt > size || stride * height > size - pixelsAt)
        Invalid();

    TPixelImage image{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    bool anyOpacity = false;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = data + pixelsAt + stride * (topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = row + static_cast<std::size_t>(x) * bits / 8;
            std::uint32_t color = p[0] | p[1] << 8 | p[2] << 16;
            std::uint32_t alpha = bits == 32 ? p[3] : (color == Fuchsia ? 0 : 255);
            anyOpacity = anyOpacity || alpha != 0;
            image.Pixels[static_cast<std::size_t>(y) * width + x] = alpha << 24 | color;
        }
    }
    if (bits == 32 && !anyOpacity)
        for (std::uint32_t& pixel : image.Pixels)
            pixel |= 0xFF000000;
    return image;
}

std::uint32_t ReadyToBlend(std::uint32_t pixel, bool enabled)
{
    if (!enabled) {
        // Its brightness only, lifted towards light grey, at a little over half its opacity.
        std::uint32_t r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
        std::uint32_t light = (r * 30 + g * 59 + b * 11) / 100;
        std::uint32_t grey = 104 + light * 128 / 255;
        pixel = ((pixel >> 24) * 150 / 255) << 24 | grey << 16 | grey << 8 | grey;
    }
    std::uint32_t a = pixel >> 24;
    auto scale = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return a << 24 | scale(pixel >> 16 & 0xFF) << 16 | scale(pixel >> 8 & 0xFF) << 8 | scale(pixel & 0xFF);
}
