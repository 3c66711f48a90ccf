// Windows and their classes, messages and the message queue.
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform {

// Window classes
bool IsClassRegistered(HINSTANCE instance, const char* className, WNDCLASSA* info = nullptr);
bool RegisterClass(const WNDCLASSA& cls);
bool UnregisterClass(const char* className, HINSTANCE instance);

// Windows
HWND CreateWindow(DWORD exStyle, const char* className, const std::string& caption, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
bool DestroyWindow(HWND window);
bool IsWindow(HWND window);
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
std::string WindowText(HWND window);
void SetWindowText(HWND window, const std::string& text);
bool ShowWindow(HWND window, int command);

// Messages and the queue
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool PeekMessage(MSG& msg, UINT remove = PM_REMOVE);
bool GetMessage(MSG& msg);
void TranslateMessage(const MSG& msg);
LRESULT DispatchMessage(const MSG& msg);
void WaitMessage();
void PostQuitMessage(int exitCode);

}  // namespace platform
