// TApplication: hints. A control under the mouse whose ShowHint is on gets its short hint shown
// after HintShowDelay (HintReshowDelay when a hint is already up), for HintHideDelay.
#include "framework/controls/application.h"
#include "framework/controls/exception_hooks.h"
#include "framework/controls/hint_window.h"
#include "framework/controls/screen.h"
#include "platform/input.h"
#include "platform/files.h"
#include "platform/screen.h"
#include "platform/sync.h"
#include "platform/window.h"
#include "framework/controls/window_proc.h"
#include "framework/core/class_info.h"
#include "framework/core/double_byte.h"

const TClassInfo* HintWindowClass = nullptr;

namespace {

// The nearest control, from `control` up, whose ShowHint is on (none while designing).
TControl* HintControlOf(TControl* control)
{
    while (control && !control->ShowHint())
        control = control->Parent();
    if (control && control->HasState(csDesigning))
        control = nullptr;
    return control;
}

bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

std::string HintOf(const TControl* control)
{
    for (; control; control = control->Parent())
        if (!control->Hint().empty())
            return control->Hint();
    return {};
}

std::string GetShortHint(const std::string& hint)
{
    std::size_t bar = dbcs::FindChar(hint, '|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint)
{
    std::size_t bar = dbcs::FindChar(hint, '|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

void TApplication::SetShowHints(bool value)
{
    if (value == showHints_)
        return;
    showHints_ = value;
    if (value) {
        const TClassInfo* cls = HintWindowClass ? HintWindowClass : &THintWindow::StaticClass();
        TComponent* made = cls->CreateInstance(this);
        hintWindow_ = dynamic_cast<THintWindow*>(made);
        if (!hintWindow_) {
            delete made;
            hintWindow_ = new THintWindow(this);
        }
        hintWindow_->SetColor(hintBackColor_);
    } else {
        CancelHint();
        THintWindow* window = hintWindow_;
        hintWindow_ = nullptr;
        delete window;
    }
}

void TApplication::SetHintBackColor(TColor value)
{
    hintBackColor_ = value;
    if (hintWindow_)
        hintWindow_->SetColor(value);
}

void TApplication::HintMouseMessage(TControl*, TMessage&)
{
    if (!showHints_)
        return;
    POINT p = platform::CursorPos();
    TControl* control = HintControlOf(FindDragTarget(p, true));
    if (!control) {
        CancelHint();
        return;
    }
    if (control == hintControl_ && Contains(hintCursorRect_, p))
        return;
    bool wasActive = hintActive_;
    int pause = wasActive ? hintReshowDelay_ : hintShowDelay_;
    control->PerformMessage(CMSG_HINTSHOWPAUSE, wasActive ? 1 : 0, reinterpret_cast<std::intptr_t>(&pause));
    if (pause > 0 || !wasActive) {
        CancelHint();
        hintControl_ = control;
        StartHintTimer(pause, true);
    } else {
        hintControl_ = control;
        ActivateHint(p);
    }
}

void TApplication::ActivateHint(POINT cursorPos)
{
    hintActive_ = false;
    if (showHints_ && hintWindow_ && hintControl_ && hintControl_ == HintControlOf(FindDragTarget(cursorPos, false))) {
        THintInfo info;
        info.HintControl = hintControl_;
        info.HintPos = {cursorPos.x, cursorPos.y + platform::SystemMetric(SM_CYCURSOR) / 2 + 4};
        info.HintMaxWidth = Screen ? Screen->Width() : platform::SystemMetric(SM_CXSCREEN);
        info.HintColor = hintBackColor_;
        RECT client = hintControl_->ClientRect();
        POINT topLeft = hintControl_->ClientToScreen({client.left, client.top});
        POINT bottomRight = hintControl_->ClientToScreen({client.right, client.bottom});
        info.CursorRect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
        info.CursorPos = hintControl_->ScreenToClient(cursorPos);
        info.HideTimeout = hintHideDelay_;
        info.HintStr = GetShortHint(HintOf(hintControl_));
        bool canShow = hintControl_->PerformMessage(CMSG_HINTSHOW, 0, reinterpret_cast<std::intptr_t>(&info)) == 0;
        if (canShow && OnAppShowHint)
            OnAppShowHint(info.HintStr, canShow, info);
        hintActive_ = canShow && hintControl_;
        if (hintActive_ && !info.HintStr.empty()) {
            RECT r = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr);
            r = {r.left + info.HintPos.x, r.top + info.HintPos.y, r.right + info.HintPos.x, r.bottom + info.HintPos.y};
            hintWindow_->SetColor(info.HintColor);
            hintWindow_->ActivateHint(r, info.HintStr);
            hintCursorRect_ = info.CursorRect;
            HookHintHooks();
            if (info.HideTimeout > 0)
                StartHintTimer(info.HideTimeout, false);
            else
                StopHintTimer();
            return;
        }
        if (info.ReshowTimeout > 0) {
            StartHintTimer(info.ReshowTimeout, true);
            return;
        }
    }
    HideHint();
}

void TApplication::HideHint()
{
    if (hintWindow_)
        hintWindow_->ReleaseHint();
}

void TApplication::CancelHint()
{
    if (!hintControl_ && !hintTimer_ && !hintHook_ && !hintWatcherDone_)
        return;
    HideHint();
    hintControl_ = nullptr;
    hintActive_ = false;
    UnhookHintHooks();
    StopHintTimer();
}

void TApplication::HookHintHooks()
{
    if (running_ || hintHook_ || hintWatcherDone_)
        return;
    hintHook_ = platform::HookThreadMessages(HintGetMessageHook);
    hintWatcherDone_ = platform::CreateManualEvent();
    if (!hintWatcherDone_)
        return;
    HANDLE done = hintWatcherDone_;
    hintWatcher_ = std::thread([this, done] {
        // Every 100 ms: is the cursor still over a window of this program's framework?
        while (!platform::WaitForEvent(done, 100)) {
            if (!FrameworkWindowFromPoint(platform::CursorPos())) {
                QueueSynchronizedCall([] {
                    if (Application)
                        Application->CancelHint();
                });
                return;
            }
        }
    });
}

void TApplication::UnhookHintHooks()
{
    if (hintHook_) {
        platform::Unhook(hintHook_);
        hintHook_ = nullptr;
    }
    if (hintWatcherDone_) {
        platform::SignalEvent(hintWatcherDone_);
        if (hintWatcher_.joinable())
            hintWatcher_.join();
        platform::CloseHandle(hintWatcherDone_);
        hintWatcherDone_ = nullptr;
    }
}

LRESULT CALLBACK TApplication::HintGetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && Application && Application->hintWindow_) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        if (THintWindow::IsHintMsg(msg))
            Application->CancelHint();
    }
    return platform::CallNextHook(code, wParam, lParam);
}

void TApplication::StartHintTimer(int delay, bool showMode)
{
    StopHintTimer();
    hintTimerShows_ = showMode;
    hintTimer_ = platform::SetThreadTimer(static_cast<UINT>(delay > 0 ? delay : 0), HintTimerProc);
    if (!hintTimer_)
        CancelHint();
}

void TApplication::StopHintTimer()
{
    if (hintTimer_) {
        platform::KillThreadTimer(hintTimer_);
        hintTimer_ = 0;
    }
}

void CALLBACK TApplication::HintTimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!Application || id != Application->hintTimer_)
        return;
    try {
        Application->HintTimerExpired();
    } catch (...) {
        HandleFrameworkException(Application);
    }
}

void TApplication::HintTimerExpired()
{
    StopHintTimer();
    if (hintTimerShows_)
        ActivateHint(platform::CursorPos());
    else
        HideHint();
}
