// Pictures of what a test shows on the screen: a window's pixels, written as PNG files under the
// build's artifacts folder for a person to look at.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Pixels row by row, top row first, each 0x00RRGGBB.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // The part of the picture inside `r`.
    Picture Cut(const RECT& r) const;
};

// The pixels of `window`'s client area as it last painted them.
Picture CaptureClient(HWND window);
// The pixels of a screen area as the display shows it (a window may show there a little after it
// painted).
Picture CaptureScreen(const RECT& area);
// The pictures one below the other, `gap` rows of `background` between them.
Picture Stacked(const std::vector<Picture>& pictures, int gap, std::uint32_t background);
// Writes `picture` to <build>/artifacts/<name>.png; false when the file could not be written.
bool SavePicture(const Picture& picture, const std::string& name);

// Writes the screen area of `window` (frame included) to <build>/artifacts/<name>.png; false when
// the area could not be read or the file not written.
bool SaveWindowPicture(HWND window, const std::string& name);

}  // namespace testsupport
