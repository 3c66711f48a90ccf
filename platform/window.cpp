// Windows and their classes, messages and the message queue.
#include "platform/window.h"

namespace platform {

bool IsClassRegistered(HINSTANCE instance, const char* className, WNDCLASSA* info)
{
    WNDCLASSA scratch;
    return ::GetClassInfoA(instance, className, info ? info : &scratch) != FALSE;
}

bool RegisterClass(const WNDCLASSA& cls) { return ::RegisterClassA(&cls) != 0; }

bool UnregisterClass(const char* className, HINSTANCE instance)
{
    return ::UnregisterClassA(className, instance) != FALSE;
}

HWND CreateWindow(DWORD exStyle, const char* className, const std::string& caption, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
    return ::CreateWindowExA(exStyle, className, caption.c_str(), style, x, y, width, height, parent, menu,
                             instance, param);
}

bool DestroyWindow(HWND window) { return ::DestroyWindow(window) != FALSE; }

bool IsWindow(HWND window) { return window && ::IsWindow(window); }

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcA(procedure, window, message, wParam, lParam);
}

std::string WindowText(HWND window)
{
    int n = ::GetWindowTextLengthA(window);
    std::string text(n + 1, '\0');
    n = ::GetWindowTextA(window, text.data(), n + 1);
    text.resize(n > 0 ? n : 0);
    return text;
}

void SetWindowText(HWND window, const std::string& text) { ::SetWindowTextA(window, text.c_str()); }

bool ShowWindow(HWND window, int command) { return ::ShowWindow(window, command) != FALSE; }

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(window, message, wParam, lParam);
}

bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(window, message, wParam, lParam) != FALSE;
}

bool PeekMessage(MSG& msg, UINT remove) { return ::PeekMessageA(&msg, nullptr, 0, 0, remove) != FALSE; }

bool GetMessage(MSG& msg) { return ::GetMessageA(&msg, nullptr, 0, 0) > 0; }

void TranslateMessage(const MSG& msg) { ::TranslateMessage(&msg); }

LRESULT DispatchMessage(const MSG& msg) { return ::DispatchMessageA(&msg); }

void WaitMessage() { ::WaitMessage(); }

void PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

}  // namespace platform
