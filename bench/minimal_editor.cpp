// The floor of the start-up benchmark: the least a Win32 editor does. A top-level window with a
// multi-line, wrapping edit control filling it, in the memo's font; a file named on the command line
// is read whole and put into the edit window with SetWindowTextA once the window shows.
//   minimal_editor.exe ["FILE"]
#include <string>

#include <windows.h>

namespace {

HWND edit = nullptr;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: MoveWindow(edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
    case WM_SETFOCUS: SetFocus(edit); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// What follows the quoted program path and one blank, without its quotes.
std::string FileArgument()
{
    std::string line = GetCommandLineA();
    std::size_t end = line[0] == '"' ? line.find('"', 1) : line.find(' ');
    if (end == std::string::npos || end + 2 > line.size())
        return {};
    std::string name = line.substr(line[0] == '"' ? end + 2 : end + 1);
    if (!name.empty() && name.front() == '"')
        name.erase(0, 1);
    if (!name.empty() && name.back() == '"')
        name.pop_back();
    return name;
}

void Load(const std::string& name)
{
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    SetWindowTextA(edit, text.c_str());
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA frame{};
    frame.lpfnWndProc = FrameProc;
    frame.hInstance = instance;
    frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frame.lpszClassName = "MinimalEditor";
    RegisterClassA(&frame);
    HWND window = CreateWindowExA(
        0, "MinimalEditor", "minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
        nullptr, nullptr, instance, nullptr);
    edit = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0, 0, 0, window, nullptr,
        instance, nullptr);
    LOGFONTA font{};
    font.lfHeight = -16;
    font.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpyA(font.lfFaceName, "FixedSys");
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontIndirectA(&font)), FALSE);
    RECT client;
    GetClientRect(window, &client);
    MoveWindow(edit, 0, 0, client.right, client.bottom, FALSE);
    ShowWindow(window, show);
    UpdateWindow(window);
    if (std::string name = FileArgument(); !name.empty())
        Load(name);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
