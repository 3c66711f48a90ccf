// Bitmaps with an opacity per pixel, and drawing them over what a device context already shows.
#pragma once

#include <cstdint>

#include "platform/win32.h"

namespace platform {

// A 32-bit top-down DIB section of width × height holding `pixels` (0xAARRGGBB, colour already
// multiplied by the opacity); null when the system refuses it. Free it with DeleteObject.
HBITMAP CreateAlphaBitmap(int width, int height, const std::uint32_t* pixels);
// A bitmap of width × height in the format of `dc`, to draw on off screen (CreateCompatibleBitmap).
HBITMAP CreateDeviceBitmap(HDC dc, int width, int height);
// Draws the rectangle `from` of `bitmap` (made by CreateAlphaBitmap) at (x, y) of `dc`, blended by
// each pixel's opacity (GdiAlphaBlend).
bool DrawAlphaBitmap(HDC dc, int x, int y, HBITMAP bitmap, const RECT& from);
// The same, stretched into the rectangle `to`.
bool DrawAlphaBitmapStretched(HDC dc, const RECT& to, HBITMAP bitmap, const RECT& from);

}  // namespace platform
