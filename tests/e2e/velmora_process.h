// Drives a real Velmora.exe from another process, the way a user meets it: starts it with a command
// line, finds its main window, reads what is on screen and ends it.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The path of Velmora.exe given to the test program (--velmora=PATH), in Windows form.
const std::string& VelmoraPath();
void SetVelmoraPath(const std::string& path);

class VelmoraProcess {
public:
    VelmoraProcess() = default;
    ~VelmoraProcess();  // ends the program if it still runs
    VelmoraProcess(const VelmoraProcess&) = delete;
    VelmoraProcess& operator=(const VelmoraProcess&) = delete;

    // Starts Velmora.exe with `arguments` after the quoted program path.
    bool Start(const std::string& arguments = "");
    // Waits until a visible top-level window of the program with this class exists.
    HWND WaitForMainWindow(DWORD timeoutMs = 15000, const char* className = "TForm1");

    HWND MainWindow() const { return mainWindow_; }
    DWORD ProcessId() const { return info_.dwProcessId; }

    // Text of a window of the program (caption of a top-level window, contents of an edit window).
    static std::string TextOf(HWND window);

    // Asks the main window to close (WM_CLOSE) and waits for the process to end; returns its exit code,
    // or -1 when it did not end in time.
    int CloseAndWait(DWORD timeoutMs = 15000);
    bool WaitForExit(DWORD timeoutMs);
    bool Running() const;
    DWORD ExitCode() const;

private:
    PROCESS_INFORMATION info_{};
    HWND mainWindow_ = nullptr;
};

// Polls `condition` until it holds or `timeout` passes; true when it held.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 10000)
{
    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace e2e
