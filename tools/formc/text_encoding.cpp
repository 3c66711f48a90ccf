// Conversions between the description's UTF-8 text and the string encodings of the stream.
#include "text_encoding.h"

#include <cstdio>
#include <iconv.h>
#include <stdexcept>

namespace formc {

bool IsScalarValue(char32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

Utf8Decoding DecodeUtf8(std::string_view bytes)
{
    Utf8Decoding result;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        int length;
        char32_t c;
        char32_t smallest;
        if (lead < 0x80) {
            length = 1, c = lead, smallest = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, c = lead & 0x1F, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, c = lead & 0x0F, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, c = lead & 0x07, smallest = 0x10000;
        } else {
            result.errorOffset = at;
            return result;
        }
        if (at + length > bytes.size()) {
            result.errorOffset = at;
            return result;
        }
        for (int i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(bytes[at + i]);
            if ((next & 0xC0) != 0x80) {
                result.errorOffset = at;
                return result;
            }
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms and encoded surrogates are malformed too.
        if (c < smallest || !IsScalarValue(c)) {
            result.errorOffset = at;
            return result;
        }
        result.text.push_back(c);
        at += length;
    }
    return result;
}

std::string EncodeUtf8(std::u32string_view text)
{
    std::string bytes;
    for (char32_t c : text) {
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return bytes;
}

std::string EncodeUtf16LE(std::u32string_view text)
{
    std::string bytes;
    auto unit = [&](char32_t u) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    };
    for (char32_t c : text) {
        if (c < 0x10000) {
            unit(c);
        } else {
            c -= 0x10000;
            unit(0xD800 | (c >> 10));
            unit(0xDC00 | (c & 0x3FF));
        }
    }
    return bytes;
}

namespace {

// Appends the code page 932 bytes of one character; false when it has none. A conversion that
// glibc counts as irreversible (an approximation) is refused as well.
bool AppendCodePage932(iconv_t converter, char32_t c, std::string& bytes)
{
    char input[4];
    for (int i = 0; i < 4; ++i)
        input[i] = static_cast<char>((c >> (8 * i)) & 0xFF);
    char output[8];
    char* in = input;
    std::size_t inLeft = sizeof input;
    char* out = output;
    std::size_t outLeft = sizeof output;
    const std::size_t status = iconv(converter, &in, &inLeft, &out, &outLeft);
    if (status != 0) {
        iconv(converter, nullptr, nullptr, nullptr, nullptr);  // reset the shift state after a failure
        return false;
    }
    bytes.append(output, sizeof output - outLeft);
    return true;
}

}  // namespace

AnsiEncoding EncodeCodePage932(std::u32string_view text)
{
    iconv_t converter = iconv_open("CP932", "UTF-32LE");
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("this system's iconv cannot convert to code page 932 (CP932)");
    AnsiEncoding result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!AppendCodePage932(converter, text[i], result.bytes)) {
            result.unmappableIndex = i;
            result.bytes.clear();
            break;
        }
    }
    iconv_close(converter);
    return result;
}

std::string CodePointName(char32_t c)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

}  // namespace formc
