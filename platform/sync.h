// Events for waking and stopping worker threads, and message hooks of the GUI thread.
#pragma once

#include "platform/win32.h"

namespace platform {

HANDLE CreateManualEvent();  // not signalled; null on failure
bool SignalEvent(HANDLE event);
// Waits at most `milliseconds`; true when the event was signalled.
bool WaitForEvent(HANDLE event, DWORD milliseconds);

// A WH_GETMESSAGE hook of the calling thread; null on failure.
HHOOK HookThreadMessages(HOOKPROC procedure);
bool Unhook(HHOOK hook);
LRESULT CallNextHook(int code, WPARAM wParam, LPARAM lParam);

}  // namespace platform
