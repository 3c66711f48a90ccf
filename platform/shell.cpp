// The shell's side of a window: files dropped on it from the shell.
#include "platform/shell.h"

namespace platform {

void AcceptDroppedFiles(HWND window, bool accept) { ::DragAcceptFiles(window, accept ? TRUE : FALSE); }

}  // namespace platform
