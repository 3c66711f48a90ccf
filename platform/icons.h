// Icons: the system's own, icons made from the images of an icon file, their size and drawing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

namespace platform {

// LoadIconA(null, id): one of the system's icons (IDI_QUESTION, ...); shared, never destroyed.
HICON SystemIcon(const char* id);
// CreateIconFromResourceEx of one image of an icon file (its header and pixels, as the file's
// directory entry points to them), at the image's own size; null when the image is damaged.
HICON CreateIconFromImage(const std::uint8_t* image, std::size_t size, int width, int height);
bool DestroyIcon(HICON icon);
// CopyIcon: an icon of the caller's own with the same image (destroyed with DestroyIcon).
HICON CopyIcon(HICON icon);
// The icon's size in pixels (GetIconInfo and its bitmaps); 0, 0 when the system cannot tell.
SIZE IconSize(HICON icon);
// DrawIconEx: the icon stretched into `rect`.
bool DrawIconStretched(HDC dc, const RECT& rect, HICON icon);

}  // namespace platform
