// TApplication: the procedure of the hidden application window.
#include "framework/controls/application.h"
#include "framework/controls/exception_hooks.h"
#include "framework/controls/form.h"
#include "framework/controls/screen.h"
#include "framework/controls/window_proc.h"
#include "framework/menus/actions.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "platform/locale.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace {

UINT TaskbarCreatedMessage()
{
    static const UINT message = platform::RegisterWindowMessage("TaskbarCreated");
    return message;
}

}  // namespace

LRESULT CALLBACK TApplication::AppWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* application = reinterpret_cast<TApplication*>(platform::WindowLong(window, GWLP_USERDATA));
    if (!application)
        return platform::DefWindowProc(window, message, wParam, lParam);
    TMessage m{message, wParam, lParam, 0};
    try {
        application->WndProc(m);
    } catch (...) {
        HandleFrameworkException(application);
    }
    return m.Result;
}

void TApplication::DefaultAppHandler(TMessage& m)
{
    m.Result = platform::DefWindowProc(window_, m.Msg, m.WParam, m.LParam);
}

// Gives the focus that sits on the application window to the first usable window of the thread.
void TApplication::FocusFirstWindow()
{
    HWND normal = nullptr, topMost = nullptr;
    for (HWND window : platform::ThreadWindows()) {
        if (window == window_ || !platform::IsWindowVisible(window) || !platform::IsWindowEnabled(window))
            continue;
        bool isTopMost = (platform::WindowLong(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        if (isTopMost && !topMost)
            topMost = window;
        else if (!isTopMost && !normal)
            normal = window;
    }
    if (HWND target = normal ? normal : topMost)
        platform::SetFocus(target);
}

bool TApplication::IsShortCut(TMessage& message)
{
    bool handled = false;
    if (OnAppShortCut)
        OnAppShortCut(message, handled);
    if (handled)
        return true;
    return primaryForm_ && primaryForm_->HandleAllocated() && platform::IsWindowEnabled(primaryForm_->WindowHandle()) &&
           primaryForm_->IsShortCut(message);
}

void TApplication::WndProc(TMessage& m)
{
    m.Result = 0;
    for (std::size_t i = 0; i < hooks_.size(); ++i) {
        bool handled = false;
        hooks_[i](m, handled);
        if (handled)
            return;
    }
    if (m.Msg == WM_WININICHANGE || (m.Msg == TaskbarCreatedMessage() && m.Msg != 0)) {
        // Date, time and number formats are read from the thread's locale where they are used.
        if (updateFormatSettings_)
            platform::UseUserDefaultThreadLocale();
        if (updateMetricSettings_ && Mouse)
            Mouse->SettingChanged(0);
        if (m.Msg == TaskbarCreatedMessage() && Screen)
            Screen->ResetFonts();
    }
    switch (m.Msg) {
    case WM_NULL: RunSynchronizedCalls(); break;
    case WM_SETFOCUS:
        platform::PostMessage(window_, CMSG_ENTER, 0, 0);
        DefaultAppHandler(m);
        break;
    case CMSG_ENTER:
        if (!platform::IsIconic(window_) && platform::FocusWindow() == window_)
            FocusFirstWindow();
        break;
    case WM_ENABLE:
        if (m.WParam) {
            RestoreTopMosts();
            if (disabledWindowsHeld_) {
                EnableWindows(disabledWindows_);
                disabledWindows_.clear();
                disabledWindowsHeld_ = false;
            }
            DefaultAppHandler(m);
        } else {
            DefaultAppHandler(m);
            if (!disabledWindowsHeld_) {
                disabledWindowsHeld_ = true;
                disabledWindows_ = DisableThreadWindows(window_);
            }
            NormalizeAllTopMosts();
        }
        break;
    case WM_PAINT:
        if (platform::IsIconic(window_) && icon_) {
            PAINTSTRUCT paint{};
            HDC dc = platform::BeginPaint(window_, paint);
            platform::DrawIcon(dc, 0, 0, icon_);
            platform::EndPaint(window_, paint);
        } else {
            DefaultAppHandler(m);
        }
        break;
    case WM_CLOSE:
        if (primaryForm_)
            primaryForm_->CloseForm();
        break;
    case WM_ERASEBKGND:
        m.Msg = WM_ICONERASEBKGND;
        DefaultAppHandler(m);
        break;
    case WM_ENDSESSION:
        if (m.WParam)
            quitRequested_ = true;
        break;
    case WM_WININICHANGE: {
        if (Mouse)
            Mouse->SettingChanged(static_cast<unsigned>(m.WParam));
        std::intptr_t result = 0;
        if (OnAppSettingChange) {
            auto* section = reinterpret_cast<const char*>(m.LParam);
            OnAppSettingChange(this, static_cast<int>(m.WParam), section ? section : "", result);
        }
        DefaultAppHandler(m);
        if (OnAppSettingChange)
            m.Result = result;
        break;
    }
    case WM_ACTIVATEAPP:
        DefaultAppHandler(m);
        active_ = m.WParam != 0;
        if (active_) {
            RestoreTopMosts();
            platform::PostMessage(window_, CMSG_ACTIVATE, 0, 0);
        } else {
            NormalizeTopMosts();
            platform::PostMessage(window_, CMSG_DEACTIVATE, 0, 0);
        }
        break;
    case CMSG_ACTIVATE:
        if (OnAppActivate)
            OnAppActivate(this);
        break;
    case CMSG_DEACTIVATE:
        if (OnAppDeactivate)
            OnAppDeactivate(this);
        break;
    case WM_FONTCHANGE:
        if (Screen)
            Screen->ResetFonts();
        DefaultAppHandler(m);
        break;
    case WM_QUERYDRAGICON: m.Result = reinterpret_cast<std::intptr_t>(icon_); break;
    case CMSG_INVOKEHELP: m.Result = InvokeHelp(static_cast<std::uint16_t>(m.WParam), m.LParam); break;
    case WM_HELP:
        // No help file is connected: the help key is answered as not taken.
        m.Result = 0;
        break;
    case WM_SYSCOMMAND:
        switch (TSysCommandMsg(m).Command()) {
        case SC_MINIMIZE: MinimizeApp(); break;
        case SC_RESTORE: RestoreApp(); break;
        default: DefaultAppHandler(m); break;
        }
        break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        m.Result = platform::SendMessage(reinterpret_cast<HWND>(m.LParam), CN_BASE + m.Msg, m.WParam, m.LParam);
        break;
    case CMSG_APPKEYDOWN: m.Result = IsShortCut(m) ? 1 : 0; break;
    case CMSG_APPSYSCOMMAND:
        if (primaryForm_ && primaryForm_->HandleAllocated() &&
            platform::IsWindowEnabled(primaryForm_->WindowHandle()) &&
            platform::IsWindowVisible(primaryForm_->WindowHandle())) {
            focusMessagesSuppressed_ = true;
            HWND previous = platform::SetFocus(primaryForm_->WindowHandle());
            try {
                primaryForm_->PerformMessage(WM_SYSCOMMAND, m.WParam, m.LParam);
            } catch (...) {
                platform::SetFocus(previous);
                focusMessagesSuppressed_ = false;
                throw;
            }
            platform::SetFocus(previous);
            focusMessagesSuppressed_ = false;
            m.Result = 1;
        }
        break;
    case CMSG_WINDOWHOOK:
        if (auto* hook = reinterpret_cast<const TWindowHook*>(m.LParam)) {
            if (m.WParam == 0)
                HookMainWindow(*hook);
            else if (m.WParam == 1)
                UnhookMainWindow(*hook);
        }
        break;
    case CMSG_DIALOGHANDLE:
        if (m.WParam == 1)
            m.Result = reinterpret_cast<std::intptr_t>(dialogHandle_);
        else
            dialogHandle_ = reinterpret_cast<HWND>(m.LParam);
        break;
    case CMSG_ACTIONUPDATE:
    case CMSG_ACTIONEXECUTE: {
        TCustomForm* active = Screen ? Screen->ActiveCustomForm() : nullptr;
        if (active)
            m.Result = active->PerformMessage(m.Msg, m.WParam, m.LParam);
        if (m.Result != 1 && primaryForm_ && primaryForm_ != active)
            m.Result = primaryForm_->PerformMessage(m.Msg, m.WParam, m.LParam);
        // An update nobody took: an action that asks for it is enabled exactly when it has a handler.
        auto* custom = dynamic_cast<TCustomAction*>(reinterpret_cast<TObject*>(m.LParam));
        if (m.Msg == CMSG_ACTIONUPDATE && m.Result != 1 && custom && custom->Enabled() && custom->DisableIfNoHandler())
            custom->SetEnabled(static_cast<bool>(custom->OnExecute()));
        break;
    }
    // Everything else, WM_COPYDATA too: a copy-data message never makes this process load a library,
    // whoever sent it.
    default: DefaultAppHandler(m); break;
    }
}
