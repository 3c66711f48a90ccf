// Starts a program under test, finds its windows and ends it.
#include "tests/e2e/velmora_process.h"

namespace e2e {

namespace {

std::string& PathStorage()
{
    static std::string path;
    return path;
}

struct TopLevelSearch {
    DWORD processId;
    const char* className;
    const std::string* title;  // null: any title
    HWND skip;
    HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || window == search->skip || !IsWindowVisible(window))
        return TRUE;
    if (lstrcmpiA(ClassOf(window).c_str(), search->className) != 0)
        return TRUE;
    if (search->title && !search->title->empty() && TextOf(window) != *search->title)
        return TRUE;
    search->found = window;
    return FALSE;
}

struct ChildSearch {
    const char* className;
    const std::string* text;
    HWND found = nullptr;
};

BOOL CALLBACK FindDescendant(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (lstrcmpiA(ClassOf(window).c_str(), search->className) != 0)
        return TRUE;
    if (!search->text->empty() && TextOf(window) != *search->text)
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

const std::string& VelmoraPath() { return PathStorage(); }

void SetVelmoraPath(const std::string& path) { PathStorage() = WindowsPath(path); }

std::string WindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string windowsPath = "Z:" + path;  // Wine's drive Z: is the Unix root
    for (char& c : windowsPath)
        if (c == '/')
            c = '\\';
    return windowsPath;
}

VelmoraProcess::VelmoraProcess(std::string program) : program_(std::move(program)) {}

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
    std::string commandLine = "\"" + program_ + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    return StartWithCommandLine(std::move(commandLine));
}

bool VelmoraProcess::StartWithCommandLine(std::string commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(program_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info_) != FALSE;
}

HWND VelmoraProcess::WaitForMainWindow(DWORD timeoutMs, const char* className)
{
    TopLevelSearch search{info_.dwProcessId, className, nullptr, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr || !Running();
        },
        timeoutMs);
    mainWindow_ = search.found;
    return mainWindow_;
}

HWND VelmoraProcess::WaitForDialog(const std::string& title, DWORD timeoutMs, const char* className)
{
    TopLevelSearch search{info_.dwProcessId, className, &title, mainWindow_};
    WaitUntil(
        [&] {
            EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr || !Running();
        },
        timeoutMs);
    return search.found;
}

HWND VelmoraProcess::Memo() const
{
    HWND memo = FindChild(mainWindow_, "TMemo");
    return memo ? memo : FindChild(mainWindow_, "Edit");
}

HWND VelmoraProcess::StatusBar() const
{
    HWND bar = FindChild(mainWindow_, "TStatusBar");
    return bar ? bar : FindChild(mainWindow_, "msctls_statusbar32");
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

std::string TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(
        window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return text;
}

bool SetTextOf(HWND window, const std::string& text)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(
               window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, &result) &&
           result != FALSE;
}

std::string ClassOf(HWND window)
{
    char name[256];
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

HWND FindChild(HWND parent, const char* className, const std::string& text)
{
    if (!parent)
        return nullptr;
    ChildSearch search{className, &text};
    EnumChildWindows(parent, FindDescendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ClickButton(HWND dialog, int controlId) { return ClickButton(GetDlgItem(dialog, controlId)); }

bool ClickButton(HWND button) { return button && PostMessageA(button, BM_CLICK, 0, 0); }

}  // namespace e2e
