// TWindowBevel: bevels a windowed control draws around its client area and scroll bars, inside the
// frame the system draws, in the window's non-client area: their kind, inner and outer cut, the
// edges they run along and the width of each cut.
#pragma once

#include "framework/controls/control_types.h"
#include "platform/win32.h"

struct TWindowBevel {
    TBevelKind Kind = bkNone;
    TBevelCut Inner = bvRaised;
    TBevelCut Outer = bvLowered;
    TBevelEdges Edges{beLeft, beTop, beRight, beBottom};
    int Width = 1;

    // The pixels the bevels take on each edge they run along (0 for the kind bkNone).
    int EdgeSize() const;
    // WM_NCCALCSIZE, before the window's own: the bevels' room comes off the window's rectangle,
    // so that the window lays out its frame, scroll bars and client area in what is left.
    void ReserveRoom(RECT& windowRect) const;
    // WM_NCPAINT, after the window drew its frame: the bevels, their gaps in `background`.
    void Paint(HWND window, HBRUSH background, bool ctl3D) const;
};
