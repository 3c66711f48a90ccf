// TCustomControl: a windowed control that paints itself on its own canvas.
#pragma once

#include "framework/controls/control_canvas.h"
#include "framework/controls/win_control.h"

class TCustomControl : public TWinControl {
    DECLARE_CLASS(TCustomControl)
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    // Draws in the control's window.
    TCanvas* Canvas() const { return canvas_; }

    void Dispatch(TMessage& message) override;

protected:
    // Draws the control on Canvas(), which holds the painting context meanwhile.
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    TControlCanvas* canvas_;
};
