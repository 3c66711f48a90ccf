// Drives a real Velmora.exe (or another program of the suite) from another process, the way a user meets
// it: starts it with a command line, finds its windows, reads what is on screen and ends it.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The path of Velmora.exe given to the test program (--velmora=PATH), in Windows form.
const std::string& VelmoraPath();
void SetVelmoraPath(const std::string& path);
// A Unix path ("/tmp/a b") in the form Wine's programs use ("Z:\tmp\a b"); other paths unchanged.
std::string WindowsPath(const std::string& path);

class VelmoraProcess {
public:
    // `program` is the exe to start; Velmora.exe unless a test drives another program.
    explicit VelmoraProcess(std::string program = VelmoraPath());
    ~VelmoraProcess();  // ends the program if it still runs
    VelmoraProcess(const VelmoraProcess&) = delete;
    VelmoraProcess& operator=(const VelmoraProcess&) = delete;

    // Starts the program with `arguments` after the quoted program path, as the shell would.
    bool Start(const std::string& arguments = "");
    // Starts the program with exactly this command line (the program's path in it as the test wants).
    bool StartWithCommandLine(std::string commandLine);
    const std::string& Program() const { return program_; }
    // Waits until a visible top-level window of the program with this class exists.
    HWND WaitForMainWindow(DWORD timeoutMs = 15000, const char* className = "TForm1");
    // Waits for a visible top-level window of the program with this class and title (empty: any title)
    // other than the main window: a message box, a common dialog ("#32770") or one of the program's forms.
    HWND WaitForDialog(const std::string& title, DWORD timeoutMs = 10000, const char* className = "#32770");

    HWND MainWindow() const { return mainWindow_; }
    DWORD ProcessId() const { return info_.dwProcessId; }
    HANDLE ProcessHandle() const { return info_.hProcess; }

    // The program's memo ("TMemo", or a plain "Edit") and status bar inside the main window.
    HWND Memo() const;
    HWND StatusBar() const;

    // Asks the main window to close (WM_CLOSE) and waits for the process to end; returns its exit code,
    // or -1 when it did not end in time.
    int CloseAndWait(DWORD timeoutMs = 15000);
    bool WaitForExit(DWORD timeoutMs);
    bool Running() const;
    DWORD ExitCode() const;

private:
    std::string program_;
    PROCESS_INFORMATION info_{};
    HWND mainWindow_ = nullptr;
};

// Text of a window of any process (caption of a top-level window, contents of an edit window), by
// WM_GETTEXT, which Wine carries across processes byte for byte; GetWindowTextA would not.
std::string TextOf(HWND window);
// Replaces a window's text (WM_SETTEXT): an edit's contents, a dialog field.
bool SetTextOf(HWND window, const std::string& text);
std::string ClassOf(HWND window);
// First descendant of `parent` with this window class (ignoring case) and, unless empty, this text.
HWND FindChild(HWND parent, const char* className, const std::string& text = "");
// Presses a button of a dialog or form (BM_CLICK, posted so a modal loop it opens cannot block the driver).
bool ClickButton(HWND dialog, int controlId);
bool ClickButton(HWND button);

// Polls `condition` until it holds or `timeout` passes; true when it held. Keeps the driver's own
// queue moving meanwhile (clipboard and cross-process messages need it).
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
