// Searching the memo's bytes: the next occurrence of a find text that sits on character boundaries,
// and every occurrence replaced at once. Works on byte strings of the ANSI code page only, so the
// search commands' rules can be checked without a window.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace textsearch {

constexpr std::size_t npos = std::string_view::npos;

// The byte offset of the first occurrence of `key` in `text` at or after `from`, or npos. Without
// `matchCase` 'A' to 'Z' match 'a' to 'z' (single-byte letters only). An occurrence must start and
// end on character boundaries: a match that begins on the second byte of a double-byte character or
// ends on its first is passed over, and the search goes on from the byte after its start, so no
// genuine occurrence that overlaps it is lost. An empty key is found nowhere.
std::size_t FindOccurrence(std::string_view text, std::string_view key, bool matchCase, std::size_t from = 0);

// An occurrence found in a working copy, at its offset in the copy and in the text the copy came from.
struct TCopyOccurrence {
    std::size_t InCopy;
    std::size_t InText;
};

// The next occurrence in `copy`, a copy of `text` from offset `copyStart` on that the user may have
// edited since it was taken. Text typed since is not searched; an occurrence is taken only where
// `text` still holds it, and is answered at its offset there: every offset of an edited copy that
// cannot be placed in `text` with certainty is passed over. False when there is none.
bool FindInCopy(std::string_view text, std::size_t copyStart, std::string_view copy, std::string_view key,
                bool matchCase, TCopyOccurrence& found);

// Whether an occurrence of `key`, as FindOccurrence accepts it, lies at `at`.
bool IsOccurrenceAt(std::string_view text, std::size_t at, std::string_view key, bool matchCase);

// The outcome of replacing every occurrence: the span [First, End) of the old text that changed,
// what takes its place, and how many occurrences were replaced (0: nothing changed).
struct TReplacedSpan {
    std::size_t First = 0;
    std::size_t End = 0;
    std::string Text;
    int Count = 0;
};

// Every occurrence of `key`, from left to right and never overlapping, replaced by `with`. The
// replacement is not searched again, so a replacement that contains the key ends like any other.
TReplacedSpan ReplaceAll(std::string_view text, std::string_view key, std::string_view with, bool matchCase);

}  // namespace textsearch
