// Drives the system's common dialogs the way a user does: finds a dialog of this thread by class
// and title, types through the real keyboard path (SendInput), presses buttons, and reads controls.
// A DialogScript runs its steps from a thread timer, so it works inside a modal dialog's own loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace dialogtest {

// The first visible top-level window of this thread with that class and title (empty: any title).
HWND FindDialogWindow(const std::string& title, const std::string& className = "#32770");
// Any visible system dialog of this thread but `except` (a message box over a dialog, say).
HWND FindOtherDialog(HWND except);
// How many visible top-level windows of this thread have that class and title.
int CountDialogWindows(const std::string& title, const std::string& className = "#32770");
std::string ControlText(HWND control);  // WM_GETTEXT, in the ANSI code page
// Types `text` (Shift-JIS) into the focused window as Unicode key strokes, after making `window`
// the foreground window.
void TypeText(HWND window, const std::string& text);
// Presses and releases a key, with Shift or Ctrl held when asked.
void PressKey(HWND window, WORD key, bool shift = false, bool ctrl = false);
// The window with the keyboard focus in this thread.
HWND FocusedWindow();

// Steps run one after another from a thread timer; a step returns true when it is done (it is
// called again until then). A script that does not finish within its deadline records which step
// it was waiting for, and closes the dialog it found so that the test goes on.
class DialogScript {
public:
    struct Step {
        std::string what;  // for the failure report
        std::function<bool()> run;
    };
    DialogScript() = default;
    ~DialogScript();
    // Starts the steps (made by this script's step functions below).
    void Start(std::vector<Step> steps, unsigned timeoutMs = 15000);
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    bool Finished() const { return next_ == steps_.size(); }
    // Empty when every step ran; else what the script was waiting for.
    const std::string& Failure() const { return failure_; }
    // The dialog the last "find" step found.
    HWND Dialog() const { return dialog_; }

    // Common steps: wait for the dialog with that title; type into control `id` (focused first) and
    // wait until the control shows `text`; press button `id`; put `text` into control `id` directly.
    Step Find(const std::string& title);
    Step Type(int id, const std::string& text);
    Step Press(int id);
    Step SetText(int id, const std::string& text);
    // Waits until the dialog window is gone (a dialog that refused to close fails the script).
    Step Closed();
    // A step that runs `action` once.
    static Step Do(std::string what, const std::function<void()>& action);

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
    void Poll();
    void Stop();

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    ULONGLONG deadline_ = 0;
    UINT_PTR timer_ = 0;
    std::string failure_;
    HWND dialog_ = nullptr;
    bool typed_ = false;
    std::string seen_;  // what the control showed last, for the failure report
};

// The control `id` of `dialog`, also when it sits inside a child dialog or a combo box.
HWND DialogControl(HWND dialog, int id);

}  // namespace dialogtest
