// The layer that makes an edit window which keeps UTF-16 and counts characters (Wine's) answer as an
// edit window of the ANSI interface does on Windows: every position and length in bytes of the ANSI
// code page (the length limit too), every text written comes back byte for byte, a double-byte
// character arriving as two WM_CHAR bytes reaches the window as one character, and the clipboard
// carries the code page's bytes both ways, so text of other scripts is converted as it comes in and
// what the window shows is what it holds. Whatever would grow the text into one such a window would
// crash on or freeze on is refused before the window sees it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "framework/controls/edit_positions.h"
#include "framework/core/object.h"
#include "platform/win32.h"

// Whether an edit window that keeps UTF-16 takes a text of this shape (wrapping lines or not)
// without crashing or freezing for minutes.
bool UnicodeEditTakes(const edittext::TTextShape& shape, bool wraps);

class TEditBridge {
public:
    // Messages that carry text or positions, typed characters and the clipboard: handled here, true.
    // Raises EInvalidOperation, changing nothing, when typing, a replacement, a paste or a deletion
    // would leave a text the window cannot take.
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
        // An undo puts back what the last edit took out in place of what it put in, and selects it.
        bool FollowUndo();

        TEditBridge& bridge_;
        HWND window_;
        std::size_t changesFrom_;
        bool atSelection_ = false;  // the change is made at the selection
        bool removesOnly_ = false;  // and can only remove text
        bool undo_ = false;         // the change is an undo
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
    bool TypeByte(HWND window, TMessage& m);
    void TypeBytes(HWND window, std::string_view bytes, LPARAM keyData);
    // Ctrl+C, Ctrl+V, Ctrl+X and their keys: handled here, true.
    bool ClipboardKey(HWND window, WPARAM key);
    void Copy(HWND window);
    void Cut(HWND window);
    void Paste(HWND window);
    // Puts `units` in place of the selection, cut at the length limit.
    LRESULT InsertUnits(HWND window, std::wstring units, bool canUndo);
    // Raises EInvalidOperation when units [from, to) becoming `units` would grow the text into one the
    // window cannot take.
    void CheckGrowth(HWND window, std::size_t from, std::size_t to, std::wstring_view units);
    // The same for what Backspace (backward) or Delete takes out at the selection.
    void CheckRemoval(HWND window, bool backward);
    // The same for taking out the selection.
    void CheckClear(HWND window);
    // The bytes that may still come in place of the selection under the length limit.
    std::size_t Room(HWND window);
    // Tells the parent that input was cut at the length limit (EN_MAXTEXT).
    static void NotifyLimit(HWND window);
    std::size_t BytesBefore(HWND window, std::size_t unit);
    std::size_t TotalBytesOf(HWND window);
    std::size_t UnitAt(HWND window, std::size_t bytes);
    std::size_t UnitCountOf(HWND window);

    TEditPositionMap positions_;
    std::optional<char> pendingLead_;
    std::size_t limit_ = 0;  // the length limit in bytes; 0: none of the bridge's own
};
