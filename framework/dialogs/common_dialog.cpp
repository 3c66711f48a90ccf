// TCommonDialog: the modal run, the common hook with centring and binding, the bound window
// procedure, and the registered messages and atom the dialogs share.
#include "framework/dialogs/common_dialog.h"

#include <float.h>

#include "framework/controls/application.h"
#include "framework/controls/exception_hooks.h"
#include "framework/controls/form.h"
#include "framework/controls/modal_scope.h"
#include "framework/controls/screen.h"
#include "framework/core/class_info.h"
#include "framework/core/class_registry.h"
#include "framework/core/format.h"
#include "platform/module.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace {

TCommonDialog* creationDialog = nullptr;

// The dialogs' atoms, added once and deleted when the program ends: under the first a bound window
// keeps its object, under the second a subclassing procedure the one it replaced.
struct DialogAtoms {
    ATOM object = Add("VelmoraDialog");
    ATOM procedure = Add("VelmoraDialogProc");
    ~DialogAtoms()
    {
        platform::GlobalDeleteAtom(object);
        platform::GlobalDeleteAtom(procedure);
    }
    static ATOM Add(const char* name)
    {
        return platform::GlobalAddAtom(Format("%s%.8X", {name, static_cast<unsigned>(platform::ProcessId())}));
    }
};

DialogAtoms& Atoms()
{
    static DialogAtoms atoms;
    return atoms;
}

ATOM DialogAtom() { return Atoms().object; }

// The floating-point control fields a system dialog or a printer driver may change.
constexpr unsigned FloatControlMask = _MCW_EM | _MCW_IC | _MCW_RC | _MCW_PC;

// The application around a modal system dialog: the other windows of the thread disabled, the focus
// state put aside, a hook on the application window. The destructor undoes it all, also when an
// exception passes, and first puts back the floating-point control word as it was before the call.
class TaskModalScope {
public:
    explicit TaskModalScope(const TWindowHook& hook)
        : hook_(hook), modal_(Application ? Application->WindowHandle() : nullptr)
    {
        if (Application)
            Application->HookMainWindow(hook_);
        floatControl_ = _control87(0, 0);
    }
    ~TaskModalScope()
    {
        _clearfp();
        _control87(floatControl_, FloatControlMask);
        if (Application)
            Application->UnhookMainWindow(hook_);
    }
    TaskModalScope(const TaskModalScope&) = delete;
    TaskModalScope& operator=(const TaskModalScope&) = delete;

private:
    TWindowHook hook_;
    TModalScope modal_;
    unsigned floatControl_ = 0;
};

}  // namespace

void RegisterDialogClasses(std::initializer_list<const TClassInfo*> classes)
{
    static const bool grouped = [] {
        StartClassGroup(TControl::StaticClass());
        GroupDescendentsWith(TCommonDialog::StaticClass(), TControl::StaticClass());
        return true;
    }();
    (void)grouped;
    RegisterComponentClasses(classes);
}

UINT HelpMessage()
{
    static const UINT message = platform::RegisterWindowMessage("commdlg_help");
    return message;
}

UINT FindReplaceMessage()
{
    static const UINT message = platform::RegisterWindowMessage("commdlg_FindReplace");
    return message;
}

ATOM DialogProcAtom() { return Atoms().procedure; }

const TClassInfo& TCommonDialog::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCommonDialog, TComponent>("TCommonDialog")
            .Property("Ctl3D", &TCommonDialog::Ctl3D, &TCommonDialog::SetCtl3D)
            .Property("HelpContext", &TCommonDialog::HelpContext, &TCommonDialog::SetHelpContext)
            .Property("OnClose", &TCommonDialog::OnClose)
            .Property("OnShow", &TCommonDialog::OnShow)
            .Build();
    return info;
}

TCommonDialog::TCommonDialog(TComponent* owner) : TComponent(owner)
{
    // Registered at start-up rather than while a dialog sends them.
    HelpMessage();
    FindReplaceMessage();
}

TCommonDialog::~TCommonDialog()
{
    if (creationDialog == this)
        creationDialog = nullptr;
    Unbind();
}

void TCommonDialog::SetCreationDialog(TCommonDialog* dialog) { creationDialog = dialog; }

TCommonDialog* TCommonDialog::TakeCreationDialog()
{
    TCommonDialog* dialog = creationDialog;
    creationDialog = nullptr;
    return dialog;
}

// ---- The modal run ----

bool TCommonDialog::TaskModalDialog(const std::function<bool()>& run)
{
    TaskModalScope scope(TWindowHook(this, &TCommonDialog::AppWindowHook));
    SetCreationDialog(this);
    try {
        bool confirmed = run();
        SetCreationDialog(nullptr);
        return confirmed;
    } catch (...) {
        SetCreationDialog(nullptr);
        throw;
    }
}

void TCommonDialog::AppWindowHook(TMessage& message, bool& handled) { handled = MessageHook(message); }

bool TCommonDialog::MessageHook(TMessage& message)
{
    if (message.Msg != HelpMessage() || helpContext_ == 0 || !Application)
        return false;
    platform::SendMessage(Application->WindowHandle(), CMSG_INVOKEHELP, HELP_CONTEXT, helpContext_);
    return true;
}

// ---- Hook, centring and binding ----

void TCommonDialog::CentreWindow(HWND window)
{
    HMONITOR monitor = nullptr;
    TCustomForm* form = Screen ? Screen->ActiveCustomForm() : nullptr;
    if (!form && Application)
        form = Application->PrimaryForm();
    if (form && form->HandleAllocated())
        monitor = platform::MonitorOfWindow(form->WindowHandle());
    else
        monitor = platform::MonitorOfPoint({0, 0});
    RECT area = platform::MonitorRect(monitor);
    RECT bounds = platform::WindowRect(window);
    int width = bounds.right - bounds.left;
    int height = bounds.bottom - bounds.top;
    platform::SetWindowPos(
        window, nullptr, area.left + (area.right - area.left - width) / 2,
        area.top + (area.bottom - area.top - height) / 3, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOZORDER);
}

UINT_PTR CALLBACK TCommonDialog::DialogHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    try {
        CentreWindow(window);
        BindCreationDialog(window, wParam, lParam);
    } catch (...) {
        HandleFrameworkException(nullptr);
    }
    return 0;
}

void TCommonDialog::BindCreationDialog(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (TCommonDialog* dialog = TakeCreationDialog()) {
        dialog->Bind(window);
        BoundWindowProc(window, WM_INITDIALOG, wParam, lParam);
    }
}

bool TCommonDialog::NewStyleControls() { return (platform::SystemVersion() & 0xFF) > 3; }

void TCommonDialog::Bind(HWND window)
{
    handle_ = window;
    platform::SetProp(window, DialogAtom(), this);
    defWndProc_ = platform::SetWindowProc(window, BoundWindowProc);
}

void TCommonDialog::Unbind()
{
    if (!handle_)
        return;
    if (platform::IsWindow(handle_)) {
        platform::SetWindowProc(handle_, defWndProc_);
        platform::RemoveProp(handle_, DialogAtom());
    }
    handle_ = nullptr;
}

LRESULT CALLBACK TCommonDialog::BoundWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* dialog = static_cast<TCommonDialog*>(platform::GetProp(window, DialogAtom()));
    if (!dialog)
        return platform::DefWindowProc(window, message, wParam, lParam);
    TMessage m{message, wParam, lParam, 0};
    try {
        dialog->WndProc(m);
    } catch (...) {
        HandleFrameworkException(dialog);
    }
    return m.Result;
}

void TCommonDialog::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_INITDIALOG:
        // Only the hook passes it here; the system's own processing already ran.
        DoShow();
        m.Result = 0;
        break;
    case WM_DESTROY:
        DefaultHandler(m);
        DoClose();
        break;
    case WM_NCDESTROY: {
        HWND window = handle_;
        DefaultHandler(m);
        platform::RemoveProp(window, DialogAtom());
        handle_ = nullptr;
        break;
    }
    default: DefaultHandler(m); break;
    }
}

void TCommonDialog::DefaultHandler(TMessage& m)
{
    if (handle_ && defWndProc_)
        m.Result = platform::CallWindowProc(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
}

void TCommonDialog::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCommonDialog::DoClose()
{
    if (OnClose)
        OnClose(this);
}
