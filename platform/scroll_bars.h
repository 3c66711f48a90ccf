// A window's own scroll bars (not scroll bar controls): their range, page and position.
#pragma once

#include "platform/win32.h"

namespace platform {

// SetScrollInfo of bar SB_HORZ or SB_VERT: positions 0 to range − 1, a page of `page` of them, the
// box at `position`. The system shows the bar while the range exceeds the page and hides it else.
void SetWindowScrollBar(HWND window, int bar, int range, int page, int position);
// Whether the window shows that bar now (WS_HSCROLL or WS_VSCROLL in its style).
bool WindowScrollBarShown(HWND window, int bar);
// Where the user holds the scroll box while dragging it (GetScrollInfo SIF_TRACKPOS, 32 bits).
int ScrollTrackPosition(HWND window, int bar);

}  // namespace platform
