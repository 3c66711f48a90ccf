// The double-byte walker over the code page's lead bytes.
#include "framework/core/double_byte.h"

#include "platform/locale.h"

namespace dbcs {

bool IsLeadByte(char c) { return platform::IsLeadByte(static_cast<unsigned char>(c)); }

std::size_t CharLength(std::string_view text, std::size_t at)
{
    if (at >= text.size())
        return 0;
    return IsLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1;
}

bool IsTrailByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

std::size_t PairedCharLength(std::string_view text, std::size_t at)
{
    if (at >= text.size())
        return 0;
    return IsLeadByte(text[at]) && at + 1 < text.size() && IsTrailByte(text[at + 1]) ? 2 : 1;
}

std::size_t PrevCharStart(std::string_view text, std::size_t at)
{
    if (at == 0)
        return 0;
    at = at > text.size() ? text.size() : at;
    // The bytes before `at - 1` that could be lead bytes pair up from the first byte of their run;
    // the byte before that run always ends a character.
    std::size_t runStart = at - 1;
    while (runStart > 0 && IsLeadByte(text[runStart - 1]))
        --runStart;
    return (at - 1 - runStart) % 2 == 1 ? at - 2 : at - 1;
}

bool IsCharBoundary(std::string_view text, std::size_t at)
{
    if (at == 0 || at >= text.size())
        return true;
    return NextChar(text, PrevCharStart(text, at)) == at;
}

std::size_t FindChar(std::string_view text, char c, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); i = NextChar(text, i))
        if (text[i] == c)
            return i;
    return npos;
}

std::size_t FindLastChar(std::string_view text, char c) { return FindLastOf(text, std::string_view(&c, 1)); }

std::size_t FindLastOf(std::string_view text, std::string_view delimiters)
{
    std::size_t found = npos;
    for (std::size_t i = 0; i < text.size(); i = NextChar(text, i))
        if (delimiters.find(text[i]) != std::string_view::npos)
            found = i;
    return found;
}

std::size_t FindLineBreak(std::string_view text, std::size_t from)
{
    return from >= text.size() ? npos : text.find_first_of("\r\n", from);
}

std::size_t CutLength(std::string_view text, std::size_t maxBytes)
{
    if (maxBytes >= text.size())
        return text.size();
    return IsCharBoundary(text, maxBytes) ? maxBytes : maxBytes - 1;
}

std::size_t LastCharStart(std::string_view text) { return PrevCharStart(text, text.size()); }

std::size_t CharCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i = NextChar(text, i))
        ++count;
    return count;
}

bool CharStarts::IsCharBoundary(std::size_t offset)
{
    if (offset >= text_.size())
        return true;
    if (offset < known_)
        return dbcs::IsCharBoundary(text_, offset);
    // Back over the first-byte values just before `offset`, no further than the known start: the
    // byte before such a run always ends a character. Then forward, a character at a time.
    std::size_t from = offset;
    while (from > known_ && IsLeadByte(text_[from - 1]))
        --from;
    known_ = from;
    while (known_ < offset)
        known_ = NextChar(text_, known_);
    return known_ == offset;
}

TMbcsByteType ByteClass(std::string_view text, std::size_t at)
{
    if (at >= text.size() || text[at] == '\0')
        return mbSingleByte;
    if (!IsCharBoundary(text, at))
        return mbTrailByte;
    return IsLeadByte(text[at]) ? mbLeadByte : mbSingleByte;
}

std::string AsciiLower(std::string_view text)
{
    std::string folded(text);
    for (std::size_t i = 0; i < folded.size(); i = NextChar(folded, i))
        if (folded[i] >= 'A' && folded[i] <= 'Z' && CharLength(folded, i) == 1)
            folded[i] = static_cast<char>(folded[i] + ('a' - 'A'));
    return folded;
}

}  // namespace dbcs
