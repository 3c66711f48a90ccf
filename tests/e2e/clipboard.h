// The system clipboard as the driver sees it: shared with the program under test (and with X).
#pragma once

#include <optional>
#include <string>

namespace e2e {

// Empty the clipboard and put one text on it: Shift-JIS bytes (CF_TEXT) or UTF-16 (CF_UNICODETEXT).
bool SetClipboardText(const std::string& text);
bool SetClipboardUnicode(const std::wstring& text);
// The clipboard's text in that format (the system converts between the two); nothing when it holds none.
std::optional<std::string> ClipboardText();
std::optional<std::wstring> ClipboardUnicode();
// Empties the clipboard, so that a later read shows what the program put there.
bool ClearClipboard();

}  // namespace e2e
