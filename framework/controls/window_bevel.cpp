// TWindowBevel: the room the bevels take in the non-client area, and their drawing.
#include "framework/controls/window_bevel.h"

#include "platform/gdi.h"
#include "platform/nonclient.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace {

// The BF_ sides of the edges: left, top, right and bottom are the bits 1, 2, 4 and 8 of both.
UINT Sides(TBevelEdges edges) { return edges.Bits() & BF_RECT; }

}  // namespace

int TWindowBevel::EdgeSize() const
{
    if (Kind == bkNone)
        return 0;
    return ((Inner != bvNone) + (Outer != bvNone)) * Width;
}

void TWindowBevel::ReserveRoom(RECT& rect) const
{
    const int size = EdgeSize();
    rect.left += Edges.Contains(beLeft) ? size : 0;
    rect.top += Edges.Contains(beTop) ? size : 0;
    rect.right -= Edges.Contains(beRight) ? size : 0;
    rect.bottom -= Edges.Contains(beBottom) ? size : 0;
}

void TWindowBevel::Paint(HWND window, HBRUSH background, bool ctl3D) const
{
    const int size = EdgeSize();
    if (size == 0)
        return;
    // What the bevels surround: the client area and the scroll bars beside it, in window coordinates.
    const RECT windowRect = platform::WindowRect(window);
    const POINT origin = platform::ClientToScreen(window, {0, 0});
    const RECT client = platform::ClientRect(window);
    RECT inside{origin.x - windowRect.left, origin.y - windowRect.top, 0, 0};
    inside.right = inside.left + client.right;
    inside.bottom = inside.top + client.bottom;
    const LONG_PTR style = platform::WindowLong(window, GWL_STYLE);
    if (style & WS_VSCROLL)
        inside.right += platform::SystemMetric(SM_CXVSCROLL);
    if (style & WS_HSCROLL)
        inside.bottom += platform::SystemMetric(SM_CYHSCROLL);
    RECT ring = inside;
    ring.left -= Edges.Contains(beLeft) ? size : 0;
    ring.top -= Edges.Contains(beTop) ? size : 0;
    ring.right += Edges.Contains(beRight) ? size : 0;
    ring.bottom += Edges.Contains(beBottom) ? size : 0;

    HDC dc = platform::WholeWindowDC(window);
    if (!dc)
        return;
    platform::ExcludeClipRect(dc, inside);
    platform::FillRect(dc, ring, background);
    UINT flags = Sides(Edges) | (ctl3D ? 0 : BF_MONO);
    if (Kind == bkSoft)
        flags |= BF_SOFT;
    else if (Kind == bkFlat)
        flags |= BF_FLAT;
    // Each cut is `Width` lines deep: the outer cut first, from the outside in.
    const struct {
        TBevelCut cut;
        UINT raised, lowered;
    } cuts[] = {{Outer, BDR_RAISEDOUTER, BDR_SUNKENOUTER}, {Inner, BDR_RAISEDINNER, BDR_SUNKENINNER}};
    RECT line = ring;
    for (const auto& c : cuts) {
        if (c.cut == bvNone)
            continue;
        for (int i = 0; i < Width; ++i) {
            if (c.cut != bvSpace)
                platform::DrawEdge(dc, line, c.cut == bvRaised ? c.raised : c.lowered, flags);
            line.left += Edges.Contains(beLeft) ? 1 : 0;
            line.top += Edges.Contains(beTop) ? 1 : 0;
            line.right -= Edges.Contains(beRight) ? 1 : 0;
            line.bottom -= Edges.Contains(beBottom) ? 1 : 0;
        }
    }
    platform::ReleaseWindowDC(window, dc);
}
