// Pictures as pixels, and reading them from a Windows bitmap file (BMP) of 24 or 32 bits per pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/exceptions.h"

DECLARE_EXCEPTION(EInvalidGraphic, Exception);

// A picture: its pixels row by row, top row first, each 0xAARRGGBB with its opacity in AA (not
// multiplied into the colour).
struct TPixelImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;

    std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// Reads a bitmap file held in memory: an uncompressed 24-bit picture, whose pixels of the colour
// fuchsia (FF00FF) are transparent, or a 32-bit one whose fourth byte is the opacity (when every
// fourth byte is 0 the picture is taken as opaque, the way most programs write that byte).
// EInvalidGraphic "イメージ リストのビットマップが正しくありません" for anything else, damaged or cut short.
TPixelImage ReadBitmapFile(const std::uint8_t* data, std::size_t size);

// A pixel made ready for blending by the system: its colour multiplied by its opacity; a disabled
// picture's pixel becomes a faint light grey of the same brightness first.
std::uint32_t ReadyToBlend(std::uint32_t pixel, bool enabled);
