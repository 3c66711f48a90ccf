// The shell's side of a window: files dropped on it from the shell.
#pragma once

#include <string>

#include "platform/win32.h"

#include <shellapi.h>

namespace platform {

// DragAcceptFiles: whether files dropped from the shell reach `window` as WM_DROPFILES.
void AcceptDroppedFiles(HWND window, bool accept);

// DragQueryFileA: how many files a drop holds, the length in bytes of the name of file `index`, and
// that name as it fits in a buffer of `bufferSize` bytes (its terminating zero included).
unsigned DroppedFileCount(HDROP drop);
unsigned DroppedFileNameLength(HDROP drop, unsigned index);
std::string DroppedFileName(HDROP drop, unsigned index, unsigned bufferSize);
// DragFinish: the shell's memory for the drop is given back.
void FinishDrop(HDROP drop);

}  // namespace platform
