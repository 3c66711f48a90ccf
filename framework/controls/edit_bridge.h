// The layer that makes an edit window which keeps UTF-16 and counts characters (Wine's) answer as an
// edit window of the ANSI interface does on Windows: every position and length in bytes of the ANSI
// code page (the length limit too), every text written comes back byte for byte, and a double-byte
// character arriving as two WM_CHAR bytes reaches the window as one character. Texts such a window would crash on or freeze on
// for minutes are refused before it sees them.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "framework/controls/edit_positions.h"
#include "framework/core/object.h"
#include "platform/win32.h"

// Whether an edit window that keeps UTF-16 takes a text of this shape (wrapping lines or not)
// without crashing or freezing for minutes.
bool UnicodeEditTakes(const edittext::TTextShape& shape, bool wraps);

class TEditBridge {
public:
    // Messages that carry text or positions, and typed characters: handled here, true. Raises
    // EInvalidOperation when a replacement or a paste would bring in a text the window cannot take.
    bool Translate(HWND window, TMessage& m);
    // A new window: nothing remembered, no lead byte waiting for its trail.
    void Reset();

    // Around any other message the window handles itself: what it may change is not answered from
    // memory meanwhile, and afterwards is forgotten, or brought up to date where the change is known.
    class TPassOn {
    public:
        TPassOn(TEditBridge& bridge, HWND window, const TMessage& m);
        ~TPassOn();
        TPassOn(const TPassOn&) = delete;
        TPassOn& operator=(const TPassOn&) = delete;
        // The units the message puts in place of the selection (a typed character, a replacement).
        void Inserts(std::wstring_view units) { inserted_ = units; }

    private:
        // Brings the remembered text up to date when the window's change is the one expected.
        bool FollowChange();

        TEditBridge& bridge_;
        HWND window_;
        std::size_t changesFrom_;
        bool atSelection_ = false;  // the change is made at the selection
        bool removesOnly_ = false;  // and can only remove text
        DWORD start_ = 0, end_ = 0;
        std::size_t length_ = 0;
        std::optional<std::wstring_view> inserted_;
        TEditPositionMap::TKept kept_;
    };

private:
    LRESULT SetText(HWND window, const char* text);
    LRESULT GetText(HWND window, std::size_t capacity, char* buffer);
    LRESULT GetLine(HWND window, int line, char* buffer);
    LRESULT LineLength(HWND window, int position);
    LRESULT CharFromPos(HWND window, LPARAM point);
    void AnswerSelection(HWND window, TMessage& m);
    void ReplaceSelection(HWND window, TMessage& m);
    bool TypeByte(HWND window, TMessage& m);
    void TypeUnit(HWND window, wchar_t unit, LPARAM keyData);
    // Pastes by hand when the clipboard's text would go beyond the length limit; false otherwise.
    bool PasteWithinLimit(HWND window);
    // The bytes that may still come in place of the selection under the length limit.
    std::size_t Room(HWND window);
    // Tells the parent that input was cut at the length limit (EN_MAXTEXT).
    static void NotifyLimit(HWND window);
    std::size_t BytesBefore(HWND window, std::size_t unit);
    std::size_t TotalBytesOf(HWND window);
    std::size_t UnitAt(HWND window, std::size_t bytes);

    TEditPositionMap positions_;
    std::optional<char> pendingLead_;
    std::size_t limit_ = 0;  // the length limit in bytes; 0: none of the bridge's own
};
