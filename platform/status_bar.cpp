// The system's status bar window: registering its class and the messages that set its parts.
#include "platform/status_bar.h"

#include "platform/module.h"

namespace platform {

void RegisterBarClasses()
{
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto initEx = reinterpret_cast<InitEx>(FindProcedure("comctl32.dll", "InitCommonControlsEx"));
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    if (!initEx || !initEx(&classes))
        ::InitCommonControls();
}

bool SetStatusParts(HWND bar, const std::vector<int>& rightEdges)
{
    return ::SendMessageA(bar, SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data())) != 0;
}

bool SetStatusText(HWND bar, int part, UINT flags, const std::string& text)
{
    return ::SendMessageA(
               bar, SB_SETTEXTA, static_cast<WPARAM>(part) | flags, reinterpret_cast<LPARAM>(text.c_str())) != 0;
}

RECT StatusPartRect(HWND bar, int part)
{
    RECT r{};
    if (!::SendMessageA(bar, SB_GETRECT, part, reinterpret_cast<LPARAM>(&r)))
        return RECT{};
    return r;
}

void SetStatusSimple(HWND bar, bool simple) { ::SendMessageA(bar, SB_SIMPLE, simple ? 1 : 0, 0); }

void SetStatusBackColor(HWND bar, COLORREF color) { ::SendMessageA(bar, SB_SETBKCOLOR, 0, static_cast<LPARAM>(color)); }

}  // namespace platform
