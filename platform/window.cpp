// Windows and their classes, properties, atoms, messages and the message queue.
#include "platform/window.h"

namespace platform {

bool IsClassRegistered(HINSTANCE instance, const char* className, WNDCLASSA* info)
{
    WNDCLASSA scratch;
    return ::GetClassInfoA(instance, className, info ? info : &scratch) != FALSE;
}

bool GetClassInfo(HINSTANCE instance, const char* className, WNDCLASSA& info)
{
    return ::GetClassInfoA(instance, className, &info) != FALSE;
}

bool RegisterClass(const WNDCLASSA& cls) { return ::RegisterClassA(&cls) != 0; }

bool UnregisterClass(const char* className, HINSTANCE instance)
{
    return ::UnregisterClassA(className, instance) != FALSE;
}

void SetClassIcon(HWND window, HICON icon) { ::SetClassLongPtrA(window, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon)); }

HWND CreateWindow(DWORD exStyle, const char* className, const std::string& caption, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
    return ::CreateWindowExA(
        exStyle, className, caption.c_str(), style, x, y, width, height, parent, menu, instance, param);
}

bool DestroyWindow(HWND window) { return ::DestroyWindow(window) != FALSE; }

bool IsWindow(HWND window) { return window && ::IsWindow(window); }

bool IsWindowVisible(HWND window) { return ::IsWindowVisible(window) != FALSE; }

bool IsWindowEnabled(HWND window) { return ::IsWindowEnabled(window) != FALSE; }

bool IsIconic(HWND window) { return ::IsIconic(window) != FALSE; }

bool EnableWindow(HWND window, bool enable) { return ::EnableWindow(window, enable) != FALSE; }

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(window, message, wParam, lParam);
}

WNDPROC DefaultWindowProcedure() { return ::DefWindowProcA; }

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

bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags)
{
    return ::SetWindowPos(window, insertAfter, x, y, width, height, flags) != FALSE;
}

RECT WindowRect(HWND window)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

RECT ClientRect(HWND window)
{
    RECT r{};
    ::GetClientRect(window, &r);
    return r;
}

RECT NormalWindowRect(HWND window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(window, &placement);
    return placement.rcNormalPosition;
}

bool SetNormalWindowRect(HWND window, const RECT& rect)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!::GetWindowPlacement(window, &placement))
        return false;
    placement.rcNormalPosition = rect;
    return ::SetWindowPlacement(window, &placement) != FALSE;
}

POINT MapPoint(HWND from, HWND to, POINT point)
{
    ::MapWindowPoints(from, to, &point, 1);
    return point;
}

HCURSOR SetCursor(HCURSOR cursor) { return ::SetCursor(cursor); }

HWND ParentWindow(HWND window) { return ::GetParent(window); }

HWND DialogItem(HWND window, int id) { return ::GetDlgItem(window, id); }

bool IsChild(HWND parent, HWND window) { return ::IsChild(parent, window) != FALSE; }

bool IsWindowUnicode(HWND window) { return ::IsWindowUnicode(window) != FALSE; }

LRESULT SendUnicodeChar(HWND window, wchar_t character, LPARAM keyData)
{
    auto procedure = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
    return ::CallWindowProcW(procedure, window, WM_CHAR, character, keyData);
}

HWND SetParentWindow(HWND window, HWND parent) { return ::SetParent(window, parent); }

HWND RelatedWindow(HWND window, UINT relation) { return ::GetWindow(window, relation); }

HWND WindowFromPoint(POINT point) { return ::WindowFromPoint(point); }

POINT ScreenToClient(HWND window, POINT point)
{
    ::ScreenToClient(window, &point);
    return point;
}

POINT ClientToScreen(HWND window, POINT point)
{
    ::ClientToScreen(window, &point);
    return point;
}

DWORD WindowProcessId(HWND window)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process;
}

DWORD WindowThreadId(HWND window) { return ::GetWindowThreadProcessId(window, nullptr); }

HINSTANCE WindowInstance(HWND window)
{
    return reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

WNDPROC SetWindowProc(HWND window, WNDPROC procedure)
{
    return reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

LONG_PTR WindowLong(HWND window, int index) { return ::GetWindowLongPtrA(window, index); }

LONG_PTR SetWindowLong(HWND window, int index, LONG_PTR value) { return ::SetWindowLongPtrA(window, index, value); }

bool SetProp(HWND window, ATOM name, void* value) { return ::SetPropA(window, MAKEINTATOM(name), value) != FALSE; }

void* GetProp(HWND window, ATOM name) { return ::GetPropA(window, MAKEINTATOM(name)); }

void* RemoveProp(HWND window, ATOM name) { return ::RemovePropA(window, MAKEINTATOM(name)); }

ATOM GlobalAddAtom(const std::string& name) { return ::GlobalAddAtomA(name.c_str()); }

void GlobalDeleteAtom(ATOM atom) { ::GlobalDeleteAtom(atom); }

UINT RegisterWindowMessage(const std::string& name) { return ::RegisterWindowMessageA(name.c_str()); }

bool InvalidateRect(HWND window, const RECT* rect, bool erase)
{
    return ::InvalidateRect(window, rect, erase) != FALSE;
}

bool UpdateWindow(HWND window) { return ::UpdateWindow(window) != FALSE; }

HWND ActiveWindow() { return ::GetActiveWindow(); }

HWND SetActiveWindow(HWND window) { return ::SetActiveWindow(window); }

HWND ForegroundWindow() { return ::GetForegroundWindow(); }

bool SetForegroundWindow(HWND window) { return ::SetForegroundWindow(window) != FALSE; }

HWND LastActivePopup(HWND window) { return ::GetLastActivePopup(window); }

static BOOL CALLBACK CollectWindow(HWND window, LPARAM data)
{
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadWindows()
{
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HMENU SystemMenu(HWND window) { return ::GetSystemMenu(window, FALSE); }

bool DeleteMenuItem(HMENU menu, UINT command) { return ::DeleteMenu(menu, command, MF_BYCOMMAND) != FALSE; }

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(window, message, wParam, lParam);
}

bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(window, message, wParam, lParam) != FALSE;
}

bool PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostThreadMessageA(threadId, message, wParam, lParam) != FALSE;
}

bool PeekMessage(MSG& msg, UINT remove) { return ::PeekMessageA(&msg, nullptr, 0, 0, remove) != FALSE; }

bool GetMessage(MSG& msg) { return ::GetMessageA(&msg, nullptr, 0, 0) > 0; }

bool TranslateMessage(const MSG& msg) { return ::TranslateMessage(&msg) != FALSE; }

LRESULT DispatchMessage(const MSG& msg) { return ::DispatchMessageA(&msg); }

bool IsDialogMessage(HWND dialog, MSG& msg) { return ::IsDialogMessageA(dialog, &msg) != FALSE; }

bool TranslateMDISysAccel(HWND client, MSG& msg) { return ::TranslateMDISysAccel(client, &msg) != FALSE; }

void WaitMessage() { ::WaitMessage(); }

void PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

}  // namespace platform
