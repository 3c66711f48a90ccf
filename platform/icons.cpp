// Icons: the system's own, icons made from the images of an icon file, their size and drawing.
#include "platform/icons.h"

namespace platform {

HICON SystemIcon(const char* id) { return ::LoadIconA(nullptr, id); }

HICON CreateIconFromImage(const std::uint8_t* image, std::size_t size, int width, int height)
{
    return ::CreateIconFromResourceEx(
        const_cast<BYTE*>(image), static_cast<DWORD>(size), TRUE, 0x00030000, width, height, LR_DEFAULTCOLOR);
}

bool DestroyIcon(HICON icon) { return ::DestroyIcon(icon) != FALSE; }

HICON CopyIcon(HICON icon) { return ::CopyIcon(icon); }

SIZE IconSize(HICON icon)
{
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return {0, 0};
    BITMAP bitmap{};
    SIZE size{0, 0};
    if (info.hbmColor && ::GetObjectA(info.hbmColor, sizeof bitmap, &bitmap)) {
        size = {bitmap.bmWidth, bitmap.bmHeight};
    } else if (info.hbmMask && ::GetObjectA(info.hbmMask, sizeof bitmap, &bitmap)) {
        size = {bitmap.bmWidth, bitmap.bmHeight / 2};  // a monochrome icon: mask and picture stacked
    }
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return size;
}

bool DrawIconStretched(HDC dc, const RECT& rect, HICON icon)
{
    return ::DrawIconEx(dc, rect.left, rect.top, icon, rect.right - rect.left, rect.bottom - rect.top, 0, nullptr,
                        DI_NORMAL) != FALSE;
}

}  // namespace platform
