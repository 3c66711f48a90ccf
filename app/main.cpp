// Program entry. Until the editor's main form exists, a plain top-level window stands in for it.
#include "platform/input.h"
#include "platform/module.h"
#include "platform/window.h"

namespace {

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        platform::PostQuitMessage(0);
        return 0;
    }
    return platform::DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA cls{};
    cls.lpfnWndProc = StandInProc;
    cls.hInstance = instance;
    cls.hIcon = platform::LoadIcon(instance, "MAINICON");
    cls.hCursor = platform::LoadSystemCursor(IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    cls.lpszClassName = "TForm1";
    platform::RegisterClass(cls);
    HWND window = platform::CreateWindow(
        0, "TForm1", " :  Velmora", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr,
        instance, nullptr);
    platform::ShowWindow(window, show);
    MSG msg;
    while (platform::GetMessage(msg)) {
        platform::TranslateMessage(msg);
        platform::DispatchMessage(msg);
    }
    return 0;
}
