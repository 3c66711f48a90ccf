// TGraphicControl: a control without a window of its own. It lives in its parent's window, gets
// the mouse messages the parent forwards, and paints when the parent paints.
#pragma once

#include "framework/controls/control.h"

class TGraphicControl : public TControl {
    DECLARE_CLASS(TGraphicControl)
public:
    explicit TGraphicControl(TComponent* owner);

    void Dispatch(TMessage& message) override;

protected:
    // Draws the control into PaintDC(), whose origin is the control's top left corner.
    virtual void Paint() {}
    HDC PaintDC() const { return paintDC_; }

private:
    void WMPaint(TMessage& m);

    HDC paintDC_ = nullptr;
};
