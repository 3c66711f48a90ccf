// TMemoStrings: the lines of a memo. It keeps no lines of its own: every operation goes to the memo's
// edit window, positions in bytes. Writing the whole text ends its lines in CR LF and sends the text
// only when it differs from what the memo holds.
#pragma once

#include <string>
#include <string_view>

#include "framework/core/strings.h"

class TCustomMemo;

class TMemoStrings : public TStrings {
    DECLARE_CLASS(TMemoStrings)
public:
    explicit TMemoStrings(TCustomMemo* memo) : memo_(memo) {}

    // Lines as the window shows them: with wrapping on, every wrapped row is a line. The empty line
    // after a final line break is not counted.
    int Count() const override;
    // The line's first 4096 bytes; empty past the last line.
    std::string Get(int index) const override;
    // Put, insert and delete do nothing for a line that does not exist; none can be undone.
    void Put(int index, std::string s) override;
    void Insert(int index, std::string s) override;
    void Delete(int index) override;
    void Clear() override;

    // The memo's text as it is.
    std::string Text() const override;
    // Lone CR and lone LF become CR LF and a NUL byte ends the text; an equal text changes nothing
    // (not the modified flag, not the undo step). EInvalidOperation when the window refuses the text,
    // which then keeps the old one.
    void SetText(std::string_view text) override;

protected:
    // Redrawing stops while the list is updated and starts again, with a repaint, at the end.
    void SetUpdateState(bool updating) override;

private:
    // An edit message to the memo's window, made first.
    std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) const;
    void ReplaceRange(std::intptr_t start, std::intptr_t end, const std::string& text) const;

    TCustomMemo* memo_;
};

// `text` up to its first NUL byte, with every lone CR and lone LF made CR LF.
std::string NormalizeLineBreaks(std::string_view text);
