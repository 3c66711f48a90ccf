// Searching the memo's bytes: the next occurrence of a find text that sits on character boundaries,
// and every occurrence replaced at once. Works on byte strings of the ANSI code page only, so the
// search commands' rules can be checked without a window. Nothing here copies or folds the text it
// searches: letters are folded as they are compared, so a step costs what it scans.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace textsearch {

constexpr std::size_t npos = std::string_view::npos;

// A find text as compared: without `matchCase` 'A' to 'Z' match 'a' to 'z' (single-byte letters
// only). An occurrence must start and end on character boundaries: a match that begins on the second
// byte of a double-byte character or ends on its first is passed over, and the search goes on from
// the byte after its start, so no genuine occurrence that overlaps it is lost. An empty key is found
// nowhere.
class TFindKey {
public:
    TFindKey(std::string_view key, bool matchCase);

    std::size_t Size() const { return key_.size(); }
    // The first occurrence in `text` at or after `from`, or npos. `from` is taken for a character's
    // start, as it would be the start of a text of its own.
    std::size_t FindIn(std::string_view text, std::size_t from = 0) const;
    // Whether an occurrence lies at `at` of `text`.
    bool IsAt(std::string_view text, std::size_t at) const;

private:
    // The first offset at or after `from` whose bytes equal the key's, boundaries aside.
    std::size_t FindBytes(std::string_view text, std::size_t from) const;
    bool BytesEqualAt(std::string_view text, std::size_t at) const;
    bool EndsWhole(std::string_view text, std::size_t at) const;

    std::string key_;    // folded unless matchCase_
    std::string other_;  // the byte each of key_'s may also be: a letter's capital, else itself
    bool matchCase_;
    bool endsWhole_;  // the key does not end in a lone first byte
};

std::size_t FindOccurrence(std::string_view text, std::string_view key, bool matchCase, std::size_t from = 0);
// Whether an occurrence of `key`, as FindOccurrence accepts it, lies at `at`.
bool IsOccurrenceAt(std::string_view text, std::size_t at, std::string_view key, bool matchCase);

// Where the bytes of a copy taken from `copyStart` of a text lie in that text now, after edits the
// copy did not follow. Unless the copy is still the text's end (edits before it only move it), the
// copy is placed by the run it still shares with the text at `copyStart` and the run it shares with
// the text's end; what lies between is the edited part, placed nowhere.
class TCopyPlacement {
public:
    TCopyPlacement(std::string_view text, std::size_t copyStart, std::string_view copy);
    // The offset in the text of the copy's bytes [at, at + length), or npos when they are not placed.
    std::size_t Place(std::size_t at, std::size_t length) const;
    // Whether the whole copy is the text's end: the copy is then no longer needed.
    bool IsTextEnd() const { return front_ == copySize_ && copyStart_ + copySize_ == textSize_; }
    // Whether the copy's bytes from `at` to its end are the text's end.
    bool EndsText(std::size_t at) const { return at >= copySize_ - back_ || IsTextEnd(); }

private:
    std::size_t textSize_;
    std::size_t copyStart_;
    std::size_t copySize_;
    std::size_t front_ = 0;
    std::size_t back_ = 0;
};

// An occurrence found in a working copy, at its offset in the copy and in the text the copy came from.
struct TCopyOccurrence {
    std::size_t InCopy;
    std::size_t InText;
};

// The next occurrence in `copy`, a copy of `text` from offset `copyStart` on that the user may have
// edited since it was taken. Text typed since is not searched; an occurrence is taken only where
// `text` still holds it, and is answered at its offset there. False when there is none.
bool FindInCopy(std::string_view text, std::size_t copyStart, std::string_view copy, const TFindKey& key,
                TCopyOccurrence& found);
bool FindInCopy(std::string_view text, std::size_t copyStart, std::string_view copy, std::string_view key,
                bool matchCase, TCopyOccurrence& found);

// What replacing every occurrence would touch: how many there are and the span [First, End) from the
// first one's start to the last one's end (Count 0: none).
struct TOccurrenceSpan {
    std::size_t First = 0;
    std::size_t End = 0;
    std::size_t Count = 0;
};
// Occurrences from left to right, never overlapping: each search goes on after the last one's end.
// The offsets of the first `keep` of them go into `offsets`, when given.
TOccurrenceSpan SurveyOccurrences(
    std::string_view text, const TFindKey& key, std::vector<std::size_t>* offsets = nullptr, std::size_t keep = 0);

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
TReplacedSpan ReplaceAll(std::string_view text, const TFindKey& key, std::string_view with);
TReplacedSpan ReplaceAll(std::string_view text, std::string_view key, std::string_view with, bool matchCase);

}  // namespace textsearch
