// The driver's target program: a frame window with a menu, a Unicode edit window and a status bar.
#include "tests/e2e/driver_target.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

namespace e2e {

namespace {

enum Command { kAsk = 1, kExit = 2 };
constexpr int kStatusId = 100;

HWND edit;
HWND status;

void SetStatus(int part, const std::string& text)
{
    SendMessageA(status, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text.c_str()));
}

void ShowDroppedFiles(HDROP drop)
{
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    std::string names;
    for (UINT i = 0; i < count; ++i) {
        char name[MAX_PATH];
        DragQueryFileA(drop, i, name, sizeof name);
        if (i)
            names += '|';
        names += name;
    }
    DragFinish(drop);
    SetStatus(1, std::to_string(count));
    SetStatus(2, names);
}

void Layout(HWND frame)
{
    SendMessageA(status, WM_SIZE, 0, 0);
    RECT client, bar;
    GetClientRect(frame, &client);
    GetWindowRect(status, &bar);
    MoveWindow(edit, 0, 0, client.right, client.bottom - (bar.bottom - bar.top), TRUE);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        edit = CreateWindowExW(
            WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 0, 0, 0, 0, frame,
            nullptr, nullptr, nullptr);
        status = CreateWindowExA(
            0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame, reinterpret_cast<HMENU>(kStatusId),
            nullptr, nullptr);
        int edges[] = {100, 250, -1};
        SendMessageA(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
        SetStatus(0, "一つ目");
        SetStatus(1, "two");
        DragAcceptFiles(frame, TRUE);
        return 0;
    }
    case WM_SIZE: Layout(frame); return 0;
    case WM_SETFOCUS: SetFocus(edit); return 0;
    case WM_DROPFILES: ShowDroppedFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kAsk) {
            int answer = MessageBoxA(frame, "続けますか", "確認", MB_YESNO | MB_ICONQUESTION);
            SetStatus(0, answer == IDYES ? "はい" : "いいえ");
            return 0;
        }
        if (LOWORD(wParam) == kExit) {
            DestroyWindow(frame);
            return 0;
        }
        break;
    case WM_DESTROY: PostQuitMessage(kDriverTargetExitCode); return 0;
    }
    return DefWindowProcA(frame, message, wParam, lParam);
}

HMENU BuildMenu()
{
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, kAsk, "質問(&Q)");
    AppendMenuA(file, MF_STRING, kExit, "終了(&X)");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "ファイル(&F)");
    return bar;
}

}  // namespace

int RunDriverTarget()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA cls{};
    cls.lpfnWndProc = FrameProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    cls.lpszClassName = kDriverTargetClass;
    RegisterClassA(&cls);
    HWND frame = CreateWindowExA(
        0, kDriverTargetClass, kDriverTargetTitle, WS_OVERLAPPEDWINDOW, 40, 40, 500, 300, nullptr, BuildMenu(),
        cls.hInstance, nullptr);
    if (!frame)
        return 1;
    ShowWindow(frame, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace e2e
