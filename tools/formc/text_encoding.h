// Conversions between the description's UTF-8 text and the string encodings of the stream.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace formc {

// Whether a code point is a Unicode scalar value (in range and not a surrogate).
bool IsScalarValue(char32_t c);

// The decoded text, or the byte offset of the first malformed sequence.
struct Utf8Decoding {
    std::u32string text;
    std::optional<std::size_t> errorOffset;
};
Utf8Decoding DecodeUtf8(std::string_view bytes);

std::string EncodeUtf8(std::u32string_view text);
// UTF-16 little-endian bytes, with surrogate pairs above U+FFFF.
std::string EncodeUtf16LE(std::u32string_view text);

// Shift-JIS bytes as the Japanese ANSI code page 932 has them, or the index of the first character
// the code page cannot hold.
struct AnsiEncoding {
    std::string bytes;
    std::optional<std::size_t> unmappableIndex;
};
AnsiEncoding EncodeCodePage932(std::u32string_view text);

// "U+30C6" style name of a code point, for messages.
std::string CodePointName(char32_t c);

}  // namespace formc
