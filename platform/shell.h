// The shell's side of a window: files dropped on it from the shell.
#pragma once

#include "platform/win32.h"

#include <shellapi.h>

namespace platform {

// DragAcceptFiles: whether files dropped from the shell reach `window` as WM_DROPFILES.
void AcceptDroppedFiles(HWND window, bool accept);

}  // namespace platform
