// TStatusBar: panels, the part edges and texts they give the system's status bar window, the simple
// part, the size grip and the system font.
#include "framework/controls/status_bar.h"

#include <algorithm>

#include "framework/controls/form.h"
#include "framework/controls/hint_action.h"
#include "framework/controls/screen.h"
#include "framework/core/class_info.h"
#include "platform/gdi.h"
#include "platform/screen.h"
#include "platform/status_bar.h"
#include "platform/window.h"

namespace {

// The window takes at most this many parts.
constexpr int MaxParts = 128;
// The part number of the simple part.
constexpr int SimplePart = 255;

bool MiddleEastSystem() { return platform::SystemMetric(SM_MIDEASTENABLED) != 0; }

}  // namespace

constexpr TEnumName<TStatusPanelBevel> StatusPanelBevelNames[] = {
    {pbNone, "pbNone"}, {pbLowered, "pbLowered"}, {pbRaised, "pbRaised"}};

const TTypeInfo& TypeInfoFor(TStatusPanelBevel*) { return EnumTypeInfo<StatusPanelBevelNames>("TStatusPanelBevel"); }

constexpr TEnumName<TStatusPanelStyle> StatusPanelStyleNames[] = {{psText, "psText"}, {psOwnerDraw, "psOwnerDraw"}};

const TTypeInfo& TypeInfoFor(TStatusPanelStyle*) { return EnumTypeInfo<StatusPanelStyleNames>("TStatusPanelStyle"); }

// ---- A panel ----

const TClassInfo& TStatusPanel::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TStatusPanel, TCollectionItem>("TStatusPanel")
            .Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
            .Property("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
            .Property("BiDiMode", &TStatusPanel::BiDiMode, &TStatusPanel::SetBiDiMode)
            .Property("ParentBiDiMode", &TStatusPanel::ParentBiDiMode, &TStatusPanel::SetParentBiDiMode)
            .Property("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle)
            .Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
            .Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
            .Build();
    return info;
}

TStatusPanel::TStatusPanel() = default;

void TStatusPanel::Assign(const TPersistent* source)
{
    auto* other = dynamic_cast<const TStatusPanel*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    SetText(other->text_);
    SetWidth(other->width_);
    SetAlignment(other->alignment_);
    SetBevel(other->bevel_);
    SetStyle(other->style_);
}

std::string TStatusPanel::GetDisplayName() const { return text_.empty() ? TCollectionItem::GetDisplayName() : text_; }

TCustomStatusBar* TStatusPanel::StatusBar() const
{
    auto* panels = dynamic_cast<TStatusPanels*>(Collection());
    return panels ? panels->StatusBar() : nullptr;
}

void TStatusPanel::SetText(const std::string& value)
{
    if (value == text_)
        return;
    text_ = value;
    Changed(false);
}

void TStatusPanel::SetWidth(int value)
{
    if (value == width_)
        return;
    width_ = value;
    Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel value)
{
    if (value == bevel_)
        return;
    bevel_ = value;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    Changed(false);
}

void TStatusPanel::SetBiDiMode(TBiDiMode value)
{
    if (value == biDiMode_)
        return;
    biDiMode_ = value;
    parentBiDiMode_ = false;
    Changed(false);
}

void TStatusPanel::SetParentBiDiMode(bool value)
{
    if (value == parentBiDiMode_)
        return;
    parentBiDiMode_ = value;
    ParentBiDiModeChanged();
}

void TStatusPanel::ParentBiDiModeChanged()
{
    TCustomStatusBar* bar = StatusBar();
    if (!parentBiDiMode_ || !bar)
        return;
    if (bar->BiDiMode() != biDiMode_) {
        biDiMode_ = bar->BiDiMode();
        Changed(false);
    }
}

bool TStatusPanel::UseRightToLeftReading() const { return MiddleEastSystem() && biDiMode_ != bdLeftToRight; }

bool TStatusPanel::UseRightToLeftAlignment() const { return MiddleEastSystem() && biDiMode_ == bdRightToLeft; }

// ---- The panels ----

const TClassInfo& TStatusPanels::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStatusPanels, TCollection>("TStatusPanels").Build();
    return info;
}

TStatusPanels::TStatusPanels(TCustomStatusBar* statusBar)
    : TCollection(TCollectionItemClass::Of<TStatusPanel>()), statusBar_(statusBar)
{}

TPersistent* TStatusPanels::GetOwner() const { return statusBar_; }

TCollectionItem* TStatusPanels::CreateItem() { return statusBar_->CreatePanel(); }

void TStatusPanels::Update(TCollectionItem* item)
{
    if (item)
        statusBar_->UpdatePanel(item->Index(), false);
    else
        statusBar_->UpdatePanels(true, false);
}

// ---- The bar ----

const TClassInfo& TCustomStatusBar::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomStatusBar, TWinControl>("TCustomStatusBar").Build();
    return info;
}

const TClassInfo& TStatusBar::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TStatusBar, TCustomStatusBar>("TStatusBar")
            .Property("AutoHint", &TStatusBar::AutoHint, &TStatusBar::SetAutoHint)
            .Property("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels)
            .Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel)
            .Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
            .Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip)
            .Property("UseSystemFont", &TStatusBar::UseSystemFont, &TStatusBar::SetUseSystemFont)
            .Property("OnDrawPanel", &TStatusBar::OnDrawPanel)
            .Property("OnHint", &TStatusBar::OnHint)
            .Property("OnCreatePanelClass", &TStatusBar::OnCreatePanelClass)
            .Build();
    return info;
}

TCustomStatusBar::TCustomStatusBar(TComponent* owner)
    : TWinControl(owner), panels_(new TStatusPanels(this)), canvas_(new TControlCanvas)
{
    canvas_->SetControl(this);
    SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
    SetColor(clBtnFace);
    SetHeight(19);
    SetAlign(alBottom);
    SetParentFont(false);
    SyncToSystemFont();
}

TCustomStatusBar::~TCustomStatusBar()
{
    delete canvas_;
    canvas_ = nullptr;
    delete panels_;
    panels_ = nullptr;
}

void TCustomStatusBar::CreateParams(TCreateParams& params)
{
    platform::RegisterBarClasses();
    TWinControl::CreateParams(params);
    CreateSubClass(params, platform::StatusBarClassName);
    params.Style |= sizeGrip_ && sizeGripValid_ ? SBARS_SIZEGRIP : CCS_TOP;
    params.WindowClass.style &= ~CS_HREDRAW;
}

void TCustomStatusBar::CreateWnd()
{
    ValidateSizeGrip(false);
    TWinControl::CreateWnd();
    platform::SetStatusBackColor(handle_, ColorToRGB(Color()));
    UpdatePanels(true, false);
    if (!simpleText_.empty())
        platform::SetStatusText(handle_, SimplePart, 0, simpleText_);
    if (simplePanel_)
        platform::SetStatusSimple(handle_, true);
}

TStatusPanel* TCustomStatusBar::CreatePanel()
{
    TStatusPanelClass panelClass = TCollectionItemClass::Of<TStatusPanel>();
    if (OnCreatePanelClass)
        OnCreatePanelClass(this, panelClass);
    TCollectionItem* item = panelClass.Create();
    if (auto* panel = dynamic_cast<TStatusPanel*>(item))
        return panel;
    delete item;
    throw EListError(SInvalidPropertyValue, {0});  // the collection's answer to an item of another class
}

// ---- Panels to parts ----

void TCustomStatusBar::UpdatePanels(bool updateRects, bool repaint)
{
    if (!handle_ || !panels_)
        return;
    int count = panels_->Count();
    if (updateRects) {
        count = std::min(count, MaxParts);
        if (count == 0) {
            platform::SetStatusParts(handle_, {-1});
            platform::SetStatusText(handle_, 0, 0, "");
        } else {
            std::vector<int> edges(count);
            int edge = 0;
            for (int i = 0; i < count - 1; ++i) {
                edge += panels_->Items(i)->Width();
                edges[i] = edge;
            }
            edges[count - 1] = -1;  // the last part reaches the window's right end
            platform::SetStatusParts(handle_, edges);
        }
    }
    for (int i = 0; i < count; ++i)
        UpdatePanel(i, repaint);
}

void TCustomStatusBar::UpdatePanel(int index, bool repaint)
{
    if (!handle_ || !panels_)
        return;
    TStatusPanel* panel = panels_->Items(index);
    if (!repaint) {
        panel->updateNeeded_ = true;
        RECT part = platform::StatusPartRect(handle_, index);
        platform::InvalidateRect(handle_, &part, true);
        return;
    }
    if (!panel->updateNeeded_)
        return;
    panel->updateNeeded_ = false;
    UINT flags = 0;
    switch (panel->Bevel()) {
    case pbNone: flags |= SBT_NOBORDERS; break;
    case pbRaised: flags |= SBT_POPOUT; break;
    case pbLowered: break;
    }
    if (panel->UseRightToLeftReading())
        flags |= SBT_RTLREADING;
    if (panel->Style() == psOwnerDraw)
        flags |= SBT_OWNERDRAW;
    TAlignment alignment = panel->Alignment();
    if (panel->UseRightToLeftAlignment() && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    // The window places the text after the tabs in front of it: one centres it, two put it right.
    std::string text = panel->Text();
    if (alignment == taCenter)
        text.insert(0, "\t");
    else if (alignment == taRightJustify)
        text.insert(0, "\t\t");
    platform::SetStatusText(handle_, index, flags, text);
}

// ---- Simple part ----

void TCustomStatusBar::SetSimplePanel(bool value)
{
    if (value == simplePanel_)
        return;
    simplePanel_ = value;
    if (handle_)
        platform::SetStatusSimple(handle_, value);
}

void TCustomStatusBar::SetSimpleText(const std::string& value)
{
    if (value == simpleText_)
        return;
    simpleText_ = value;
    if (!handle_)
        return;
    std::string text = value;
    if (MiddleEastSystem() && BiDiMode() == bdRightToLeft)
        text.insert(0, "\t\t");
    platform::SetStatusText(handle_, SimplePart, UseRightToLeftReading() ? SBT_RTLREADING : 0, text);
}

bool TCustomStatusBar::ExecuteAction(TBasicAction* action)
{
    auto* hint = dynamic_cast<THintAction*>(action);
    if (!autoHint_ || !hint)
        return TWinControl::ExecuteAction(action);
    if (OnHint) {
        OnHint(this);
    } else if (simplePanel_ || !panels_ || panels_->Count() == 0) {
        SetSimpleText(hint->Hint());
    } else {
        panels_->Items(0)->SetText(hint->Hint());
    }
    return true;
}

void TCustomStatusBar::WMGetTextLength(TMessage& m) { m.Result = static_cast<std::intptr_t>(simpleText_.size()); }

// ---- Size grip ----

void TCustomStatusBar::SetSizeGrip(bool value)
{
    if (value == sizeGrip_)
        return;
    bool shown = sizeGrip_ && sizeGripValid_;
    sizeGrip_ = value;
    ValidateSizeGrip(false);
    // The window's style holds the grip: a grip that comes or goes needs a new window.
    if (shown != (sizeGrip_ && sizeGripValid_))
        RecreateWnd();
}

void TCustomStatusBar::ValidateSizeGrip(bool recreate)
{
    bool valid = false;
    TCustomForm* form = GetParentForm(this);
    if (form && parent_ && (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin) &&
        form->HandleAllocated() && parent_->HandleAllocated()) {
        POINT corner = form->ScreenToClient(parent_->ClientToScreen({left_ + width_, top_ + height_}));
        valid = corner.x == form->ClientWidth() && corner.y == form->ClientHeight();
    }
    if (valid == sizeGripValid_)
        return;
    sizeGripValid_ = valid;
    if (recreate && sizeGrip_)
        RecreateWnd();
}

void TCustomStatusBar::SetBounds(int left, int top, int width, int height)
{
    TWinControl::SetBounds(left, top, width, height);
    ValidateSizeGrip(true);
}

// ---- Font ----

void TCustomStatusBar::SetUseSystemFont(bool value)
{
    if (value == useSystemFont_)
        return;
    useSystemFont_ = value;
    if (value) {
        SetParentFont(false);
        SyncToSystemFont();
    }
}

void TCustomStatusBar::SyncToSystemFont()
{
    if (!useSystemFont_)
        return;
    TFont system;
    system.Assign(Font());
    AssignHintFont(&system);
    system.SetColor(clBtnText);
    Font()->Assign(&system);
}

void TCustomStatusBar::CMParentFontChanged(TMessage& m)
{
    TWinControl::Dispatch(m);
    if (useSystemFont_ && ParentFont())
        useSystemFont_ = false;
}

void TCustomStatusBar::ChangeScale(int multiplier, int divider)
{
    // The system font keeps its size: only the position moves.
    if (useSystemFont_)
        scalingFlags_ = {sfTop};
    TWinControl::ChangeScale(multiplier, divider);
}

void TCustomStatusBar::CMBiDiModeChanged(TMessage& m)
{
    TWinControl::Dispatch(m);
    if (!panels_)
        return;
    panels_->BeginUpdate();
    try {
        for (int i = 0; i < panels_->Count(); ++i)
            panels_->Items(i)->ParentBiDiModeChanged();
    } catch (...) {
        panels_->EndUpdate();
        throw;
    }
    panels_->EndUpdate();
}

// ---- Owner-drawn parts ----

void TCustomStatusBar::CNDrawItem(TMessage& m)
{
    auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
    struct SavedDC {
        HDC dc;
        int saved;
        ~SavedDC() { platform::RestoreDC(dc, saved); }
    } savedDC{item->hDC, platform::SaveDC(item->hDC)};
    TCanvasLoan loan(*canvas_, item->hDC);
    canvas_->SetFont(Font());
    canvas_->Brush()->SetColor(clBtnFace);
    canvas_->Brush()->SetStyle(bsSolid);
    if (panels_ && static_cast<int>(item->itemID) < panels_->Count())
        DrawPanel(panels_->Items(static_cast<int>(item->itemID)), item->rcItem);
    m.Result = 1;
}

void TCustomStatusBar::DrawPanel(TStatusPanel* panel, const RECT& rect)
{
    if (OnDrawPanel)
        OnDrawPanel(this, panel, rect);
    else
        canvas_->FillRect(rect);
}

// ---- Messages ----

void TCustomStatusBar::WMPaint(TMessage& m)
{
    UpdatePanels(false, true);
    TWinControl::Dispatch(m);
}

void TCustomStatusBar::WMSize(TMessage&)
{
    // The window would move itself to its parent's edge; the bar's alignment places it instead.
    if (!HasState(csLoading))
        Resize();
    Repaint();
}

void TCustomStatusBar::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT: WMPaint(m); break;
    case WM_SIZE: WMSize(m); break;
    case WM_GETTEXTLENGTH: WMGetTextLength(m); break;
    case CN_DRAWITEM: CNDrawItem(m); break;
    case WM_SYSCOLORCHANGE:
    case CMSG_COLORCHANGED:
        TWinControl::Dispatch(m);
        RecreateWnd();
        break;
    case WM_WININICHANGE:
        TWinControl::Dispatch(m);
        if (m.WParam == 0 || m.WParam == SPI_SETNONCLIENTMETRICS)
            SyncToSystemFont();
        break;
    case WM_FONTCHANGE:
        TWinControl::Dispatch(m);
        SyncToSystemFont();
        break;
    case CMSG_PARENTFONTCHANGED: CMParentFontChanged(m); break;
    case CMSG_BIDIMODECHANGED: CMBiDiModeChanged(m); break;
    default: TWinControl::Dispatch(m); break;
    }
}
