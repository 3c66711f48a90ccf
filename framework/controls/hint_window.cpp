// THintWindow: the small popup window that shows a control's short hint near the cursor.
#include "framework/controls/hint_window.h"

#include <algorithm>

#include "framework/controls/application.h"
#include "framework/core/class_info.h"
#include "platform/gdi.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace {

constexpr UINT HintTextFormat = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

}  // namespace

const TClassInfo& THintWindow::StaticClass()
{
    static const TClassInfo info = TClassBuilder<THintWindow, TWinControl>("THintWindow").Build();
    return info;
}

THintWindow::THintWindow(TComponent* owner) : TWinControl(owner)
{
    SetVisible(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.WndParent = Application ? Application->WindowHandle() : nullptr;
    params.WindowClass.style |= CS_SAVEBITS;
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::string& hint)
{
    RECT r{0, 0, maxWidth, 0};
    HWND window = Handle();
    HDC dc = platform::WindowDC(window);
    HGDIOBJ old = platform::SelectObject(dc, Font()->Handle());
    platform::DrawText(dc, hint, r, HintTextFormat | DT_CALCRECT);
    platform::SelectObject(dc, old);
    platform::ReleaseWindowDC(window, dc);
    // Room for the border and a margin around the text.
    r.right += 6;
    r.bottom += 4;
    return r;
}

void THintWindow::ActivateHint(const RECT& rect, const std::string& hint)
{
    SetCaption(hint);
    // Near the right or bottom edge the hint moves back onto the screen rather than being cut off.
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    int screenWidth = platform::SystemMetric(SM_CXSCREEN), screenHeight = platform::SystemMetric(SM_CYSCREEN);
    int left = std::max(0, std::min<int>(rect.left, screenWidth - width));
    int top = std::max(0, std::min<int>(rect.top, screenHeight - height));
    platform::SetWindowPos(Handle(), HWND_TOPMOST, left, top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    platform::InvalidateRect(Handle(), nullptr, true);
}

void THintWindow::ReleaseHint()
{
    if (HandleAllocated() && platform::IsWindowVisible(WindowHandle()))
        platform::ShowWindow(WindowHandle(), SW_HIDE);
}

bool THintWindow::HintShowing() const { return HandleAllocated() && platform::IsWindowVisible(handle_); }

bool THintWindow::IsHintMsg(const MSG& msg)
{
    UINT m = msg.message;
    return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == WM_COMMAND || m == WM_NCMOUSEMOVE ||
           (m >= WM_LBUTTONDOWN && m <= WM_MOUSEWHEEL) || m == CMSG_ACTIVATE || m == CMSG_DEACTIVATE ||
           m == CMSG_APPKEYDOWN || m == CMSG_APPSYSCOMMAND;
}

void THintWindow::Dispatch(TMessage& m)
{
    if (m.Msg == WM_PAINT)
        WMPaint(m);
    else if (m.Msg == WM_NCHITTEST)
        m.Result = HTTRANSPARENT;
    else
        TWinControl::Dispatch(m);
}

void THintWindow::WMPaint(TMessage&)
{
    PAINTSTRUCT paint{};
    HDC dc = platform::BeginPaint(handle_, paint);
    RECT r = ClientRect();
    platform::FillRect(dc, r, Brush()->Handle());
    HGDIOBJ old = platform::SelectObject(dc, Font()->Handle());
    platform::SetTextColor(dc, ColorToRGB(Font()->Color()));
    platform::SetBackMode(dc, TRANSPARENT);
    r.left += 2;
    r.top += 2;
    platform::DrawText(dc, Caption(), r, HintTextFormat);
    platform::SelectObject(dc, old);
    platform::EndPaint(handle_, paint);
}
