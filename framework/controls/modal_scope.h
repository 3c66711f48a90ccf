// TModalScope: the program around something modal (a modal form, a message box, a system dialog).
// While it lives the thread's other visible windows are disabled and the focus state is put aside;
// its destructor gives back the windows, the active window, the focused form and the focus count,
// also when an exception passes.
#pragma once

#include <vector>

#include "platform/win32.h"

class TCustomForm;

class TModalScope {
public:
    // `except` stays enabled (the application window, or nothing); `focusedForm`, when given, is the
    // screen's focused form while the scope lives.
    explicit TModalScope(HWND except, TCustomForm* focusedForm = nullptr);
    ~TModalScope();
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;

    // The window active before the scope is not activated again (another window took over).
    void ForgetActiveWindow() { activeWindow_ = nullptr; }

private:
    HWND activeWindow_;
    int focusCount_;
    std::vector<HWND> disabled_;
};
