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

void SendKeys(const std::vector<std::pair<WORD, bool>>& keys)
{
    std::vector<INPUT> inputs;
    for (auto [key, down] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

unsigned RunChildTests(const std::string& filter, const char* flag, int showCommand)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command = std::string("\"") + path + "\" --gtest_filter=" + filter;
    SetEnvironmentVariableA(flag, "1");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (showCommand != -1) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
    }
    PROCESS_INFORMATION process{};
    BOOL started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(flag, nullptr);
    if (!started)
        return ~0u;
    DWORD code = ~0u;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
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
