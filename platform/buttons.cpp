// The system's push button window: its class and the message that switches its default frame.
#include "platform/buttons.h"

namespace platform {

void SetButtonStyle(HWND button, DWORD style) { ::SendMessageA(button, BM_SETSTYLE, style, TRUE); }

}  // namespace platform
