// Shared pieces of the control tests.
#include "tests/framework/controls/controls_test_support.h"

#include "framework/core/class_info.h"

namespace controlstest {

const TClassInfo& TTestForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTestForm, TForm>("TTestForm").Build();
    return info;
}

const TClassInfo& TLoggingControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TLoggingControl, TWinControl>("TLoggingControl").Build();
    return info;
}

const TClassInfo& TTestEdit::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTestEdit, TWinControl>("TTestEdit").Build();
    return info;
}

const TClassInfo& TTestGraphic::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTestGraphic, TGraphicControl>("TTestGraphic").Build();
    return info;
}

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs)
{
    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        MSG msg;
        if (Application->TakeMessage(msg))
            continue;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    }
    return true;
}

void PumpPending()
{
    MSG msg;
    while (Application->TakeMessage(msg)) {
    }
}

TTestForm* MakeShownForm(int clientWidth, int clientHeight)
{
    auto* form = new TTestForm(nullptr);
    form->SetBounds(100, 100, 400, 300);
    form->SetVisible(true);
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    PumpPending();
    return form;
}

}  // namespace controlstest

std::string controlstest::WindowTextOf(HWND window)
{
    char buffer[256] = {};
    SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}
