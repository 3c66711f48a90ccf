// TButtonControl and TButton: the system's push button, its default frame, modal result and keys.
#include "framework/controls/button.h"

#include "framework/core/class_info.h"
#include "framework/menus/hotkeys.h"
#include "platform/buttons.h"
#include "platform/locale.h"
#include "platform/window.h"

const TClassInfo& TButtonControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TButtonControl, TWinControl>("TButtonControl").Build();
    return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner)
{
    // A button takes no text: in a far-east system the input method stays off over it.
    if (platform::IsFarEast())
        SetImeMode(imDisable);
}

const TClassInfo& TButton::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TButton, TButtonControl>("TButton")
            .Property("Cancel", &TButton::Cancel, &TButton::SetCancel)
            .Property("Caption", &TButton::Caption, &TButton::SetCaption)
            .Property("Default", &TButton::Default, &TButton::SetDefault)
            .Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
            .Build();
    return info;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner)
{
    controlStyle_ = {csSetCaption, csDoubleClicks};
    SetBounds(left_, top_, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params)
{
    TButtonControl::CreateParams(params);
    CreateSubClass(params, platform::ButtonClassName);
    params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    active_ = default_;
}

void TButton::SetDefault(bool value)
{
    if (value == default_)
        return;
    default_ = value;
    if (!HandleAllocated())
        return;
    // The form works out again which button shows the default frame.
    if (TCustomForm* form = GetParentForm(this))
        form->PerformMessage(CMSG_FOCUSCHANGED, 0, reinterpret_cast<std::intptr_t>(form->ActiveControl()));
}

void TButton::SetButtonStyle(bool isDefault)
{
    if (!HandleAllocated())
        return;
    DWORD style = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((platform::WindowLong(handle_, GWL_STYLE) & 0xF) != static_cast<LONG_PTR>(style))
        platform::SetButtonStyle(handle_, style);
}

void TButton::Click()
{
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

// Enter for the active button, Escape for a cancel button; neither with Shift, Ctrl or Alt held.
void TButton::CMDialogKey(TMessage& m)
{
    TKeyMsg key(m);
    bool pressed = (key.CharCode() == VK_RETURN && active_) || (key.CharCode() == VK_ESCAPE && cancel_);
    if (pressed && key.Shift().Empty() && CanFocus()) {
        Click();
        m.Result = 1;
        return;
    }
    TButtonControl::Dispatch(m);
}

void TButton::CMDialogChar(TMessage& m)
{
    if (IsAccelerator(TKeyMsg(m).CharCode(), Caption()) && CanFocus()) {
        Click();
        m.Result = 1;
        return;
    }
    TButtonControl::Dispatch(m);
}

// The focus moved to `control`: a focused button becomes the active one, else the default button is.
void TButton::CMFocusChanged(TMessage& m)
{
    auto* control = reinterpret_cast<TWinControl*>(m.LParam);
    active_ = dynamic_cast<TButton*>(control) ? control == this : default_;
    SetButtonStyle(active_);
    TButtonControl::Dispatch(m);
}

void TButton::CNCommand(TMessage& m)
{
    if (TCommandMsg(m).NotifyCode() == BN_CLICKED)
        Click();
}

void TButton::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CMSG_DIALOGKEY: CMDialogKey(m); break;
    case CMSG_DIALOGCHAR: CMDialogChar(m); break;
    case CMSG_FOCUSCHANGED: CMFocusChanged(m); break;
    case CN_COMMAND: CNCommand(m); break;
    default: TButtonControl::Dispatch(m); break;
    }
}

bool IsAccelerator(std::uint16_t charCode, const std::string& caption)
{
    std::string hotkey = HotkeyOf(caption);
    auto upper = [](unsigned c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    return hotkey.size() == 1 && upper(static_cast<unsigned char>(hotkey[0])) == upper(charCode);
}
