// Pictures of what a test shows on the screen: a window's area copied from the screen and written
// as a PNG file under the build's artifacts folder, for a person to look at.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// Writes the screen area of `window` (frame included) to <build>/artifacts/<name>.png; false when
// the area could not be read or the file not written.
bool SaveWindowPicture(HWND window, const std::string& name);

}  // namespace testsupport
