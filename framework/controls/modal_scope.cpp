// TModalScope: disabling the thread's windows around something modal, and undoing it.
#include "framework/controls/modal_scope.h"

#include "framework/controls/application.h"
#include "framework/controls/form.h"
#include "framework/controls/screen.h"
#include "platform/window.h"

TModalScope::TModalScope(HWND except, TCustomForm* focusedForm)
    : activeWindow_(platform::ActiveWindow()), focusCount_(FocusCount)
{
    if (Screen) {
        Screen->SaveFocusedForm();
        if (focusedForm)
            Screen->SetFocusedForm(focusedForm);
    }
    disabled_ = TApplication::DisableThreadWindows(except);
}

TModalScope::~TModalScope()
{
    TApplication::EnableWindows(disabled_);
    if (activeWindow_ && platform::IsWindow(activeWindow_))
        platform::SetActiveWindow(activeWindow_);
    if (Screen)
        Screen->SetFocusedForm(Screen->TakeSavedFocusedForm());
    FocusCount = focusCount_;
}
