// TWinControl: children and tab order, focus, showing, painting and the property messages.
#include "framework/controls/win_control.h"

#include <algorithm>

#include "framework/controls/application.h"
#include "framework/controls/form.h"
#include "framework/controls/screen.h"
#include "framework/controls/window_proc.h"
#include "framework/core/class_info.h"
#include "framework/core/list_index.h"
#include "platform/gdi.h"
#include "platform/ime.h"
#include "platform/input.h"
#include "platform/window.h"

const TClassInfo& TWinControl::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TWinControl, TControl>("TWinControl")
            .Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
            .Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
            .Property("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D)
            .Property("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D)
            .Property("ImeMode", &TWinControl::ImeMode, &TWinControl::SetImeMode)
            .Property("ImeName", &TWinControl::ImeName, &TWinControl::SetImeName)
            .Property("OnEnter", &TWinControl::OnEnter)
            .Property("OnExit", &TWinControl::OnExit)
            .Property("OnKeyDown", &TWinControl::OnKeyDown)
            .Property("OnKeyUp", &TWinControl::OnKeyUp)
            .Property("OnKeyPress", &TWinControl::OnKeyPress)
            .Build();
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), brush_(std::make_unique<TBrush>())
{
    brush_->SetColor(Color());
}

TWinControl* TWinControl::CreateParented(HWND parentWindow)
{
    auto* control = new TWinControl(nullptr);
    control->SetParentWindow(parentWindow);
    return control;
}

TWinControl::~TWinControl()
{
    Destroying();
    if (parent_)
        RemoveFocus(true);
    if (handle_)
        DestroyWindowWhileDestroying();
    while (ControlCount() > 0) {
        TControl* child = Controls(ControlCount() - 1);
        RemoveControl(child);
        delete child;
    }
    // Leave the parent's lists while this is still a windowed control to them.
    if (parent_)
        parent_->RemoveControl(this);
}

// ---- Children ----

TControl* TWinControl::Controls(int index) const
{
    int plain = static_cast<int>(controls_.size());
    if (index < 0 || index >= ControlCount())
        return nullptr;
    return index < plain ? controls_[index] : winControls_[index - plain];
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    while (control && control != this)
        control = control->Parent();
    return control == this;
}

TControl* TWinControl::ControlAtPos(POINT pos, bool allowDisabled, bool allowWinControls) const
{
    auto hit = [&](TControl* c) {
        RECT r = c->BoundsRect();
        return (c->Visible() || (c->HasState(csDesigning) && !c->ControlStyle().Contains(csNoDesignVisible))) &&
               (c->Enabled() || allowDisabled) && pos.x >= r.left && pos.x < r.right && pos.y >= r.top &&
               pos.y < r.bottom;
    };
    if (allowWinControls)
        for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it)
            if (hit(*it))
                return *it;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (hit(*it))
            return *it;
    return nullptr;
}

void TWinControl::InsertControl(TControl* control)
{
    control->ValidateContainer(this);
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        winControls_.push_back(windowed);
        InsertTab(windowed);
    } else {
        controls_.push_back(control);
    }
    control->parent_ = this;
    if (control->HasState(csReading))
        return;
    control->TakeOverParentValues();
    if (dynamic_cast<TWinControl*>(control)) {
        control->PerformMessage(CMSG_PARENTCTL3DCHANGED, 0, 0);
        UpdateControlState();
    } else if (HandleAllocated()) {
        control->Invalidate();
    }
    AlignControl(control);
}

void TWinControl::MoveToFront(TControl* control)
{
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        auto found = std::find(winControls_.begin(), winControls_.end(), windowed);
        if (found == winControls_.end())
            return;
        std::rotate(found, found + 1, winControls_.end());
        if (windowed->handle_)
            platform::SetWindowPos(windowed->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        auto found = std::find(controls_.begin(), controls_.end(), control);
        if (found == controls_.end())
            return;
        std::rotate(found, found + 1, controls_.end());
        control->Invalidate();
    }
}

void TWinControl::InsertTab(TWinControl* control) { tabList_.push_back(control); }

void TWinControl::RemoveControl(TControl* control)
{
    if (!control)
        return;
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        windowed->RemoveFocus(true);
        windowed->DestroyHandle();
        std::erase(winControls_, windowed);
        std::erase(tabList_, windowed);
    } else {
        if (HandleAllocated())
            control->InvalidateControl(control->Visible(), false);
        std::erase(controls_, control);
    }
    control->parent_ = nullptr;
    Realign();
}

void TWinControl::Broadcast(TMessage& message)
{
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->WindowProc(message);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(std::uint32_t message)
{
    TMessage m{message, 0, 0, 0};
    Broadcast(m);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (control->Owner() == root)
            proc(control);
    }
}

// ---- Tab order ----

int TWinControl::TabOrder() const { return parent_ ? IndexIn(parent_->tabList_, this) : -1; }

void TWinControl::SetTabOrder(int value)
{
    if (controlState_.Contains(csReadingState))
        storedTabOrder_ = value;
    else
        MoveInTabList(value);
}

void TWinControl::MoveInTabList(int value)
{
    int current = TabOrder();
    if (current < 0)
        return;
    auto& list = parent_->tabList_;
    MoveToIndex(list, current, std::clamp(value, 0, static_cast<int>(list.size()) - 1));
}

void TWinControl::ReadState(TReader& reader)
{
    TControl::ReadState(reader);
    FixupTabList();
}

// Each child read with a tab order goes to that place, lowest first, so that the stored order
// holds whatever order the records came in.
void TWinControl::FixupTabList()
{
    std::vector<TWinControl*> placed;
    for (TWinControl* child : winControls_)
        if (child->storedTabOrder_ >= 0)
            placed.push_back(child);
    std::stable_sort(placed.begin(), placed.end(), [](const TWinControl* a, const TWinControl* b) {
        return a->storedTabOrder_ < b->storedTabOrder_;
    });
    for (TWinControl* child : placed) {
        child->MoveInTabList(child->storedTabOrder_);
        child->storedTabOrder_ = -1;
    }
}

void TWinControl::SetTabStop(bool value)
{
    if (value == tabStop_)
        return;
    tabStop_ = value;
    if (handle_) {
        LONG_PTR style = platform::WindowLong(handle_, GWL_STYLE);
        platform::SetWindowLong(handle_, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* control : tabList_) {
        list.push_back(control);
        control->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(
    TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    int count = static_cast<int>(list.size());
    int start = IndexIn(list, current);
    if (start < 0)
        start = goForward ? count - 1 : 0;
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* candidate = list[i];
        if (candidate->CanFocus() && (!checkTabStop || candidate->TabStop()) &&
            (!checkParent || candidate->Parent() == this))
            return candidate;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

// ---- 3-D look ----

void TWinControl::SetCtl3D(bool value)
{
    if (value == ctl3D_)
        return;
    ctl3D_ = value;
    parentCtl3D_ = false;
    PerformMessage(CMSG_CTL3DCHANGED, 0, 0);
}

void TWinControl::SetParentCtl3D(bool value)
{
    if (value == parentCtl3D_)
        return;
    parentCtl3D_ = value;
    if (parent_ && value && !HasState(csReading))
        PerformMessage(CMSG_PARENTCTL3DCHANGED, 0, 0);
}

void TWinControl::CMCtl3DChanged(TMessage&) { NotifyControls(CMSG_PARENTCTL3DCHANGED); }

void TWinControl::CMParentCtl3DChanged(TMessage&)
{
    if (!parentCtl3D_ || !parent_)
        return;
    SetCtl3D(parent_->Ctl3D());
    parentCtl3D_ = true;
}

// ---- Showing ----

void TWinControl::UpdateShowing()
{
    bool show = (Visible() || (HasState(csDesigning) && !controlStyle_.Contains(csNoDesignVisible))) &&
                !controlState_.Contains(csReadingState);
    if (show) {
        if (!handle_)
            CreateHandle();
        // A child may leave the list while it is shown; walk a copy.
        std::vector<TWinControl*> children = winControls_;
        for (TWinControl* child : children)
            child->UpdateShowing();
    }
    if (handle_ && showing_ != show) {
        showing_ = show;
        try {
            PerformMessage(CMSG_SHOWINGCHANGED, 0, 0);
        } catch (...) {
            showing_ = !show;
            throw;
        }
    }
}

void TWinControl::UpdateControlState()
{
    TWinControl* control = this;
    while (control->parent_) {
        control = control->parent_;
        if (!control->Showing())
            return;
    }
    if (dynamic_cast<TCustomForm*>(control) || control->parentWindow_)
        UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&)
{
    platform::SetWindowPos(handle_, nullptr, 0, 0, 0, 0, showing_ ? 0x57 : 0x97);
}

void TWinControl::CMVisibleChanged(TMessage&)
{
    if (!Visible() && parent_)
        RemoveFocus(false);
    if (!HasState(csDesigning) || controlStyle_.Contains(csNoDesignVisible))
        UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage&)
{
    if (!Enabled() && parent_)
        RemoveFocus(false);
    if (handle_ && !HasState(csDesigning))
        platform::EnableWindow(handle_, Enabled());
}

void TWinControl::CMColorChanged(TMessage& m)
{
    TControl::Dispatch(m);
    brush_->SetColor(Color());
    NotifyControls(CMSG_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& m)
{
    TControl::Dispatch(m);
    if (handle_)
        PerformMessage(WM_SETFONT, reinterpret_cast<std::uintptr_t>(Font()->Handle()), 0);
    NotifyControls(CMSG_PARENTFONTCHANGED);
}

void TWinControl::SetParentWindow(HWND value)
{
    if (parent_ || value == parentWindow_)
        return;
    if (handle_ && parentWindow_ && value) {
        // The window moves to the new host as it is.
        parentWindow_ = value;
        platform::SetParentWindow(handle_, value);
    } else {
        DestroyHandle();
        parentWindow_ = value;
    }
    UpdateControlState();
}

// ---- Focus ----

void TWinControl::SetFocus()
{
    if (TCustomForm* form = GetParentForm(this))
        form->FocusControl(this);
    else if (parentWindow_)
        platform::SetFocus(Handle());
    else
        throw EInvalidOperation(SParentRequired, {Name()});
}

bool TWinControl::CanFocus() const
{
    TCustomForm* form = GetParentForm(this);
    if (!form)
        return false;
    for (const TControl* control = this; control != form; control = control->Parent())
        if (!control->Visible() || !control->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const { return handle_ && platform::FocusWindow() == handle_; }

void TWinControl::RemoveFocus(bool removing)
{
    if (TCustomForm* form = GetParentForm(this))
        form->DefocusControl(this, removing);
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }

void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::ImeEnter()
{
    if (!handle_ || imeMode_ == imDontCare)
        return;
    if (imeMode_ == imDisable)
        savedImeContext_ = platform::AssociateInputContext(handle_, nullptr);
    else
        platform::SetInputMethodOpen(handle_, imeMode_ == imOpen);
}

void TWinControl::ImeExit()
{
    // A window whose input method was switched off gets its own context back when it loses the focus.
    if (handle_ && imeMode_ == imDisable && savedImeContext_) {
        platform::AssociateInputContext(handle_, savedImeContext_);
        savedImeContext_ = nullptr;
    }
}

void TWinControl::WMSetFocus(TMessage& m)
{
    TControl::Dispatch(m);
    ImeEnter();
}

void TWinControl::WMKillFocus(TMessage& m)
{
    TControl::Dispatch(m);
    ImeExit();
}

// ---- Painting ----

void TWinControl::Invalidate() { PerformMessage(CMSG_INVALIDATE, 0, 0); }

void TWinControl::CMInvalidate(TMessage& m)
{
    if (!handle_)
        return;
    if (parent_)
        parent_->PerformMessage(CMSG_INVALIDATE, 1, 0);
    if (m.WParam == 0)
        platform::InvalidateRect(handle_, nullptr, !controlStyle_.Contains(csOpaque));
}

void TWinControl::Update()
{
    if (handle_)
        platform::UpdateWindow(handle_);
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::PaintWindow(HDC dc)
{
    TMessage m{WM_PAINT, reinterpret_cast<std::uintptr_t>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, TControl* first)
{
    auto start = first ? std::find(controls_.begin(), controls_.end(), first) : controls_.begin();
    for (auto it = start; it != controls_.end(); ++it) {
        TControl* control = *it;
        RECT bounds = control->BoundsRect();
        if (!control->Visible() || !platform::RectVisible(dc, bounds))
            continue;
        int saved = platform::SaveDC(dc);
        platform::MoveWindowOrigin(dc, bounds.left, bounds.top);
        platform::IntersectClipRect(dc, {0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top});
        control->PerformMessage(WM_PAINT, reinterpret_cast<std::uintptr_t>(dc), 0);
        platform::RestoreDC(dc, saved);
    }
}

void TWinControl::PaintHandler(TMessage& m)
{
    PAINTSTRUCT paint{};
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (!dc)
        dc = platform::BeginPaint(handle_, paint);
    try {
        PaintWindow(dc);
        PaintControls(dc, nullptr);
    } catch (...) {
        if (!m.WParam)
            platform::EndPaint(handle_, paint);
        throw;
    }
    if (!m.WParam)
        platform::EndPaint(handle_, paint);
}

void TWinControl::WMPaint(TMessage& m)
{
    if (controls_.empty())
        TControl::Dispatch(m);
    else
        PaintHandler(m);
}

void TWinControl::WMEraseBkgnd(TMessage& m)
{
    RECT client = ClientRect();
    platform::FillRect(reinterpret_cast<HDC>(m.WParam), client, brush_->Handle());
    m.Result = 1;
}

void TWinControl::WMSetCursor(TMessage& m)
{
    TSetCursorMsg setCursor(m);
    if (setCursor.Window() == handle_ && setCursor.HitTest() == HTCLIENT && Screen) {
        TCursor cursor = Screen->Cursor();
        if (cursor == crDefault) {
            TControl* control = ControlAtPos(ScreenToClient(platform::CursorPos()), false);
            if (control && !control->HasState(csDesigning))
                cursor = control->Cursor();
            if (cursor == crDefault)
                cursor = Cursor();
        }
        if (cursor != crDefault) {
            platform::SetCursor(Screen->Cursors(cursor));
            m.Result = 1;
            return;
        }
    }
    TControl::Dispatch(m);
}

// ---- Scaling and actions ----

void TWinControl::ScaleControls(int multiplier, int divider)
{
    DisableAlign();
    try {
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->ChangeScale(multiplier, divider);
    } catch (...) {
        EnableAlign();
        throw;
    }
    EnableAlign();
}

void TWinControl::ChangeScale(int multiplier, int divider)
{
    ScaleControls(multiplier, divider);
    TControl::ChangeScale(multiplier, divider);
}
