// The system's edit window ("EDIT"): its Unicode entry point, how it counts, line heights, the clipboard's text.
#include "platform/edit.h"

#include <cstring>

namespace platform {

WNDPROC EditUnicodeProcedure()
{
    static WNDPROC procedure = [] {
        WNDCLASSW info{};
        return ::GetClassInfoW(nullptr, L"EDIT", &info) ? info.lpfnWndProc : nullptr;
    }();
    return procedure;
}

LRESULT CallUnicodeWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcW(procedure, window, message, wParam, lParam);
}

bool EditCountsCharacters()
{
    static const bool countsCharacters = [] {
        // "ア" is two bytes in a double-byte code page and one character: a window that counts bytes
        // puts the end of the text at 2. Without such a code page both ways count alike.
        HWND probe = ::CreateWindowExA(
            0, "EDIT", "\x83\x41", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        if (!probe)
            return false;
        DWORD start = 0, end = 0;
        ::SendMessageA(probe, EM_SETSEL, 0, -1);
        ::SendMessageA(probe, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        ::DestroyWindow(probe);
        return end == 1;
    }();
    return countsCharacters;
}

int FontLineHeight(HFONT font)
{
    HDC dc = ::GetDC(nullptr);
    if (!dc)
        return 0;
    HGDIOBJ saved = ::SelectObject(dc, font);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, saved);
    ::ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

std::string ClipboardAnsiText()
{
    std::string text;
    if (!::IsClipboardFormatAvailable(CF_TEXT) || !::OpenClipboard(nullptr))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(::GlobalLock(data))) {
            text.assign(bytes, ::strnlen(bytes, ::GlobalSize(data)));
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

}  // namespace platform
