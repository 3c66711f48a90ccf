// The clipboard: opening it, emptying it and handing it text.
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform {

// OpenClipboard for `owner` (null: the calling thread); false while another window holds it open.
bool OpenClipboard(HWND owner);
bool CloseClipboard();
bool EmptyClipboard();
// SetClipboardData(CF_TEXT) of `text` and its terminating zero, copied into a movable, shareable
// global block; false when the block could not be made or the clipboard refused it (the block is
// then freed). The clipboard must be open.
bool SetClipboardText(const std::string& text);

}  // namespace platform
