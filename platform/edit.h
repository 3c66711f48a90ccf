// The system's edit window ("EDIT"): its Unicode entry point, how a window made through the ANSI
// interface counts positions, the line height it needs for a font, and the clipboard text a paste
// would bring into it (in the code page's bytes).
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform {

// The window procedure of the system's "EDIT" class as its Unicode entry (GetClassInfoW), for
// handing an edit window UTF-16 text and characters that the ANSI interface would convert.
WNDPROC EditUnicodeProcedure();
// CallWindowProcW: text parameters are UTF-16 and reach the procedure as they are.
LRESULT CallUnicodeWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// True when an edit window made through the ANSI interface counts positions in characters (and
// keeps its text in UTF-16) rather than in bytes of the ANSI code page. Probed once, with a hidden
// window holding one double-byte character.
bool EditCountsCharacters();

// The height of a line of text in `font` (its text metrics' height), measured on the screen.
int FontLineHeight(HFONT font);

// The text on the clipboard as bytes of the ANSI code page (CF_TEXT): what a paste brings into an edit
// window of the ANSI interface, text of other scripts converted by the system as for such a window
// (a close character or "?"). Empty when there is none or the clipboard is in use.
std::string ClipboardAnsiText();

}  // namespace platform
