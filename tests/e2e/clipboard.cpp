// Clipboard access from the driver. Another process may hold the clipboard open for a moment, so
// opening it is retried until a deadline.
#include "tests/e2e/clipboard.h"

#include <windows.h>

#include <cstring>

#include "tests/e2e/velmora_process.h"

namespace e2e {

namespace {

class OpenedClipboard {
public:
    OpenedClipboard() : open_(WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) {}
    ~OpenedClipboard()
    {
        if (open_)
            CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

bool Put(UINT format, const void* data, size_t bytes)
{
    OpenedClipboard clipboard;
    if (!clipboard || !EmptyClipboard())
        return false;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block)
        return false;
    std::memcpy(GlobalLock(block), data, bytes);
    GlobalUnlock(block);
    if (!SetClipboardData(format, block)) {
        GlobalFree(block);
        return false;
    }
    return true;
}

template <class Char>
std::optional<std::basic_string<Char>> Get(UINT format)
{
    OpenedClipboard clipboard;
    if (!clipboard)
        return std::nullopt;
    HANDLE block = GetClipboardData(format);
    if (!block)
        return std::nullopt;
    const auto* data = static_cast<const Char*>(GlobalLock(block));
    if (!data)
        return std::nullopt;
    // The block may be larger than its text: the text ends at the first terminator inside it.
    size_t capacity = GlobalSize(block) / sizeof(Char);
    size_t length = 0;
    while (length < capacity && data[length] != 0)
        ++length;
    std::basic_string<Char> text(data, length);
    GlobalUnlock(block);
    return text;
}

}  // namespace

bool SetClipboardText(const std::string& text) { return Put(CF_TEXT, text.c_str(), text.size() + 1); }

bool SetClipboardUnicode(const std::wstring& text)
{
    return Put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

std::optional<std::string> ClipboardText() { return Get<char>(CF_TEXT); }

std::optional<std::wstring> ClipboardUnicode() { return Get<wchar_t>(CF_UNICODETEXT); }

bool ClearClipboard()
{
    OpenedClipboard clipboard;
    return clipboard && EmptyClipboard();
}

}  // namespace e2e
