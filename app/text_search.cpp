// The search over byte strings: folding, matching and the character-boundary rule.
#include "app/text_search.h"

#include <vector>

#include "framework/core/double_byte.h"

namespace textsearch {

namespace {

// Finds `key` in `haystack`, both folded alike already, where the bytes of the match play the same
// part in their characters as the key's own bytes do and the match ends where a character ends.
class AlignedFinder {
public:
    explicit AlignedFinder(std::string_view key) : key_(key)
    {
        for (std::size_t k = 0; k < key.size(); ++k)
            keyClasses_.push_back(dbcs::ByteClass(key, k));
    }

    std::size_t Find(std::string_view haystack, std::size_t from) const
    {
        if (key_.empty())
            return npos;
        for (std::size_t at = haystack.find(key_, from); at != npos; at = haystack.find(key_, at + 1))
            if (Aligned(haystack, at))
                return at;
        return npos;
    }

    bool Aligned(std::string_view haystack, std::size_t at) const
    {
        for (std::size_t k = 0; k < keyClasses_.size(); ++k)
            if (dbcs::ByteClass(haystack, at + k) != keyClasses_[k])
                return false;
        return dbcs::IsCharBoundary(haystack, at + key_.size());
    }

private:
    std::string_view key_;
    std::vector<dbcs::TMbcsByteType> keyClasses_;
};

std::string Folded(std::string_view text, bool matchCase)
{
    return matchCase ? std::string(text) : dbcs::AsciiLower(text);
}

}  // namespace

std::size_t FindOccurrence(std::string_view text, std::string_view key, bool matchCase, std::size_t from)
{
    const std::string foldedKey = Folded(key, matchCase);
    return AlignedFinder(foldedKey).Find(Folded(text, matchCase), from);
}

bool IsOccurrenceAt(std::string_view text, std::size_t at, std::string_view key, bool matchCase)
{
    if (key.empty() || at > text.size() || text.size() - at < key.size())
        return false;
    const std::string foldedKey = Folded(key, matchCase);
    if (Folded(text.substr(at, key.size()), matchCase) != foldedKey)
        return false;
    // Folding changes no lead byte, so the classes of the unfolded text are those of the folded one.
    return AlignedFinder(foldedKey).Aligned(text, at);
}

TReplacedSpan ReplaceAll(std::string_view text, std::string_view key, std::string_view with, bool matchCase)
{
    const std::string foldedKey = Folded(key, matchCase);
    const std::string haystack = Folded(text, matchCase);
    const AlignedFinder finder(foldedKey);
    TReplacedSpan span;
    for (std::size_t at = finder.Find(haystack, 0); at != npos; at = finder.Find(haystack, at + key.size())) {
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
