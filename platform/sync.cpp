// Events for waking and stopping worker threads, and message hooks of the GUI thread.
#include "platform/sync.h"

namespace platform {

HANDLE CreateManualEvent() { return ::CreateEventA(nullptr, TRUE, FALSE, nullptr); }

bool SignalEvent(HANDLE event) { return ::SetEvent(event) != FALSE; }

bool WaitForEvent(HANDLE event, DWORD milliseconds)
{
    return ::WaitForSingleObject(event, milliseconds) == WAIT_OBJECT_0;
}

HHOOK HookThreadMessages(HOOKPROC procedure)
{
    return ::SetWindowsHookExA(WH_GETMESSAGE, procedure, nullptr, ::GetCurrentThreadId());
}

bool Unhook(HHOOK hook) { return ::UnhookWindowsHookEx(hook) != FALSE; }

LRESULT CallNextHook(int code, WPARAM wParam, LPARAM lParam) { return ::CallNextHookEx(nullptr, code, wParam, lParam); }

}  // namespace platform
