// Keyboard focus, mouse capture, key states, the cursor and thread timers.
#pragma once

#include "platform/win32.h"

namespace platform {

HWND FocusWindow();          // GetFocus
HWND SetFocus(HWND window);  // returns the window that had the focus
HWND CaptureWindow();        // GetCapture
HWND SetCapture(HWND window);
bool ReleaseCapture();
// Asks for one WM_MOUSELEAVE when the mouse leaves `window`'s client area (TrackMouseEvent).
bool TrackMouseLeave(HWND window);

bool KeyIsDown(int virtualKey);  // GetKeyState: the high bit

POINT CursorPos();  // screen coordinates
// Tests pin the position CursorPos reports, so that what the framework sees of the cursor does
// not depend on the display; Unpin goes back to the real cursor. Any thread may read it.
void PinCursorPos(POINT pos);
void UnpinCursorPos();
HCURSOR LoadSystemCursor(const char* id);  // LoadCursorA(null, id)
HICON LoadIcon(HINSTANCE instance, const char* name);

// A thread timer (no window): `callback` runs from the thread's message dispatch. 0 on failure.
UINT_PTR SetThreadTimer(UINT elapse, TIMERPROC callback);
bool KillThreadTimer(UINT_PTR id);

}  // namespace platform
