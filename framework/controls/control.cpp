// TControl: the tree, bounds, properties, text, painting requests and scaling.
#include "framework/controls/control.h"

#include <algorithm>

#include "framework/controls/application.h"
#include "framework/controls/form.h"
#include "framework/controls/win_control.h"
#include "framework/controls/window_proc.h"
#include "framework/core/class_info.h"
#include "framework/menus/menu.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace {

TControl* captureControl = nullptr;

}  // namespace

const TClassInfo& TControlActionLink::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TControlActionLink, TActionLink>("TControlActionLink").Build();
    return info;
}

TControlActionLink::TControlActionLink(TControl* client) : TActionLink(client), client_(client) {}

bool TControlActionLink::IsCaptionLinked()
{
    return TActionLink::IsCaptionLinked() && client_->Caption() == CustomAction()->Caption();
}
bool TControlActionLink::IsEnabledLinked()
{
    return TActionLink::IsEnabledLinked() && client_->Enabled() == CustomAction()->Enabled();
}
bool TControlActionLink::IsHelpContextLinked()
{
    return TActionLink::IsHelpContextLinked() && client_->HelpContext() == CustomAction()->HelpContext();
}
bool TControlActionLink::IsHintLinked()
{
    return TActionLink::IsHintLinked() && client_->Hint() == CustomAction()->Hint();
}
bool TControlActionLink::IsVisibleLinked()
{
    return TActionLink::IsVisibleLinked() && client_->Visible() == CustomAction()->Visible();
}
bool TControlActionLink::IsOnExecuteLinked() { return Action() && client_->OnClick == Action()->OnExecute(); }

void TControlActionLink::SetCaption(const std::string& value)
{
    if (IsCaptionLinked())
        client_->SetCaption(value);
}
void TControlActionLink::SetEnabled(bool value)
{
    if (IsEnabledLinked())
        client_->SetEnabled(value);
}
void TControlActionLink::SetHelpContext(int value)
{
    if (IsHelpContextLinked())
        client_->SetHelpContext(value);
}
void TControlActionLink::SetHint(const std::string& value)
{
    if (IsHintLinked())
        client_->SetHint(value);
}
void TControlActionLink::SetVisible(bool value)
{
    if (IsVisibleLinked())
        client_->SetVisible(value);
}
void TControlActionLink::SetOnExecute(const TNotifyEvent& value)
{
    if (IsOnExecuteLinked())
        client_->OnClick = value;
}

const TClassInfo& TControl::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TControl, TComponent>("TControl")
            .Property("Left", &TControl::Left, &TControl::SetLeft)
            .Property("Top", &TControl::Top, &TControl::SetTop)
            .Property("Width", &TControl::Width, &TControl::SetWidth)
            .Property("Height", &TControl::Height, &TControl::SetHeight)
            .Property("Align", &TControl::Align, &TControl::SetAlign)
            .Property("Anchors", &TControl::Anchors, &TControl::SetAnchors)
            .Property("Visible", &TControl::Visible, &TControl::SetVisible)
            .Property("Enabled", &TControl::Enabled, &TControl::SetEnabled)
            .Property("Color", &TControl::Color, &TControl::SetColor)
            .Property("Font", &TControl::Font, &TControl::SetFont)
            .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
            .Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
            .Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
            .Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
            .Property("Hint", &TControl::Hint, &TControl::SetHint)
            .Property("Cursor", &TControl::Cursor, &TControl::SetCursor)
            .Property("Constraints", &TControl::Constraints, &TControl::SetConstraints)
            .Property("DragMode", &TControl::DragMode, &TControl::SetDragMode)
            .Property("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext)
            .Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
            .Property("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode)
            .Property("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode)
            .Property("OnClick", &TControl::OnClick)
            .Property("OnDblClick", &TControl::OnDblClick)
            .Property("OnMouseDown", &TControl::OnMouseDown)
            .Property("OnMouseUp", &TControl::OnMouseUp)
            .Property("OnMouseMove", &TControl::OnMouseMove)
            .Property("OnResize", &TControl::OnResize)
            .Property("OnDragOver", &TControl::OnDragOver)
            .Property("OnDragDrop", &TControl::OnDragDrop)
            .Property("OnEndDrag", &TControl::OnEndDrag)
            .Build();
    return info;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner), font_(std::make_unique<TFont>()), constraints_(std::make_unique<TSizeConstraints>())
{
    WindowProc = TWndMethod(this, &TControl::WndProc);
    font_->OnChange = TNotifyEvent(this, &TControl::FontChanged);
    constraints_->OnChange = TNotifyEvent(this, &TControl::ConstraintsChanged);
}

TControl::~TControl()
{
    if (Application)
        Application->ControlDestroyed(this);
    if (captureControl == this)
        captureControl = nullptr;
    drag_internal::Forget(this);
    if (parent_)
        parent_->RemoveControl(this);
    actionLink_.reset();
}

// ---- The tree ----

void TControl::BringToFront()
{
    if (parent_)
        parent_->MoveToFront(this);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    if (parent == this)
        throw EInvalidOperation(SControlParentSelf);
    if (parent_)
        parent_->RemoveControl(this);
    if (parent) {
        parent->InsertControl(this);
        UpdateAnchorRules();
    }
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* windowed = dynamic_cast<TWinControl*>(parent))
        SetParent(windowed);
}

void TControl::TakeOverParentValues()
{
    if (!parent_ || HasState(csLoading))
        return;
    PerformMessage(CMSG_PARENTCOLORCHANGED, 0, 0);
    PerformMessage(CMSG_PARENTFONTCHANGED, 0, 0);
    PerformMessage(CMSG_PARENTSHOWHINTCHANGED, 0, 0);
    PerformMessage(CMSG_PARENTBIDIMODECHANGED, 0, 0);
}

TCustomForm* GetParentForm(const TControl* control)
{
    while (control && control->Parent())
        control = control->Parent();
    return const_cast<TCustomForm*>(dynamic_cast<const TCustomForm*>(control));
}

// ---- Bounds ----

void TControl::SetLeft(int value)
{
    SetBounds(value, top_, width_, height_);
    scalingFlags_.Include(sfLeft);
}

void TControl::SetTop(int value)
{
    SetBounds(left_, value, width_, height_);
    scalingFlags_.Include(sfTop);
}

void TControl::SetWidth(int value)
{
    SetBounds(left_, top_, value, height_);
    scalingFlags_.Include(sfWidth);
}

void TControl::SetHeight(int value)
{
    SetBounds(left_, top_, width_, value);
    scalingFlags_.Include(sfHeight);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    constraints_->Constrain(width, height);
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    InvalidateControl(Visible(), false);
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    UpdateAnchorRules();
    Invalidate();
    PerformMessage(WM_WINDOWPOSCHANGED, 0, 0);
    RequestAlign();
    if (!HasState(csLoading))
        Resize();
}

RECT TControl::ClientRect() const { return {0, 0, width_, height_}; }

int TControl::ClientWidth() const { return ClientRect().right; }

int TControl::ClientHeight() const { return ClientRect().bottom; }

void TControl::SetClientWidth(int value) { SetWidth(width_ - ClientWidth() + value); }

void TControl::SetClientHeight(int value) { SetHeight(height_ - ClientHeight() + value); }

POINT TControl::ClientOrigin() const
{
    if (!parent_)
        return {left_, top_};
    POINT origin = parent_->ClientOrigin();
    return {origin.x + left_, origin.y + top_};
}

POINT TControl::ScreenToClient(POINT point) const
{
    POINT origin = ClientOrigin();
    return {point.x - origin.x, point.y - origin.y};
}

POINT TControl::ClientToScreen(POINT point) const
{
    POINT origin = ClientOrigin();
    return {point.x + origin.x, point.y + origin.y};
}

void TControl::SetAlign(TAlign value)
{
    if (value == align_)
        return;
    align_ = value;
    anchors_ = AnchorsOfAlign(value);
    RequestAlign();
}

void TControl::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    if (value)
        AdjustSize();
}

void TControl::SetAnchors(TAnchors value)
{
    if (value == anchors_)
        return;
    anchors_ = value;
    if (!HasState(csLoading))
        UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    if (anchorMove_ || HasState(csLoading))
        return;
    if (anchors_ == TAnchors{akLeft, akTop}) {
        originalParentSize_ = {0, 0};
        return;
    }
    if (anchors_.Contains(akRight))
        anchorRules_.x = anchors_.Contains(akLeft) ? width_ : left_;
    else
        anchorRules_.x = left_ + width_ / 2;
    if (anchors_.Contains(akBottom))
        anchorRules_.y = anchors_.Contains(akTop) ? height_ : top_;
    else
        anchorRules_.y = top_ + height_ / 2;
    if (!parent_)
        return;
    if (parent_->HandleAllocated()) {
        RECT client = parent_->ClientRect();
        originalParentSize_ = {client.right, client.bottom};
    } else {
        originalParentSize_ = {parent_->Width(), parent_->Height()};
    }
}

void TControl::ConstraintsChanged(TObject*)
{
    int width = width_, height = height_;
    constraints_->Constrain(width, height);
    if (width != width_ || height != height_)
        SetBounds(left_, top_, width, height);
}

void TControl::RequestAlign()
{
    if (parent_)
        parent_->AlignControl(this);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

// ---- Visibility, enabling, colour, font, hints ----

void TControl::SetVisible(bool value)
{
    if (value == visible_)
        return;
    VisibleChanging();
    visible_ = value;
    PerformMessage(CMSG_VISIBLECHANGED, value ? 1 : 0, 0);
    RequestAlign();
}

void TControl::Show()
{
    if (parent_)
        parent_->Show();
    SetVisible(true);
}

void TControl::Hide() { SetVisible(false); }

void TControl::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    PerformMessage(CMSG_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor value)
{
    if (value == color_)
        return;
    color_ = value;
    parentColor_ = false;
    PerformMessage(CMSG_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value)
{
    if (value == parentColor_)
        return;
    parentColor_ = value;
    if (parent_ && value && !HasState(csReading))
        PerformMessage(CMSG_PARENTCOLORCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*)
{
    parentFont_ = false;
    if (HasState(csLoading))
        scalingFlags_.Include(sfFont);
    PerformMessage(CMSG_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value)
{
    if (value == parentFont_)
        return;
    parentFont_ = value;
    if (parent_ && value && !HasState(csReading))
        PerformMessage(CMSG_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetBiDiMode(TBiDiMode value)
{
    if (value == biDiMode_)
        return;
    biDiMode_ = value;
    parentBiDiMode_ = false;
    PerformMessage(CMSG_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool value)
{
    if (value == parentBiDiMode_)
        return;
    parentBiDiMode_ = value;
    if (parent_ && value && !HasState(csReading))
        PerformMessage(CMSG_PARENTBIDIMODECHANGED, 0, 0);
}

bool TControl::UseRightToLeftReading() const
{
    return biDiMode_ != bdLeftToRight && platform::SystemMetric(SM_MIDEASTENABLED) != 0;
}

bool TControl::UseRightToLeftAlignment() const
{
    return biDiMode_ == bdRightToLeft && platform::SystemMetric(SM_MIDEASTENABLED) != 0;
}

UINT TControl::DrawTextBiDiModeFlags(UINT flags) const
{
    if (UseRightToLeftAlignment()) {
        if ((flags & (DT_CENTER | DT_RIGHT)) == 0)
            flags |= DT_RIGHT;
        else if (flags & DT_RIGHT)
            flags &= ~static_cast<UINT>(DT_RIGHT);
    }
    if (UseRightToLeftReading())
        flags |= DT_RTLREADING;
    return flags;
}

void TControl::SetShowHint(bool value)
{
    if (value == showHint_ && !parentShowHint_)
        return;
    showHint_ = value;
    parentShowHint_ = false;
    PerformMessage(CMSG_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool value)
{
    if (value == parentShowHint_)
        return;
    parentShowHint_ = value;
    if (parent_ && value && !HasState(csReading))
        PerformMessage(CMSG_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor value)
{
    if (value == cursor_)
        return;
    cursor_ = value;
    PerformMessage(CMSG_CURSORCHANGED, 0, 0);
}

// ---- Text ----

int TControl::TextLength() const
{
    return static_cast<int>(const_cast<TControl*>(this)->PerformMessage(WM_GETTEXTLENGTH, 0, 0));
}

std::string TControl::Text() const
{
    auto* self = const_cast<TControl*>(this);
    int length = TextLength();
    if (length <= 0)
        return {};
    std::string text(length + 1, '\0');
    auto copied = self->PerformMessage(WM_GETTEXT, length + 1, reinterpret_cast<std::intptr_t>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<std::intptr_t>(copied, 0, length)));
    return text;
}

void TControl::SetText(const std::string& value)
{
    if (Text() == value)
        return;
    PerformMessage(WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(value.c_str()));
    PerformMessage(CMSG_TEXTCHANGED, 0, 0);
}

void TControl::SetName(const std::string& newName)
{
    std::string oldName = Name();
    bool changeText = controlStyle_.Contains(csSetCaption) && !HasState(csLoading) && Text() == oldName;
    if (changeText) {
        auto* ownerControl = dynamic_cast<TControl*>(Owner());
        if (ownerControl && ownerControl->HasState(csLoading))
            changeText = false;
    }
    TComponent::SetName(newName);
    if (changeText)
        SetText(newName);
}

// ---- Actions ----

TBasicAction* TControl::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TControl::SetAction(TBasicAction* action)
{
    if (!action) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_)
        actionLink_ = std::make_unique<TControlActionLink>(this);
    actionLink_->SetAction(action);
    action->FreeNotification(this);
    ActionChange(action, HasState(csLoading));
}

void TControl::ActionChange(TObject* sender, bool checkDefaults)
{
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action)
        return;
    if (!checkDefaults || Caption().empty() || Caption() == Name())
        SetCaption(action->Caption());
    if (!checkDefaults || enabled_)
        SetEnabled(action->Enabled());
    if (!checkDefaults || hint_.empty())
        SetHint(action->Hint());
    if (!checkDefaults || visible_)
        SetVisible(action->Visible());
    if (!checkDefaults || helpContext_ == 0)
        SetHelpContext(action->HelpContext());
    if (!checkDefaults || !OnClick)
        OnClick = action->OnExecute();
}

void TControl::SetPopupMenu(TPopupMenu* value)
{
    if (value == popupMenu_)
        return;
    if (popupMenu_)
        popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = value;
    if (value)
        value->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component && component == Action())
        SetAction(nullptr);
    if (operation == opRemove && component && component == popupMenu_)
        popupMenu_ = nullptr;
}

void TControl::InitiateAction()
{
    if (actionLink_)
        actionLink_->Update();
}

// ---- Painting requests ----

void TControl::InvalidateControl(bool isVisible, bool isOpaque)
{
    if ((isVisible || HasState(csDesigning)) && parent_ && parent_->HandleAllocated()) {
        RECT rect = BoundsRect();
        bool erase = !(isOpaque || parent_->ControlStyle().Contains(csOpaque));
        platform::InvalidateRect(parent_->WindowHandle(), &rect, erase);
    }
}

void TControl::Invalidate() { InvalidateControl(Visible(), controlStyle_.Contains(csOpaque)); }

void TControl::Update()  // NOLINT(bugprone-virtual-near-miss): see the declaration
{
    if (parent_)
        parent_->Update();
}

void TControl::Repaint()
{
    if (!(Visible() || HasState(csDesigning)) || !parent_ || !parent_->HandleAllocated())
        return;
    if (controlStyle_.Contains(csOpaque)) {
        // An opaque control paints itself at once, clipped to its bounds in the parent's window.
        struct WindowDC {
            HWND window;
            HDC dc;
            int saved;
            ~WindowDC()
            {
                platform::RestoreDC(dc, saved);
                platform::ReleaseWindowDC(window, dc);
            }
        };
        HWND window = parent_->WindowHandle();
        HDC dc = platform::WindowDC(window);
        WindowDC guard{window, dc, platform::SaveDC(dc)};  // given back also when painting raises
        platform::IntersectClipRect(dc, BoundsRect());
        parent_->PaintControls(dc, this);
    } else {
        Invalidate();
        Update();
    }
}

// ---- Scaling ----

void TControl::ChangeScale(int multiplier, int divider)
{
    if (multiplier == divider) {
        scalingFlags_ = {};
        return;
    }
    TScalingFlags flags = HasState(csLoading) ? scalingFlags_ : TScalingFlags{sfLeft, sfTop, sfWidth, sfHeight, sfFont};
    int left = left_, top = top_, width = width_, height = height_;
    if (flags.Contains(sfLeft))
        left = MulDivRound(left_, multiplier, divider);
    if (flags.Contains(sfTop))
        top = MulDivRound(top_, multiplier, divider);
    if (flags.Contains(sfWidth) && !controlStyle_.Contains(csFixedWidth)) {
        if (flags.Contains(sfLeft))
            width = MulDivRound(left_ + width_, multiplier, divider) - left;
        else
            width = MulDivRound(width_, multiplier, divider);
    }
    if (flags.Contains(sfHeight) && !controlStyle_.Contains(csFixedHeight)) {
        if (flags.Contains(sfTop))
            height = MulDivRound(top_ + height_, multiplier, divider) - top;
        else
            height = MulDivRound(height_, multiplier, divider);
    }
    SetBounds(left, top, width, height);
    if (!parentFont_ && flags.Contains(sfFont))
        font_->SetSize(MulDivRound(font_->Size(), multiplier, divider));
    scalingFlags_ = {};
}

void TControl::ReadState(TReader& reader)
{
    scalingFlags_ = {};
    controlState_.Include(csReadingState);
    struct ReadingGuard {
        TControlState& state;
        ~ReadingGuard() { state.Exclude(csReadingState); }
    } guard{controlState_};
    TComponent::ReadState(reader);
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (parent_) {
        if (parentColor_)
            PerformMessage(CMSG_PARENTCOLORCHANGED, 0, 0);
        if (parentFont_)
            PerformMessage(CMSG_PARENTFONTCHANGED, 0, 0);
        if (parentShowHint_)
            PerformMessage(CMSG_PARENTSHOWHINTCHANGED, 0, 0);
        if (parentBiDiMode_)
            PerformMessage(CMSG_PARENTBIDIMODECHANGED, 0, 0);
    }
    UpdateAnchorRules();
    RequestAlign();
}

// ---- Mouse capture ----

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool value)
{
    if (MouseCapture() == value)
        return;
    SetCaptureControl(value ? this : nullptr);
}

TControl* GetCaptureControl()
{
    TWinControl* windowed = FindControl(platform::CaptureWindow());
    if (windowed && captureControl && captureControl->Parent() == windowed)
        return captureControl;
    return windowed;
}

void SetCaptureControl(TControl* control)
{
    platform::ReleaseCapture();
    captureControl = nullptr;
    if (!control)
        return;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed) {
        if (!control->Parent())
            return;
        captureControl = control;
        windowed = control->Parent();
    }
    platform::SetCapture(windowed->Handle());
}

TControl* FindDragTarget(POINT pos, bool allowDisabled)
{
    TWinControl* windowed = FindControl(FrameworkWindowFromPoint(pos));
    if (!windowed)
        return nullptr;
    TControl* child = windowed->ControlAtPos(windowed->ScreenToClient(pos), allowDisabled);
    return child ? child : windowed;
}
