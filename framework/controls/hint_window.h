// THintWindow: the small popup window that shows a control's short hint near the cursor.
#pragma once

#include <string>

#include "framework/controls/win_control.h"

class THintWindow : public TWinControl {
    DECLARE_CLASS(THintWindow)
public:
    explicit THintWindow(TComponent* owner);

    // The window's bounds for `hint`, at (0, 0), at most `maxWidth` wide.
    virtual RECT CalcHintRect(int maxWidth, const std::string& hint);
    // Shows `hint` in `rect` (screen coordinates), above other windows, without taking the focus.
    virtual void ActivateHint(const RECT& rect, const std::string& hint);
    // Hides the window.
    void ReleaseHint();
    bool HintShowing() const;

    // Whether a queued message closes a showing hint (keys, clicks, commands, activation).
    static bool IsHintMsg(const MSG& msg);

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void WMPaint(TMessage& m);
};
