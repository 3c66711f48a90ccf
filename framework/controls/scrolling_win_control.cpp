// TScrollingWinControl and TControlScrollBar: the ranges from the children's extent, the window's
// scroll bars and their messages, and scrolling the children.
#include "framework/controls/scrolling_win_control.h"

#include <algorithm>

#include "framework/core/class_info.h"
#include "framework/graphics/mul_div.h"
#include "platform/scroll_bars.h"
#include "platform/screen.h"
#include "platform/window.h"

constexpr TEnumName<TScrollBarKind> ScrollBarKindNames[] = {{sbHorizontal, "sbHorizontal"}, {sbVertical, "sbVertical"}};

const TTypeInfo& TypeInfoFor(TScrollBarKind*) { return EnumTypeInfo<ScrollBarKindNames>("TScrollBarKind"); }

const TClassInfo& TControlScrollBar::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TControlScrollBar, TPersistent>("TControlScrollBar")
            .Property("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement)
            .Property("Margin", &TControlScrollBar::Margin, &TControlScrollBar::SetMargin)
            .Property("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange)
            .Property("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition)
            .Property("Tracking", &TControlScrollBar::Tracking, &TControlScrollBar::SetTracking)
            .Property("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible)
            .Build();
    return info;
}

const TClassInfo& TScrollingWinControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TScrollingWinControl, TWinControl>("TScrollingWinControl").Build();
    return info;
}

// ---- One scroll bar ----

TControlScrollBar::TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind)
    : control_(control), kind_(kind)
{}

void TControlScrollBar::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TControlScrollBar*>(source)) {
        increment_ = other->increment_;
        margin_ = other->margin_;
        visible_ = other->visible_;
        tracking_ = other->tracking_;
        SetRange(other->range_);
        SetPosition(other->position_);
        return;
    }
    TPersistent::Assign(source);
}

int TControlScrollBar::ClientSize() const
{
    return kind_ == sbHorizontal ? control_->ClientWidth() : control_->ClientHeight();
}

int TControlScrollBar::MaxPosition() const { return std::max(0, range_ - ClientSize()); }

bool TControlScrollBar::IsScrollBarVisible() const
{
    return control_->HandleAllocated() &&
           platform::WindowScrollBarShown(control_->WindowHandle(), kind_ == sbHorizontal ? SB_HORZ : SB_VERT);
}

void TControlScrollBar::SetRange(int value)
{
    control_->autoScroll_ = false;
    range_ = std::max(0, value);
    control_->UpdateScrollBars();
}

void TControlScrollBar::SetCalculatedRange(int value) { range_ = std::max(0, value); }

void TControlScrollBar::SetMargin(int value)
{
    margin_ = std::max(0, value);
    if (control_->autoScroll_)
        control_->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool value)
{
    visible_ = value;
    control_->UpdateScrollBars();
}

void TControlScrollBar::SetPosition(int value)
{
    // While the control is read, the position is what its stored children show already.
    if (control_->HasState(csLoading)) {
        position_ = value;
        return;
    }
    value = std::clamp(value, 0, visible_ ? MaxPosition() : 0);
    if (value == position_)
        return;
    int delta = position_ - value;
    position_ = value;
    control_->ScrollBy(kind_ == sbHorizontal ? delta : 0, kind_ == sbVertical ? delta : 0);
    if (control_->HandleAllocated() && IsScrollBarVisible())
        platform::SetWindowScrollBar(
            control_->WindowHandle(), kind_ == sbHorizontal ? SB_HORZ : SB_VERT, range_, ClientSize(), position_);
}

// The bar shows while the content does not fit; a content that fits again is scrolled back.
void TControlScrollBar::Update()
{
    if (!control_->HandleAllocated() || control_->HasState(csLoading))
        return;
    int bar = kind_ == sbHorizontal ? SB_HORZ : SB_VERT;
    int client = ClientSize();
    bool needed = visible_ && range_ > client;
    if (position_ > (needed ? MaxPosition() : 0))
        SetPosition(needed ? MaxPosition() : 0);
    if (needed)
        platform::SetWindowScrollBar(control_->WindowHandle(), bar, range_, client, position_);
    else if (IsScrollBarVisible())
        platform::SetWindowScrollBar(control_->WindowHandle(), bar, 0, 0, 0);
}

void TControlScrollBar::ScrollMessage(int code, int thumbPosition)
{
    switch (code) {
    case SB_LINEUP: SetPosition(position_ - increment_); break;
    case SB_LINEDOWN: SetPosition(position_ + increment_); break;
    case SB_PAGEUP: SetPosition(position_ - ClientSize()); break;
    case SB_PAGEDOWN: SetPosition(position_ + ClientSize()); break;
    case SB_THUMBPOSITION: SetPosition(thumbPosition); break;
    case SB_THUMBTRACK:
        if (tracking_)
            SetPosition(thumbPosition);
        break;
    case SB_TOP: SetPosition(0); break;
    case SB_BOTTOM: SetPosition(MaxPosition()); break;
    default: break;
    }
}

// ---- The scrolling control ----

TScrollingWinControl::TScrollingWinControl(TComponent* owner)
    : TWinControl(owner), horzScrollBar_(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      vertScrollBar_(std::make_unique<TControlScrollBar>(this, sbVertical))
{}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool value)
{
    if (value == autoScroll_)
        return;
    autoScroll_ = value;
    // Without it the ranges are what is set by hand: none yet, so the content scrolls back.
    if (!value) {
        horzScrollBar_->range_ = 0;
        vertScrollBar_->range_ = 0;
    }
    UpdateScrollBars();
}

void TScrollingWinControl::UpdateScrollBars()
{
    if (updatingScrollBars_ || !handle_ || HasState(csLoading) || HasState(csDestroying))
        return;
    updatingScrollBars_ = true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{updatingScrollBars_};
    if (autoScroll_)
        CalcAutoRange();
    // A bar that appears or goes narrows or widens the client area along the other one.
    for (int pass = 0; pass < 3; ++pass) {
        RECT before = ClientRect();
        horzScrollBar_->Update();
        vertScrollBar_->Update();
        RECT after = ClientRect();
        if (after.right == before.right && after.bottom == before.bottom)
            break;
    }
}

// The range along each bar reaches the farthest child edge, in unscrolled coordinates; children
// aligned to the far side add their size, those filling the client area count for nothing.
void TScrollingWinControl::CalcAutoRange()
{
    int right = 0, bottom = 0, rightMargin = 0, bottomMargin = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (!child->Visible() && !child->HasState(csDesigning))
            continue;
        TAlign align = child->Align();
        if (align == alNone || align == alLeft)
            right = std::max(right, horzScrollBar_->position_ + child->Left() + child->Width());
        else if (align == alRight)
            rightMargin += child->Width();
        if (align == alNone || align == alTop)
            bottom = std::max(bottom, vertScrollBar_->position_ + child->Top() + child->Height());
        else if (align == alBottom)
            bottomMargin += child->Height();
    }
    horzScrollBar_->SetCalculatedRange(right + rightMargin + horzScrollBar_->margin_);
    vertScrollBar_->SetCalculatedRange(bottom + bottomMargin + vertScrollBar_->margin_);
}

void TScrollingWinControl::ScrollBy(int deltaX, int deltaY)
{
    if (deltaX == 0 && deltaY == 0)
        return;
    // The moves ask for a realignment each; one pass afterwards places the aligned children.
    DisableAlign();
    struct AlignGuard {
        TWinControl* control;
        ~AlignGuard() { control->EnableAlign(); }
    } align{this};
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        child->SetBounds(child->Left() + deltaX, child->Top() + deltaY, child->Width(), child->Height());
    }
    if (handle_)
        platform::InvalidateRect(handle_, nullptr, true);
}

void TScrollingWinControl::ScrollInView(TControl* control)
{
    if (!control || control == this || !ContainsControl(control) || !control->Parent())
        return;
    POINT corner = ScreenToClient(control->Parent()->ClientToScreen({control->Left(), control->Top()}));
    auto bringIn = [](TControlScrollBar& bar, int start, int size) {
        if (!bar.IsScrollBarVisible())
            return;
        int client = bar.ClientSize();
        if (start < 0)
            bar.SetPosition(bar.Position() + start);
        else if (start + size > client)
            bar.SetPosition(bar.Position() + (size > client ? start : start + size - client));
    };
    bringIn(*horzScrollBar_, corner.x, control->Width());
    bringIn(*vertScrollBar_, corner.y, control->Height());
}

void TScrollingWinControl::ScaleScrollBars(int multiplier, int divider)
{
    if (multiplier == divider)
        return;
    for (TControlScrollBar* bar : {horzScrollBar_.get(), vertScrollBar_.get()}) {
        if (!autoScroll_)
            bar->range_ = MulDivRound(bar->range_, multiplier, divider);
        bar->position_ = MulDivRound(bar->position_, multiplier, divider);
        bar->margin_ = MulDivRound(bar->margin_, multiplier, divider);
    }
}

void TScrollingWinControl::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateScrollBars();
}

void TScrollingWinControl::AlignControls(TControl* control, RECT& rect)
{
    TWinControl::AlignControls(control, rect);
    UpdateScrollBars();
}

void TScrollingWinControl::AdjustClientRect(RECT& rect) const
{
    TWinControl::AdjustClientRect(rect);
    rect.left -= horzScrollBar_->position_;
    rect.right -= horzScrollBar_->position_;
    rect.top -= vertScrollBar_->position_;
    rect.bottom -= vertScrollBar_->position_;
}

bool TScrollingWinControl::DoMouseWheel(TShiftState shift, int delta, POINT mousePos)
{
    if (TWinControl::DoMouseWheel(shift, delta, mousePos))
        return true;
    if (!vertScrollBar_->IsScrollBarVisible())
        return false;
    int lines = std::max(1, platform::WheelScrollLines());
    vertScrollBar_->SetPosition(vertScrollBar_->position_ - delta * lines * vertScrollBar_->increment_ / WHEEL_DELTA);
    return true;
}

void TScrollingWinControl::WMScroll(TMessage& m)
{
    // A scroll bar control names itself in lParam; the window's own bars send none.
    if (m.LParam != 0) {
        TWinControl::Dispatch(m);
        return;
    }
    TControlScrollBar& bar = m.Msg == WM_HSCROLL ? *horzScrollBar_ : *vertScrollBar_;
    int code = static_cast<int>(m.WParam & 0xFFFF);
    // The message's box position has 16 bits; a longer range asks the bar itself.
    int thumb = static_cast<int>((m.WParam >> 16) & 0xFFFF);
    if ((code == SB_THUMBPOSITION || code == SB_THUMBTRACK) && bar.range_ > 0xFFFF)
        thumb = platform::ScrollTrackPosition(handle_, m.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT);
    bar.ScrollMessage(code, thumb);
    m.Result = 0;
}

void TScrollingWinControl::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL: WMScroll(m); break;
    default: TWinControl::Dispatch(m); break;
    }
}
