// A window's non-client area: the frame a control draws around its client area itself.
#pragma once

#include "platform/win32.h"

namespace platform {

// GetWindowDC: a context for the whole window, non-client area included (ReleaseWindowDC frees it).
HDC WholeWindowDC(HWND window);
// DrawEdge: one edge of `rect` (BDR_ flags) on the sides and in the style of `flags` (BF_ flags).
bool DrawEdge(HDC dc, RECT rect, UINT edge, UINT flags);
// ExcludeClipRect: drawing leaves `rect` alone.
int ExcludeClipRect(HDC dc, const RECT& rect);
// SetWindowPos with SWP_FRAMECHANGED alone: the window computes and draws its frame again.
bool FrameChanged(HWND window);

}  // namespace platform
