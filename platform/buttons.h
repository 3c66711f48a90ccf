// The system's push button window: its class and the message that switches its default frame.
#pragma once

#include "platform/win32.h"

namespace platform {

// The system's button window class.
inline constexpr const char* ButtonClassName = "BUTTON";

// BM_SETSTYLE: BS_PUSHBUTTON or BS_DEFPUSHBUTTON (the thick default frame), redrawn at once.
void SetButtonStyle(HWND button, DWORD style);

}  // namespace platform
