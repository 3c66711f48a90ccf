// The search over byte strings: matching with letters folded as they are compared, and the
// character-boundary rule.
#include "app/text_search.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "framework/core/double_byte.h"

namespace textsearch {

namespace {

bool IsLowerLetter(char c) { return c >= 'a' && c <= 'z'; }

char Upper(char c) { return static_cast<char>(c - ('a' - 'A')); }

// The first `c` in [at, end), or `end`.
const char* Scan(const char* at, const char* end, char c)
{
    const void* found = at < end ? std::memchr(at, c, static_cast<std::size_t>(end - at)) : nullptr;
    return found ? static_cast<const char*>(found) : end;
}

// The first `a` or `b` in [at, end), or `end`: one pass over the bytes, a word at a time, where two
// scans for one byte each would read them twice.
const char* ScanEither(const char* at, const char* end, char a, char b)
{
    constexpr std::uint32_t ones = 0x01010101u, highs = 0x80808080u;
    const std::uint32_t fillA = ones * static_cast<unsigned char>(a);
    const std::uint32_t fillB = ones * static_cast<unsigned char>(b);
    // A word holds one of them exactly when its bytes xored with that byte hold a zero.
    for (; end - at >= 4; at += 4) {
        std::uint32_t word = 0;
        std::memcpy(&word, at, sizeof word);
        const std::uint32_t xa = word ^ fillA, xb = word ^ fillB;
        if ((((xa - ones) & ~xa) | ((xb - ones) & ~xb)) & highs)
            break;
    }
    for (; at < end; ++at)
        if (*at == a || *at == b)
            return at;
    return end;
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

}  // namespace

// ---- The key ----

TFindKey::TFindKey(std::string_view key, bool matchCase)
    : key_(matchCase ? std::string(key) : dbcs::AsciiLower(key)), other_(key_), matchCase_(matchCase),
      endsWhole_(key.empty() || dbcs::ByteClass(key, key.size() - 1) != dbcs::mbLeadByte)
{
    // Only a letter that is a character of its own in the key matches its capital: the second byte
    // of a double-byte character keeps its value (the boundary check then holds the text's byte to
    // the same class).
    if (matchCase_)
        return;
    for (std::size_t at = 0; at < key_.size(); at = dbcs::NextChar(key_, at))
        if (dbcs::CharLength(key_, at) == 1 && IsLowerLetter(key_[at]))
            other_[at] = Upper(key_[at]);
}

bool TFindKey::BytesEqualAt(std::string_view text, std::size_t at) const
{
    if (matchCase_)
        return text.compare(at, key_.size(), key_) == 0;
    for (std::size_t i = 0; i < key_.size(); ++i)
        if (text[at + i] != key_[i] && text[at + i] != other_[i])
            return false;
    return true;
}

std::size_t TFindKey::FindBytes(std::string_view text, std::size_t from) const
{
    if (key_.empty() || from > text.size() || text.size() - from < key_.size())
        return npos;
    if (matchCase_)
        return text.find(key_, from);
    // The key's first byte starts a character: a letter there is looked for in both its cases at once.
    const char* const begin = text.data();
    const char* const end = begin + (text.size() - key_.size() + 1);  // past the last possible start
    for (const char* at = begin + from;; ++at) {
        at = key_[0] != other_[0] ? ScanEither(at, end, key_[0], other_[0]) : Scan(at, end, key_[0]);
        if (at == end)
            return npos;
        const auto offset = static_cast<std::size_t>(at - begin);
        if (BytesEqualAt(text, offset))
            return offset;
    }
}

bool TFindKey::EndsWhole(std::string_view text, std::size_t at) const
{
    return endsWhole_ || at + key_.size() == text.size();
}

std::size_t TFindKey::FindIn(std::string_view text, std::size_t from) const
{
    // A match that starts a character pairs its bytes as the key does, so it is genuine exactly when
    // it starts a character; it must also end where a character ends, which only a key ending in a
    // lone first byte can fail to do. Characters are walked from `from` on, never from the text's
    // start: a step costs what it scans.
    if (from > text.size())
        return npos;
    const std::string_view rest = text.substr(from);
    dbcs::CharStarts starts(rest);
    for (std::size_t at = FindBytes(rest, 0); at != npos; at = FindBytes(rest, at + 1))
        if (starts.IsCharBoundary(at) && EndsWhole(rest, at))
            return from + at;
    return npos;
}

bool TFindKey::IsAt(std::string_view text, std::size_t at) const
{
    if (key_.empty() || at > text.size() || text.size() - at < key_.size() || !BytesEqualAt(text, at))
        return false;
    return dbcs::IsCharBoundary(text, at) && EndsWhole(text, at);
}

std::size_t FindOccurrence(std::string_view text, std::string_view key, bool matchCase, std::size_t from)
{
    // A search from inside a double-byte character starts at the character after it.
    if (from < text.size() && !dbcs::IsCharBoundary(text, from))
        ++from;
    return TFindKey(key, matchCase).FindIn(text, from);
}

bool IsOccurrenceAt(std::string_view text, std::size_t at, std::string_view key, bool matchCase)
{
    return TFindKey(key, matchCase).IsAt(text, at);
}

// ---- A copy of the text placed in the text as it is now ----

TCopyPlacement::TCopyPlacement(std::string_view text, std::size_t copyStart, std::string_view copy)
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

std::size_t TCopyPlacement::Place(std::size_t at, std::size_t length) const
{
    if (at + length <= front_)
        return copyStart_ + at;
    if (at >= copySize_ - back_)
        return textSize_ - (copySize_ - at);
    return npos;
}

bool FindInCopy(std::string_view text, std::size_t copyStart, std::string_view copy, const TFindKey& key,
                TCopyOccurrence& found)
{
    const TCopyPlacement placement(text, copyStart, copy);
    for (std::size_t at = key.FindIn(copy); at != npos; at = key.FindIn(copy, dbcs::NextChar(copy, at))) {
        const std::size_t inText = placement.Place(at, key.Size());
        if (inText != npos && key.IsAt(text, inText)) {
            found = {at, inText};
            return true;
        }
    }
    return false;
}

bool FindInCopy(std::string_view text, std::size_t copyStart, std::string_view copy, std::string_view key,
                bool matchCase, TCopyOccurrence& found)
{
    return FindInCopy(text, copyStart, copy, TFindKey(key, matchCase), found);
}

// ---- Every occurrence ----

TOccurrenceSpan SurveyOccurrences(
    std::string_view text, const TFindKey& key, std::vector<std::size_t>* offsets, std::size_t keep)
{
    TOccurrenceSpan span;
    for (std::size_t at = key.FindIn(text); at != npos; at = key.FindIn(text, at + key.Size())) {
        if (offsets && span.Count < keep)
            offsets->push_back(at);
        if (span.Count++ == 0)
            span.First = at;
        span.End = at + key.Size();
    }
    return span;
}

TReplacedSpan ReplaceAll(std::string_view text, const TFindKey& key, std::string_view with)
{
    const TOccurrenceSpan survey = SurveyOccurrences(text, key);
    TReplacedSpan span;
    if (survey.Count == 0)
        return span;
    span.First = survey.First;
    span.End = survey.End;
    span.Count = static_cast<int>(survey.Count);
    span.Text.reserve(survey.End - survey.First + survey.Count * with.size() - survey.Count * key.Size());
    std::size_t copied = survey.First;
    for (std::size_t at = survey.First; at != npos && at < survey.End; at = key.FindIn(text, at + key.Size())) {
        span.Text.append(text.substr(copied, at - copied));
        span.Text.append(with);
        copied = at + key.Size();
    }
    return span;
}

TReplacedSpan ReplaceAll(std::string_view text, std::string_view key, std::string_view with, bool matchCase)
{
    return ReplaceAll(text, TFindKey(key, matchCase), with);
}

}  // namespace textsearch
