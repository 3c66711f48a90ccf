// The system's status bar window: registering its class and the messages that set its parts.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

#include <commctrl.h>

namespace platform {

// The system's status bar window class.
inline constexpr const char* StatusBarClassName = "msctls_statusbar32";

// Registers the common controls' bar classes (ICC_BAR_CLASSES): InitCommonControlsEx looked up in
// comctl32 at run time, the older InitCommonControls when that is missing or fails.
void RegisterBarClasses();

// SB_SETPARTS: one part per right edge (-1: to the window's right end).
bool SetStatusParts(HWND bar, const std::vector<int>& rightEdges);
// SB_SETTEXTA: the text of part `part` (255: the simple part) with its SBT_ drawing flags.
bool SetStatusText(HWND bar, int part, UINT flags, const std::string& text);
// SB_GETRECT: the rectangle of a part in the bar's client coordinates (empty when there is none).
RECT StatusPartRect(HWND bar, int part);
// SB_SIMPLE: one single part instead of the parts.
void SetStatusSimple(HWND bar, bool simple);
// SB_SETBKCOLOR: the background colour (CLR_DEFAULT: the system's).
void SetStatusBackColor(HWND bar, COLORREF color);

}  // namespace platform
