// Walking text in the ANSI code page character by character: the one place that knows a lead
// byte takes the byte after it with it. A lead byte at the very end of a text stands alone.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dbcs {

constexpr std::size_t npos = std::string_view::npos;

bool IsLeadByte(char c);

// Bytes of the character starting at `at` (1 or 2; 0 at or past the end).
std::size_t CharLength(std::string_view text, std::size_t at);
// Whether `c` can follow a lead byte as the second byte of a character: 0x40-0x7E or 0x80-0xFC.
bool IsTrailByte(char c);
// Bytes of the character starting at `at` as the code page pairs them (1 or 2; 0 at or past the end):
// a lead byte takes the next byte only when that byte can be a trail byte (0x40-0x7E, 0x80-0xFC).
// Before anything else - a line break, a NUL, a space - or at the end it stands alone, so a line
// break is never taken into a double-byte character.
std::size_t PairedCharLength(std::string_view text, std::size_t at);
// The offset after the character starting at `at`.
inline std::size_t NextChar(std::string_view text, std::size_t at) { return at + CharLength(text, at); }
// The start of the character that ends at `at`; walks back only as far as the bytes require.
std::size_t PrevCharStart(std::string_view text, std::size_t at);
// True when `at` is the start of a character or the end of the text (not inside a double-byte one).
bool IsCharBoundary(std::string_view text, std::size_t at);

// The first / last occurrence of the single-byte character `c` that is a character of its own
// (never the second byte of a double-byte character), or npos.
std::size_t FindChar(std::string_view text, char c, std::size_t from = 0);
std::size_t FindLastChar(std::string_view text, char c);
// The last occurrence of any byte of `delimiters` that is a character of its own, or npos.
std::size_t FindLastOf(std::string_view text, std::string_view delimiters);

// The first CR or LF at or after `from`. The pairing of PairedCharLength never takes either into a
// double-byte character, so every one found is a line break of its own.
std::size_t FindLineBreak(std::string_view text, std::size_t from = 0);

// The longest length of at most `maxBytes` that does not cut a double-byte character in two.
std::size_t CutLength(std::string_view text, std::size_t maxBytes);
// The start of the last character (0 for an empty text).
std::size_t LastCharStart(std::string_view text);
// The number of characters in `text` (a double-byte character counts once).
std::size_t CharCount(std::string_view text);

// IsCharBoundary for offsets of one text asked in increasing order, as a search asks for each match:
// the text is walked once in all, however long its runs of bytes that could be first bytes (a line of
// ＝ is 0x81 0x81 0x81 ...), where asking IsCharBoundary each time would walk back over the run.
class CharStarts {
public:
    explicit CharStarts(std::string_view text) : text_(text) {}
    bool IsCharBoundary(std::size_t offset);

private:
    std::string_view text_;
    std::size_t known_ = 0;  // a character start at or after every offset answered so far
};

// What the byte at `at` is to the characters around it.
enum TMbcsByteType { mbSingleByte, mbLeadByte, mbTrailByte };
// The second byte of a double-byte character is mbTrailByte, the first mbLeadByte; everything else -
// a NUL, a byte past the end, any byte where the code page has no lead bytes - is mbSingleByte.
TMbcsByteType ByteClass(std::string_view text, std::size_t at);

// A copy with 'A' to 'Z' made 'a' to 'z' where they are characters of their own: the second byte of
// a double-byte character keeps its value, so folding never makes two different characters equal.
std::string AsciiLower(std::string_view text);

}  // namespace dbcs
