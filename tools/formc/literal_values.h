// The tagged values that number and string literals become.
#pragma once

#include <cstdint>
#include <string>

#include "form_model.h"
#include "lexer.h"

namespace formc {

// An integer value with the smallest of tags 2, 3 and 4 that holds it, else tag 19 (always 19 when forced).
Value IntegerValue(std::int64_t value, bool force64Bit = false);

// The value of a number token, negated when a minus sign came before it:
//   12 → smallest integer tag, 12L → 64-bit, $FF / 0xFF → hex (up to 8 digits a 32-bit pattern),
//   1.5 → 10-byte extended, 1.5s → single, 1.5c → currency, 1.5d → date.
Value NumberValue(const Token& number, bool negative);

enum class StringEncoding {
    Automatic,  // ASCII as bytes (tag 6, or 12 above 255 bytes); anything else UTF-16 (tag 18)
    Wide,       // UTF-16, tag 18
    Utf8,       // UTF-8, tag 20
    Ansi,       // Shift-JIS bytes (code page 932), tag 6 or 12 by length
    LongAnsi,   // Shift-JIS bytes, always tag 12
    Raw,        // every character #0..#255 taken as that byte, tag 6 or 12 by length
};

Value StringValue(const std::u32string& text, StringEncoding encoding, SourcePosition where);

}  // namespace formc
