// The input method of a window: its context and whether it is open.
#pragma once

#include "platform/win32.h"

#include <imm.h>

namespace platform {

// ImmAssociateContext: gives `window` the context `context` (null: no input method); returns the old one.
HIMC AssociateInputContext(HWND window, HIMC context);
// Opens or closes the input method of `window` (its context's open status).
bool SetInputMethodOpen(HWND window, bool open);

}  // namespace platform
