// TCustomForm and TForm: the top-level window, its active control, focus changes, dialog keys,
// showing and closing.
#include "framework/controls/form.h"

#include "framework/controls/application.h"
#include "framework/controls/exception_hooks.h"
#include "framework/controls/screen.h"
#include "framework/core/class_info.h"
#include "platform/input.h"
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

const TClassInfo& TCustomForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomForm, TWinControl>("TCustomForm").Build();
    return info;
}

const TClassInfo& TForm::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TForm, TCustomForm>("TForm")
            .Property("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl)
            .Property("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons)
            .Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle)
            .Property("Caption", &TForm::Caption, &TForm::SetCaption)
            .Property("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
            .Property("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
            .Property("FormStyle", &TForm::FormStyle, &TForm::SetFormStyle)
            .Property("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview)
            .Property("WindowState", &TForm::WindowState, &TForm::SetWindowState)
            .Property("OnActivate", &TForm::OnActivate)
            .Property("OnClose", &TForm::OnClose)
            .Property("OnCloseQuery", &TForm::OnCloseQuery)
            .Property("OnDeactivate", &TForm::OnDeactivate)
            .Property("OnHide", &TForm::OnHide)
            .Property("OnShortCut", &TForm::OnShortCut)
            .Property("OnShow", &TForm::OnShow)
            .Build();
    return info;
}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner)
{
    controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 320, 240);
    SetVisible(false);
    SetParentColor(false);
    SetParentFont(false);
    SetColor(clBtnFace);
    if (Screen)
        Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    Destroying();
    if (Screen)
        Screen->RemoveForm(this);
    // The window goes while this class's handlers can still see its messages.
    if (HandleAllocated())
        DestroyWindowWhileDestroying();
}

// ---- Window parameters ----

void TCustomForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    if (!parent_ && !parentWindow_) {
        params.WndParent = Application ? Application->WindowHandle() : nullptr;
        params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
    }
    params.WindowClass.style = CS_DBLCLKS;
    TBorderIcons icons = borderIcons_;
    TWindowState state = windowState_;
    switch (borderStyle_) {
    case bsNone:
        if (!parent_ && !parentWindow_)
            params.Style |= WS_POPUP;
        icons = {};
        break;
    case bsSingle: params.Style |= WS_CAPTION; break;
    case bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        params.WindowClass.style |= CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNWINDOW;
        icons = icons & TBorderIcons{biSystemMenu, biHelp};
        state = wsNormal;
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        icons = icons & TBorderIcons{biSystemMenu};
        state = wsNormal;
        break;
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        icons = icons & TBorderIcons{biSystemMenu};
        state = wsNormal;
        break;
    }
    if (icons.Contains(biMinimize))
        params.Style |= WS_MINIMIZEBOX;
    if (icons.Contains(biMaximize))
        params.Style |= WS_MAXIMIZEBOX;
    if (state == wsMinimized)
        params.Style |= WS_MINIMIZE;
    else if (state == wsMaximized)
        params.Style |= WS_MAXIMIZE;
    if (icons.Contains(biSystemMenu))
        params.Style |= WS_SYSMENU;
    if (icons.Contains(biHelp))
        params.ExStyle |= WS_EX_CONTEXTHELP;
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

// ---- Showing and closing ----

void TCustomForm::ShowForm()
{
    SetVisible(true);
    if (HandleAllocated())
        platform::SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::HideForm() { SetVisible(false); }

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
    if (Showing()) {
        DoShow();
        static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINNOACTIVE, SW_SHOWMAXIMIZED};
        platform::ShowWindow(handle_, commands[windowState_]);
    } else {
        DoHide();
        platform::ShowWindow(handle_, SW_HIDE);
    }
}

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
    if (!QueryClose())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
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

void TCustomForm::CMRelease(TMessage&) { delete this; }

void TCustomForm::WMClose(TMessage&) { CloseForm(); }

// Minimising the primary form minimises the whole application (whose window stands for it).
void TCustomForm::WMSysCommand(TMessage& m)
{
    if (TSysCommandMsg(m).Command() == SC_MINIMIZE && Application && Application->PrimaryForm() == this &&
        Application->WindowHandle())
        m.Result = platform::SendMessage(Application->WindowHandle(), WM_SYSCOMMAND, m.WParam, m.LParam);
    else
        TWinControl::Dispatch(m);
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
        TControl::Dispatch(m);
    else
        TWinControl::Dispatch(m);
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
        PerformMessage(CMSG_FOCUSCHANGED, 0, reinterpret_cast<std::intptr_t>(control));
    }
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
    if (OnActivate)
        OnActivate(this);
}

void TCustomForm::CMDeactivate(TMessage&)
{
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
    return handled;
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
    TWinControl::Dispatch(m);
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
    TWinControl::WndProc(m);
}

void TCustomForm::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_ACTIVATE: WMActivate(m); break;
    case WM_CLOSE: WMClose(m); break;
    case WM_SYSCOMMAND: WMSysCommand(m); break;
    case WM_SIZE: WMSize(m); break;
    case CMSG_ACTIVATE: CMActivate(m); break;
    case CMSG_DEACTIVATE: CMDeactivate(m); break;
    case CMSG_DIALOGKEY: CMDialogKey(m); break;
    case CMSG_SHOWINGCHANGED: CMShowingChanged(m); break;
    case CMSG_RELEASE: CMRelease(m); break;
    case CMSG_ACTIONUPDATE:
    case CMSG_ACTIONEXECUTE: CMActionMessage(m); break;
    default: TWinControl::Dispatch(m); break;
    }
}
