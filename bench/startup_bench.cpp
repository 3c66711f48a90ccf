// Velmora's start against the least a Win32 editor does (minimal_editor.exe), in the same run, turn
// about: from starting the process until its main window shows and the program waits for input;
// and from starting it with a 20 MB Shift-JIS file on its command line until its edit window holds
// the whole file (wrapping on in both). Prints the medians and their ratios.
//   startup_bench.exe DOCUMENT SCRATCH_FOLDER   (Velmora.exe is found at ..\app beside this folder)
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

#include "bench/bench_support.h"

namespace {

[[noreturn]] void Fail(const std::string& what) { bench::Fail("startup_bench", what); }

struct Program {
    const char* title;
    std::string path;
    const char* windowClass;  // of the main window
    const char* editClass;    // of the edit window inside it
};

struct WindowSearch {
    DWORD process;
    const char* windowClass;
    HWND found = nullptr;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (process != search->process || !IsWindowVisible(window) || lstrcmpA(name, search->windowClass) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

// One run of a program: started, then watched until `ready` says so; the seconds that took.
class Run {
public:
    Run(const Program& program, const std::string& file) : program_(program)
    {
        std::string line = "\"" + program.path + "\"";
        if (!file.empty())
            line += " \"" + file + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        start_ = bench::Now();
        if (!CreateProcessA(
                program.path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
            Fail("cannot start " + program.path);
    }
    ~Run()
    {
        if (window_)
            PostMessageA(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(info_.hProcess, 120000) != WAIT_OBJECT_0)
            TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }

    // Until the main window is visible and the program waits for input.
    double UntilShownAndIdle()
    {
        WaitForWindow();
        if (WaitForInputIdle(info_.hProcess, 60000) != 0)
            Fail(std::string(program_.title) + " did not become idle");
        return bench::Now() - start_;
    }

    // Until the edit window's text is `length` bytes long.
    double UntilEditHolds(std::size_t length)
    {
        WaitForWindow();
        HWND edit = FindWindowExA(window_, nullptr, program_.editClass, nullptr);
        if (!edit)
            Fail(std::string(program_.title) + " has no edit window");
        for (;;) {
            // The program answers when it is done with its current message: no time-out while it loads.
            DWORD_PTR held = 0;
            if (!SendMessageTimeoutA(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 600000, &held))
                Fail(std::string(program_.title) + " did not answer");
            if (held >= length)
                return bench::Now() - start_;
            Sleep(1);
        }
    }

private:
    void WaitForWindow()
    {
        WindowSearch search{info_.dwProcessId, program_.windowClass};
        const double deadline = bench::Now() + 60;
        while (!search.found) {
            EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
            if (bench::Now() > deadline)
                Fail(std::string(program_.title) + " showed no window");
            if (!search.found)
                Sleep(1);
        }
        window_ = search.found;
    }

    const Program& program_;
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
    double start_ = 0;
};

// The two programs turn about, the floor first in even rounds; prints both medians and the ratio.
template <class Measure>
void Compare(const char* what, const Program& velmora, const Program& floor, int rounds, Measure measure)
{
    std::vector<double> velmoraTimes, floorTimes;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            floorTimes.push_back(measure(floor));
            velmoraTimes.push_back(measure(velmora));
        } else {
            velmoraTimes.push_back(measure(velmora));
            floorTimes.push_back(measure(floor));
        }
    }
    const double v = bench::Median(velmoraTimes), f = bench::Median(floorTimes);
    std::printf(
        "  %s: minimal editor %.3f s, Velmora %.3f s, Velmora takes %.3fx (median of %d)\n", what, f, v, v / f, rounds);
    std::fflush(stdout);
}

// About 20 MB of the document, cut after a whole line.
std::string TwentyMegabytes(const std::string& document)
{
    const std::size_t target = 20u * 1024 * 1024;
    std::string text;
    while (text.size() < target)
        text += document;
    std::size_t end = text.rfind("\r\n", target - 2);
    text.resize(end + 2);
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench DOCUMENT SCRATCH_FOLDER\n");
        return 2;
    }
    char own[MAX_PATH];
    GetModuleFileNameA(nullptr, own, sizeof own);
    std::string folder(own);
    folder.resize(folder.rfind('\\'));
    const std::string build = folder.substr(0, folder.rfind('\\'));
    const Program velmora{"Velmora", build + "\\app\\Velmora.exe", "TForm1", "TMemo"};
    const Program floor{"minimal editor", folder + "\\minimal_editor.exe", "MinimalEditor", "Edit"};

    std::printf("startup_bench: Velmora.exe against a window with an edit control, started in turn\n");
    std::fflush(stdout);
    Compare("start until the window shows and waits for input", velmora, floor, 9, [](const Program& program) {
        return Run(program, "").UntilShownAndIdle();
    });

    const std::string text = TwentyMegabytes(bench::ReadWholeFile("startup_bench", argv[1]));
    const std::string file = std::string(argv[2]) + "\\startup-20mb.txt";
    HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (out == INVALID_HANDLE_VALUE ||
        !WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) || written != text.size())
        Fail("cannot write " + file);
    CloseHandle(out);
    char what[96];
    std::snprintf(what, sizeof what, "%.1f MB Shift-JIS file from the command line, wrapping on",
                  static_cast<double>(text.size()) / (1024 * 1024));
    Compare(what, velmora, floor, 3, [&](const Program& program) {
        return Run(program, file).UntilEditHolds(text.size());
    });
    DeleteFileA(file.c_str());
    return 0;
}
