// TCustomForm and TForm: construction from the resource and scaling, window parameters, showing,
// hiding and placing, the modal loop, closing and freeing, the active control and focus changes,
// dialog keys and action updates.
#include "framework/controls/form.h"

#include <mutex>

#include "framework/controls/application.h"
#include "framework/controls/drag.h"
#include "framework/controls/exception_hooks.h"
#include "framework/controls/modal_scope.h"
#include "framework/controls/screen.h"
#include "framework/controls/system_style.h"
#include "framework/controls/window_proc.h"
#include "framework/core/class_info.h"
#include "framework/core/fixups.h"
#include "framework/core/form_loading.h"
#include "framework/core/reader.h"
#include "framework/graphics/graphics_object.h"
#include "framework/graphics/mul_div.h"
#include "framework/menus/menu.h"
#include "platform/form_window.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "platform/window.h"

int FocusCount = 0;

constexpr TEnumName<TFormBorderStyle> FormBorderStyleNames[] = {
    {bsNone, "bsNone"},     {bsSingle, "bsSingle"},         {bsSizeable, "bsSizeable"},
    {bsDialog, "bsDialog"}, {bsToolWindow, "bsToolWindow"}, {bsSizeToolWin, "bsSizeToolWin"}};

const TTypeInfo& TypeInfoFor(TFormBorderStyle*) { return EnumTypeInfo<FormBorderStyleNames>("TFormBorderStyle"); }

constexpr TEnumName<TBorderIcon> BorderIconNames[] = {
    {biSystemMenu, "biSystemMenu"}, {biMinimize, "biMinimize"}, {biMaximize, "biMaximize"}, {biHelp, "biHelp"}};

const TTypeInfo& TypeInfoFor(TBorderIcon*) { return EnumTypeInfo<BorderIconNames>("TBorderIcon"); }

constexpr TEnumName<TWindowState> WindowStateNames[] = {
    {wsNormal, "wsNormal"}, {wsMinimized, "wsMinimized"}, {wsMaximized, "wsMaximized"}};

const TTypeInfo& TypeInfoFor(TWindowState*) { return EnumTypeInfo<WindowStateNames>("TWindowState"); }

constexpr TEnumName<TFormStyle> FormStyleNames[] = {
    {fsNormal, "fsNormal"}, {fsMDIChild, "fsMDIChild"}, {fsMDIForm, "fsMDIForm"}, {fsStayOnTop, "fsStayOnTop"}};

const TTypeInfo& TypeInfoFor(TFormStyle*) { return EnumTypeInfo<FormStyleNames>("TFormStyle"); }

constexpr TEnumName<TPosition> PositionNames[] = {
    {poDesigned, "poDesigned"},
    {poDefault, "poDefault"},
    {poDefaultPosOnly, "poDefaultPosOnly"},
    {poDefaultSizeOnly, "poDefaultSizeOnly"},
    {poScreenCenter, "poScreenCenter"},
    {poDesktopCenter, "poDesktopCenter"},
    {poMainFormCenter, "poMainFormCenter"},
    {poOwnerFormCenter, "poOwnerFormCenter"}};

const TTypeInfo& TypeInfoFor(TPosition*) { return EnumTypeInfo<PositionNames>("TPosition"); }

constexpr TEnumName<TDefaultMonitor> DefaultMonitorNames[] = {
    {dmDesktop, "dmDesktop"}, {dmPrimary, "dmPrimary"}, {dmMainForm, "dmMainForm"}, {dmActiveForm, "dmActiveForm"}};

const TTypeInfo& TypeInfoFor(TDefaultMonitor*) { return EnumTypeInfo<DefaultMonitorNames>("TDefaultMonitor"); }

constexpr TEnumName<TPrintScale> PrintScaleNames[] = {
    {poNone, "poNone"}, {poProportional, "poProportional"}, {poPrintToFit, "poPrintToFit"}};

const TTypeInfo& TypeInfoFor(TPrintScale*) { return EnumTypeInfo<PrintScaleNames>("TPrintScale"); }

const TClassInfo& TCustomForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomForm, TScrollingWinControl>("TCustomForm").Build();
    return info;
}

const TClassInfo& TForm::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TForm, TCustomForm>("TForm")
            .Property("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl)
            .Property("AutoScroll", &TForm::AutoScroll, &TForm::SetAutoScroll)
            .Property("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons)
            .Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle)
            .Property("Caption", &TForm::Caption, &TForm::SetCaption)
            .Property("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
            .Property("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
            .Property("DefaultMonitor", &TForm::DefaultMonitor, &TForm::SetDefaultMonitor)
            .Property("FormStyle", &TForm::FormStyle, &TForm::SetFormStyle)
            .Property("HorzScrollBar", &TForm::HorzScrollBar, &TForm::SetHorzScrollBar)
            .Property("Icon", &TForm::Icon, &TForm::SetIcon)
            .Property("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview)
            .Property("Menu", &TForm::Menu, &TForm::SetMenu)
            .Property("OldCreateOrder", &TForm::OldCreateOrder, &TForm::SetOldCreateOrder)
            .Property("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch)
            .Property("Position", &TForm::Position, &TForm::SetPosition)
            .Property("PrintScale", &TForm::PrintScale, &TForm::SetPrintScale)
            .Property("Scaled", &TForm::Scaled, &TForm::SetScaled)
            .Property("TextHeight", &TForm::TextHeight, &TForm::SetTextHeight)
            .Property("VertScrollBar", &TForm::VertScrollBar, &TForm::SetVertScrollBar)
            .Property("WindowState", &TForm::WindowState, &TForm::SetWindowState)
            .Property("OnActivate", &TForm::OnActivate)
            .Property("OnClose", &TForm::OnClose)
            .Property("OnCloseQuery", &TForm::OnCloseQuery)
            .Property("OnCreate", &TForm::OnCreate)
            .Property("OnDeactivate", &TForm::OnDeactivate)
            .Property("OnDestroy", &TForm::OnDestroy)
            .Property("OnHide", &TForm::OnHide)
            .Property("OnPaint", &TForm::OnPaint)
            .Property("OnShortCut", &TForm::OnShortCut)
            .Property("OnShow", &TForm::OnShow)
            .Build();
    return info;
}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}

TForm::TForm(TComponent* owner, TNoResource) : TCustomForm(owner, NoResource) {}

TCustomForm::TCustomForm(TComponent* owner) : TScrollingWinControl(owner), pixelsPerInch_(ScreenPixelsPerInch())
{
    InitForm();
}

TCustomForm::TCustomForm(TComponent* owner, TNoResource)
    : TScrollingWinControl(owner), readsResource_(false), pixelsPerInch_(ScreenPixelsPerInch())
{
    InitForm();
}

void TCustomForm::InitForm()
{
    controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    canvas_->SetControl(this);
    icon_->OnChange = TNotifyEvent(this, &TCustomForm::IconChanged);
    SetBounds(0, 0, 320, 240);
    SetVisible(false);
    SetParentColor(false);
    SetParentFont(false);
    SetCtl3D(true);
    SetColor(clBtnFace);
    if (Screen)
        Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    // A form deleted directly (not through FreeComponent or its owner) gets its last steps here.
    if (!preDestroyed_)
        TCustomForm::BeforeDestruction();
    std::lock_guard lock(GlobalNameSpace());
    if (!unfinished_ && oldCreateOrder_)
        DoDestroy();
    if (Screen)
        Screen->RemoveForm(this);
    if (Application)
        Application->UpdateTaskBarPresence();
    // The canvas gives back its context before the window goes, and the window goes while this
    // class's handlers can still see its messages.
    canvas_->FreeHandle();
    if (HandleAllocated())
        DestroyWindowWhileDestroying();
}

// ---- Construction and destruction ----

void TCustomForm::AfterConstruction()
{
    {
        std::lock_guard lock(GlobalNameSpace());
        if (readsResource_ && &ClassInfo() != &TForm::StaticClass() && !HasState(csDesigning)) {
            formState_.Include(fsCreating);
            unfinished_ = true;
            struct CreatingGuard {
                TFormState& state;
                ~CreatingGuard() { state.Exclude(fsCreating); }
            } creating{formState_};
            if (!ReadFormResources())
                throw EResNotFound(SResNotFound, {ClassName()});
            unfinished_ = false;
        }
        if (oldCreateOrder_)
            DoCreate();
    }
    if (!oldCreateOrder_)
        DoCreate();
    if (formState_.Contains(fsActivated)) {
        formState_.Exclude(fsActivated);
        PerformMessage(CMSG_ACTIVATE, 0, 0);
    }
}

bool TCustomForm::ReadFormResources() { return InitInheritedComponent(this, TForm::StaticClass()); }

void TCustomForm::DoCreate()
{
    if (OnCreate) {
        try {
            OnCreate(this);
        } catch (...) {
            HandleFrameworkException(this);
        }
    }
    if (formState_.Contains(fsVisible)) {
        formState_.Exclude(fsVisible);
        SetVisible(true);
    }
}

void TCustomForm::BeforeDestruction()
{
    if (preDestroyed_)
        return;
    preDestroyed_ = true;
    std::lock_guard lock(GlobalNameSpace());
    Destroying();
    RemoveGlobalFixupsOfRoot(this);
    RemoveFixupsOf(this);
    // A form whose resource could not be read was never whole: it is neither hidden nor told.
    if (unfinished_)
        return;
    if (formStyle_ != fsMDIChild) {
        try {
            SetVisible(false);
        } catch (...) {
            HandleFrameworkException(this);
        }
    }
    if (!oldCreateOrder_)
        DoDestroy();
}

void TCustomForm::DoDestroy()
{
    if (!OnDestroy)
        return;
    try {
        OnDestroy(this);
    } catch (...) {
        HandleFrameworkException(this);
    }
}

// ---- Reading the resource ----

void TCustomForm::ReadState(TReader& reader)
{
    DisableAlign();
    struct AlignGuard {
        TWinControl* control;
        ~AlignGuard() { control->EnableAlign(); }
    } align{this};
    storedClientWidth_ = 0;
    storedClientHeight_ = 0;
    textHeight_ = 0;
    oldCreateOrder_ = false;
    int fontHeight = Font()->Height();
    TScrollingWinControl::ReadState(reader);
    ScaleAfterReading(fontHeight);
}

// A form designed at another resolution, or whose font gives another text height here, has its
// children scaled by the text height it measures now over the one it was designed with.
void TCustomForm::ScaleAfterReading(int fontHeightBefore)
{
    bool scaled = false;
    if (pixelsPerInch_ != 0 && textHeight_ > 0) {
        int screen = ScreenPixelsPerInch();
        if (Font()->Height() != fontHeightBefore && pixelsPerInch_ != screen)
            Font()->SetHeight(MulDivRound(Font()->Height(), screen, pixelsPerInch_));
        pixelsPerInch_ = screen;
        int measured = platform::ScreenTextExtent(Font()->Handle(), "0").cy;
        if (measured > 0 && measured != textHeight_) {
            ScaleScrollBars(measured, textHeight_);
            ScaleControls(measured, textHeight_);
            storedClientWidth_ = MulDivRound(storedClientWidth_, measured, textHeight_);
            storedClientHeight_ = MulDivRound(storedClientHeight_, measured, textHeight_);
            scaled = true;
        }
    }
    if (!scaled)
        ScaleControls(1, 1);
    if (storedClientWidth_ > 0)
        TControl::SetClientWidth(storedClientWidth_);
    if (storedClientHeight_ > 0)
        TControl::SetClientHeight(storedClientHeight_);
}

void TCustomForm::DefineProperties(TFiler& filer)
{
    TScrollingWinControl::DefineProperties(filer);
    // A form that keeps its parent's font stores this instead of a font.
    filer.DefineProperty(
        "IgnoreFontProperty",
        [this](TReader& r) {
            if (r.ReadBoolean())
                SetParentFont(true);
        },
        nullptr, false);
}

void TCustomForm::Loaded()
{
    TScrollingWinControl::Loaded();
    // The active control read from the resource becomes active again through the setter, which
    // refuses one that cannot take the focus.
    if (activeControl_) {
        TWinControl* control = activeControl_;
        activeControl_ = nullptr;
        if (control->CanFocus())
            SetActiveControl(control);
    }
}

void TCustomForm::SetClientWidth(int value)
{
    if (controlState_.Contains(csReadingState))
        storedClientWidth_ = value;
    else
        TControl::SetClientWidth(value);
}

void TCustomForm::SetClientHeight(int value)
{
    if (controlState_.Contains(csReadingState))
        storedClientHeight_ = value;
    else
        TControl::SetClientHeight(value);
}

RECT TCustomForm::ClientRect() const
{
    if (handle_)
        return TScrollingWinControl::ClientRect();
    TCreateParams params;
    const_cast<TCustomForm*>(this)->CreateParams(params);
    RECT frame = platform::WindowFrame(params.Style, params.ExStyle, false);
    return {0, 0, width_ - (frame.right - frame.left), height_ - (frame.bottom - frame.top)};
}

void TCustomForm::SetScaled(bool value)
{
    if (value != Scaled())
        pixelsPerInch_ = value ? ScreenPixelsPerInch() : 0;
}

// ---- Window parameters ----

void TCustomForm::CreateParams(TCreateParams& params)
{
    TScrollingWinControl::CreateParams(params);
    if (!parent_ && !parentWindow_) {
        params.WndParent = Application ? Application->WindowHandle() : nullptr;
        params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
    }
    params.WindowClass.style = CS_DBLCLKS;
    if (position_ == poDefault || position_ == poDefaultPosOnly) {
        params.X = CW_USEDEFAULT;
        params.Y = CW_USEDEFAULT;
    }
    TBorderIcons icons = borderIcons_;
    TFormBorderStyle border = borderStyle_;
    if (formStyle_ == fsMDIChild && (border == bsNone || border == bsDialog))
        border = bsSizeable;
    switch (border) {
    case bsNone:
        if (!parent_ && !parentWindow_)
            params.Style |= WS_POPUP;
        icons = {};
        break;
    case bsSingle: params.Style |= WS_CAPTION; break;
    case bsSizeable:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        if (position_ == poDefault || position_ == poDefaultSizeOnly) {
            params.Width = CW_USEDEFAULT;
            params.Height = CW_USEDEFAULT;
        }
        break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        if (!NewStyleControls())
            params.Style |= DS_MODALFRAME | WS_DLGFRAME;
        params.WindowClass.style |= CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNWINDOW;
        icons = icons & TBorderIcons{biSystemMenu, biHelp};
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        icons = icons & TBorderIcons{biSystemMenu};
        break;
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        icons = icons & TBorderIcons{biSystemMenu};
        break;
    }
    if (border == bsDialog || border == bsToolWindow || border == bsSizeToolWin) {
        windowState_ = wsNormal;
    } else {
        bool systemMenu = icons.Contains(biSystemMenu);
        if (icons.Contains(biMinimize) && (formStyle_ != fsMDIChild || systemMenu))
            params.Style |= WS_MINIMIZEBOX;
        if (icons.Contains(biMaximize) && (formStyle_ != fsMDIChild || systemMenu))
            params.Style |= WS_MAXIMIZEBOX;
        if (windowState_ == wsMinimized)
            params.Style |= WS_MINIMIZE;
        else if (windowState_ == wsMaximized)
            params.Style |= WS_MAXIMIZE;
    }
    if (icons.Contains(biSystemMenu))
        params.Style |= WS_SYSMENU;
    if (icons.Contains(biHelp))
        params.ExStyle |= WS_EX_CONTEXTHELP;
    if (UseRightToLeftReading())
        params.ExStyle |= WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
}

void TCustomForm::CreateWnd()
{
    // No MDI frame is ever made here, so an MDI child has none to live in.
    if (formStyle_ == fsMDIChild &&
        (!Application || !Application->PrimaryForm() || Application->PrimaryForm()->FormStyle() != fsMDIForm ||
         !Application->PrimaryForm()->ClientHandle()))
        throw EInvalidOperation(SNoMDIForm);
    TScrollingWinControl::CreateWnd();
    SendIcon();
    if (formStyle_ == fsStayOnTop)
        platform::SetWindowPos(handle_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// While the form is read, a window made meanwhile keeps the system's default position and size.
void TCustomForm::WMWindowPosChanging(TMessage& m)
{
    auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
    if (pos && HasState(csLoading)) {
        if (position_ == poDefault || position_ == poDefaultPosOnly)
            pos->flags |= SWP_NOMOVE;
        if ((position_ == poDefault || position_ == poDefaultSizeOnly) &&
            (borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin))
            pos->flags |= SWP_NOSIZE;
    }
    TScrollingWinControl::Dispatch(m);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
    if (value == borderIcons_)
        return;
    borderIcons_ = value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value)
{
    if (value == formStyle_)
        return;
    formStyle_ = value;
    if (handle_ && value == fsStayOnTop)
        platform::SetWindowPos(handle_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    else if (handle_ && value == fsNormal)
        platform::SetWindowPos(handle_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState value)
{
    if (value == windowState_)
        return;
    windowState_ = value;
    if (HandleAllocated() && Showing()) {
        static const int commands[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED};
        platform::ShowWindow(handle_, commands[value]);
    }
}

// The window's big icon: the form's own, else the application's (a dialog frame shows none).
void TCustomForm::SendIcon()
{
    if (!handle_ || !NewStyleControls() || borderStyle_ == bsDialog)
        return;
    HICON icon = !icon_->Empty() ? icon_->Handle() : Application ? Application->Icon() : nullptr;
    if (icon)
        platform::SendMessage(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void TCustomForm::SetIcon(TIcon* value) { icon_->Assign(value); }

void TCustomForm::IconChanged(TObject*) { SendIcon(); }

// OnPaint draws on Canvas, which holds the painting context meanwhile.
void TCustomForm::PaintWindow(HDC dc)
{
    TCanvasLoan loan(*canvas_, dc);
    if (OnPaint)
        OnPaint(this);
}

// ---- Showing and hiding ----

void TCustomForm::SetVisible(bool value)
{
    if (formState_.Contains(fsCreating)) {
        if (value)
            formState_.Include(fsVisible);
        else
            formState_.Exclude(fsVisible);
        return;
    }
    if (value == Visible())
        return;
    if (formState_.Contains(fsShowing))
        throw EInvalidOperation(SVisibleChanged);
    if (value)
        MoveToDefaultMonitor();
    TScrollingWinControl::SetVisible(value);
}

void TCustomForm::ShowForm()
{
    SetVisible(true);
    if (HandleAllocated())
        platform::SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::HideForm()
{
    if (formStyle_ == fsMDIChild && Visible())
        throw EInvalidOperation(SMDIChildNotVisible);
    SetVisible(false);
}

void TCustomForm::DoShow()
{
    if (!OnShow)
        return;
    try {
        OnShow(this);
    } catch (...) {
        HandleFrameworkException(this);
    }
}

void TCustomForm::DoHide()
{
    if (!OnHide)
        return;
    try {
        OnHide(this);
    } catch (...) {
        HandleFrameworkException(this);
    }
}

void TCustomForm::CMShowingChanged(TMessage&)
{
    if (formState_.Contains(fsShowing))
        throw EInvalidOperation(SVisibleChanged);
    if (Application)
        Application->UpdateTaskBarPresence();
    formState_.Include(fsShowing);
    struct ShowingGuard {
        TFormState& state;
        ~ShowingGuard() { state.Exclude(fsShowing); }
    } guard{formState_};
    if (Showing()) {
        DoShow();
        PlaceByPosition();
        static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINNOACTIVE, SW_SHOWMAXIMIZED};
        platform::ShowWindow(handle_, commands[windowState_]);
    } else {
        DoHide();
        if (active_)
            MergeMenuIntoPrimary(false);
        CancelDragWithin(this);
        HideWindow();
    }
}

void TCustomForm::HideWindow()
{
    constexpr UINT hide = SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (formState_.Contains(fsModal)) {
        platform::SetWindowPos(handle_, nullptr, 0, 0, 0, 0, hide);
        return;
    }
    if (platform::ActiveWindow() != handle_ || platform::IsIconic(handle_)) {
        platform::ShowWindow(handle_, SW_HIDE);
        return;
    }
    // The activation goes to the next window of the program before this one disappears.
    HWND next = nullptr;
    for (bool topMost : {false, true}) {
        for (HWND window : platform::ThreadWindows()) {
            if (window != handle_ && platform::IsWindowVisible(window) && platform::IsWindowEnabled(window) &&
                ((platform::WindowLong(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) == topMost) {
                next = window;
                break;
            }
        }
        if (next)
            break;
    }
    if (next)
        platform::SetActiveWindow(next);
    platform::SetWindowPos(handle_, nullptr, 0, 0, 0, 0, hide);
}

namespace {

// The top-left corner that centres a `width` x `height` box over `area`.
POINT CentreIn(const RECT& area, int width, int height)
{
    return {area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
}

RECT ScreenArea() { return {0, 0, platform::SystemMetric(SM_CXSCREEN), platform::SystemMetric(SM_CYSCREEN)}; }

RECT FormArea(const TCustomForm* form) { return form->BoundsRect(); }

HMONITOR MonitorOfForm(const TCustomForm* form)
{
    if (form->HandleAllocated())
        return platform::MonitorOfWindow(form->WindowHandle());
    RECT r = form->BoundsRect();
    return platform::MonitorOfPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

}  // namespace

// The first showing places the form by Position; later showings keep where it is.
void TCustomForm::PlaceByPosition()
{
    if (HasState(csDesigning))
        return;
    TCustomForm* primary = Application ? Application->PrimaryForm() : nullptr;
    if (primary == this)
        primary = nullptr;
    const TCustomForm* over = nullptr;
    bool centred = true;
    RECT area = ScreenArea();
    switch (position_) {
    case poScreenCenter: break;
    case poMainFormCenter: over = primary; break;
    case poOwnerFormCenter: {
        auto* owner = dynamic_cast<TCustomForm*>(Owner());
        over = owner && owner != this ? owner : primary;
        break;
    }
    case poDesktopCenter:
        area = {platform::SystemMetric(SM_XVIRTUALSCREEN), platform::SystemMetric(SM_YVIRTUALSCREEN), 0, 0};
        area.right = area.left + platform::SystemMetric(SM_CXVIRTUALSCREEN);
        area.bottom = area.top + platform::SystemMetric(SM_CYVIRTUALSCREEN);
        break;
    default: centred = false; break;
    }
    if (centred) {
        if (over)
            area = FormArea(over);
        POINT corner = CentreIn(area, width_, height_);
        SetBounds(corner.x, corner.y, width_, height_);
        if (position_ != poDesktopCenter && Visible())
            MoveToDefaultMonitor();
    }
    position_ = poDesigned;
}

// A form that lies on another monitor than its default one moves there.
void TCustomForm::MoveToDefaultMonitor()
{
    if (defaultMonitor_ == dmDesktop || HasState(csDesigning))
        return;
    HMONITOR target = nullptr;
    switch (defaultMonitor_) {
    case dmPrimary: target = platform::MonitorOfPoint({0, 0}); break;
    case dmMainForm:
        if (Application && Application->PrimaryForm() && Application->PrimaryForm() != this)
            target = MonitorOfForm(Application->PrimaryForm());
        break;
    case dmActiveForm:
        if (Screen && Screen->ActiveCustomForm() && Screen->ActiveCustomForm() != this)
            target = MonitorOfForm(Screen->ActiveCustomForm());
        break;
    default: break;
    }
    HMONITOR current = MonitorOfForm(this);
    if (!target || target == current)
        return;
    RECT to = platform::MonitorRect(target);
    if (position_ == poScreenCenter || position_ == poMainFormCenter) {
        POINT corner = CentreIn(to, width_, height_);
        SetBounds(corner.x, corner.y, width_, height_);
        return;
    }
    RECT from = platform::MonitorRect(current);
    int left = left_ + to.left - from.left;
    int top = top_ + to.top - from.top;
    if (left + width_ > to.right)
        left = to.right - width_;
    if (top + height_ > to.bottom)
        top = to.bottom - height_;
    SetBounds(left, top, width_, height_);
}

// ---- The modal loop ----

TModalResult TCustomForm::ShowFormModal()
{
    CancelDrag();
    if (Visible() || !Enabled() || formState_.Contains(fsModal) || formStyle_ == fsMDIChild)
        throw EInvalidOperation(SCannotShowModal);
    if (HWND capture = platform::CaptureWindow())
        platform::SendMessage(capture, WM_CANCELMODE, 0, 0);
    platform::ReleaseCapture();
    formState_.Include(fsModal);
    TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    // Whatever ends the loop, the program gets back its windows, cursor and focus as they were.
    struct Restore {
        TCustomForm& form;
        TCursor cursor;
        int cursorCount = 0;
        ~Restore()
        {
            if (Screen)
                Screen->SetCursor(Screen->CursorCount() == cursorCount ? cursor : crDefault);
            form.formState_.Exclude(fsModal);
        }
    } restore{*this, cursor};
    TModalScope modal(nullptr, this);
    if (Screen) {
        Screen->SetCursor(crDefault);
        restore.cursorCount = Screen->CursorCount();
    }
    try {
        ShowForm();
        platform::SendMessage(Handle(), CMSG_ACTIVATE, 0, 0);
        modalResult_ = mrNone;
        do {
            Application->RunLoopStep();
            if (Application->QuitRequested())
                modalResult_ = mrCancel;
            else if (modalResult_ != mrNone)
                CloseModal();
        } while (modalResult_ == mrNone);
        platform::SendMessage(Handle(), CMSG_DEACTIVATE, 0, 0);
        if (platform::ActiveWindow() != handle_)
            modal.ForgetActiveWindow();
    } catch (...) {
        HideForm();
        throw;
    }
    HideForm();
    return modalResult_;
}

// A ModalResult set inside the loop closes the form only when the close protocol lets it.
void TCustomForm::CloseModal()
{
    try {
        TCloseAction action = caNone;
        if (QueryClose()) {
            action = caHide;
            DoClose(action);
        }
        if (action == caNone)
            modalResult_ = mrNone;
        else if (action == caFree)
            ReleaseForm();
    } catch (...) {
        modalResult_ = mrNone;
        HandleFrameworkException(this);
    }
}

// ---- Closing ----

bool TCustomForm::QueryClose()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

void TCustomForm::CloseForm()
{
    if (formState_.Contains(fsModal)) {
        modalResult_ = mrCancel;
        return;
    }
    if (!QueryClose())
        return;
    TCloseAction action = caHide;
    if (formStyle_ == fsMDIChild)
        action = borderIcons_.Contains(biMinimize) ? caMinimize : caNone;
    DoClose(action);
    if (action == caNone)
        return;
    // The mouse gesture of a drag does not outlive the form it began or ends on.
    CancelDragWithin(this);
    if (Application && Application->PrimaryForm() == this) {
        Application->RequestQuit();
        return;
    }
    switch (action) {
    case caHide: HideForm(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: ReleaseForm(); break;
    default: break;
    }
}

void TCustomForm::ReleaseForm() { platform::PostMessage(Handle(), CMSG_RELEASE, 0, 0); }

void TCustomForm::CMRelease(TMessage&) { FreeComponent(this); }

void TCustomForm::WMClose(TMessage&) { CloseForm(); }

void TCustomForm::WMQueryEndSession(TMessage& m) { m.Result = QueryClose() && CallTerminateHooks(); }

// Minimising the primary form minimises the whole application (whose window stands for it).
void TCustomForm::WMSysCommand(TMessage& m)
{
    if (TSysCommandMsg(m).Command() == SC_MINIMIZE && Application && Application->PrimaryForm() == this &&
        Application->WindowHandle())
        m.Result = platform::SendMessage(Application->WindowHandle(), WM_SYSCOMMAND, m.WParam, m.LParam);
    else
        TScrollingWinControl::Dispatch(m);
}

void TCustomForm::WMSize(TMessage& m)
{
    std::uintptr_t sizeType = TSizeMsg(m).SizeType();
    if (sizeType == SIZE_MINIMIZED)
        windowState_ = wsMinimized;
    else if (sizeType == SIZE_MAXIMIZED)
        windowState_ = wsMaximized;
    else
        windowState_ = wsNormal;
    // A minimised form keeps its children where they are (its client area is empty meanwhile).
    if (sizeType == SIZE_MINIMIZED)
        TControl::Dispatch(m);  // NOLINT(bugprone-parent-virtual-call): past the windowed control's realigning
    else
        TScrollingWinControl::Dispatch(m);
}

// ---- Active control and focus ----

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == activeControl_)
        return;
    if (control &&
        (control == this || GetParentForm(control) != this || (!HasState(csLoading) && !control->CanFocus())))
        throw EInvalidOperation(SCannotFocus);
    activeControl_ = control;
    if (!HasState(csLoading) && active_)
        SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control)
{
    bool wasActive = active_;
    SetActiveControl(control);
    if (!wasActive)
        SetFocus();
}

void TCustomForm::SetFocus()
{
    if (active_)
        return;
    if (!Visible() || !Enabled())
        throw EInvalidOperation(SCannotFocus);
    SetWindowFocus();
}

bool TCustomForm::CanFocus() const { return Visible() && Enabled(); }

void TCustomForm::SetWindowFocus()
{
    TWinControl* target = activeControl_ ? activeControl_ : this;
    platform::SetFocus(target->Handle());
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing)
{
    if (removing && control->ContainsControl(focusedControl_))
        focusedControl_ = control->Parent();
    if (control->ContainsControl(activeControl_))
        activeControl_ = nullptr;
}

bool TCustomForm::SendFocusMessage(TWinControl* control, std::uint32_t message)
{
    int count = FocusCount;
    try {
        control->PerformMessage(message, 0, 0);
    } catch (...) {
        HandleFrameworkException(control);
    }
    return FocusCount == count;
}

bool TCustomForm::SetFocusedControl(TWinControl* control)
{
    ++FocusCount;
    if (HasState(csDestroying))
        return false;
    activeControl_ = control != this ? control : nullptr;
    if (Screen)
        Screen->FocusMovedTo(this, control);
    if (control->ControlState().Contains(csFocusing))
        return false;
    control->SetControlState(control->ControlState() | TControlState{csFocusing});
    struct FocusingGuard {
        TWinControl* control;
        ~FocusingGuard() { control->SetControlState(control->ControlState() - TControlState{csFocusing}); }
    } guard{control};
    if (Screen && Screen->FocusedForm() != this) {
        if (TCustomForm* old = Screen->FocusedForm()) {
            Screen->SetFocusedForm(nullptr);
            if (!SendFocusMessage(old, CMSG_DEACTIVATE))
                return false;
        }
        Screen->SetFocusedForm(this);
        if (!SendFocusMessage(this, CMSG_ACTIVATE))
            return false;
    }
    if (!focusedControl_)
        focusedControl_ = this;
    if (focusedControl_ != control) {
        while (focusedControl_ && !focusedControl_->ContainsControl(control)) {
            TWinControl* leaving = focusedControl_;
            focusedControl_ = leaving->Parent();
            if (!SendFocusMessage(leaving, CMSG_EXIT))
                return false;
        }
        while (focusedControl_ != control) {
            TWinControl* entering = control;
            while (entering->Parent() != focusedControl_)
                entering = entering->Parent();
            focusedControl_ = entering;
            if (!SendFocusMessage(entering, CMSG_ENTER))
                return false;
        }
    }
    for (TWinControl* parent = control->Parent(); parent; parent = parent->Parent())
        if (auto* scrolling = dynamic_cast<TScrollingWinControl*>(parent))
            scrolling->ScrollInView(control);
    PerformMessage(CMSG_FOCUSCHANGED, 0, reinterpret_cast<std::intptr_t>(control));
    if (Screen)
        Screen->UpdateLastActive();
    return true;
}

void TCustomForm::SetActive(bool value)
{
    active_ = value;
    if (!value)
        return;
    if (!activeControl_ && !HasState(csDesigning))
        activeControl_ = FindNextControl(nullptr, true, true, false);
    MergeMenuIntoPrimary(true);
    SetWindowFocus();
}

// The form sets the focus itself, so the default activation (focus to the frame) is not run.
void TCustomForm::WMActivate(TMessage& m)
{
    if (formStyle_ != fsMDIForm)
        SetActive(LOWORD(m.WParam) != WA_INACTIVE);
}

void TCustomForm::CMActivate(TMessage&)
{
    if (formState_.Contains(fsCreating) || HasState(csReading)) {
        formState_.Include(fsActivated);
        return;
    }
    if (OnActivate)
        OnActivate(this);
}

void TCustomForm::CMDeactivate(TMessage&)
{
    if (formState_.Contains(fsCreating) || HasState(csReading)) {
        formState_.Exclude(fsActivated);
        return;
    }
    if (OnDeactivate)
        OnDeactivate(this);
}

// ---- Keys ----

bool TCustomForm::WantChildKey(TControl*, TMessage&) { return false; }

bool TCustomForm::IsShortCut(TMessage& message)
{
    bool handled = false;
    if (OnShortCut)
        OnShortCut(message, handled);
    return handled || MenuShortCut(message);
}

void TCustomForm::CMDialogKey(TMessage& m)
{
    if (!platform::KeyIsDown(VK_MENU)) {
        std::uint16_t key = TKeyMsg(m).CharCode();
        switch (key) {
        case VK_TAB:
            if (!platform::KeyIsDown(VK_CONTROL)) {
                SelectNext(activeControl_, !platform::KeyIsDown(VK_SHIFT), true);
                m.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (activeControl_ && activeControl_->Parent()) {
                activeControl_->Parent()->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
                m.Result = 1;
            }
            return;
        }
    }
    TScrollingWinControl::Dispatch(m);
}

// WM_NEXTDLGCTL as a dialog answers it: with a long parameter of 0 the focus moves to the next tab
// stop, or to the previous one for a non-zero word parameter; otherwise the word parameter is the
// window to focus.
void TCustomForm::WMNextDlgCtl(TMessage& m)
{
    if (m.LParam == 0) {
        SelectNext(activeControl_, m.WParam == 0, true);
    } else if (TWinControl* target = FindControl(reinterpret_cast<HWND>(m.WParam))) {
        if (target->CanFocus())
            target->SetFocus();
    }
    m.Result = 0;
}

void TCustomForm::SendCancelMode(TControl* sender)
{
    if (activeControl_)
        activeControl_->PerformMessage(CMSG_CANCELMODE, 0, reinterpret_cast<std::intptr_t>(sender));
}

// ---- Actions ----

namespace {

// Offers an action message to every visible child of `container`, depth first.
bool TraverseClients(TWinControl* container, TBasicAction* action, bool update)
{
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* control = container->Controls(i);
        if (!control->Visible())
            continue;
        if (update ? control->UpdateAction(action) : control->ExecuteAction(action))
            return true;
        if (auto* windowed = dynamic_cast<TWinControl*>(control))
            if (TraverseClients(windowed, action, update))
                return true;
    }
    return false;
}

void InitiateShowingActions(TWinControl* container)
{
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* control = container->Controls(i);
        auto* windowed = dynamic_cast<TWinControl*>(control);
        if (!control->Visible() || (windowed && !windowed->Showing()))
            continue;
        control->InitiateAction();
        if (windowed)
            InitiateShowingActions(windowed);
    }
}

}  // namespace

void TCustomForm::CMActionMessage(TMessage& m)
{
    auto* action = reinterpret_cast<TBasicAction*>(m.LParam);
    bool update = m.Msg == CMSG_ACTIONUPDATE;
    auto process = [&](TComponent* c) { return c && (update ? c->UpdateAction(action) : c->ExecuteAction(action)); };
    if (process(activeControl_) || process(this) || TraverseClients(this, action, update))
        m.Result = 1;
}

void TCustomForm::UpdateActions()
{
    if (HasState(csDesigning))
        return;
    InitiateAction();
    UpdateMenuActions();
    InitiateShowingActions(this);
}

// ---- Messages ----

void TCustomForm::WndProc(TMessage& m)
{
    // While the application forwards a system command, the form's focus messages are swallowed.
    if (Application && Application->FocusMessagesSuppressed() &&
        (m.Msg == WM_ACTIVATE || m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS))
        return;
    // The focus given to the form goes on to its active control (unless that one is between two
    // windows), before the form would become the focused control itself.
    if (m.Msg == WM_SETFOCUS && !HasState(csDestroying) && activeControl_ && activeControl_->HandleAllocated()) {
        SetWindowFocus();
        return;
    }
    TScrollingWinControl::WndProc(m);
}

void TCustomForm::Dispatch(TMessage& m)
{
    if (DispatchMenuMessage(m))
        return;
    switch (m.Msg) {
    case WM_ACTIVATE: WMActivate(m); break;
    case WM_CLOSE: WMClose(m); break;
    case WM_NEXTDLGCTL: WMNextDlgCtl(m); break;
    case WM_SYSCOMMAND: WMSysCommand(m); break;
    case WM_SIZE: WMSize(m); break;
    case WM_WINDOWPOSCHANGING: WMWindowPosChanging(m); break;
    // The form paints itself (OnPaint) even when it has no children that need painting.
    case WM_PAINT: PaintHandler(m); break;
    case WM_QUERYENDSESSION: WMQueryEndSession(m); break;
    case CMSG_ACTIVATE: CMActivate(m); break;
    case CMSG_DEACTIVATE: CMDeactivate(m); break;
    case CMSG_DIALOGKEY: CMDialogKey(m); break;
    case CMSG_SHOWINGCHANGED: CMShowingChanged(m); break;
    case CMSG_RELEASE: CMRelease(m); break;
    case CMSG_ACTIONUPDATE:
    case CMSG_ACTIONEXECUTE: CMActionMessage(m); break;
    default: TScrollingWinControl::Dispatch(m); break;
    }
}
