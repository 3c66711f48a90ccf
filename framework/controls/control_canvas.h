// TControlCanvas: the canvas of a control, drawing on a cached device context of the control's
// window (a non-windowed control: of its parent's, moved and clipped to its bounds). The context
// is taken when drawing first needs it and given back after the message being handled.
#pragma once

#include "framework/graphics/canvas.h"
#include "platform/win32.h"

class TControl;

class TControlCanvas : public TCanvas {
    DECLARE_CLASS(TControlCanvas)
public:
    ~TControlCanvas() override;

    TControl* Control() const { return control_; }
    void SetControl(TControl* control);
    // Gives the cached device context back, if one is held.
    void FreeHandle();
    // Right-to-left reading for a control that reads right to left.
    void UpdateTextFlags();

protected:
    void CreateHandle() override;

private:
    TControl* control_ = nullptr;
    HDC deviceContext_ = nullptr;
    HWND window_ = nullptr;
};

// Gives back the device contexts of every control canvas not locked at the moment; the main
// handler of every framework window calls it after each message.
void FreeDeviceContexts();
