// Shared pieces of the control tests: pumping the application's loop with a deadline, a guard that
// puts the application back as the test found it, and small controls that record what reaches them.
#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "framework/controls/application.h"
#include "framework/controls/form.h"
#include "framework/controls/graphic_control.h"
#include "framework/controls/win_control.h"
#include "tests/support/test_class.h"

// Rectangles compared and printed in test expectations.
inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << '{' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << '}';
}

namespace controlstest {

// Runs the application's message step until `done` holds or `timeoutMs` passed; waits for input
// between steps instead of sleeping.
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs = 5000);
// Handles every message that is queued now (and what they queue in turn).
void PumpPending();
// Runs the application's own loop (RunLoop); when it has not ended within `timeoutMs`, fails the
// test saying what was on screen and ends it.
void RunLoopWithin(unsigned timeoutMs = 10000);
// The window's text as WM_GETTEXT gives it (at most 255 bytes).
std::string WindowTextOf(HWND window);

// Puts back, when the test ends however it ends, what tests change of the application: its event
// handlers, its hint settings, the quit request and a pinned cursor position; it frees the forms
// and other components that the application came to own meanwhile.
class ApplicationGuard {
public:
    ApplicationGuard();
    ~ApplicationGuard();
    ApplicationGuard(const ApplicationGuard&) = delete;
    ApplicationGuard& operator=(const ApplicationGuard&) = delete;

private:
    TIdleEvent onIdle_;
    TMessageEvent onMessage_;
    TExceptionEvent onException_;
    TNotifyEvent onHint_, onMinimize_, onRestore_;
    TEvent<TMessage&, bool&> onShortCut_;
    TShowHintEvent onShowHint_;
    int showDelay_, reshowDelay_, hideDelay_;
    std::vector<TComponent*> owned_;
};

// A form built in code (it has no resource), shown on screen and destroyed at the end of the test.
class TTestForm : public TForm {
    DECLARE_TEST_CLASS(TTestForm, TForm)
public:
    explicit TTestForm(TComponent* owner) : TForm(owner, NoResource) {}
};

// A windowed control that logs the creation of its window.
class TLoggingControl : public TWinControl {
    DECLARE_TEST_CLASS(TLoggingControl, TWinControl)
public:
    TLoggingControl(TComponent* owner, std::vector<std::string>* log) : TWinControl(owner), log_(log) {}
    explicit TLoggingControl(TComponent* owner) : TWinControl(owner) {}

protected:
    void CreateWnd() override
    {
        if (log_)
            log_->push_back(Name());
        TWinControl::CreateWnd();
    }

private:
    std::vector<std::string>* log_ = nullptr;
};

// A control built on the system's edit window.
class TTestEdit : public TWinControl {
    DECLARE_TEST_CLASS(TTestEdit, TWinControl)
public:
    explicit TTestEdit(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }
    std::vector<std::uint32_t> Reflected;  // notification messages that reached the object

    void Dispatch(TMessage& m) override
    {
        switch (m.Msg) {
        case CN_COMMAND:
        case CN_NOTIFY:
        case CN_HSCROLL:
        case CN_VSCROLL:
        case CN_DRAWITEM:
        case CN_MEASUREITEM:
        case CN_DELETEITEM:
        case CN_COMPAREITEM:
        case CN_VKEYTOITEM:
        case CN_CHARTOITEM:
            Reflected.push_back(m.Msg);
            m.Result = 7;  // what the control answers reaches the parent's caller
            return;
        }
        TWinControl::Dispatch(m);
    }

protected:
    void CreateParams(TCreateParams& params) override
    {
        TWinControl::CreateParams(params);
        CreateSubClass(params, "EDIT");
        params.Style |= ES_AUTOHSCROLL;
    }
};

// A control without a window of its own.
class TTestGraphic : public TGraphicControl {
    DECLARE_TEST_CLASS(TTestGraphic, TGraphicControl)
public:
    explicit TTestGraphic(TComponent* owner) : TGraphicControl(owner) {}
};

// Presses and releases keys through SendInput, in order: (virtual key, true for down).
void SendKeys(const std::vector<std::pair<WORD, bool>>& keys);

// Collects the messages of the exceptions the application reports while it lives; `then` runs
// after each report.
struct Reports : TObject {
    std::vector<std::string> messages;
    std::function<void()> then;
    Reports() { Application->OnAppException = TExceptionEvent(this, &Reports::Take); }
    ~Reports() override { Application->OnAppException = {}; }
    void Take(TObject*, const Exception& e)
    {
        messages.push_back(e.Message());
        if (then)
            then();
    }
};

// Runs the tests matching `filter` of this program in a child process, with the environment
// variable `flag` set (the child tests skip themselves without it) and, when `showCommand` is not
// -1, that start-up show command. The child's exit code (0: its tests ran and passed); ~0u when it
// could not be started or did not end within a minute; ChildRanNoTest when no test ran to its end.
constexpr unsigned ChildRanNoTest = 0xDEAD;
unsigned RunChildTests(const std::string& filter, const char* flag, int showCommand = -1);

// Makes a visible form of the given client size on the screen.
TTestForm* MakeShownForm(int clientWidth = 300, int clientHeight = 200);

}  // namespace controlstest
