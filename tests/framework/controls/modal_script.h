// Acts on the modal form that is up, from inside its own loop: a thread timer takes each step in
// turn once the form has the focus and the step's condition holds. A script that stalls closes
// the form and tells at which step it waited.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/controls/form.h"
#include "tests/support/window_picture.h"

namespace controlstest {

class ModalScript {
public:
    struct Step {
        std::string what;
        std::function<void(TCustomForm&)> act;
        // Taken when this holds too (none: as soon as the form has the focus).
        std::function<bool(TCustomForm&)> ready = {};
    };

    explicit ModalScript(std::vector<Step> steps, unsigned timeoutMs = 10000);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    bool Finished() const { return next_ == steps_.size(); }
    // Empty when every step was taken; else what the script was waiting for.
    std::string Stall() const;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Poll();

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    ULONGLONG deadline_;
    bool timedOut_ = false;
    UINT_PTR timer_ = 0;
};

// The modal form that is up, or none.
TCustomForm* ModalForm();
// True once `form` is the foreground window and the focus is on its active control (or itself).
bool HasFocus(TCustomForm& form);
// True once the screen shows `form`: most of its client area in the form's colour (pictures of
// the screen are taken after that; the display may show a window a little after it painted).
bool ShownOnScreen(TCustomForm& form);
// A pixel of a picture as a COLORREF, and how many pixels of `area` have `color`.
COLORREF ColorAt(const testsupport::Picture& picture, int x, int y);
int CountOf(const testsupport::Picture& picture, const RECT& area, COLORREF color);
// The form's child component `name`, as its window.
HWND ChildWindow(TCustomForm& form, const std::string& name);

}  // namespace controlstest
