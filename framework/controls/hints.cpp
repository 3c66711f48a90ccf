// THintController: when a hint shows, for how long, where, and what ends it. A control under the
// mouse whose ShowHint is on gets its short hint shown after ShowDelay (ReshowDelay when a hint is
// already up), for HideDelay.
#include "framework/controls/hints.h"

#include "framework/controls/application.h"
#include "framework/controls/exception_hooks.h"
#include "framework/controls/hint_window.h"
#include "framework/controls/screen.h"
#include "framework/controls/window_proc.h"
#include "framework/core/class_info.h"
#include "framework/core/double_byte.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "platform/sync.h"
#include "platform/window.h"

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

THintController::THintController(TApplication& application) : application_(application), backColor_(clInfoBk) {}

THintController::~THintController()
{
    StopWatching();
    StopTimer();
}

void THintController::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    if (value) {
        const TClassInfo* cls = HintWindowClass ? HintWindowClass : &THintWindow::StaticClass();
        TComponent* made = cls->CreateInstance(&application_);
        window_ = dynamic_cast<THintWindow*>(made);
        if (!window_) {
            delete made;
            window_ = new THintWindow(&application_);
        }
        window_->SetColor(backColor_);
    } else {
        Cancel();
        THintWindow* window = window_;
        window_ = nullptr;
        delete window;
    }
}

void THintController::SetBackColor(TColor value)
{
    backColor_ = value;
    if (window_)
        window_->SetColor(value);
}

void THintController::MouseMoved()
{
    if (!enabled_)
        return;
    POINT p = platform::CursorPos();
    TControl* control = HintControlOf(FindDragTarget(p, true));
    if (!control) {
        Cancel();
        return;
    }
    if (control == control_ && Contains(cursorRect_, p))
        return;
    bool wasActive = active_;
    int pause = wasActive ? reshowDelay_ : showDelay_;
    control->PerformMessage(CMSG_HINTSHOWPAUSE, wasActive ? 1 : 0, reinterpret_cast<std::intptr_t>(&pause));
    if (pause > 0 || !wasActive) {
        Cancel();
        control_ = control;
        StartTimer(pause, true);
    } else {
        control_ = control;
        Activate(p);
    }
}

void THintController::Activate(POINT cursorPos)
{
    active_ = false;
    if (enabled_ && window_ && control_ && control_ == HintControlOf(FindDragTarget(cursorPos, false))) {
        THintInfo info;
        info.HintControl = control_;
        info.HintPos = {cursorPos.x, cursorPos.y + platform::SystemMetric(SM_CYCURSOR) / 2 + 4};
        info.HintMaxWidth = Screen ? Screen->Width() : platform::SystemMetric(SM_CXSCREEN);
        info.HintColor = backColor_;
        RECT client = control_->ClientRect();
        POINT topLeft = control_->ClientToScreen({client.left, client.top});
        POINT bottomRight = control_->ClientToScreen({client.right, client.bottom});
        info.CursorRect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
        info.CursorPos = control_->ScreenToClient(cursorPos);
        info.HideTimeout = hideDelay_;
        info.HintStr = GetShortHint(HintOf(control_));
        bool canShow = control_->PerformMessage(CMSG_HINTSHOW, 0, reinterpret_cast<std::intptr_t>(&info)) == 0;
        if (canShow && application_.OnAppShowHint)
            application_.OnAppShowHint(info.HintStr, canShow, info);
        active_ = canShow && control_;
        if (active_ && !info.HintStr.empty()) {
            RECT r = window_->CalcHintRect(info.HintMaxWidth, info.HintStr);
            r = {r.left + info.HintPos.x, r.top + info.HintPos.y, r.right + info.HintPos.x, r.bottom + info.HintPos.y};
            window_->SetColor(info.HintColor);
            window_->ActivateHint(r, info.HintStr);
            cursorRect_ = info.CursorRect;
            StartWatching();
            if (info.HideTimeout > 0)
                StartTimer(info.HideTimeout, false);
            else
                StopTimer();
            return;
        }
        if (info.ReshowTimeout > 0) {
            StartTimer(info.ReshowTimeout, true);
            return;
        }
    }
    Hide();
}

void THintController::Hide()
{
    if (window_)
        window_->ReleaseHint();
}

void THintController::Cancel()
{
    if (!control_ && !timer_ && !hook_ && !watcherDone_)
        return;
    Hide();
    control_ = nullptr;
    active_ = false;
    StopWatching();
    StopTimer();
}

void THintController::MessageTaken(const MSG& msg)
{
    if (window_ && THintWindow::IsHintMsg(msg))
        Cancel();
}

void THintController::ControlDestroyed(TControl* control)
{
    if (control != control_)
        return;
    Hide();
    StopTimer();
    control_ = nullptr;
    active_ = false;
}

void THintController::ComponentRemoved(TComponent* component)
{
    if (component == window_)
        window_ = nullptr;
}

void THintController::StartWatching()
{
    if (application_.Running() || hook_ || watcherDone_)
        return;
    hook_ = platform::HookThreadMessages(GetMessageHook);
    watcherDone_ = platform::CreateManualEvent();
    if (!watcherDone_)
        return;
    HANDLE done = watcherDone_;
    watcher_ = std::thread([this, done] {
        // Every 100 ms: is the cursor still over a window of this program's framework?
        while (!platform::WaitForEvent(done, 100)) {
            if (!FrameworkWindowFromPoint(platform::CursorPos())) {
                application_.QueueSynchronizedCall([] {
                    if (Application)
                        Application->Hints().Cancel();
                });
                return;
            }
        }
    });
}

void THintController::StopWatching()
{
    if (hook_) {
        platform::Unhook(hook_);
        hook_ = nullptr;
    }
    if (watcherDone_) {
        platform::SignalEvent(watcherDone_);
        if (watcher_.joinable())
            watcher_.join();
        platform::CloseHandle(watcherDone_);
        watcherDone_ = nullptr;
    }
}

LRESULT CALLBACK THintController::GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && Application && Application->Hints().window_) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        if (THintWindow::IsHintMsg(msg))
            Application->Hints().Cancel();
    }
    return platform::CallNextHook(code, wParam, lParam);
}

void THintController::StartTimer(int delay, bool showMode)
{
    StopTimer();
    timerShows_ = showMode;
    timer_ = platform::SetThreadTimer(static_cast<UINT>(delay > 0 ? delay : 0), TimerProc);
    if (!timer_)
        Cancel();
}

void THintController::StopTimer()
{
    if (timer_) {
        platform::KillThreadTimer(timer_);
        timer_ = 0;
    }
}

void CALLBACK THintController::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!Application || id != Application->Hints().timer_)
        return;
    try {
        Application->Hints().TimerExpired();
    } catch (...) {
        HandleFrameworkException(Application);
    }
}

void THintController::TimerExpired()
{
    StopTimer();
    if (timerShows_)
        Activate(platform::CursorPos());
    else
        Hide();
}
