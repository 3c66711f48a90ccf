// A window's own scroll bars.
#include "platform/scroll_bars.h"

namespace platform {

void SetWindowScrollBar(HWND window, int bar, int range, int page, int position)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = range > 0 ? range - 1 : 0;
    info.nPage = static_cast<UINT>(page > 0 ? page : 0);
    info.nPos = position;
    ::SetScrollInfo(window, bar, &info, TRUE);
}

bool WindowScrollBarShown(HWND window, int bar)
{
    LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    return (style & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

int ScrollTrackPosition(HWND window, int bar)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    return ::GetScrollInfo(window, bar, &info) ? info.nTrackPos : 0;
}

}  // namespace platform
