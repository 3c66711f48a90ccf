// Windows and their classes, properties, atoms, messages and the message queue.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

namespace platform {

// Window classes. GetClassInfo fills `info` and answers whether the class exists for `instance`
// (null: the system's classes).
bool IsClassRegistered(HINSTANCE instance, const char* className, WNDCLASSA* info = nullptr);
bool GetClassInfo(HINSTANCE instance, const char* className, WNDCLASSA& info);
bool RegisterClass(const WNDCLASSA& cls);
bool UnregisterClass(const char* className, HINSTANCE instance);
void SetClassIcon(HWND window, HICON icon);

// Windows
HWND CreateWindow(DWORD exStyle, const char* className, const std::string& caption, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
bool DestroyWindow(HWND window);
bool IsWindow(HWND window);
bool IsWindowVisible(HWND window);
bool IsWindowEnabled(HWND window);
bool IsIconic(HWND window);
bool EnableWindow(HWND window, bool enable);
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The system's default window procedure itself (DefWindowProcA), for class records and subclassing.
WNDPROC DefaultWindowProcedure();
LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
std::string WindowText(HWND window);
void SetWindowText(HWND window, const std::string& text);
bool ShowWindow(HWND window, int command);
bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
RECT WindowRect(HWND window);  // screen coordinates
RECT ClientRect(HWND window);
// The bounds the window has when restored (GetWindowPlacement), for a minimised window.
RECT NormalWindowRect(HWND window);
// Sets the bounds the window takes when it is restored (SetWindowPlacement, the rest unchanged).
bool SetNormalWindowRect(HWND window, const RECT& rect);
POINT MapPoint(HWND from, HWND to, POINT point);  // MapWindowPoints of one point
HWND ParentWindow(HWND window);                   // GetParent: the parent of a child, the owner of a popup
HWND DialogItem(HWND window, int id);             // GetDlgItem: the child with that id
bool IsChild(HWND parent, HWND window);           // a descendant of `parent`
bool IsWindowUnicode(HWND window);                // its procedure takes UTF-16 text
// Hands a typed character to the window's procedure through its Unicode entry (CallWindowProcW of
// GetWindowLongPtrW), for a window made through the ANSI interface that would take the two bytes of
// a double-byte character for two characters.
LRESULT SendUnicodeChar(HWND window, wchar_t character, LPARAM keyData);
HWND SetParentWindow(HWND window, HWND parent);  // SetParent; returns the previous parent
HWND RelatedWindow(HWND window, UINT relation);  // GetWindow
HWND WindowFromPoint(POINT point);
POINT ScreenToClient(HWND window, POINT point);
POINT ClientToScreen(HWND window, POINT point);
DWORD WindowProcessId(HWND window);
DWORD WindowThreadId(HWND window);
HINSTANCE WindowInstance(HWND window);
HCURSOR SetCursor(HCURSOR cursor);

// Window data: procedure, id, styles, user data
WNDPROC SetWindowProc(HWND window, WNDPROC procedure);  // returns the previous one
LONG_PTR WindowLong(HWND window, int index);
LONG_PTR SetWindowLong(HWND window, int index, LONG_PTR value);

// Window properties and atoms
bool SetProp(HWND window, ATOM name, void* value);
void* GetProp(HWND window, ATOM name);
void* RemoveProp(HWND window, ATOM name);
ATOM GlobalAddAtom(const std::string& name);
void GlobalDeleteAtom(ATOM atom);
UINT RegisterWindowMessage(const std::string& name);

// Painting requests
bool InvalidateRect(HWND window, const RECT* rect, bool erase);
bool UpdateWindow(HWND window);

// Activation and the thread's windows
HWND ActiveWindow();
HWND SetActiveWindow(HWND window);
HWND ForegroundWindow();
bool SetForegroundWindow(HWND window);
HWND LastActivePopup(HWND window);
// Top-level windows of the calling thread, in z-order (EnumThreadWindows).
std::vector<HWND> ThreadWindows();

// System menu
HMENU SystemMenu(HWND window);
bool DeleteMenuItem(HMENU menu, UINT command);  // DeleteMenu by command

// Messages and the queue
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
bool PeekMessage(MSG& msg, UINT remove = PM_REMOVE);
bool GetMessage(MSG& msg);
bool TranslateMessage(const MSG& msg);
LRESULT DispatchMessage(const MSG& msg);
bool IsDialogMessage(HWND dialog, MSG& msg);
bool TranslateMDISysAccel(HWND client, MSG& msg);
void WaitMessage();
void PostQuitMessage(int exitCode);

}  // namespace platform
