// TControl: the message path of a control (window procedure, dispatch, default handling) and the
// translation of mouse messages into events.
#include <algorithm>
#include <cstring>

#include "framework/controls/application.h"
#include "framework/controls/control.h"
#include "framework/controls/form.h"
#include "framework/controls/win_control.h"
#include "framework/menus/menu.h"
#include "platform/input.h"
#include "platform/window.h"

namespace {

// The registered message of old mouse drivers that reported the wheel before WM_MOUSEWHEEL existed.
UINT MouseWheelRollMessage()
{
    static const UINT message = platform::RegisterWindowMessage("MSWHEEL_ROLLMSG");
    return message;
}

}  // namespace

std::intptr_t TControl::PerformMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    TMessage m{message, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& m)
{
    if (m.Msg >= WM_KEYFIRST && m.Msg <= WM_KEYLAST) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->WantChildKey(this, m))
            return;
    } else if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST) {
        if (!controlStyle_.Contains(csDoubleClicks)) {
            switch (m.Msg) {
            case WM_LBUTTONDBLCLK: m.Msg = WM_LBUTTONDOWN; break;
            case WM_RBUTTONDBLCLK: m.Msg = WM_RBUTTONDOWN; break;
            case WM_MBUTTONDBLCLK: m.Msg = WM_MBUTTONDOWN; break;
            }
        }
        // The capture brings the drag's mouse messages to the control dragged.
        if (Dragging()) {
            if (m.Msg == WM_MOUSEMOVE)
                drag_internal::MoveTo(ClientToScreen(TMouseMsg(m).Pos()));
            else if (m.Msg == WM_LBUTTONUP)
                EndDrag(true);
            return;
        }
        switch (m.Msg) {
        case WM_MOUSEMOVE:
            if (Application)
                Application->Hints().MouseMoved();
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (dragMode_ == dmAutomatic && !HasState(csDesigning)) {
                BeginDrag();
                return;
            }
            controlState_.Include(csLButtonDown);
            break;
        case WM_LBUTTONUP: controlState_.Exclude(csLButtonDown); break;
        }
    } else if (m.Msg == MouseWheelRollMessage() && m.Msg != 0) {
        TMessage wheel{WM_MOUSEWHEEL, (m.WParam & 0xFFFF) << 16, m.LParam, 0};
        Dispatch(wheel);
        m.Result = wheel.Result;
        return;
    }
    Dispatch(m);
}

void TControl::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(m); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(m); break;
    case WM_LBUTTONUP: WMLButtonUp(m); break;
    case WM_RBUTTONDOWN: WMRButtonDown(m); break;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(m); break;
    case WM_RBUTTONUP: WMRButtonUp(m); break;
    case WM_MBUTTONDOWN: WMMButtonDown(m); break;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(m); break;
    case WM_MBUTTONUP: WMMButtonUp(m); break;
    case WM_NCLBUTTONDOWN: WMNCLButtonDown(m); break;
    case WM_MOUSEMOVE: WMMouseMove(m); break;
    case WM_MOUSEWHEEL: WMMouseWheel(m); break;
    case WM_CANCELMODE: WMCancelMode(m); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    case CMSG_HINTSHOW: CMHintShow(m); break;
    case CMSG_VISIBLECHANGED: CMVisibleChanged(m); break;
    case CMSG_ENABLEDCHANGED: CMEnabledChanged(m); break;
    case CMSG_COLORCHANGED: CMColorChanged(m); break;
    case CMSG_FONTCHANGED: CMFontChanged(m); break;
    case CMSG_PARENTCOLORCHANGED: CMParentColorChanged(m); break;
    case CMSG_PARENTFONTCHANGED: CMParentFontChanged(m); break;
    case CMSG_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(m); break;
    case CMSG_PARENTBIDIMODECHANGED: CMParentBiDiModeChanged(m); break;
    default: TComponent::Dispatch(m); break;
    }
}

// A control without a window keeps its text itself.
void TControl::DefaultHandler(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<char*>(m.LParam);
        if (!buffer || m.WParam == 0) {
            m.Result = 0;
            break;
        }
        std::size_t count = std::min<std::size_t>(text_.size(), m.WParam - 1);
        std::memcpy(buffer, text_.data(), count);
        buffer[count] = '\0';
        m.Result = static_cast<std::intptr_t>(count);
        break;
    }
    case WM_GETTEXTLENGTH: m.Result = static_cast<std::intptr_t>(text_.size()); break;
    case WM_SETTEXT: {
        auto* text = reinterpret_cast<const char*>(m.LParam);
        text_ = text ? text : "";
        m.Result = 1;
        break;
    }
    }
}

// ---- Mouse ----

POINT TControl::MousePoint(const TMessage& m) const
{
    // Message coordinates are 16-bit: a control larger than that asks the system where the cursor is.
    if (width_ > 32768 || height_ > 32768)
        return ScreenToClient(platform::CursorPos());
    return TMouseMsg(m).Pos();
}

void TControl::DoMouseDown(TMessage& m, TMouseButton button, TShiftState shift)
{
    if (controlStyle_.Contains(csNoStdEvents))
        return;
    POINT p = MousePoint(m);
    MouseDown(button, TMouseMsg(m).Shift() | shift, p.x, p.y);
}

void TControl::DoMouseUp(TMessage& m, TMouseButton button)
{
    if (controlStyle_.Contains(csNoStdEvents))
        return;
    POINT p = MousePoint(m);
    MouseUp(button, TMouseMsg(m).Shift(), p.x, p.y);
}

void TControl::SendCancelMode(TControl* sender)
{
    for (TControl* control = this; control; control = control->Parent())
        if (auto* form = dynamic_cast<TCustomForm*>(control))
            form->SendCancelMode(sender);
}

void TControl::WMLButtonDown(TMessage& m)
{
    SendCancelMode(this);
    TComponent::Dispatch(m);
    if (controlStyle_.Contains(csCaptureMouse))
        SetMouseCapture(true);
    if (controlStyle_.Contains(csClickEvents))
        controlState_.Include(csClicked);
    DoMouseDown(m, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& m)
{
    SendCancelMode(this);
    TComponent::Dispatch(m);
    if (controlStyle_.Contains(csCaptureMouse))
        SetMouseCapture(true);
    if (controlStyle_.Contains(csClickEvents))
        DblClick();
    DoMouseDown(m, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& m)
{
    TComponent::Dispatch(m);
    if (controlStyle_.Contains(csCaptureMouse))
        SetMouseCapture(false);
    if (controlState_.Contains(csClicked)) {
        controlState_.Exclude(csClicked);
        POINT p = MousePoint(m);
        RECT client = ClientRect();
        if (p.x >= client.left && p.x < client.right && p.y >= client.top && p.y < client.bottom)
            Click();
    }
    DoMouseUp(m, mbLeft);
}

void TControl::WMRButtonDown(TMessage& m)
{
    TComponent::Dispatch(m);
    DoMouseDown(m, mbRight, {});
}

void TControl::WMRButtonDblClk(TMessage& m)
{
    TComponent::Dispatch(m);
    DoMouseDown(m, mbRight, {ssDouble});
}

void TControl::WMRButtonUp(TMessage& m)
{
    TComponent::Dispatch(m);
    DoMouseUp(m, mbRight);
}

void TControl::WMMButtonDown(TMessage& m)
{
    TComponent::Dispatch(m);
    DoMouseDown(m, mbMiddle, {});
}

void TControl::WMMButtonDblClk(TMessage& m)
{
    TComponent::Dispatch(m);
    DoMouseDown(m, mbMiddle, {ssDouble});
}

void TControl::WMMButtonUp(TMessage& m)
{
    TComponent::Dispatch(m);
    DoMouseUp(m, mbMiddle);
}

void TControl::WMNCLButtonDown(TMessage& m)
{
    SendCancelMode(this);
    TComponent::Dispatch(m);
}

void TControl::WMMouseMove(TMessage& m)
{
    TComponent::Dispatch(m);
    if (!controlStyle_.Contains(csNoStdEvents)) {
        POINT p = MousePoint(m);
        MouseMove(TMouseMsg(m).Shift(), p.x, p.y);
    }
}

void TControl::WMMouseWheel(TMessage& m)
{
    TMouseWheelMsg wheel(m);
    if (!DoMouseWheel(wheel.Shift(), wheel.WheelDelta(), wheel.Pos()))
        TComponent::Dispatch(m);
    else
        m.Result = 1;
}

bool TControl::DoMouseWheel(TShiftState, int, POINT) { return false; }

void TControl::WMCancelMode(TMessage& m)
{
    // Whoever takes the mouse away ends a drag of this control.
    if (Dragging())
        EndDrag(false);
    // The system's default handling releases the capture itself; the press ends here all the same.
    bool hadCapture = MouseCapture();
    TComponent::Dispatch(m);
    if (hadCapture || MouseCapture()) {
        SetMouseCapture(false);
        if (controlState_.Contains(csLButtonDown))
            PerformMessage(WM_LBUTTONUP, 0, -1);
    } else {
        controlState_.Exclude(csLButtonDown);
    }
}

void TControl::WMWindowPosChanged(TMessage& m)
{
    // A control without a window reports its own moves with no position record.
    if (m.LParam)
        TComponent::Dispatch(m);
}

// The control's popup menu, at the mouse point or (from the keyboard, point -1, -1) at the
// control's top left corner.
void TControl::WMContextMenu(TMessage& m)
{
    if (m.Result != 0 || HasState(csDesigning))
        return;
    if (popupMenu_ && popupMenu_->AutoPopup()) {
        POINT pos = TMouseMsg(m).Pos();
        if (pos.x == -1 && pos.y == -1)
            pos = ClientToScreen(POINT{0, 0});
        SendCancelMode(nullptr);
        popupMenu_->SetPopupComponent(this);
        popupMenu_->Popup(pos.x, pos.y);
        m.Result = 1;
        return;
    }
    TComponent::Dispatch(m);
}

// A control linked to an action shows the hint the action's link makes of it.
void TControl::CMHintShow(TMessage& m)
{
    auto* info = reinterpret_cast<THintInfo*>(m.LParam);
    if (actionLink_ && info && !actionLink_->DoShowHint(info->HintStr))
        m.Result = 1;
}

void TControl::Click()
{
    // The action runs unless the control has a click handler of its own, other than the action's.
    TBasicAction* action = Action();
    if (actionLink_ && action && (!OnClick || OnClick == action->OnExecute()))
        actionLink_->Execute(this);
    else if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

// ---- Property change messages ----

void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true, visible_ && controlStyle_.Contains(csOpaque)); }

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMFontChanged(TMessage&) { Invalidate(); }

void TControl::CMParentColorChanged(TMessage& m)
{
    if (!parentColor_ || !parent_)
        return;
    SetColor(m.WParam ? static_cast<TColor>(m.LParam) : parent_->Color());
    parentColor_ = true;
}

void TControl::CMParentFontChanged(TMessage& m)
{
    if (!parentFont_ || !parent_)
        return;
    font_->Assign(m.WParam ? reinterpret_cast<TFont*>(m.LParam) : parent_->Font());
    parentFont_ = true;
}

void TControl::CMParentShowHintChanged(TMessage&)
{
    if (!parentShowHint_ || !parent_)
        return;
    SetShowHint(parent_->ShowHint());
    parentShowHint_ = true;
}

void TControl::CMParentBiDiModeChanged(TMessage&)
{
    if (!parentBiDiMode_ || !parent_)
        return;
    SetBiDiMode(parent_->BiDiMode());
    parentBiDiMode_ = true;
}
