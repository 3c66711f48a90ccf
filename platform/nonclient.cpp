// A window's non-client area: the frame a control draws around its client area itself.
#include "platform/nonclient.h"

namespace platform {

HDC WholeWindowDC(HWND window) { return ::GetWindowDC(window); }

bool DrawEdge(HDC dc, RECT rect, UINT edge, UINT flags) { return ::DrawEdge(dc, &rect, edge, flags) != FALSE; }

int ExcludeClipRect(HDC dc, const RECT& rect)
{
    return ::ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
}

bool FrameChanged(HWND window)
{
    return ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                          SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

}  // namespace platform
