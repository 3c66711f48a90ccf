// TButtonControl and TButton: the system's push button under a framework control. A click sets
// the form's ModalResult to the button's, then fires OnClick; Enter presses the form's active
// default button, Escape a cancel button, and the caption's accelerator character the button.
#pragma once

#include "framework/controls/form.h"
#include "framework/controls/win_control.h"

// The base of the controls over the system's button window.
class TButtonControl : public TWinControl {
    DECLARE_CLASS(TButtonControl)
public:
    explicit TButtonControl(TComponent* owner);
};

class TButton : public TButtonControl {
    DECLARE_CLASS(TButton)
public:
    explicit TButton(TComponent* owner);

    // The default button of its form: Enter presses it while the focus is on no other button.
    bool Default() const { return default_; }
    void SetDefault(bool value);
    // A cancel button is pressed by Escape.
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    // What a click sets the form's ModalResult to (0 leaves a modal form open).
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    // The button Enter presses: the focused button, or the default one while no button has the focus.
    bool Active() const { return active_; }

    // Sets the form's ModalResult, then OnClick.
    void Click() override;
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    // The thick default frame for the active button, the plain one for the others.
    void SetButtonStyle(bool isDefault);
    void CMDialogKey(TMessage& m);
    void CMDialogChar(TMessage& m);
    void CMFocusChanged(TMessage& m);
    void CNCommand(TMessage& m);

    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    TModalResult modalResult_ = mrNone;
};

// True when `charCode` is the accelerator character of `caption` (the character after a single
// "&"), compared without regard to case.
bool IsAccelerator(std::uint16_t charCode, const std::string& caption);
