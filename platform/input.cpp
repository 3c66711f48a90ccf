// Keyboard focus, mouse capture, key states, the cursor and thread timers.
#include "platform/input.h"

#include <mutex>
#include <optional>

namespace platform {

namespace {

std::mutex pinLock;  // the hint watcher thread reads the position too
std::optional<POINT> pinnedCursor;

}  // namespace

HWND FocusWindow() { return ::GetFocus(); }

HWND SetFocus(HWND window) { return ::SetFocus(window); }

HWND CaptureWindow() { return ::GetCapture(); }

HWND SetCapture(HWND window) { return ::SetCapture(window); }

bool ReleaseCapture() { return ::ReleaseCapture() != FALSE; }

bool TrackMouseLeave(HWND window)
{
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
    return ::TrackMouseEvent(&track) != FALSE;
}

bool KeyIsDown(int virtualKey) { return ::GetKeyState(virtualKey) < 0; }

POINT CursorPos()
{
    {
        std::lock_guard guard(pinLock);
        if (pinnedCursor)
            return *pinnedCursor;
    }
    POINT p{};
    ::GetCursorPos(&p);
    return p;
}

void PinCursorPos(POINT pos)
{
    std::lock_guard guard(pinLock);
    pinnedCursor = pos;
}

void UnpinCursorPos()
{
    std::lock_guard guard(pinLock);
    pinnedCursor.reset();
}

HCURSOR LoadSystemCursor(const char* id) { return ::LoadCursorA(nullptr, id); }

HICON LoadIcon(HINSTANCE instance, const char* name) { return ::LoadIconA(instance, name); }

UINT_PTR SetThreadTimer(UINT elapse, TIMERPROC callback) { return ::SetTimer(nullptr, 0, elapse, callback); }

bool KillThreadTimer(UINT_PTR id) { return ::KillTimer(nullptr, id) != FALSE; }

}  // namespace platform
