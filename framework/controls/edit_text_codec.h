// How the text of an edit window that keeps UTF-16 stands for bytes of the ANSI code page. A
// character that comes back from the code page's round trip as the same bytes is itself; every other
// character the bytes form (a lead byte without its trail, a pair the code page lacks or writes back
// as another pair) is one unit of its own, taken from the private use characters the code page cannot
// write. So any text comes back byte for byte, and every unit is one character of one or two bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace edittext {

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
    TTextShape Shape;
};

TEncodedText Encode(std::string_view bytes);
// The shape of text the window already holds as units.
TTextShape ShapeOf(std::wstring_view units);
// The bytes the units stand for. A unit the code page cannot write (which no text ever brings into
// the window, since foreign text is converted on its way in) is written as the code page writes it,
// never as a NUL, CR or LF.
std::string Decode(std::wstring_view units);
// The bytes one unit stands for: 1 or 2.
std::size_t UnitBytes(wchar_t unit);
// The bytes the units stand for.
std::size_t BytesOf(std::wstring_view units);

}  // namespace edittext
