// TApplication: construction and title, forms, the message loop with its filters, the idle step,
// quitting, exception reports and the application's message box.
#include "framework/controls/application.h"

#include <algorithm>
#include <cfloat>
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

#include "framework/controls/exception_hooks.h"
#include "framework/controls/form.h"
#include "framework/controls/hint_action.h"
#include "framework/controls/modal_scope.h"
#include "framework/controls/screen.h"
#include "framework/controls/system_style.h"
#include "framework/controls/window_proc.h"
#include "framework/core/class_info.h"
#include "framework/core/double_byte.h"
#include "platform/input.h"
#include "platform/locale.h"
#include "platform/module.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace {

void (*startUpHook)() = nullptr;
std::vector<bool (*)()>& TerminateHooks()
{
    static std::vector<bool (*)()> hooks;
    return hooks;
}

// The title a module file gives: its name without folder and extension, lower case from the
// second character on (the first character is kept whole, also when it is a double-byte one).
std::string TitleFromModule()
{
    std::string name = platform::OemToAnsi(platform::ModuleFileName(nullptr));
    std::size_t slash = dbcs::FindLastChar(name, '\\');
    name = name.substr(slash == dbcs::npos ? 0 : slash + 1);
    std::size_t dot = dbcs::FindChar(name, '.');
    if (dot != dbcs::npos)
        name.resize(dot);
    if (name.empty())
        return name;
    std::size_t first = dbcs::CharLength(name, 0);
    return name.substr(0, first) + platform::LowerAnsi(name.substr(first));
}

}  // namespace

std::vector<HWND> TApplication::DisableThreadWindows(HWND except)
{
    std::vector<HWND> disabled;
    for (HWND window : platform::ThreadWindows()) {
        if (window != except && platform::IsWindowVisible(window) && platform::IsWindowEnabled(window)) {
            disabled.push_back(window);
            platform::EnableWindow(window, false);
        }
    }
    return disabled;
}

void TApplication::EnableWindows(const std::vector<HWND>& windows)
{
    for (HWND window : windows)
        if (platform::IsWindow(window))
            platform::EnableWindow(window, true);
}

void SetStartUpHook(void (*hook)()) { startUpHook = hook; }

void AddTerminateHook(bool (*hook)()) { TerminateHooks().push_back(hook); }

void RemoveTerminateHook(bool (*hook)()) { std::erase(TerminateHooks(), hook); }

const TClassInfo& TApplication::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TApplication, TComponent>("TApplication")
            .Property("ShowHints", &TApplication::ShowHints, &TApplication::SetShowHints)
            .Property("HintHideDelay", &TApplication::HintHideDelay, &TApplication::SetHintHideDelay)
            .Build();
    return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner)
{
    if (!ApplicationHandleException)
        ApplicationHandleException = TEvent<TObject*>(this, &TApplication::ReportException);
    if (!ApplicationShowException)
        ApplicationShowException = TEvent<const Exception&>(this, &TApplication::DisplayException);
    icon_ = platform::LoadIcon(platform::MainInstance(), "MAINICON");
    title_ = TitleFromModule();
    CreateAppWindow();
}

TApplication::~TApplication()
{
    if (ApplicationHandleException == TEvent<TObject*>(this, &TApplication::ReportException))
        ApplicationHandleException = {};
    if (ApplicationShowException == TEvent<const Exception&>(this, &TApplication::DisplayException))
        ApplicationShowException = {};
    hints_.Cancel();
    hints_.SetEnabled(false);
    Destroying();
    DestroyComponents();
    DestroyAppWindow();
}

void TApplication::StartUp()
{
    if (startUpHook)
        startUpHook();
}

// ---- The application window ----

void TApplication::CreateAppWindow()
{
    if (window_)
        return;
    HINSTANCE instance = platform::MainInstance();
    if (!platform::IsClassRegistered(instance, "TApplication")) {
        WNDCLASSA cls{};
        cls.lpfnWndProc = platform::DefaultWindowProcedure();
        cls.hInstance = instance;
        cls.lpszClassName = "TApplication";
        if (!platform::RegisterClass(cls))
            throw EOutOfResources(SWindowClass);
    }
    window_ = platform::CreateWindow(
        0, "TApplication", title_, WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
        platform::SystemMetric(SM_CXSCREEN) / 2, platform::SystemMetric(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr,
        instance, nullptr);
    if (!window_)
        RaiseLastOSError();
    // Some system code changes the floating-point control word; the runtime's default comes back.
    _fpreset();
    title_.clear();
    windowCreated_ = true;
    platform::SetWindowLong(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    platform::SetWindowProc(window_, AppWindowProc);
    bool newStyle = NewStyleControls();
    if (newStyle && icon_) {
        platform::SendMessage(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        platform::SetClassIcon(window_, icon_);
    }
    HMENU menu = platform::SystemMenu(window_);
    platform::DeleteMenuItem(menu, SC_MAXIMIZE);
    platform::DeleteMenuItem(menu, SC_SIZE);
    if (newStyle)
        platform::DeleteMenuItem(menu, SC_MOVE);
}

void TApplication::DestroyAppWindow()
{
    if (!window_ || !windowCreated_)
        return;
    if (NewStyleControls())
        platform::SendMessage(window_, WM_SETICON, ICON_BIG, 0);
    platform::SetWindowProc(window_, platform::DefaultWindowProcedure());
    platform::DestroyWindow(window_);
    window_ = nullptr;
}

std::string TApplication::AppTitle() const
{
    if (!window_)
        return title_;
    std::string text = platform::WindowText(window_);
    return text.size() > 256 ? text.substr(0, 256) : text;
}

void TApplication::SetAppTitle(const std::string& title)
{
    if (window_)
        platform::SetWindowText(window_, title);
    else
        title_ = title;
}

// ---- Forms ----

void TApplication::AppFormCreated(TComponent* instance)
{
    if (primaryForm_)
        return;
    if (auto* form = dynamic_cast<TForm*>(instance)) {
        form->HandleNeeded();
        primaryForm_ = form;
    }
}

void TApplication::UpdateTaskBarPresence()
{
    if (!window_ || !windowCreated_ || !Screen || platform::IsIconic(window_))
        return;
    bool formShown = false;
    for (int i = 0; i < Screen->FormCount() && !formShown; ++i) {
        TForm* form = Screen->Forms(i);
        formShown = form->Visible() && !form->Parent() && !form->ParentWindow() && !form->HasState(csDestroying) &&
                    form->FormStyle() != fsMDIChild;
    }
    if (formShown == platform::IsWindowVisible(window_))
        return;
    platform::SetWindowPos(
        window_, nullptr, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (formShown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TApplication::ControlDestroyed(TControl* control)
{
    if (primaryForm_ == control)
        primaryForm_ = nullptr;
    if (mouseControl_ == control)
        mouseControl_ = nullptr;
    hints_.ControlDestroyed(control);
    if (Screen)
        Screen->ControlDestroyed(control);
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove)
        hints_.ComponentRemoved(component);
}

// ---- The loop ----

void TApplication::ShutdownAtExit()
{
    if (Application)
        Application->Shutdown();
}

void TApplication::Shutdown()
{
    if (window_) {
        for (HWND window : platform::ThreadWindows()) {
            if (platform::RelatedWindow(window, GW_OWNER) == window_ && platform::IsWindowVisible(window))
                platform::ShowWindow(window, SW_HIDE);
        }
    }
    hints_.SetEnabled(false);
    Destroying();
    DestroyComponents();
}

void TApplication::RunLoop()
{
    running_ = true;
    struct RunningGuard {
        bool& flag;
        ~RunningGuard() { flag = false; }
    } guard{running_};
    static bool shutdownRegistered = false;
    if (!shutdownRegistered) {
        shutdownRegistered = true;
        std::atexit(ShutdownAtExit);
    }
    if (!primaryForm_)
        return;
    int show = platform::StartupShowCommand();
    if (show == SW_SHOWMAXIMIZED)
        primaryForm_->SetWindowState(wsMaximized);
    else if (show == SW_SHOWMINNOACTIVE)
        primaryForm_->StoreWindowState(wsMinimized);
    if (showPrimaryForm_) {
        if (primaryForm_->WindowState() == wsMinimized)
            MinimizeApp();
        else
            primaryForm_->SetVisible(true);
    }
    while (!quitRequested_)
        RunLoopStep();
}

void TApplication::RunLoopStep() noexcept
{
    try {
        PumpMessage();
    } catch (...) {
        ReportStepException();
    }
}

void TApplication::ReportStepException() noexcept
{
    try {
        ReportException(this);
    } catch (...) {
    }
}

void TApplication::PumpMessage()
{
    MSG msg;
    if (!TakeMessage(msg))
        IdleStep();
}

bool TApplication::TakeMessage(MSG& msg)
{
    if (!platform::PeekMessage(msg, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        quitRequested_ = true;
        return true;
    }
    bool handled = false;
    if (OnAppMessage)
        OnAppMessage(msg, handled);
    hints_.MessageTaken(msg);
    if (!handled && !IsMDIMsg(msg) && !IsKeyMsg(msg) && !IsDlgMsg(msg)) {
        platform::TranslateMessage(msg);
        platform::DispatchMessage(msg);
    }
    return true;
}

void TApplication::FlushMessages()
{
    MSG msg;
    while (TakeMessage(msg)) {
    }
}

bool TApplication::IsMDIMsg(MSG& msg)
{
    if (!primaryForm_ || primaryForm_->FormStyle() != fsMDIForm || !Screen || !Screen->ActiveForm())
        return false;
    HWND client = primaryForm_->ClientHandle();
    return client && platform::TranslateMDISysAccel(client, msg);
}

bool TApplication::IsDlgMsg(MSG& msg)
{
    if (!dialogHandle_)
        return false;
    if (DeliverDialogDoubleByteChar(msg))
        return true;
    return platform::IsDialogMessage(dialogHandle_, msg);
}

// A double-byte character typed into the modeless dialog arrives as a lead-byte and a trail-byte
// WM_CHAR. The dialog manager's ANSI entry, and an edit window made through the ANSI interface on
// some systems, would take each byte for a character of its own: the pair goes to the window's
// Unicode entry as the one character it is.
bool TApplication::DeliverDialogDoubleByteChar(const MSG& msg)
{
    if (msg.message != WM_CHAR || platform::IsWindowUnicode(msg.hwnd) || !platform::IsChild(dialogHandle_, msg.hwnd)) {
        dialogLeadByte_ = 0;
        return false;
    }
    char byte = static_cast<char>(msg.wParam);
    if (!dialogLeadByte_) {
        if (!dbcs::IsLeadByte(byte))
            return false;
        dialogLeadByte_ = byte;
        return true;
    }
    std::wstring character = platform::AnsiToWide(std::string{dialogLeadByte_, byte});
    dialogLeadByte_ = 0;
    if (character.size() == 1)
        platform::SendUnicodeChar(msg.hwnd, character[0], msg.lParam);
    return true;
}

// A key message goes first to the framework control it concerns, as CN_BASE + message.
bool TApplication::IsKeyMsg(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    HWND target = platform::CaptureWindow();
    if (target) {
        if (platform::WindowInstance(target) != platform::MainInstance())
            return false;
    } else {
        target = msg.hwnd;
        if (primaryForm_ && primaryForm_->ClientHandle() && target == primaryForm_->ClientHandle()) {
            target = primaryForm_->Handle();
        } else {
            while (target && !FindControl(target))
                target = platform::ParentWindow(target);
            if (!target)
                target = msg.hwnd;
        }
    }
    return target && platform::SendMessage(target, CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

void TApplication::IdleStep()
{
    TControl* control = FindDragTarget(platform::CursorPos(), true);
    if (control && control->HasState(csDesigning))
        control = nullptr;
    TControl* capture = GetCaptureControl();
    if (mouseControl_ != control) {
        if (mouseControl_ && (!capture || capture == mouseControl_))
            mouseControl_->PerformMessage(CMSG_MOUSELEAVE, 0, 0);
        mouseControl_ = control;
        if (mouseControl_ && (!capture || capture == mouseControl_))
            mouseControl_->PerformMessage(CMSG_MOUSEENTER, 0, 0);
    }
    if (hints_.Enabled() && !control)
        hints_.Cancel();
    SetCurrentHint(GetLongHint(HintOf(control)));
    bool done = true;
    try {
        if (OnAppIdle)
            OnAppIdle(this, done);
        if (done && Screen) {
            for (int i = 0; i < Screen->CustomFormCount(); ++i) {
                TCustomForm* form = Screen->CustomForms(i);
                if (form->HandleAllocated() && form->Visible() && form->Enabled())
                    form->UpdateActions();
            }
        }
    } catch (...) {
        ReportStepException();
    }
    if (platform::CurrentThreadId() == platform::WindowThreadId(window_) && RunSynchronizedCalls())
        done = false;
    if (done)
        platform::WaitMessage();
}

void TApplication::SetCurrentHint(const std::string& value)
{
    if (value == currentHint_)
        return;
    currentHint_ = value;
    if (OnAppHint) {
        OnAppHint(this);
        return;
    }
    THintAction action(nullptr);
    action.SetHint(value);
    action.Execute();
}

bool CallTerminateHooks()
{
    for (auto hook : TerminateHooks())
        if (!hook())
            return false;
    return true;
}

void TApplication::RequestQuit()
{
    if (CallTerminateHooks())
        platform::PostQuitMessage(0);
}

void TApplication::QueueSynchronizedCall(std::function<void()> call)
{
    {
        std::lock_guard<std::mutex> guard(syncLock_);
        syncCalls_.push_back(std::move(call));
    }
    if (window_)
        platform::PostMessage(window_, WM_NULL, 0, 0);
}

bool TApplication::RunSynchronizedCalls()
{
    std::vector<std::function<void()>> calls;
    {
        std::lock_guard<std::mutex> guard(syncLock_);
        calls.swap(syncCalls_);
    }
    for (auto& call : calls)
        call();
    return !calls.empty();
}

// ---- Exceptions and message boxes ----

void TApplication::ReportException(TObject* sender)
{
    std::exception_ptr current = std::current_exception();
    if (!current)
        return;
    if (HWND capture = platform::CaptureWindow())
        platform::SendMessage(capture, WM_CANCELMODE, 0, 0);
    try {
        std::rethrow_exception(current);
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        if (OnAppException)
            OnAppException(sender, e);
        else
            DisplayException(e);
    } catch (const std::bad_alloc&) {
        // Said in the user's words: the operation that ran out stopped, and nothing else did.
        AppMessageBox(LoadResString(SOutOfMemory), AppTitle(), MB_OK | MB_ICONSTOP);
    } catch (const std::exception& e) {
        AppMessageBox(
            Format(LoadResString(SUnknownException), {typeid(e).name(), e.what()}), AppTitle(), MB_OK | MB_ICONSTOP);
    } catch (...) {
        AppMessageBox(Format(LoadResString(SUnknownException), {"?", ""}), AppTitle(), MB_OK | MB_ICONSTOP);
    }
}

void TApplication::DisplayException(const Exception& e)
{
    std::string text = e.Message();
    if (!text.empty() && text.compare(dbcs::LastCharStart(text), std::string::npos, ".") > 0)
        text += '.';
    AppMessageBox(text, AppTitle(), MB_OK | MB_ICONSTOP);
}

bool TApplication::InvokeHelp(std::uint16_t command, std::intptr_t data)
{
    bool callSystemHelp = true;
    if (!OnAppHelp)
        return false;
    OnAppHelp(command, data, callSystemHelp);
    return true;
}

int TApplication::AppMessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    HWND active = platform::ActiveWindow();
    RECT home{};
    bool moved = false;
    if (window_ && active) {
        HMONITOR monitor = platform::MonitorOfWindow(active);
        if (monitor != platform::MonitorOfWindow(window_)) {
            home = platform::WindowRect(window_);
            RECT area = platform::MonitorRect(monitor);
            platform::SetWindowPos(
                window_, nullptr, (area.left + area.right) / 2, (area.top + area.bottom) / 2, 0, 0, 0x1D);
            moved = true;
        }
    }
    int result = 0;
    {
        TModalScope modal(window_);
        try {
            result = platform::MessageBox(window_, text, caption, flags);
        } catch (...) {
            result = 0;
        }
        if (moved)
            platform::SetWindowPos(window_, nullptr, home.left, home.top, 0, 0, 0x1D);
    }
    return result;
}

// ---- Minimise and restore ----

void TApplication::MinimizeApp()
{
    if (!window_ || platform::IsIconic(window_))
        return;
    NormalizeTopMosts();
    platform::SetActiveWindow(window_);
    if (primaryForm_ && primaryForm_->HandleAllocated() && (showPrimaryForm_ || primaryForm_->Visible()) &&
        platform::IsWindowEnabled(primaryForm_->WindowHandle())) {
        platform::SetWindowPos(
            window_, primaryForm_->WindowHandle(), primaryForm_->Left(), primaryForm_->Top(), primaryForm_->Width(), 0,
            SWP_SHOWWINDOW);
        platform::DefWindowProc(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else {
        platform::ShowWindow(window_, SW_SHOWMINNOACTIVE);
    }
    if (OnAppMinimize)
        OnAppMinimize(this);
}

void TApplication::RestoreApp()
{
    if (!window_ || !platform::IsIconic(window_))
        return;
    platform::SetActiveWindow(window_);
    platform::DefWindowProc(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
    platform::SetWindowPos(
        window_, nullptr, platform::SystemMetric(SM_CXSCREEN) / 2, platform::SystemMetric(SM_CYSCREEN) / 2, 0, 0,
        SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    if (primaryForm_ && primaryForm_->WindowState() == wsMinimized && !primaryForm_->Visible()) {
        primaryForm_->SetWindowState(wsNormal);
        primaryForm_->ShowForm();
    }
    RestoreTopMosts();
    if (Screen && Screen->ActiveControl() && Screen->ActiveControl()->HandleAllocated())
        platform::SetFocus(Screen->ActiveControl()->WindowHandle());
    if (OnAppRestore)
        OnAppRestore(this);
}

void TApplication::BringAppToFront()
{
    if (!window_)
        return;
    HWND popup = platform::LastActivePopup(window_);
    if (popup && platform::IsWindowVisible(popup) && platform::IsWindowEnabled(popup))
        platform::SetForegroundWindow(popup);
}

// ---- Top-most windows ----

void TApplication::DoNormalizeTopMosts(bool includePrimary)
{
    if (window_ && topMostLevel_ == 0) {
        topMostList_.clear();
        HWND primary = primaryForm_ && primaryForm_->HandleAllocated() ? primaryForm_->WindowHandle() : nullptr;
        for (HWND window : platform::ThreadWindows()) {
            if (window != window_ && platform::IsWindowVisible(window) &&
                (platform::WindowLong(window, GWL_EXSTYLE) & WS_EX_TOPMOST) &&
                platform::RelatedWindow(window, GW_OWNER) == window_ && (includePrimary || window != primary))
                topMostList_.push_back(window);
        }
        for (HWND window : topMostList_)
            platform::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    ++topMostLevel_;
}

void TApplication::NormalizeTopMosts() { DoNormalizeTopMosts(false); }

void TApplication::NormalizeAllTopMosts() { DoNormalizeTopMosts(true); }

void TApplication::RestoreTopMosts()
{
    if (topMostLevel_ > 0)
        --topMostLevel_;
    if (topMostLevel_ > 0)
        return;
    for (auto it = topMostList_.rbegin(); it != topMostList_.rend(); ++it)
        if (platform::IsWindow(*it))
            platform::SetWindowPos(*it, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    topMostList_.clear();
}

// ---- Hooks ----

void TApplication::HookMainWindow(const TWindowHook& hook) { hooks_.push_back(hook); }

void TApplication::UnhookMainWindow(const TWindowHook& hook)
{
    auto found = std::find(hooks_.begin(), hooks_.end(), hook);
    if (found != hooks_.end())
        hooks_.erase(found);
}

bool TApplication::DispatchAction(std::uint32_t message, TObject* action)
{
    return window_ && platform::SendMessage(window_, message, 0, reinterpret_cast<LPARAM>(action)) != 0;
}

bool TApplication::ExecuteAction(TBasicAction* action)
{
    bool handled = false;
    if (OnActionExecute)
        OnActionExecute(action, handled);
    return handled;
}

bool TApplication::UpdateAction(TBasicAction* action)
{
    bool handled = false;
    if (OnActionUpdate)
        OnActionUpdate(action, handled);
    return handled;
}
