// What forms ask of the system beyond a plain window.
#include "platform/form_window.h"

namespace platform {

RECT WindowFrame(DWORD style, DWORD exStyle, bool hasMenu)
{
    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, style, hasMenu, exStyle);
    return frame;
}

SIZE ScreenTextExtent(HFONT font, const std::string& text)
{
    SIZE extent{0, 0};
    HDC dc = ::GetDC(nullptr);
    if (!dc)
        return extent;
    HGDIOBJ old = ::SelectObject(dc, font);
    ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return extent;
}

}  // namespace platform
