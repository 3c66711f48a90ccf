// TActionMainMenuBar: laying out, drawing and clicking the buttons of an action bar, its keys and hints.
#include "framework/menus/action_bar.h"

#include <algorithm>

#include "framework/controls/application.h"
#include "framework/controls/form.h"
#include "framework/controls/hints.h"
#include "framework/controls/screen.h"
#include "framework/core/class_info.h"
#include "framework/graphics/mul_div.h"
#include "framework/menus/action_manager.h"
#include "framework/menus/hotkeys.h"
#include "framework/menus/menu.h"
#include "platform/bitmaps.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "platform/locale.h"
#include "platform/window.h"

namespace {

// The messages of the system's tool bar that the bar answers too, so that other programs (an
// accessibility tool, a test driver) find its buttons as they would a tool bar's: the number of
// buttons, the one lit under the mouse (-1: none), and a button's rectangle in client coordinates
// (TB_BUTTONCOUNT, TB_GETHOTITEM, TB_GETITEMRECT).
constexpr std::uint32_t ToolBarButtonCount = WM_USER + 24;
constexpr std::uint32_t ToolBarItemRect = WM_USER + 29;
constexpr std::uint32_t ToolBarHotItem = WM_USER + 71;

// The button's parts, at 96 pixels per inch: the space around the bar's buttons, inside a button
// before its picture, between picture and caption, and after the caption.
constexpr int BarMargin = 2;
constexpr int LeadingSpace = 6;
constexpr int PictureGap = 4;
constexpr int TrailingSpace = 8;

constexpr UINT CaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOCLIP;

// `over` laid over `base` at `percent` percent, as an RGB colour.
TColor Mixed(TColor base, TColor over, int percent)
{
    std::uint32_t a = ColorToRGB(base), b = ColorToRGB(over);
    auto channel = [&](int shift) {
        int from = static_cast<int>(a >> shift & 0xFF), to = static_cast<int>(b >> shift & 0xFF);
        return static_cast<std::uint32_t>(from + (to - from) * percent / 100) << shift;
    };
    return static_cast<TColor>(channel(0) | channel(8) | channel(16));
}

bool SameLetter(char a, char b)
{
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return upper(a) == upper(b);
}

// The single-byte letter marked in a caption, or 0.
char MarkedLetter(const std::string& caption)
{
    std::string hotkey = HotkeyOf(caption);
    return hotkey.size() == 1 ? hotkey[0] : 0;
}

}  // namespace

const TClassInfo& TCustomActionBar::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomActionBar, TWinControl>("TCustomActionBar").Build();
    return info;
}

const TClassInfo& TActionMainMenuBar::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TActionMainMenuBar, TCustomActionBar>("TActionMainMenuBar")
            .Property("ActionManager", &TActionMainMenuBar::ActionManager, &TActionMainMenuBar::SetActionManager)
            .Property("Caption", &TActionMainMenuBar::Caption, &TActionMainMenuBar::SetCaption)
            .Property("Spacing", &TActionMainMenuBar::Spacing, &TActionMainMenuBar::SetSpacing)
            .Build();
    return info;
}

TCustomActionBar::TCustomActionBar(TComponent* owner) : TWinControl(owner), canvas_(new TCanvas)
{
    // A click is the button's, never the bar's; a double click is a second press.
    SetControlStyle({csCaptureMouse, csOpaque});
    SetColor(clBtnFace);
    SetParentColor(false);
    SetShowHint(true);
    SetParentShowHint(false);
}

TActionMainMenuBar::TActionMainMenuBar(TComponent* owner) : TCustomActionBar(owner)
{
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

TCustomActionBar::~TCustomActionBar()
{
    Destroying();
    SetActionManager(nullptr);
    delete canvas_;
}

void TCustomActionBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

// ---- Manager and items ----

void TCustomActionBar::SetActionManager(TActionManager* value)
{
    if (value == actionManager_)
        return;
    if (actionManager_)
        actionManager_->RemoveFreeNotification(this);
    actionManager_ = value;
    if (actionManager_)
        actionManager_->FreeNotification(this);
    if (!HasState(csDestroying))
        ItemsChanged();
}

TActionBarItem* TCustomActionBar::ActionClient() const
{
    return actionManager_ ? actionManager_->ActionBars()->FindActionBar(this) : nullptr;
}

void TCustomActionBar::SetSpacing(int value)
{
    if (value == spacing_)
        return;
    spacing_ = value;
    ItemsChanged();
}

void TCustomActionBar::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == actionManager_) {
        actionManager_ = nullptr;
        ItemsChanged();
    }
}

void TCustomActionBar::ItemsChanged()
{
    layoutValid_ = false;
    hot_ = pressed_ = nullptr;  // the items may be gone; the next mouse move finds the hot one again
    buttons_.clear();
    if (HandleAllocated())
        platform::InvalidateRect(handle_, nullptr, false);
}

void TCustomActionBar::ItemChanged(TActionClientItem* item)
{
    if (!ButtonEnabled(item)) {
        if (hot_ == item)
            hot_ = nullptr;
        if (pressed_ == item)
            pressed_ = nullptr;
    }
    InvalidateItem(item);
}

void TCustomActionBar::InitiateAction()
{
    TWinControl::InitiateAction();
    TActionBarItem* client = ActionClient();
    if (!client)
        return;
    for (int i = 0; i < client->Items()->Count(); ++i)
        if (TActionClientLink* link = client->Items()->Items(i)->ActionLink())
            link->Update();
}

// ---- Layout ----

int TCustomActionBar::Scaled(int pixels) const
{
    return Screen ? MulDivRound(pixels, Screen->PixelsPerInch(), 96) : pixels;
}

std::vector<std::pair<int, int>> TCustomActionBar::CoveredSpans() const
{
    std::vector<std::pair<int, int>> spans;
    TWinControl* parent = Parent();
    if (!parent)
        return spans;
    const RECT bar = BoundsRect();
    bool above = false;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (sibling == this) {
            above = true;  // the windowed siblings after the bar lie over it
            continue;
        }
        const RECT r = sibling->BoundsRect();
        if (above && sibling->Visible() && r.left < bar.right && r.right > bar.left && r.top < bar.bottom &&
            r.bottom > bar.top)
            spans.emplace_back(r.left - bar.left, r.right - bar.left);
    }
    return spans;
}

void TCustomActionBar::UpdateLayout()
{
    if (layoutValid_ || !HandleAllocated())
        return;
    buttons_.clear();
    layoutValid_ = true;
    TActionBarItem* client = ActionClient();
    if (!client)
        return;
    TCustomImageList* images = actionManager_->Images();
    HDC dc = platform::WindowDC(handle_);
    HGDIOBJ oldFont = platform::SelectObject(dc, Font()->Handle());
    int x = Scaled(BarMargin);
    int top = Scaled(BarMargin), bottom = std::max(top, ClientHeight() - Scaled(BarMargin));
    const std::vector<std::pair<int, int>> covered = CoveredSpans();
    for (int i = 0; i < client->Items()->Count(); ++i) {
        TActionClientItem* item = client->Items()->Items(i);
        if (!item->Visible() || !item->Action())
            continue;
        int width = Scaled(LeadingSpace) + Scaled(TrailingSpace);
        if (images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count())
            width += images->Width() + (item->Caption().empty() ? 0 : Scaled(PictureGap));
        if (!item->Caption().empty()) {
            RECT text{0, 0, 0, 0};
            platform::DrawText(dc, item->Caption(), text, CaptionFormat | DT_CALCRECT);
            width += text.right - text.left;
        }
        // A button never hides under a control lying over the bar: it goes on after it.
        for (bool moved = true; moved;) {
            moved = false;
            for (auto [from, to] : covered)
                if (x < to && x + width > from) {
                    x = to + Scaled(BarMargin);
                    moved = true;
                }
        }
        buttons_.push_back({item, {x, top, x + width, bottom}});
        x += width + spacing_;
    }
    platform::SelectObject(dc, oldFont);
    platform::ReleaseWindowDC(handle_, dc);
}

int TCustomActionBar::ButtonCount()
{
    UpdateLayout();
    return static_cast<int>(buttons_.size());
}

RECT TCustomActionBar::ButtonRect(int index)
{
    UpdateLayout();
    return index >= 0 && index < static_cast<int>(buttons_.size()) ? buttons_[index].Bounds : RECT{};
}

TActionClientItem* TCustomActionBar::ButtonItem(int index)
{
    UpdateLayout();
    return index >= 0 && index < static_cast<int>(buttons_.size()) ? buttons_[index].Item : nullptr;
}

int TCustomActionBar::ButtonAt(POINT p)
{
    UpdateLayout();
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const RECT& r = buttons_[i].Bounds;
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

int TCustomActionBar::IndexOf(const TActionClientItem* item)
{
    if (!item)
        return -1;
    UpdateLayout();
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].Item == item)
            return static_cast<int>(i);
    return -1;
}

int TCustomActionBar::HotButton() { return IndexOf(hot_); }

int TCustomActionBar::PressedButton() { return IndexOf(pressed_); }

void TCustomActionBar::InvalidateItem(const TActionClientItem* item)
{
    int index = IndexOf(item);
    if (index >= 0 && HandleAllocated())
        platform::InvalidateRect(handle_, &buttons_[index].Bounds, false);
}

bool TCustomActionBar::ButtonEnabled(const TActionClientItem* item) const
{
    return item && item->Enabled() && Enabled();
}

// ---- Drawing ----

void TCustomActionBar::PaintWindow(HDC dc)
{
    UpdateLayout();
    RECT client = ClientRect();
    if (client.right <= 0 || client.bottom <= 0)
        return;
    // Drawn off screen first, so that a button changing its look never flickers.
    HDC memory = platform::CreateMemoryDC(dc);
    HBITMAP bitmap = memory ? platform::CreateDeviceBitmap(dc, client.right, client.bottom) : nullptr;
    if (!bitmap) {
        if (memory)
            platform::DeleteDC(memory);
        DrawBar(dc);
        return;
    }
    struct OffScreen {
        HDC memory;
        HBITMAP bitmap;
        HGDIOBJ old;
        ~OffScreen()
        {
            platform::SelectObject(memory, old);
            platform::DeleteObject(bitmap);
            platform::DeleteDC(memory);
        }
    } offScreen{memory, bitmap, platform::SelectObject(memory, bitmap)};
    DrawBar(memory);
    platform::StretchBlt(dc, client, memory, client, SRCCOPY);
}

void TCustomActionBar::DrawBar(HDC dc)
{
    struct DrawingOn {
        TCanvas& canvas;
        DrawingOn(TCanvas& c, HDC dc) : canvas(c) { canvas.SetHandle(dc); }
        ~DrawingOn() { canvas.SetHandle(nullptr); }
    } drawing(*canvas_, dc);
    canvas_->Brush()->SetColor(Color());
    canvas_->FillRect(ClientRect());
    canvas_->SetFont(Font());
    bool hideAccelerators = (platform::SendMessage(handle_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) != 0;
    for (const TButton& button : buttons_)
        DrawButton(dc, button, hideAccelerators);
}

void TCustomActionBar::DrawButton(HDC dc, const TButton& button, bool hideAccelerators)
{
    TActionClientItem* item = button.Item;
    bool enabled = ButtonEnabled(item);
    RECT r = button.Bounds;
    if (enabled && (item == pressed_ || item == hot_)) {
        // Held down: the pressed look while the mouse is still on it, the lit one when it strayed off.
        bool down = item == pressed_ && item == hot_;
        canvas_->Brush()->SetColor(Mixed(Color(), clHighlight, down ? 32 : 14));
        canvas_->FillRect(r);
        canvas_->Brush()->SetColor(Mixed(Color(), clHighlight, down ? 70 : 50));
        canvas_->FrameRect(r);
    }
    int x = r.left + Scaled(LeadingSpace);
    TCustomImageList* images = actionManager_ ? actionManager_->Images() : nullptr;
    if (images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count()) {
        int y = r.top + (r.bottom - r.top - images->Height() + 1) / 2;
        images->Draw(dc, x, y, item->ImageIndex(), enabled);
        x += images->Width() + Scaled(PictureGap);
    }
    if (item->Caption().empty())
        return;
    HDC handle = canvas_->Handle();  // with the bar's font selected
    platform::SetTextColor(handle, ColorToRGB(enabled ? Font()->Color() : clGrayText));
    platform::SetBackMode(handle, TRANSPARENT);
    RECT text{x, r.top, r.right, r.bottom};
    platform::DrawText(handle, item->Caption(), text, CaptionFormat | (hideAccelerators ? DT_HIDEPREFIX : 0));
}

// ---- Mouse ----

void TCustomActionBar::SetHot(TActionClientItem* item)
{
    if (item == hot_)
        return;
    InvalidateItem(hot_);
    hot_ = item;
    InvalidateItem(hot_);
}

void TCustomActionBar::WMMouseMove(TMessage& m)
{
    TWinControl::Dispatch(m);
    if (!trackingLeave_ && HandleAllocated())
        trackingLeave_ = platform::TrackMouseLeave(handle_);
    // A move the system made up for a window that was here before is no reason to light up.
    if (!pressed_ && platform::WindowFromPoint(platform::CursorPos()) != handle_) {
        SetHot(nullptr);
        return;
    }
    int index = ButtonAt(TMouseMsg(m).Pos());
    TActionClientItem* item = index >= 0 ? buttons_[index].Item : nullptr;
    // While a button is held, only that one can light up: leaving it lifts it, coming back presses it again.
    if (pressed_ && item != pressed_)
        item = nullptr;
    SetHot(ButtonEnabled(item) ? item : nullptr);
}

void TCustomActionBar::WMMouseLeave(TMessage& m)
{
    trackingLeave_ = false;
    SetHot(nullptr);
    TWinControl::Dispatch(m);
}

void TCustomActionBar::WMLButtonDown(TMessage& m)
{
    TWinControl::Dispatch(m);
    int index = ButtonAt(TMouseMsg(m).Pos());
    TActionClientItem* item = index >= 0 ? buttons_[index].Item : nullptr;
    if (!ButtonEnabled(item))
        return;
    pressed_ = item;
    hot_ = item;
    InvalidateItem(item);
}

void TCustomActionBar::WMLButtonUp(TMessage& m)
{
    TActionClientItem* pressed = pressed_;
    bool released = pressed && pressed == hot_;
    pressed_ = nullptr;
    TWinControl::Dispatch(m);  // lets the mouse go
    InvalidateItem(pressed);
    if (released && ButtonEnabled(pressed))
        ExecuteItem(pressed);
}

void TCustomActionBar::WMCaptureChanged(TMessage& m)
{
    // Another window took the mouse (a menu, a dialog): the held button comes up without acting.
    if (pressed_ && reinterpret_cast<HWND>(m.LParam) != handle_) {
        InvalidateItem(pressed_);
        pressed_ = nullptr;
    }
    TWinControl::Dispatch(m);
}

void TCustomActionBar::ExecuteItem(TActionClientItem* item)
{
    if (Application)
        Application->Hints().Cancel();
    if (TActionClientLink* link = item->ActionLink())
        link->Execute(this);
}

// ---- Keys and hints ----

bool TCustomActionBar::MenuBarTakes(char key) const
{
    TCustomForm* form = GetParentForm(this);
    TMainMenu* menu = form ? form->Menu() : nullptr;
    if (!menu)
        return false;
    TMenuItem* bar = menu->Items();
    for (int i = 0; i < bar->Count(); ++i) {
        TMenuItem* entry = bar->Items(i);
        char letter = MarkedLetter(entry->Caption());
        if (entry->Visible() && letter && SameLetter(letter, key))
            return true;
    }
    return false;
}

void TCustomActionBar::CMDialogChar(TMessage& m)
{
    TKeyMsg key(m);
    if (!key.Shift().Contains(ssAlt) || !Showing() || !Enabled() || key.CharCode() > 0xFF)
        return;
    char typed = static_cast<char>(key.CharCode());
    if (MenuBarTakes(typed))
        return;
    UpdateLayout();
    for (const TButton& button : buttons_) {
        char letter = MarkedLetter(button.Item->Caption());
        if (letter && SameLetter(letter, typed) && ButtonEnabled(button.Item)) {
            m.Result = 1;
            ExecuteItem(button.Item);
            return;
        }
    }
}

void TCustomActionBar::CMHintShow(TMessage& m)
{
    auto* info = reinterpret_cast<THintInfo*>(m.LParam);
    int index = info ? ButtonAt(info->CursorPos) : -1;
    if (index < 0) {
        m.Result = 1;  // between the buttons there is nothing to tell
        return;
    }
    const TButton& button = buttons_[index];
    TActionClientItem* item = button.Item;
    std::string hint = GetShortHint(item->Hint());
    if (hint.empty())
        hint = ShownCaption(item->Caption(), platform::IsFarEast());
    if (item->ActionLink() && !item->ActionLink()->DoShowHint(hint)) {
        m.Result = 1;
        return;
    }
    info->HintStr = hint;
    POINT topLeft = ClientToScreen({button.Bounds.left, button.Bounds.top});
    POINT bottomRight = ClientToScreen({button.Bounds.right, button.Bounds.bottom});
    info->CursorRect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    m.Result = 0;
}

void TCustomActionBar::TBGetItemRect(TMessage& m)
{
    const int index = static_cast<int>(m.WParam);
    m.Result = index >= 0 && index < ButtonCount() && m.LParam;
    if (m.Result)
        *reinterpret_cast<RECT*>(m.LParam) = ButtonRect(index);
}

void TCustomActionBar::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_MOUSEMOVE: WMMouseMove(m); break;
    case WM_MOUSELEAVE: WMMouseLeave(m); break;
    case WM_LBUTTONDOWN: WMLButtonDown(m); break;
    case WM_LBUTTONUP: WMLButtonUp(m); break;
    case WM_CAPTURECHANGED: WMCaptureChanged(m); break;
    case WM_PAINT: PaintHandler(m); break;    // the bar draws itself, not the default procedure
    case WM_ERASEBKGND: m.Result = 1; break;  // the paint covers every pixel
    case WM_SIZE:
        TWinControl::Dispatch(m);
        ItemsChanged();
        break;
    case WM_UPDATEUISTATE:
        TWinControl::Dispatch(m);
        Invalidate();
        break;
    case CMSG_DIALOGCHAR: CMDialogChar(m); break;
    case CMSG_HINTSHOW: CMHintShow(m); break;
    case ToolBarButtonCount: m.Result = ButtonCount(); break;
    case ToolBarHotItem: m.Result = HotButton(); break;
    case ToolBarItemRect: TBGetItemRect(m); break;
    case CMSG_FONTCHANGED:
    case CMSG_ENABLEDCHANGED:
        TWinControl::Dispatch(m);
        ItemsChanged();
        break;
    default: TWinControl::Dispatch(m); break;
    }
}
