// TSearchSession: the editor's search and replace in its memo, as the find and replace dialogs set
// it up and the tool strip's find next and replace and find carry it on, always forward and never
// round from the top.
//
// While a search is under way (MatchEnd > 0) the rest still to search is the memo's text after
// MatchEnd as it was when the search reached there: what the user types meanwhile is not searched,
// but what is found is selected where the memo holds it now. With Replaced false the occurrence
// [MatchEnd - key length, MatchEnd) is selected and not yet replaced; with Replaced true MatchEnd
// ends a replacement (after a Replace All) and nothing is selected to replace, so the commands that
// replace behave as when no search is under way. Every command that replaces first checks that the
// memo, as it is now, holds the key there, starting on a character.
//
// The session keeps its own copy of the memo's text, brought up to date by its own replacements and
// read again only when the memo's revision moved: a step scans from where the last one ended to the
// next occurrence, and costs no more than that distance.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "app/text_search.h"

class TCustomEdit;

// What a dialog's button gives the command it runs.
struct TSearchTerms {
    std::string Key;
    std::string Replacement;
    bool MatchCase = false;
};

// What the session needs from the window it serves: the memo and the user's answers.
class TSearchHost {
public:
    virtual TCustomEdit& Memo() const = 0;
    // The plain message box with the string-table message `message`.
    virtual void Notice(unsigned message) const = 0;
    // The OK / キャンセル question with `message`; true for OK.
    virtual bool Confirmed(unsigned message) const = 0;

protected:
    ~TSearchHost() = default;
};

// What becomes of the dialog whose button ran a command.
enum TDialogAfter { daStays, daCloses, daComesToFront };

class TSearchSession {
public:
    // No search under way: the menu commands that open a dialog, and the memo's entry.
    void Stop();

    // The find dialog's and the replace dialog's Find Next.
    TDialogAfter FindFromFindDialog(const TSearchHost& host, const TSearchTerms& terms);
    TDialogAfter FindFromReplaceDialog(const TSearchHost& host, const TSearchTerms& terms);
    // The replace dialog's Replace (`all` false) and Replace All.
    TDialogAfter ReplaceFromDialog(const TSearchHost& host, const TSearchTerms& terms, bool all);
    // The tool strip's find next, and replace and find.
    void FindNext(const TSearchHost& host);
    void ReplaceAndFind(const TSearchHost& host);

    // Where the current occurrence (or, with Replaced, the last replacement) ends in the memo's bytes;
    // 0: no search under way.
    std::size_t MatchEnd() const { return matchEnd_; }
    bool Replaced() const { return replaced_; }

private:
    void TakeTerms(const TSearchTerms& terms, bool fromReplaceDialog);
    // A dialog's Find Next: a search starts when none is under way, then the next occurrence.
    TDialogAfter FindFromDialog(const TSearchHost& host, const TSearchTerms& terms, bool fromReplaceDialog);
    // The copy of the memo's text made current; a search under way keeps its rest as it was.
    void FollowMemo(const TSearchHost& host);
    // A search starts over the whole of the memo's text.
    void StartOver(const TSearchHost& host);
    void EndSearch(const TSearchHost& host);
    // Moves MatchEnd past the next occurrence of the rest; false when there is none, which changes
    // nothing.
    bool FindOccurrence();
    void Select(const TSearchHost& host, std::size_t start, std::size_t length);
    // Finds and selects the next occurrence, or ends the search.
    void FindAndSelect(const TSearchHost& host);
    // Selects the occurrence to replace; false when there is none to act on: no search, nothing
    // selected since a Replace All, or the memo no longer holding the key there.
    bool SelectOccurrenceToReplace(const TSearchHost& host);
    // Puts `with` in place of the memo's bytes [start, start + length), without undo, and follows
    // the change in the copy.
    void ReplaceInMemo(const TSearchHost& host, std::size_t start, std::size_t length, const std::string& with);
    void ReplaceAll(const TSearchHost& host);

    // The search as set up.
    std::optional<textsearch::TFindKey> key_;
    std::string replaceWith_;
    bool fromReplaceDialog_ = false;
    std::size_t matchEnd_ = 0;
    bool replaced_ = false;

    // The text of memo textOf_ as it was at its revision textRevision_ (nothing before the first read).
    std::string text_;
    const TCustomEdit* textOf_ = nullptr;
    std::uint32_t textRevision_ = 0;
    // The rest still to search. Until the user edits during a search it is the copy's own end,
    // text_[restAt_, end). After an edit the copy is read again and the rest is kept apart, stale_
    // from staleFrom_ on, placed in the new text by placement_ (which saw it from placedFrom_ on,
    // the memo's bytes having moved by shift_ since).
    std::size_t restAt_ = 0;
    std::string stale_;
    std::size_t staleFrom_ = 0;
    std::optional<textsearch::TCopyPlacement> placement_;
    std::size_t placedFrom_ = 0;
    std::ptrdiff_t shift_ = 0;
};
