// TGraphicControl: a control without a window of its own. It lives in its parent's window, gets
// the mouse messages the parent forwards, and paints when the parent paints.
#pragma once

#include "framework/controls/control.h"
#include "framework/controls/control_canvas.h"

class TGraphicControl : public TControl {
    DECLARE_CLASS(TGraphicControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    void Dispatch(TMessage& message) override;

    // Draws in the parent's window, with the control's top left corner as origin.
    TCanvas* Canvas() const { return canvas_; }

protected:
    // Draws the control on Canvas() (PaintDC() is the same device context).
    virtual void Paint() {}
    HDC PaintDC() const { return paintDC_; }

private:
    void WMPaint(TMessage& m);

    TControlCanvas* canvas_;
    HDC paintDC_ = nullptr;
};
