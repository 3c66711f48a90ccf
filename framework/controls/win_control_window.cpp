// TWinControl: the life of the window. Parameters, class registration, creation (parents first),
// destruction (text kept) and re-creation (text and focus kept).
#include <algorithm>
#include <cstring>

#include "framework/controls/win_control.h"
#include "framework/controls/window_proc.h"
#include "framework/core/exceptions.h"
#include "platform/input.h"
#include "platform/module.h"
#include "platform/window.h"

HWND TWinControl::Handle()
{
    if (!handle_) {
        if (parent_)
            parent_->Handle();
        CreateHandle();
    }
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params = TCreateParams{};
    params.Caption = text_;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (UseRightToLeftReading())
        params.ExStyle |= WS_EX_RTLREADING;
    if (controlStyle_.Contains(csAcceptsControls)) {
        params.Style |= WS_CLIPCHILDREN;
        params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!Enabled() && !HasState(csDesigning))
        params.Style |= WS_DISABLED;
    if (TabStop())
        params.Style |= WS_TABSTOP;
    params.X = left_;
    params.Y = top_;
    params.Width = width_;
    params.Height = height_;
    if (parent_)
        params.WndParent = parent_->Handle();
    else
        params.WndParent = parentWindow_;
    params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    params.WindowClass.lpfnWndProc = platform::DefaultWindowProcedure();
    params.WindowClass.hCursor = platform::LoadSystemCursor(IDC_ARROW);
    params.WindowClass.hbrBackground = nullptr;
    params.WindowClass.hInstance = platform::MainInstance();
    std::strncpy(params.WinClassName, ClassName().c_str(), sizeof params.WinClassName - 1);
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* className)
{
    constexpr UINT dropped = CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS;
    HINSTANCE instance = params.WindowClass.hInstance;
    WNDCLASSA info{};
    if (!platform::GetClassInfo(platform::MainInstance(), className, info) &&
        !platform::GetClassInfo(nullptr, className, info) &&
        !platform::GetClassInfo(platform::MainInstance(), className, info))
        platform::GetClassInfo(instance, className, info);
    params.WindowClass = info;
    params.WindowClass.hInstance = instance;
    params.WindowClass.lpszClassName = nullptr;
    params.WindowClass.style = (info.style & ~dropped) | CS_VREDRAW | CS_HREDRAW;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if (!params.WndParent && (params.Style & WS_CHILD)) {
        auto* owner = dynamic_cast<TWinControl*>(Owner());
        if (owner && owner->HasState(csReading))
            params.WndParent = owner->Handle();
        else
            throw EInvalidOperation(SParentRequired, {Name()});
    }
    defWndProc_ = params.WindowClass.lpfnWndProc;
    WNDCLASSA registered{};
    bool exists = platform::GetClassInfo(params.WindowClass.hInstance, params.WinClassName, registered);
    if (!exists || registered.lpfnWndProc != InitWndProc) {
        if (exists)
            platform::UnregisterClass(params.WinClassName, params.WindowClass.hInstance);
        WNDCLASSA cls = params.WindowClass;
        cls.lpfnWndProc = InitWndProc;
        cls.lpszClassName = params.WinClassName;
        if (!platform::RegisterClass(cls))
            RaiseLastOSError();
    }
    SetCreationControl(this);
    try {
        CreateWindowHandle(params);
    } catch (...) {
        SetCreationControl(nullptr);
        throw;
    }
    SetCreationControl(nullptr);
    if (!handle_)
        RaiseLastOSError();
    text_.clear();
    text_.shrink_to_fit();
    UpdateBounds();
    platform::SendMessage(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 1);
    AdjustSize();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params)
{
    HWND window = platform::CreateWindow(
        params.ExStyle, params.WinClassName, params.Caption, params.Style, params.X, params.Y, params.Width,
        params.Height, params.WndParent, nullptr, params.WindowClass.hInstance, params.Param);
    if (!window) {
        DWORD error = platform::LastError();
        handle_ = nullptr;
        RaiseOSError(error);
    }
    handle_ = window;
}

void TWinControl::AttachHandle(HWND window)
{
    handle_ = window;
    platform::SetWindowProc(window, ControlWindowProc);
    if ((platform::WindowLong(window, GWL_STYLE) & WS_CHILD) && platform::WindowLong(window, GWL_ID) == 0)
        platform::SetWindowLong(window, GWL_ID, reinterpret_cast<LONG_PTR>(window));
    platform::SetProp(window, ControlAtom(), this);
    platform::SetProp(window, WindowAtom(), this);
}

void TWinControl::CreateHandle()
{
    if (handle_)
        return;
    CreateWnd();
    platform::SetProp(handle_, ControlAtom(), this);
    platform::SetProp(handle_, WindowAtom(), this);
    if (parent_)
        platform::SetWindowPos(
            handle_, parent_->PrecedingWindow(this), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->UpdateAnchorRules();
    Realign();
}

// The window this control's window goes right after in z-order: the next windowed sibling that has one.
HWND TWinControl::PrecedingWindow(const TWinControl* control) const
{
    auto found = std::find(winControls_.begin(), winControls_.end(), control);
    if (found != winControls_.end())
        for (auto it = found + 1; it != winControls_.end(); ++it)
            if ((*it)->handle_)
                return (*it)->handle_;
    return HWND_TOP;
}

void TWinControl::DestroyHandle()
{
    if (!handle_)
        return;
    for (TWinControl* child : winControls_)
        child->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd()
{
    text_ = Text();
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle()
{
    controlState_.Include(csDestroyingHandle);
    bool destroyed = platform::DestroyWindow(handle_);
    DWORD error = destroyed ? 0 : platform::LastError();
    controlState_.Exclude(csDestroyingHandle);
    if (!destroyed)
        RaiseOSError(error);
    handle_ = nullptr;
    showing_ = false;
}

void TWinControl::DestroyWindowWhileDestroying() noexcept
{
    try {
        DestroyWindowHandle();
    } catch (...) {
        // A destructor cannot report the failure; the window is left, but no longer leads to this object.
        platform::RemoveProp(handle_, ControlAtom());
        platform::RemoveProp(handle_, WindowAtom());
        handle_ = nullptr;
        showing_ = false;
    }
}

void TWinControl::RecreateWnd()
{
    if (handle_)
        PerformMessage(CMSG_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&)
{
    bool wasFocused = Focused();
    DestroyHandle();
    UpdateControlState();
    if (wasFocused && handle_)
        platform::SetFocus(handle_);
}

void TWinControl::WMNCDestroy(TMessage& m)
{
    TControl::Dispatch(m);
    if (handle_) {
        platform::RemoveProp(handle_, ControlAtom());
        platform::RemoveProp(handle_, WindowAtom());
    }
    handle_ = nullptr;
    showing_ = false;
}

void TWinControl::UpdateBounds()
{
    RECT r = platform::IsIconic(handle_) ? platform::NormalWindowRect(handle_) : platform::WindowRect(handle_);
    if (platform::WindowLong(handle_, GWL_STYLE) & WS_CHILD) {
        if (HWND parentWindow = platform::ParentWindow(handle_)) {
            POINT topLeft = platform::ScreenToClient(parentWindow, {r.left, r.top});
            POINT bottomRight = platform::ScreenToClient(parentWindow, {r.right, r.bottom});
            r = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
        }
    }
    int width = r.right - r.left, height = r.bottom - r.top;
    if (r.left == left_ && r.top == top_ && width == width_ && height == height_)
        return;
    left_ = r.left;
    top_ = r.top;
    width_ = width;
    height_ = height;
    UpdateAnchorRules();
}
