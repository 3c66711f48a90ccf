// TFindDialog, TReplaceDialog and the redirector window that receives their messages.
#include "framework/dialogs/find_dialog.h"

#include <cstring>
#include <memory>

#include "framework/controls/application.h"
#include "framework/controls/exception_hooks.h"
#include "framework/controls/form.h"
#include "framework/controls/window_proc.h"
#include "framework/core/class_info.h"
#include "framework/core/double_byte.h"
#include "framework/dialogs/dialog_flags.h"
#include "platform/module.h"
#include "platform/window.h"

namespace {

// The find field and the replace dialog's replacement field (edt1 and edt2 of the system's dialog
// templates).
constexpr int FindFieldId = 0x480;
constexpr int ReplaceFieldId = 0x481;

// The record flag of each TFindOption, in the order of the enumeration.
constexpr std::uint32_t FindFlags[] = {
    FR_DOWN,     FR_FINDNEXT,    FR_HIDEMATCHCASE, FR_HIDEWHOLEWORD, FR_HIDEUPDOWN, FR_MATCHCASE, FR_NOMATCHCASE,
    FR_NOUPDOWN, FR_NOWHOLEWORD, FR_REPLACE,       FR_REPLACEALL,    FR_WHOLEWORD,  FR_SHOWHELP};

std::string TextOfBuffer(const char (&buffer)[256]) { return std::string(buffer, strnlen(buffer, sizeof buffer)); }

void SetBuffer(char (&buffer)[256], const std::string& value)
{
    std::size_t length = dbcs::CutLength(value, sizeof buffer - 1);
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
}

constexpr TEnumName<TFindOption> FindOptionNames[] = {
    {frDown, "frDown"},
    {frFindNext, "frFindNext"},
    {frHideMatchCase, "frHideMatchCase"},
    {frHideWholeWord, "frHideWholeWord"},
    {frHideUpDown, "frHideUpDown"},
    {frMatchCase, "frMatchCase"},
    {frDisableMatchCase, "frDisableMatchCase"},
    {frDisableUpDown, "frDisableUpDown"},
    {frDisableWholeWord, "frDisableWholeWord"},
    {frReplace, "frReplace"},
    {frReplaceAll, "frReplaceAll"},
    {frWholeWord, "frWholeWord"},
    {frShowHelp, "frShowHelp"}};
static_assert(std::size(FindFlags) == std::size(FindOptionNames));

const bool registered = (RegisterDialogClasses({&TFindDialog::StaticClass(), &TReplaceDialog::StaticClass()}), true);

}  // namespace

const TTypeInfo& TypeInfoFor(TFindOption*) { return EnumTypeInfo<FindOptionNames>("TFindOption"); }

// ---- The redirector ----

const TClassInfo& TRedirectorWindow::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TRedirectorWindow, TWinControl>("TRedirectorWindow").Build();
    return info;
}

TRedirectorWindow::TRedirectorWindow(TFindDialog* dialog, HWND formWindow)
    : TWinControl(nullptr), dialog_(dialog), formWindow_(formWindow)
{}

void TRedirectorWindow::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style = WS_VISIBLE | WS_POPUP;
    params.X = params.Y = params.Width = params.Height = 0;
    params.WndParent = formWindow_;
}

void TRedirectorWindow::WndProc(TMessage& m)
{
    if (m.Msg == CMSG_RELEASE) {
        delete this;
        return;
    }
    TWinControl::WndProc(m);
    if (m.Result == 0 && dialog_)
        m.Result = dialog_->MessageHook(m) ? 1 : 0;
}

// ---- The find dialog ----

const TClassInfo& TFindDialog::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TFindDialog, TCommonDialog>("TFindDialog")
            .Property("Options", &TFindDialog::Options, &TFindDialog::SetOptions)
            .Property("FindText", &TFindDialog::FindText, &TFindDialog::SetFindText)
            .Property("OnFind", &TFindDialog::OnFind)
            .Build();
    return info;
}

TFindDialog::TFindDialog(TComponent* owner) : TCommonDialog(owner)
{
    record_.lStructSize = sizeof record_;
    record_.hwndOwner = Application ? Application->WindowHandle() : nullptr;
    record_.hInstance = platform::MainInstance();
    record_.lpstrFindWhat = findText_;
    record_.lpstrReplaceWith = replaceText_;
    record_.wFindWhatLen = sizeof findText_;
    record_.wReplaceWithLen = sizeof replaceText_;
    record_.lCustData = reinterpret_cast<LPARAM>(this);
    record_.lpfnHook = FindReplaceHook;
}

TFindDialog::~TFindDialog()
{
    if (findHandle_)
        platform::SendMessage(findHandle_, WM_CLOSE, 0, 0);
    if (redirector_) {
        redirector_->DialogGone();
        delete redirector_;
        redirector_ = nullptr;
    }
}

std::string TFindDialog::FindText() const { return TextOfBuffer(findText_); }

void TFindDialog::SetFindText(const std::string& value) { SetBuffer(findText_, value); }

std::string TFindDialog::ReplaceText() const { return TextOfBuffer(replaceText_); }

void TFindDialog::SetReplaceText(const std::string& value) { SetBuffer(replaceText_, value); }

POINT TFindDialog::DialogPos() const
{
    if (!findHandle_)
        return position_;
    RECT bounds = platform::WindowRect(findHandle_);
    return {bounds.left, bounds.top};
}

HWND TFindDialog::FirstFormWindow()
{
    for (HWND window : platform::ThreadWindows())
        if (dynamic_cast<TForm*>(FindControl(window)))
            return window;
    return nullptr;
}

bool TFindDialog::Execute()
{
    if (findHandle_) {
        platform::SetWindowPos(findHandle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return true;
    }
    record_.Flags = FR_ENABLEHOOK;
    record_.lpfnHook = FindReplaceHook;
    auto redirector = std::make_unique<TRedirectorWindow>(this, FirstFormWindow());
    record_.hwndOwner = redirector->Handle();
    redirector_ = redirector.release();
    record_.Flags |= FlagsOf(options_, FindFlags);
    SetCreationDialog(this);
    findHandle_ = CreateSystemDialog(record_);
    SetCreationDialog(nullptr);
    if (!findHandle_)
        ReleaseRedirector();
    return findHandle_ != nullptr;
}

HWND TFindDialog::CreateSystemDialog(FINDREPLACEA& record) { return platform::FindText(record); }

void TFindDialog::CloseDialog()
{
    if (findHandle_)
        platform::PostMessage(findHandle_, WM_CLOSE, 0, 0);
}

void TFindDialog::ReleaseRedirector()
{
    if (!redirector_)
        return;
    redirector_->DialogGone();
    if (!redirector_->HandleAllocated() || !platform::PostMessage(redirector_->WindowHandle(), CMSG_RELEASE, 0, 0))
        delete redirector_;
    redirector_ = nullptr;
}

UINT_PTR CALLBACK TFindDialog::FindReplaceHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    UINT_PTR result = DialogHook(window, message, wParam, lParam);
    if (message != WM_INITDIALOG)
        return result;
    auto* dialog = reinterpret_cast<TFindDialog*>(reinterpret_cast<FINDREPLACEA*>(lParam)->lCustData);
    try {
        if (dialog->position_.x != -1 || dialog->position_.y != -1)
            platform::SetWindowPos(
                window, nullptr, dialog->position_.x, dialog->position_.y, 0, 0,
                SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOZORDER);
        WNDPROC previous = platform::SetWindowProc(window, FindReplaceWndProc);
        platform::SetProp(window, DialogProcAtom(), reinterpret_cast<void*>(previous));
    } catch (...) {
        HandleFrameworkException(dialog);
    }
    return 1;
}

// Keeps the application's dialog handle on this window while it is active, so that the loop hands
// it the keys of dialog navigation (Tab, the arrows, Enter, Escape).
LRESULT CALLBACK TFindDialog::FindReplaceWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto previous = reinterpret_cast<WNDPROC>(platform::GetProp(window, DialogProcAtom()));
    switch (message) {
    case WM_NCACTIVATE:
        if (Application && wParam && !Application->DialogHandle())
            Application->SetDialogHandle(window);
        else if (Application && !wParam && Application->DialogHandle() == window)
            Application->SetDialogHandle(nullptr);
        break;
    case WM_DESTROY:
        if (Application && Application->DialogHandle() == window)
            Application->SetDialogHandle(nullptr);
        break;
    case WM_NCDESTROY: {
        LRESULT result = previous ? platform::CallWindowProc(previous, window, message, wParam, lParam) : 0;
        platform::RemoveProp(window, DialogProcAtom());
        return result;
    }
    default: break;
    }
    if (!previous)
        return platform::DefWindowProc(window, message, wParam, lParam);
    return platform::CallWindowProc(previous, window, message, wParam, lParam);
}

bool TFindDialog::MessageHook(TMessage& m)
{
    if (TCommonDialog::MessageHook(m))
        return true;
    if (m.Msg != FindReplaceMessage() || reinterpret_cast<FINDREPLACEA*>(m.LParam) != &record_)
        return false;
    options_ = OptionsOf<TFindOption>(record_.Flags, FindFlags);
    if (record_.Flags & (FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL))
        TakeFieldTexts();
    if (record_.Flags & FR_FINDNEXT) {
        DoFind();
    } else if (record_.Flags & (FR_REPLACE | FR_REPLACEALL)) {
        DoReplace();
    } else if (record_.Flags & FR_DIALOGTERM) {
        position_ = DialogPos();
        findHandle_ = nullptr;
        ReleaseRedirector();
    }
    return true;
}

void TFindDialog::TakeFieldTexts()
{
    // The fields take 255 characters, more bytes than the buffers hold, and the system cuts what it
    // copies there at a byte, maybe inside a character; some systems copy only the find text on Find
    // Next. The fields as the user sees them, cut at a character, are what every press reports.
    if (HWND findField = platform::DialogItem(findHandle_, FindFieldId))
        SetFindText(platform::WindowText(findField));
    if (HWND replaceField = platform::DialogItem(findHandle_, ReplaceFieldId))
        SetReplaceText(platform::WindowText(replaceField));
}

void TFindDialog::WndProc(TMessage& m)
{
    TCommonDialog::WndProc(m);
    // Destroyed without saying goodbye (its owner went first): the redirector has nothing left to serve.
    if (m.Msg == WM_NCDESTROY && findHandle_) {
        findHandle_ = nullptr;
        ReleaseRedirector();
    }
}

void TFindDialog::DoFind()
{
    if (OnFind)
        OnFind(this);
}

void TFindDialog::DoReplace()
{
    if (OnReplace)
        OnReplace(this);
}

// ---- The replace dialog ----

const TClassInfo& TReplaceDialog::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TReplaceDialog, TFindDialog>("TReplaceDialog")
            .Property("ReplaceText", &TReplaceDialog::ReplaceText, &TReplaceDialog::SetReplaceText)
            .Property("OnReplace", &TReplaceDialog::OnReplace)
            .Build();
    return info;
}

HWND TReplaceDialog::CreateSystemDialog(FINDREPLACEA& record) { return platform::ReplaceText(record); }
