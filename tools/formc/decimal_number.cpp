// Decimal numbers as written in a description, converted exactly to the binary formats of the stream.
#include "decimal_number.h"

#include <algorithm>
#include <bit>
#include <cctype>

#include "big_unsigned.h"

namespace formc {

namespace {

// Beyond these decimal magnitudes every format overflows or underflows; checking first keeps the
// big integers small for absurd exponents.
constexpr int MaxDecimalMagnitude = 5000;
constexpr long ExponentSaturation = 1000000;

struct FormatLayout {
    int precision;    // significand bits, the leading one included
    int minExponent;  // binary exponent of the leading bit of the smallest normal number
    int maxExponent;  // binary exponent of the leading bit of the largest finite number
    int exponentBias;
    bool explicitIntegerBit;
    int byteCount;
};

FormatLayout LayoutOf(BinaryFloatFormat format)
{
    switch (format) {
    case BinaryFloatFormat::Single: return {24, -126, 127, 127, false, 4};
    case BinaryFloatFormat::Double: return {53, -1022, 1023, 1023, false, 8};
    case BinaryFloatFormat::Extended: break;
    }
    return {64, -16382, 16383, 16383, true, 10};
}

std::string LittleEndian(std::uint64_t value, int byteCount)
{
    std::string bytes;
    for (int i = 0; i < byteCount; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

std::string EncodeZero(const FormatLayout& layout, bool negative)
{
    std::string bytes(static_cast<std::size_t>(layout.byteCount), '\0');
    if (negative)
        bytes.back() = static_cast<char>(0x80);
    return bytes;
}

// Whether numerator / denominator >= 2^power.
bool AtLeastPowerOfTwo(const BigUnsigned& numerator, const BigUnsigned& denominator, int power)
{
    BigUnsigned left = numerator;
    BigUnsigned right = denominator;
    if (power >= 0)
        right.ShiftLeft(power);
    else
        left.ShiftLeft(-power);
    return !(left < right);
}

// Rounds quotient + remainder/denominator to an integer, ties to even.
bool RoundsUp(std::uint64_t quotient, BigUnsigned remainder, const BigUnsigned& denominator)
{
    remainder.ShiftLeft(1);
    const int order = Compare(remainder, denominator);
    return order > 0 || (order == 0 && (quotient & 1) != 0);
}

}  // namespace

std::optional<DecimalNumber> ParseDecimal(std::string_view text, bool negative)
{
    DecimalNumber number;
    number.negative = negative;
    std::size_t at = 0;
    auto isDigit = [&](std::size_t i) { return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); };

    std::string digits;
    long exponent = 0;
    if (!isDigit(at))
        return std::nullopt;
    while (isDigit(at))
        digits.push_back(text[at++]);
    if (at < text.size() && text[at] == '.') {
        ++at;
        if (!isDigit(at))
            return std::nullopt;
        while (isDigit(at)) {
            digits.push_back(text[at++]);
            --exponent;
        }
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        bool exponentNegative = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            exponentNegative = text[at++] == '-';
        if (!isDigit(at))
            return std::nullopt;
        long written = 0;
        while (isDigit(at))
            written = std::min(written * 10 + (text[at++] - '0'), ExponentSaturation);
        exponent += exponentNegative ? -written : written;
    }
    if (at != text.size())
        return std::nullopt;

    const auto firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return number;  // zero, keeping its sign
    digits.erase(0, firstNonZero);
    const auto lastNonZero = digits.find_last_not_of('0');
    exponent += static_cast<long>(digits.size() - lastNonZero - 1);
    digits.erase(lastNonZero + 1);
    number.digits = std::move(digits);
    number.exponent = static_cast<int>(std::clamp(exponent, -2 * ExponentSaturation, 2 * ExponentSaturation));
    return number;
}

EncodedFloat EncodeBinaryFloat(const DecimalNumber& number, BinaryFloatFormat format)
{
    const FormatLayout layout = LayoutOf(format);
    if (number.digits.empty())
        return {FloatRange::Fits, EncodeZero(layout, number.negative)};

    // The value lies in [10^(magnitude-1), 10^magnitude).
    const long magnitude = static_cast<long>(number.digits.size()) + number.exponent;
    if (magnitude > MaxDecimalMagnitude)
        return {FloatRange::TooLarge, {}};
    if (magnitude < -MaxDecimalMagnitude)
        return {FloatRange::TooSmall, {}};

    BigUnsigned numerator = BigUnsigned::FromDecimalDigits(number.digits);
    BigUnsigned denominator(1);
    if (number.exponent >= 0) {
        numerator.MultiplyByPowerOfTen(number.exponent);
    } else {
        denominator = BigUnsigned::PowerOfTen(-number.exponent);
    }

    // floor(log2(value)) is the bit length difference or one less.
    int leadingExponent = numerator.BitLength() - denominator.BitLength();
    if (!AtLeastPowerOfTwo(numerator, denominator, leadingExponent))
        --leadingExponent;

    // Scale so that the quotient holds exactly the significand bits (fewer for subnormals).
    int scaleExponent = std::max(leadingExponent, layout.minExponent) - (layout.precision - 1);
    if (scaleExponent <= 0)
        numerator.ShiftLeft(-scaleExponent);
    else
        denominator.ShiftLeft(scaleExponent);
    auto [significand, remainder] = DivideToSmallQuotient(std::move(numerator), denominator);

    if (RoundsUp(significand, std::move(remainder), denominator)) {
        ++significand;
        const bool carriedOut = layout.precision == 64 ? significand == 0 : (significand >> layout.precision) != 0;
        if (carriedOut) {
            significand = std::uint64_t{1} << (layout.precision - 1);
            ++scaleExponent;
        }
    }
    if (significand == 0)
        return {FloatRange::TooSmall, {}};

    const int topBit = std::bit_width(significand) - 1;
    const int valueExponent = scaleExponent + topBit;
    if (valueExponent > layout.maxExponent)
        return {FloatRange::TooLarge, {}};
    const bool normal = topBit == layout.precision - 1;
    const std::uint64_t biasedExponent = normal ? static_cast<std::uint64_t>(valueExponent + layout.exponentBias) : 0;

    if (layout.explicitIntegerBit) {
        const std::uint64_t signAndExponent = (number.negative ? 0x8000u : 0u) | biasedExponent;
        return {FloatRange::Fits, LittleEndian(significand, 8) + LittleEndian(signAndExponent, 2)};
    }
    const int fractionBits = layout.precision - 1;
    const std::uint64_t fraction = significand & ((std::uint64_t{1} << fractionBits) - 1);
    const int signBit = layout.byteCount * 8 - 1;
    const std::uint64_t bits =
        (number.negative ? std::uint64_t{1} << signBit : 0) | (biasedExponent << fractionBits) | fraction;
    return {FloatRange::Fits, LittleEndian(bits, layout.byteCount)};
}

std::optional<std::int64_t> ScaledInteger(const DecimalNumber& number, int decimals)
{
    if (number.digits.empty())
        return 0;
    const long exponent = static_cast<long>(number.exponent) + decimals;
    // Integer digits of the result; 2^63 has 19.
    const long integerDigits = static_cast<long>(number.digits.size()) + exponent;
    if (integerDigits > 19)
        return std::nullopt;
    if (integerDigits < 0)
        return 0;  // below 0.1 after scaling: rounds to zero

    BigUnsigned numerator = BigUnsigned::FromDecimalDigits(number.digits);
    std::uint64_t magnitude;
    if (exponent >= 0) {
        numerator.MultiplyByPowerOfTen(static_cast<int>(exponent));
        magnitude = numerator.Low64();  // below 10^19 < 2^64
    } else {
        const BigUnsigned denominator = BigUnsigned::PowerOfTen(static_cast<int>(-exponent));
        auto [quotient, remainder] = DivideToSmallQuotient(std::move(numerator), denominator);
        magnitude = quotient + (RoundsUp(quotient, std::move(remainder), denominator) ? 1 : 0);
    }
    const std::uint64_t limit = number.negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    if (magnitude > limit)
        return std::nullopt;
    return number.negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
}

}  // namespace formc
