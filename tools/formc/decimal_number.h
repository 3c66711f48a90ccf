// Decimal numbers as written in a description, converted exactly to the binary formats of the stream.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace formc {

// The value (-1)^negative × digits × 10^exponent; digits has no leading or trailing zeros ("" is zero).
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// Reads "digits[.digits][e[+|-]digits]"; nullopt when the text is not of that form.
std::optional<DecimalNumber> ParseDecimal(std::string_view text, bool negative);

enum class BinaryFloatFormat {
    Single,    // IEEE 754 binary32, 4 bytes
    Double,    // IEEE 754 binary64, 8 bytes
    Extended,  // x87 80-bit extended precision with explicit integer bit, 10 bytes
};

enum class FloatRange { Fits, TooLarge, TooSmall };

struct EncodedFloat {
    FloatRange range = FloatRange::Fits;
    std::string bytes;  // little-endian, only when the value fits
};

// The nearest value of the format (ties to even), including subnormals. A nonzero number that rounds
// to zero is TooSmall rather than silently becoming zero.
EncodedFloat EncodeBinaryFloat(const DecimalNumber& number, BinaryFloatFormat format);

// The number × 10^decimals rounded to the nearest integer (ties to even); nullopt outside 64 bits.
std::optional<std::int64_t> ScaledInteger(const DecimalNumber& number, int decimals);

}  // namespace formc
