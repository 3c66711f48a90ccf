// What forms ask of the system beyond a plain window: the size of a frame around a client area and
// the extent of a text in a font (for scaling a form by its text height).
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform {

// The frame a window of these styles puts around its client area (AdjustWindowRectEx of an empty
// rectangle): left and top negative, right and bottom positive.
RECT WindowFrame(DWORD style, DWORD exStyle, bool hasMenu);

// The extent of `text` in `font` on the screen (GetTextExtentPoint32A on a screen DC).
SIZE ScreenTextExtent(HFONT font, const std::string& text);

}  // namespace platform
