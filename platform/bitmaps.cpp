// Bitmaps with an opacity per pixel, and drawing them over what a device context already shows.
#include "platform/bitmaps.h"

#include <cstring>

namespace platform {

HBITMAP CreateAlphaBitmap(int width, int height, const std::uint32_t* pixels)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits)
        std::memcpy(bits, pixels, static_cast<std::size_t>(width) * height * 4);
    return bitmap;
}

HBITMAP CreateDeviceBitmap(HDC dc, int width, int height) { return ::CreateCompatibleBitmap(dc, width, height); }

bool DrawAlphaBitmap(HDC dc, int x, int y, HBITMAP bitmap, const RECT& from)
{
    return DrawAlphaBitmapStretched(dc, {x, y, x + from.right - from.left, y + from.bottom - from.top}, bitmap, from);
}

bool DrawAlphaBitmapStretched(HDC dc, const RECT& to, HBITMAP bitmap, const RECT& from)
{
    HDC source = ::CreateCompatibleDC(dc);
    if (!source)
        return false;
    HGDIOBJ old = ::SelectObject(source, bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    bool drawn = ::GdiAlphaBlend(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, source, from.left,
                                 from.top, from.right - from.left, from.bottom - from.top, blend) != FALSE;
    ::SelectObject(source, old);
    ::DeleteDC(source);
    return drawn;
}

}  // namespace platform
