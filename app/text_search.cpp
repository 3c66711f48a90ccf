// The search over byte strings: folding, matching and the character-boundary rule.
#include "app/text_search.h"

#include <algorithm>

#include "framework/core/double_byte.h"

namespace textsearch {

namespace {

// Finds `key` in a text folded alike where every byte of the match has the class (single, first or
// second byte) that the key's own byte has. A match that starts a character pairs its bytes as the
// key does, so that holds exactly when it starts a character; it must also end where a character
// ends, which only a key ending in a lone first byte can fail to do.
class AlignedFinder {
public:
    explicit AlignedFinder(std::string_view key)
        : key_(key), endsWhole_(key.empty() || dbcs::ByteClass(key, key.size() - 1) != dbcs::mbLeadByte)
    {}

    // The first aligned match at or after `from`; `starts` answers for `haystack`.
    std::size_t Find(std::string_view haystack, std::size_t from, dbcs::CharStarts& starts) const
    {
        if (key_.empty())
            return npos;
        for (std::size_t at = haystack.find(key_, from); at != npos; at = haystack.find(key_, at + 1))
            if (starts.IsCharBoundary(at) && EndsWhole(haystack, at))
                return at;
        return npos;
    }

    bool EndsWhole(std::string_view haystack, std::size_t at) const
    {
        return endsWhole_ || at + key_.size() == haystack.size();
    }

private:
    std::string_view key_;
    bool endsWhole_;
};

std::string Folded(std::string_view text, bool matchCase)
{
    return matchCase ? std::string(text) : dbcs::AsciiLower(text);
}

std::size_t CommonPrefix(std::string_view a, std::string_view b)
{
    return static_cast<std::size_t>(
        std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin()).first - a.begin());
}

std::size_t CommonSuffix(std::string_view a, std::string_view b)
{
    return static_cast<std::size_t>(
        std::mismatch(a.rbegin(), a.rbegin() + std::min(a.size(), b.size()), b.rbegin()).first - a.rbegin());
}

// Where the bytes of a copy taken from `copyStart` of a text lie in that text now. Unless the copy
// is still the text's end (edits before it only move it), the copy is placed by the run it still
// shares with the text at `copyStart` and the run it shares with the text's end; what lies between
// is the edited part, placed nowhere.
class CopyPlacement {
public:
    CopyPlacement(std::string_view text, std::size_t copyStart, std::string_view copy)
        : textSize_(text.size()), copyStart_(std::min(copyStart, text.size())), copySize_(copy.size())
    {
        if (text.ends_with(copy)) {
            front_ = copy.size();
            copyStart_ = text.size() - copy.size();
            return;
        }
        front_ = CommonPrefix(copy, text.substr(copyStart_));
        back_ = std::min({CommonSuffix(copy, text), copy.size() - front_, text.size() - copyStart_ - front_});
    }

    // The offset in the text of the copy's bytes [at, at + length), or npos when they are not placed.
    std::size_t Place(std::size_t at, std::size_t length) const
    {
        if (at + length <= front_)
            return copyStart_ + at;
        if (at >= copySize_ - back_)
            return textSize_ - (copySize_ - at);
        return npos;
    }

private:
    std::size_t textSize_;
    std::size_t copyStart_;
    std::size_t copySize_;
    std::size_t front_ = 0;
    std::size_t back_ = 0;
};

}  // namespace

bool FindInCopy(std::string_view text, std::size_t copyStart, std::string_view copy, std::string_view key,
                bool matchCase, TCopyOccurrence& found)
{
    const std::string foldedKey = Folded(key, matchCase);
    const std::string haystack = Folded(copy, matchCase);
    const AlignedFinder finder(foldedKey);
    dbcs::CharStarts starts(haystack);
    const CopyPlacement placement(text, copyStart, copy);
    for (std::size_t at = finder.Find(haystack, 0, starts); at != npos; at = finder.Find(haystack, at + 1, starts)) {
        const std::size_t inText = placement.Place(at, key.size());
        if (inText != npos && IsOccurrenceAt(text, inText, key, matchCase)) {
            found = {at, inText};
            return true;
        }
    }
    return false;
}

std::size_t FindOccurrence(std::string_view text, std::string_view key, bool matchCase, std::size_t from)
{
    const std::string foldedKey = Folded(key, matchCase);
    const std::string haystack = Folded(text, matchCase);
    dbcs::CharStarts starts(haystack);
    return AlignedFinder(foldedKey).Find(haystack, from, starts);
}

bool IsOccurrenceAt(std::string_view text, std::size_t at, std::string_view key, bool matchCase)
{
    if (key.empty() || at > text.size() || text.size() - at < key.size())
        return false;
    const std::string foldedKey = Folded(key, matchCase);
    if (Folded(text.substr(at, key.size()), matchCase) != foldedKey)
        return false;
    // Folding changes no lead byte, so the characters of the unfolded text are those of the folded one.
    return dbcs::IsCharBoundary(text, at) && AlignedFinder(foldedKey).EndsWhole(text, at);
}

TReplacedSpan ReplaceAll(std::string_view text, std::string_view key, std::string_view with, bool matchCase)
{
    const std::string foldedKey = Folded(key, matchCase);
    const std::string haystack = Folded(text, matchCase);
    const AlignedFinder finder(foldedKey);
    dbcs::CharStarts starts(haystack);
    TReplacedSpan span;
    for (std::size_t at = finder.Find(haystack, 0, starts); at != npos;
         at = finder.Find(haystack, at + key.size(), starts)) {
        if (span.Count == 0)
            span.First = at;
        else
            span.Text.append(text.substr(span.End, at - span.End));
        span.Text.append(with);
        span.End = at + key.size();
        ++span.Count;
    }
    return span;
}

}  // namespace textsearch
