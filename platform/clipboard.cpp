// The clipboard: opening it, emptying it and handing it text.
#include "platform/clipboard.h"

#include <cstring>

namespace platform {

bool OpenClipboard(HWND owner) { return ::OpenClipboard(owner) != FALSE; }

bool CloseClipboard() { return ::CloseClipboard() != FALSE; }

bool EmptyClipboard() { return ::EmptyClipboard() != FALSE; }

bool SetClipboardText(const std::string& text)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!block)
        return false;
    void* bytes = ::GlobalLock(block);
    if (!bytes) {
        ::GlobalFree(block);
        return false;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
    // From here on the clipboard owns the block, unless it refuses it.
    if (!::SetClipboardData(CF_TEXT, block)) {
        ::GlobalFree(block);
        return false;
    }
    return true;
}

}  // namespace platform
