// How the text of an edit window that keeps UTF-16 stands for bytes of the ANSI code page. A
// character that comes back from the code page's round trip as the same bytes is itself; every other
// byte (a lead byte without its trail, a pair the code page lacks or writes back as another pair) is
// a unit of its own in a private range. So any text comes back byte for byte, and every unit stands
// for one or two bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace edittext {

// Units between two remembered byte offsets.
constexpr std::size_t kCheckpointSpacing = 4096;

// What an edit window's layout time and memory depend on. Lines end at LF.
struct TTextShape {
    std::size_t Units = 0;
    std::size_t LongestLine = 0;  // in units
    // Sum over the lines of their squared length in units: wrapping a line costs about the square of
    // its length.
    std::uint64_t SquaredLines = 0;
};

struct TEncodedText {
    std::wstring Units;
    std::size_t Bytes = 0;
    // Checkpoints[i]: the bytes that the units before unit i * kCheckpointSpacing stand for.
    std::vector<std::size_t> Checkpoints;
    TTextShape Shape;
};

TEncodedText Encode(std::string_view bytes);
// The shape of text the window already holds as units (a paste, say).
TTextShape ShapeOf(std::wstring_view units);
std::string Decode(std::wstring_view units);
// The bytes one unit stands for: 1 or 2.
std::size_t UnitBytes(wchar_t unit);
// The character a lead byte and a trail byte typed on the keyboard form: the code page's own mapping,
// as the system converts typed text.
wchar_t TypedChar(char lead, char trail);

}  // namespace edittext
