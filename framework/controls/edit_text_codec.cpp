// How the text of an edit window that keeps UTF-16 stands for bytes of the ANSI code page.
#include "framework/controls/edit_text_codec.h"

#include <algorithm>
#include <memory>

#include "framework/core/double_byte.h"
#include "platform/locale.h"

namespace edittext {

namespace {

// A byte the window cannot hold as (part of) a character of its own: U+F700 + the byte. The code
// page maps no byte sequence into this part of the private use area.
constexpr wchar_t kEscapeBase = 0xF700;

bool IsEscape(wchar_t unit) { return unit >= kEscapeBase && unit <= kEscapeBase + 0xFF; }
wchar_t Escape(unsigned char byte) { return static_cast<wchar_t>(kEscapeBase + byte); }

// The code page both ways, measured once through the system's own conversions.
struct Tables {
    // What each unit is written as: a byte below 0x100, or lead << 8 | trail.
    std::vector<std::uint16_t> written = std::vector<std::uint16_t>(0x10000);
    // The unit standing for a single byte or a pair (lead << 8 | trail) that comes back unchanged; 0 for
    // bytes that become escapes.
    std::vector<wchar_t> single = std::vector<wchar_t>(0x100);
    std::vector<wchar_t> pair = std::vector<wchar_t>(0x10000);

    Tables()
    {
        for (unsigned unit = 1; unit < 0x10000; ++unit) {
            char bytes[2] = {};
            int count = platform::WideCharToAnsi(static_cast<wchar_t>(unit), bytes);
            auto first = static_cast<unsigned char>(bytes[0]);
            written[unit] =
                count == 2 ? static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(bytes[1])) : first;
        }
        for (unsigned byte = 0; byte < 0x100; ++byte) {
            written[Escape(static_cast<unsigned char>(byte))] = static_cast<std::uint16_t>(byte);
            const char c = static_cast<char>(byte);
            if (byte == 0 || dbcs::IsLeadByte(c))
                continue;
            single[byte] = Faithful(platform::AnsiCharToWide(&c, 1), byte);
        }
        for (unsigned lead = 0x80; lead < 0x100; ++lead) {
            if (!dbcs::IsLeadByte(static_cast<char>(lead)))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const unsigned code = lead << 8 | trail;
                if (dbcs::PairedCharLength(std::string_view(bytes, 2), 0) == 2)
                    pair[code] = Faithful(platform::AnsiCharToWide(bytes, 2), code);
            }
        }
    }

    wchar_t Faithful(wchar_t unit, unsigned code) const
    {
        return unit != 0 && !IsEscape(unit) && written[unit] == code ? unit : L'\0';
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
    result.Checkpoints.reserve(bytes.size() / kCheckpointSpacing + 1);
    std::wstring& units = result.Units;
    auto emit = [&](wchar_t unit, std::size_t at) {
        if (units.size() % kCheckpointSpacing == 0)
            result.Checkpoints.push_back(at);
        units.push_back(unit);
    };
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = dbcs::PairedCharLength(bytes, at);
        const auto first = static_cast<unsigned char>(bytes[at]);
        if (length == 2) {
            const auto second = static_cast<unsigned char>(bytes[at + 1]);
            if (wchar_t unit = cp.pair[first << 8 | second]) {
                emit(unit, at);
            } else {
                emit(Escape(first), at);
                emit(Escape(second), at + 1);
            }
        } else {
            wchar_t unit = cp.single[first];
            emit(unit ? unit : Escape(first), at);
        }
        at += length;
    }
    if (units.size() % kCheckpointSpacing == 0)
        result.Checkpoints.push_back(bytes.size());
    result.Shape = ShapeOf(units);
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

wchar_t TypedChar(char lead, char trail)
{
    const char bytes[2] = {lead, trail};
    return platform::AnsiCharToWide(bytes, 2);
}

}  // namespace edittext
