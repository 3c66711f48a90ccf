// How many GDI objects the process holds.
#include "tests/support/gdi_objects.h"

#include <windows.h>

#include <vector>

namespace testsupport {

long GuiResourceCount() { return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)); }

long GdiObjectsHeld()
{
    if (long held = GuiResourceCount())
        return held;
    std::vector<HRGN> made;
    while (HRGN region = CreateRectRgn(0, 0, 1, 1))
        made.push_back(region);
    for (HRGN region : made)
        DeleteObject(region);
    return -static_cast<long>(made.size());
}

}  // namespace testsupport
