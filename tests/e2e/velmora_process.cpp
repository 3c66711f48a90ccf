// Drives a real Velmora.exe from another process.
#include "tests/e2e/velmora_process.h"

namespace e2e {

namespace {

std::string& PathStorage()
{
    static std::string path;
    return path;
}

struct FindWindowOf {
    DWORD processId;
    const char* className;
    HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<FindWindowOf*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || !IsWindowVisible(window))
        return TRUE;
    char cls[128];
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpA(cls, search->className) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

const std::string& VelmoraPath() { return PathStorage(); }

void SetVelmoraPath(const std::string& path)
{
    std::string windowsPath = path;
    if (!windowsPath.empty() && windowsPath[0] == '/') {  // a Unix path: Wine's drive Z: is the root
        for (char& c : windowsPath)
            if (c == '/')
                c = '\\';
        windowsPath = "Z:" + windowsPath;
    }
    PathStorage() = windowsPath;
}

VelmoraProcess::~VelmoraProcess()
{
    if (info_.hProcess) {
        if (Running()) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool VelmoraProcess::Start(const std::string& arguments)
{
    std::string commandLine = "\"" + VelmoraPath() + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info_) != FALSE;
}

HWND VelmoraProcess::WaitForMainWindow(DWORD timeoutMs, const char* className)
{
    FindWindowOf search{info_.dwProcessId, className};
    WaitUntil(
        [&] {
            EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr || !Running();
        },
        timeoutMs);
    mainWindow_ = search.found;
    return mainWindow_;
}

std::string VelmoraProcess::TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        5000, &copied);
    text.resize(copied);
    return text;
}

int VelmoraProcess::CloseAndWait(DWORD timeoutMs)
{
    if (mainWindow_)
        PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
    if (!WaitForExit(timeoutMs))
        return -1;
    return static_cast<int>(ExitCode());
}

bool VelmoraProcess::WaitForExit(DWORD timeoutMs)
{
    return WaitUntil([&] { return !Running(); }, timeoutMs);
}

bool VelmoraProcess::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD VelmoraProcess::ExitCode() const
{
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

}  // namespace e2e
