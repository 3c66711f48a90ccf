// How the text of an edit window that keeps UTF-16 stands for bytes of the ANSI code page.
#include "framework/controls/edit_text_codec.h"

#include <memory>
#include <stdexcept>
#include <vector>

#include "framework/core/double_byte.h"
#include "platform/locale.h"

namespace edittext {

namespace {

// Characters the window stands for carried bytes with: the private use area, where the code page
// reads no bytes as these characters and writes none of them.
constexpr wchar_t kCarrierFirst = 0xE000, kCarrierLast = 0xF8FF;

// The code page both ways, measured once through the system's own conversions.
struct Tables {
    // What each unit is written as: a byte below 0x100, or lead << 8 | trail.
    std::vector<std::uint16_t> written = std::vector<std::uint16_t>(0x10000);
    // The unit standing for a single byte or for a pair (lead << 8 | trail).
    std::vector<wchar_t> single = std::vector<wchar_t>(0x100);
    std::vector<wchar_t> pair = std::vector<wchar_t>(0x10000);

    Tables()
    {
        for (unsigned unit = 1; unit < 0x10000; ++unit) {
            char bytes[2] = {};
            const int count = platform::WideCharToAnsi(static_cast<wchar_t>(unit), bytes);
            const auto first = static_cast<unsigned char>(bytes[0]);
            written[unit] =
                count == 2 ? static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(bytes[1])) : first;
            // A character of another script never turns into a byte that ends a string or a line.
            if (count != 2 && (first == 0 || first == '\r' || first == '\n') && unit != first)
                written[unit] = '?';
        }
        std::vector<bool> taken(0x10000);
        auto faithful = [&](wchar_t unit, unsigned code) {
            const bool same = unit != 0 && written[unit] == code;
            if (same)
                taken[unit] = true;
            return same ? unit : L'\0';
        };
        for (unsigned byte = 1; byte < 0x100; ++byte) {
            const char c = static_cast<char>(byte);
            single[byte] = faithful(platform::AnsiCharToWide(&c, 1), byte);
        }
        for (unsigned lead = 0x80; lead < 0x100; ++lead) {
            for (unsigned trail = 0x40; dbcs::IsLeadByte(static_cast<char>(lead)) && trail <= 0xFC; ++trail) {
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                if (dbcs::PairedCharLength(std::string_view(bytes, 2), 0) == 2)
                    pair[lead << 8 | trail] = faithful(platform::AnsiCharToWide(bytes, 2), lead << 8 | trail);
            }
        }
        // Every byte or pair without a character of its own gets a private use character that the code
        // page neither reads nor writes.
        unsigned next = kCarrierFirst;
        auto carrier = [&](unsigned code) {
            while (next <= kCarrierLast && (taken[next] || written[next] != '?'))
                ++next;
            if (next > kCarrierLast)
                throw std::length_error("no private use character left to carry a byte of the code page");
            written[next] = static_cast<std::uint16_t>(code);
            return static_cast<wchar_t>(next++);
        };
        for (unsigned byte = 1; byte < 0x100; ++byte)
            if (!single[byte])
                single[byte] = carrier(byte);
        for (unsigned code = 0x8000; code < 0x10000; ++code)
            if ((code & 0xFF) >= 0x40 && dbcs::IsLeadByte(static_cast<char>(code >> 8)) &&
                dbcs::IsTrailByte(static_cast<char>(code & 0xFF)) && !pair[code])
                pair[code] = carrier(code);
    }
};

const Tables& CodePage()
{
    static const auto tables = std::make_unique<Tables>();
    return *tables;
}

}  // namespace

TEncodedText Encode(std::string_view bytes)
{
    const Tables& cp = CodePage();
    TEncodedText result;
    result.Bytes = bytes.size();
    result.Units.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = dbcs::PairedCharLength(bytes, at);
        const auto first = static_cast<unsigned char>(bytes[at]);
        result.Units.push_back(
            length == 2 ? cp.pair[first << 8 | static_cast<unsigned char>(bytes[at + 1])] : cp.single[first]);
        at += length;
    }
    result.Shape = ShapeOf(result.Units);
    return result;
}

TTextShape ShapeOf(std::wstring_view units)
{
    TTextShape shape;
    shape.Units = units.size();
    for (std::size_t start = 0; start <= units.size();) {
        const std::size_t end = std::min(units.find(L'\n', start), units.size());
        const std::size_t length = end - start;
        shape.LongestLine = std::max(shape.LongestLine, length);
        shape.SquaredLines += static_cast<std::uint64_t>(length) * length;
        start = end + 1;
    }
    return shape;
}

std::string Decode(std::wstring_view units)
{
    const Tables& cp = CodePage();
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (wchar_t unit : units) {
        const std::uint16_t code = cp.written[unit];
        if (code >= 0x100)
            bytes.push_back(static_cast<char>(code >> 8));
        bytes.push_back(static_cast<char>(code & 0xFF));
    }
    return bytes;
}

std::size_t UnitBytes(wchar_t unit) { return CodePage().written[unit] >= 0x100 ? 2 : 1; }

std::size_t BytesOf(std::wstring_view units)
{
    const Tables& cp = CodePage();
    std::size_t bytes = units.size();
    for (wchar_t unit : units)
        bytes += cp.written[unit] >= 0x100;
    return bytes;
}

}  // namespace edittext
