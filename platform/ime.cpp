// The input method of a window: its context and whether it is open.
#include "platform/ime.h"

namespace platform {

HIMC AssociateInputContext(HWND window, HIMC context) { return ::ImmAssociateContext(window, context); }

bool SetInputMethodOpen(HWND window, bool open)
{
    HIMC context = ::ImmGetContext(window);
    if (!context)
        return false;
    bool done = ::ImmSetOpenStatus(context, open) != FALSE;
    ::ImmReleaseContext(window, context);
    return done;
}

}  // namespace platform
