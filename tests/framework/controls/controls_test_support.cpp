// Shared pieces of the control tests.
#include "tests/framework/controls/controls_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/input.h"
#include "tests/support/dialog_answerer.h"
#include "tests/support/temp_files.h"

namespace controlstest {

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
    testsupport::TempFolder folder;
    std::string results = folder.File("results.xml");
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command = std::string("\"") + path + "\" --gtest_filter=" + filter + " --gtest_output=xml:" + results;
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
    // A child whose tests all skipped themselves (or that matched none) passed nothing.
    if (code == 0 && testsupport::ReadFileBytes(results).value_or("").find("result=\"completed\"") == std::string::npos)
        return ChildRanNoTest;
    return code;
}

namespace {

unsigned loopTimeout = 0;

void CALLBACK EndOverdueLoop(HWND, UINT, UINT_PTR, DWORD)
{
    ADD_FAILURE() << "the application's loop did not end within " << loopTimeout
                  << " ms; on screen:" << testsupport::ThreadWindowsOnScreen();
    PostQuitMessage(0);
}

}  // namespace

void RunLoopWithin(unsigned timeoutMs)
{
    loopTimeout = timeoutMs;
    UINT_PTR timer = SetTimer(nullptr, 0, timeoutMs, EndOverdueLoop);
    Application->RunLoop();
    KillTimer(nullptr, timer);
}

ApplicationGuard::ApplicationGuard()
    : onIdle_(Application->OnAppIdle), onMessage_(Application->OnAppMessage), onException_(Application->OnAppException),
      onHint_(Application->OnAppHint), onMinimize_(Application->OnAppMinimize), onRestore_(Application->OnAppRestore),
      onShortCut_(Application->OnAppShortCut), onShowHint_(Application->OnAppShowHint),
      showDelay_(Application->HintShowDelay()), reshowDelay_(Application->HintReshowDelay()),
      hideDelay_(Application->HintHideDelay())
{
    for (int i = 0; i < Application->ComponentCount(); ++i)
        owned_.push_back(Application->Components(i));
}

ApplicationGuard::~ApplicationGuard()
{
    platform::UnpinCursorPos();
    Application->Hints().Cancel();
    Application->OnAppIdle = onIdle_;
    Application->OnAppMessage = onMessage_;
    Application->OnAppException = onException_;
    Application->OnAppHint = onHint_;
    Application->OnAppMinimize = onMinimize_;
    Application->OnAppRestore = onRestore_;
    Application->OnAppShortCut = onShortCut_;
    Application->OnAppShowHint = onShowHint_;
    Application->SetHintShowDelay(showDelay_);
    Application->SetHintReshowDelay(reshowDelay_);
    Application->SetHintHideDelay(hideDelay_);
    // Freeing one component may free others with it: look again after each.
    for (;;) {
        TComponent* added = nullptr;
        for (int i = Application->ComponentCount() - 1; i >= 0 && !added; --i)
            if (std::find(owned_.begin(), owned_.end(), Application->Components(i)) == owned_.end())
                added = Application->Components(i);
        if (!added)
            break;
        delete added;
    }
    Application->SetQuitRequested(false);
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
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
