// TWinControl: the message path of a windowed control. The main handler, the per-window steps,
// dispatch, default handling, reflection of notifications, the keyboard and the bounds messages.
#include "framework/controls/application.h"
#include "framework/controls/control_canvas.h"
#include "framework/controls/exception_hooks.h"
#include "framework/controls/form.h"
#include "framework/controls/win_control.h"
#include "framework/controls/window_proc.h"
#include "framework/menus/menu.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "platform/window.h"

void TWinControl::MainWndProc(TMessage& m)
{
    try {
        WindowProc(m);
    } catch (...) {
        HandleFrameworkException(this);
    }
    // The cached device contexts of the control canvases go back after every message.
    FreeDeviceContexts();
}

void TWinControl::WndProc(TMessage& m)
{
    // While this control is dragged its keys go nowhere; Escape ends the drag without a drop.
    if (m.Msg >= WM_KEYFIRST && m.Msg <= WM_KEYLAST && Dragging()) {
        if (m.Msg == WM_KEYDOWN && m.WParam == VK_ESCAPE)
            EndDrag(false);
        return;
    }
    switch (m.Msg) {
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this))
            if (!form->SetFocusedControl(this))
                return;
        break;
    case WM_KILLFOCUS:
        if (controlState_.Contains(csFocusing))
            return;
        break;
    case WM_NCHITTEST:
        TControl::WndProc(m);
        if (m.Result == HTTRANSPARENT && ControlAtPos(ScreenToClient(TMouseMsg(m).Pos()), false))
            m.Result = HTCLIENT;
        return;
    case WM_CANCELMODE:
        if (platform::CaptureWindow() == handle_) {
            TControl* capture = GetCaptureControl();
            if (capture && capture->Parent() == this)
                capture->PerformMessage(WM_CANCELMODE, 0, 0);
        }
        break;
    default:
        if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST && IsControlMouseMsg(m)) {
            if (m.Result == 0 && handle_)
                platform::DefWindowProc(handle_, m.Msg, m.WParam, m.LParam);
            return;
        }
        break;
    }
    TControl::WndProc(m);
}

// A mouse message that concerns a non-windowed child goes to that child, in its own coordinates.
bool TWinControl::IsControlMouseMsg(TMessage& m)
{
    TControl* control = nullptr;
    TControl* capture = GetCaptureControl();
    POINT p = TMouseMsg(m).Pos();
    if (capture && capture->Parent() == this)
        control = capture;
    else if (m.Msg != WM_MOUSEWHEEL && m.Msg != WM_MOUSEHWHEEL)
        control = ControlAtPos(p, false);
    if (!control)
        return false;
    m.Result = control->PerformMessage(m.Msg, m.WParam, MakeLParam(p.x - control->Left(), p.y - control->Top()));
    return true;
}

void TWinControl::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT: WMPaint(m); break;
    case WM_COMMAND: WMCommand(m); break;
    case WM_NOTIFY: WMNotify(m); break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM: ReflectToWindow(reinterpret_cast<HWND>(m.LParam), m); break;
    case WM_DRAWITEM: ReflectToWindow(reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam)->hwndItem, m); break;
    case WM_COMPAREITEM: ReflectToWindow(reinterpret_cast<const COMPAREITEMSTRUCT*>(m.LParam)->hwndItem, m); break;
    case WM_DELETEITEM: ReflectToWindow(reinterpret_cast<const DELETEITEMSTRUCT*>(m.LParam)->hwndItem, m); break;
    case WM_MEASUREITEM: WMMeasureItem(m); break;
    case WM_ERASEBKGND: WMEraseBkgnd(m); break;
    case WM_SYSCOLORCHANGE:
        // The pens and brushes of system colours are made again with the new colours.
        PaletteChanged();
        DefaultHandler(m);
        break;
    case WM_WINDOWPOSCHANGING: WMWindowPosChanging(m); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); break;
    case WM_SIZE: WMSize(m); break;
    case WM_MOVE: WMMove(m); break;
    case WM_SETCURSOR: WMSetCursor(m); break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: WMKeyDown(m); break;
    case WM_KEYUP:
    case WM_SYSKEYUP: WMKeyUp(m); break;
    case WM_CHAR: WMChar(m); break;
    case WM_SETFOCUS: WMSetFocus(m); break;
    case WM_KILLFOCUS: WMKillFocus(m); break;
    case WM_NCDESTROY: WMNCDestroy(m); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    case WM_SYSCOMMAND: WMSysCommand(m); break;
    case CN_KEYDOWN: CNKeyDown(m); break;
    case CN_KEYUP: CNKeyUp(m); break;
    case CN_CHAR: CNChar(m); break;
    case CN_SYSKEYDOWN: CNSysKeyDown(m); break;
    case CN_SYSCHAR: CNSysChar(m); break;
    case CMSG_ENTER: CMEnter(m); break;
    case CMSG_EXIT: CMExit(m); break;
    case CMSG_VISIBLECHANGED: CMVisibleChanged(m); break;
    case CMSG_ENABLEDCHANGED: CMEnabledChanged(m); break;
    case CMSG_COLORCHANGED: CMColorChanged(m); break;
    case CMSG_FONTCHANGED: CMFontChanged(m); break;
    case CMSG_SHOWINGCHANGED: CMShowingChanged(m); break;
    case CMSG_RECREATEWND: CMRecreateWnd(m); break;
    case CMSG_INVALIDATE: CMInvalidate(m); break;
    case CMSG_CHILDKEY: CMChildKey(m); break;
    case CMSG_CTL3DCHANGED: CMCtl3DChanged(m); break;
    case CMSG_PARENTCTL3DCHANGED: CMParentCtl3DChanged(m); break;
    case CMSG_DIALOGKEY:
    case CMSG_DIALOGCHAR:
    case CMSG_FOCUSCHANGED: Broadcast(m); break;
    case CMSG_SHOWHINTCHANGED: NotifyControls(CMSG_PARENTSHOWHINTCHANGED); break;
    case CMSG_CHANGED:
        if (parent_)
            parent_->WindowProc(m);
        break;
    case CMSG_BIDIMODECHANGED:
        NotifyControls(CMSG_PARENTBIDIMODECHANGED);
        if (handle_ && platform::SystemMetric(SM_MIDEASTENABLED) != 0)
            RecreateWnd();
        break;
    default: TControl::Dispatch(m); break;
    }
}

void TWinControl::DefaultHandler(TMessage& m)
{
    if (!handle_) {
        TControl::DefaultHandler(m);
        return;
    }
    if (m.Msg == WM_CONTEXTMENU && parent_) {
        m.Result = parent_->PerformMessage(WM_CONTEXTMENU, m.WParam, m.LParam);
        if (m.Result != 0)
            return;
    }
    if (m.Msg >= WM_CTLCOLORMSGBOX && m.Msg <= WM_CTLCOLORSTATIC) {
        auto child = reinterpret_cast<HWND>(m.LParam);
        if (FindControl(child)) {
            m.Result = platform::SendMessage(child, CN_BASE + m.Msg, m.WParam, m.LParam);
            return;
        }
    } else if (m.Msg >= CN_CTLCOLORMSGBOX && m.Msg <= CN_CTLCOLORSTATIC) {
        auto dc = reinterpret_cast<HDC>(m.WParam);
        platform::SetTextColor(dc, ColorToRGB(Font()->Color()));
        platform::SetBackColor(dc, ColorToRGB(brush_->Color()));
        m.Result = reinterpret_cast<std::intptr_t>(brush_->Handle());
        return;
    } else if (m.Msg == ObjectInstanceMessage()) {
        m.Result = reinterpret_cast<std::intptr_t>(this);
        return;
    }
    m.Result = platform::CallWindowProc(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::WMContextMenu(TMessage& m) { TControl::Dispatch(m); }

// Alt and a letter in a form without a menu bar of its own opens the primary form's menu instead
// (Alt+Space and Alt+- keep their system menus).
void TWinControl::WMSysCommand(TMessage& m)
{
    TSysCommandMsg command(m);
    if (command.Command() == SC_KEYMENU && command.Key() != VK_SPACE && command.Key() != '-' && handle_ &&
        !platform::IsIconic(handle_) && !platform::CaptureWindow() &&
        !(Application && Application->PrimaryForm() == this)) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->ForwardKeyMenu(m))
            return;
    }
    TControl::Dispatch(m);
}

// ---- Notifications reflected to the control they concern ----

bool TWinControl::DoControlMsg(HWND control, TMessage& m)
{
    TWinControl* target = FindControl(control);
    if (!target)
        return false;
    m.Result = target->PerformMessage(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
}

void TWinControl::WMCommand(TMessage& m)
{
    if (!DoControlMsg(TCommandMsg(m).Control(), m))
        TControl::Dispatch(m);
}

void TWinControl::ReflectToWindow(HWND control, TMessage& m)
{
    if (!control || !DoControlMsg(control, m))
        TControl::Dispatch(m);
}

void TWinControl::WMMeasureItem(TMessage& m)
{
    // The item names its control by id only; menus measure their own items.
    auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.LParam);
    HWND control = item && item->CtlType != ODT_MENU && handle_ ? platform::DialogItem(handle_, item->CtlID) : nullptr;
    ReflectToWindow(control, m);
}

void TWinControl::WMNotify(TMessage& m)
{
    auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    if (!header || !DoControlMsg(header->hwndFrom, m))
        TControl::Dispatch(m);
}

// ---- Bounds ----

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    Constraints()->Constrain(width, height);
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    if (handle_ && !platform::IsIconic(handle_)) {
        platform::SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        left_ = left;
        top_ = top;
        width_ = width;
        height_ = height;
        // A minimised window takes the new bounds when it is restored.
        if (handle_)
            platform::SetNormalWindowRect(handle_, BoundsRect());
    }
    UpdateAnchorRules();
    RequestAlign();
}

RECT TWinControl::ClientRect() const
{
    if (handle_)
        return platform::ClientRect(handle_);
    return TControl::ClientRect();
}

POINT TWinControl::ClientOrigin() const
{
    if (handle_)
        return platform::ClientToScreen(handle_, {0, 0});
    return TControl::ClientOrigin();
}

// Sizes that come from the system (a frame dragged by the user, SetWindowPos from outside) keep
// the constraints too. A minimised window has the system's own size.
void TWinControl::WMWindowPosChanging(TMessage& m)
{
    auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
    if (pos && !(pos->flags & SWP_NOSIZE) && !HasState(csReading) && !HasState(csDestroying) &&
        !platform::IsIconic(handle_))
        Constraints()->Constrain(pos->cx, pos->cy);
    TControl::Dispatch(m);
}

void TWinControl::WMWindowPosChanged(TMessage& m)
{
    if (!controlState_.Contains(csDestroyingHandle))
        UpdateBounds();
    TControl::Dispatch(m);
}

void TWinControl::WMSize(TMessage& m)
{
    UpdateBounds();
    TControl::Dispatch(m);
    Realign();
    if (!HasState(csLoading))
        Resize();
}

void TWinControl::WMMove(TMessage& m)
{
    TControl::Dispatch(m);
    UpdateBounds();
}

// ---- Keyboard ----

bool TWinControl::IsMenuKey(TMessage& m)
{
    if (HasState(csDesigning))
        return false;
    for (TControl* control = this; control; control = control->Parent())
        if (control->PopupMenu() && control->PopupMenu()->TryShortcutKey(m))
            return true;
    TCustomForm* form = GetParentForm(this);
    if (form && form->IsShortCut(m))
        return true;
    return Application && Application->WindowHandle() &&
           platform::SendMessage(Application->WindowHandle(), CMSG_APPKEYDOWN, m.WParam, m.LParam) != 0;
}

namespace {

// The dialog code a navigation key needs for the control to keep it; 0 for other keys.
LRESULT NavigationMask(std::uintptr_t key)
{
    switch (key) {
    case VK_TAB: return DLGC_WANTTAB;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return DLGC_WANTARROWS;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: return DLGC_WANTALLKEYS;
    default: return 0;
    }
}

}  // namespace

void TWinControl::CNKeyDown(TMessage& m)
{
    m.Result = 1;
    if (IsMenuKey(m))
        return;
    if (PerformMessage(CMSG_CHILDKEY, m.WParam, reinterpret_cast<std::intptr_t>(this)) != 0)
        return;
    if (LRESULT mask = NavigationMask(TKeyMsg(m).CharCode())) {
        if (PerformMessage(CMSG_WANTSPECIALKEY, m.WParam, m.LParam) == 0 &&
            (PerformMessage(WM_GETDLGCODE, 0, 0) & mask) == 0) {
            TCustomForm* form = GetParentForm(this);
            if (form && form->PerformMessage(CMSG_DIALOGKEY, m.WParam, m.LParam) != 0)
                return;
        }
    }
    m.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& m)
{
    m.Result = NavigationMask(TKeyMsg(m).CharCode()) ? PerformMessage(CMSG_WANTSPECIALKEY, m.WParam, m.LParam) : 0;
}

void TWinControl::CNChar(TMessage& m)
{
    m.Result = 1;
    if ((PerformMessage(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->PerformMessage(CMSG_DIALOGCHAR, m.WParam, m.LParam) != 0)
            return;
    }
    m.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage& m)
{
    m.Result = 1;
    if (IsMenuKey(m))
        return;
    if (PerformMessage(CMSG_CHILDKEY, m.WParam, reinterpret_cast<std::intptr_t>(this)) != 0)
        return;
    TCustomForm* form = GetParentForm(this);
    if (form && form->PerformMessage(CMSG_DIALOGKEY, m.WParam, m.LParam) != 0)
        return;
    m.Result = 0;
}

void TWinControl::CNSysChar(TMessage& m)
{
    TCustomForm* form = GetParentForm(this);
    m.Result =
        TKeyMsg(m).CharCode() != VK_SPACE && form && form->PerformMessage(CMSG_DIALOGCHAR, m.WParam, m.LParam) != 0;
}

// The key is offered up the parent chain; the top answers 0.
void TWinControl::CMChildKey(TMessage& m)
{
    m.Result = parent_ ? parent_->PerformMessage(CMSG_CHILDKEY, m.WParam, m.LParam) : 0;
}

bool TWinControl::DoKeyDown(TMessage& m)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyDown(m))
        return true;
    if (controlStyle_.Contains(csNoStdEvents))
        return false;
    TKeyMsg keyMsg(m);
    std::uint16_t key = keyMsg.CharCode();
    KeyDown(key, keyMsg.Shift());
    keyMsg.SetCharCode(key);
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& m)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyUp(m))
        return true;
    if (controlStyle_.Contains(csNoStdEvents))
        return false;
    TKeyMsg keyMsg(m);
    std::uint16_t key = keyMsg.CharCode();
    KeyUp(key, keyMsg.Shift());
    keyMsg.SetCharCode(key);
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& m)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyPress(m))
        return true;
    if (controlStyle_.Contains(csNoStdEvents))
        return false;
    TKeyMsg keyMsg(m);
    char key = static_cast<char>(keyMsg.CharCode());
    KeyPress(key);
    keyMsg.SetCharCode(static_cast<unsigned char>(key));
    return key == 0;
}

void TWinControl::WMKeyDown(TMessage& m)
{
    if (!DoKeyDown(m))
        TControl::Dispatch(m);
}

void TWinControl::WMKeyUp(TMessage& m)
{
    if (!DoKeyUp(m))
        TControl::Dispatch(m);
}

void TWinControl::WMChar(TMessage& m)
{
    if (!DoKeyPress(m))
        TControl::Dispatch(m);
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}
