// Exact decimal-to-binary conversion: checked against the host C library's correctly rounded
// conversions, against constructed halfway cases, and against currency rounding by hand.
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

#include "tests/tools/formc/host_check.h"
#include "tools/formc/big_unsigned.h"
#include "tools/formc/decimal_number.h"

using namespace formc;

namespace {

std::string RandomDecimal(std::mt19937_64& random, int minExponent, int maxExponent)
{
    const int digitCount = 1 + static_cast<int>(random() % 25);
    std::string text(1, static_cast<char>('1' + random() % 9));
    if (digitCount > 1)
        text += '.';
    for (int i = 1; i < digitCount; ++i)
        text += static_cast<char>('0' + random() % 10);
    const int exponent =
        minExponent + static_cast<int>(random() % static_cast<unsigned>(maxExponent - minExponent + 1));
    return text + "e" + std::to_string(exponent);
}

EncodedFloat Encode(const std::string& text, BinaryFloatFormat format)
{
    const std::optional<DecimalNumber> number = ParseDecimal(text, false);
    if (!number)
        return {FloatRange::TooLarge, "unparsed"};
    return EncodeBinaryFloat(*number, format);
}

template <typename Float>
std::string HostBytes(Float value, std::size_t size)
{
    std::string bytes(size, '\0');
    std::memcpy(bytes.data(), &value, size);
    return bytes;
}

// Compares one conversion with the host's value: infinity means too large, zero too small.
template <typename Float>
void CheckAgainstHost(const std::string& text, BinaryFloatFormat format, Float host, std::size_t size)
{
    const EncodedFloat encoded = Encode(text, format);
    if (std::isinf(host))
        CHECK_EQ(static_cast<int>(encoded.range), static_cast<int>(FloatRange::TooLarge), text);
    else if (host == 0)
        CHECK_EQ(static_cast<int>(encoded.range), static_cast<int>(FloatRange::TooSmall), text);
    else
        CHECK_EQ(encoded.bytes, HostBytes(host, size), text);
}

}  // namespace

HOST_TEST(ExtendedMatchesTheHostsLongDouble)
{
    // On x86-64 the host's long double is the 80-bit extended format itself.
    if (std::numeric_limits<long double>::digits != 64 || std::numeric_limits<long double>::max_exponent != 16384) {
        std::printf("     (skipped: long double is not the 80-bit extended format here)\n");
        return;
    }
    std::mt19937_64 random(20240601);
    for (int i = 0; i < 4000; ++i) {
        const std::string text = RandomDecimal(random, -40, 40);
        CheckAgainstHost(text, BinaryFloatFormat::Extended, std::strtold(text.c_str(), nullptr), 10);
    }
    // The whole range, the denormals and both overflow and underflow included.
    for (int i = 0; i < 1500; ++i) {
        const std::string text = RandomDecimal(random, -4970, 4940);
        CheckAgainstHost(text, BinaryFloatFormat::Extended, std::strtold(text.c_str(), nullptr), 10);
    }
}

HOST_TEST(SingleAndDoubleMatchTheHost)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 4000; ++i) {
        const std::string text = RandomDecimal(random, -330, 310);
        CheckAgainstHost(text, BinaryFloatFormat::Double, std::strtod(text.c_str(), nullptr), 8);
        const std::string small = RandomDecimal(random, -50, 40);
        CheckAgainstHost(small, BinaryFloatFormat::Single, std::strtof(small.c_str(), nullptr), 4);
    }
}

HOST_TEST(ExactHalfwayValuesRoundToEven)
{
    // The midpoint of two neighbouring doubles (floats) is exact in long double (double), and printf
    // writes its exact decimal expansion; the even neighbour must win.
    std::mt19937_64 random(99);
    char text[1300];
    for (int i = 0; i < 1500; ++i) {
        std::uint64_t bits = random() & 0x7FFFFFFFFFFFFFFFull;
        if ((bits >> 52) >= 0x7FE)
            bits &= 0x3FFFFFFFFFFFFFFFull;  // stay below the largest binade, so the upper neighbour is finite
        const double lower = std::bit_cast<double>(bits);
        const double upper = std::nextafter(lower, std::numeric_limits<double>::infinity());
        const long double middle = (static_cast<long double>(lower) + upper) / 2;
        std::snprintf(text, sizeof text, "%.1100Le", middle);
        const double even = (bits & 1) == 0 ? lower : upper;
        const EncodedFloat encoded = Encode(text, BinaryFloatFormat::Double);
        if (even == 0)
            CHECK_EQ(static_cast<int>(encoded.range), static_cast<int>(FloatRange::TooSmall), std::string(text, 40));
        else
            CHECK_EQ(encoded.bytes, HostBytes(even, 8), std::string(text, 40));

        const auto floatBits = static_cast<std::uint32_t>(random() % 0x7F000000u);
        const float lowerFloat = std::bit_cast<float>(floatBits);
        const float upperFloat = std::nextafter(lowerFloat, std::numeric_limits<float>::infinity());
        std::snprintf(text, sizeof text, "%.200e", (static_cast<double>(lowerFloat) + upperFloat) / 2);
        const float evenFloat = (floatBits & 1) == 0 ? lowerFloat : upperFloat;
        const EncodedFloat encodedFloat = Encode(text, BinaryFloatFormat::Single);
        if (evenFloat == 0)
            CHECK_EQ(
                static_cast<int>(encodedFloat.range), static_cast<int>(FloatRange::TooSmall), std::string(text, 40));
        else
            CHECK_EQ(encodedFloat.bytes, HostBytes(evenFloat, 4), std::string(text, 40));
    }
}

HOST_TEST(ParsingNormalisesAndRejectsMalformedNumbers)
{
    const std::optional<DecimalNumber> number = ParseDecimal("000120.0500", false);
    CHECK(number.has_value());
    CHECK_EQ(number->digits, std::string("12005"), "000120.0500");
    CHECK_EQ(number->exponent, -2, "000120.0500");
    CHECK_EQ(ParseDecimal("0.000", true)->digits, std::string(), "0.000");
    CHECK_EQ(ParseDecimal("25e-3", false)->exponent, -3, "25e-3");
    for (const char* malformed : {"1.", ".5", "1e", "1e+", "1x", "", "1.5.2", "e5"})
        CHECK_EQ(ParseDecimal(malformed, false).has_value(), false, std::string(malformed));
    // An absurd exponent saturates instead of overflowing, and then fails the range check.
    CHECK_EQ(static_cast<int>(Encode("1e99999999999999999999", BinaryFloatFormat::Extended).range),
             static_cast<int>(FloatRange::TooLarge), "huge exponent");
    CHECK_EQ(static_cast<int>(Encode("1e-99999999999999999999", BinaryFloatFormat::Double).range),
             static_cast<int>(FloatRange::TooSmall), "tiny exponent");
}

HOST_TEST(CurrencyScalesByTenThousandRoundingHalfToEven)
{
    struct Case {
        const char* text;
        bool negative;
        std::optional<std::int64_t> expected;
    };
    const Case cases[] = {
        {"12.34", false, 123400},
        {"1.23456", false, 12346},
        {"0.00005", false, 0},
        {"0.00015", false, 2},
        {"0.00025", false, 2},
        {"0.000250001", false, 3},
        {"0.00025", true, -2},
        {"1e-30", false, 0},
        {"922337203685477.5807", false, std::numeric_limits<std::int64_t>::max()},
        {"922337203685477.5808", false, std::nullopt},
        {"922337203685477.58075", false, std::nullopt},  // ties up to ...5808
        {"922337203685477.5808", true, std::numeric_limits<std::int64_t>::min()},
        {"922337203685477.5809", true, std::nullopt},
        {"1e15", false, std::nullopt},
        {"99999999999999999999", false, std::nullopt},
        {"0", true, 0},
    };
    for (const Case& c : cases) {
        const std::optional<std::int64_t> scaled = ScaledInteger(*ParseDecimal(c.text, c.negative), 4);
        CHECK_EQ(scaled.has_value(), c.expected.has_value(), std::string(c.text));
        if (scaled && c.expected)
            CHECK_EQ(*scaled, *c.expected, std::string(c.text));
    }
}

HOST_TEST(DivisionUsesTheWhole64BitQuotient)
{
    // (2^64 - 1) × 3 + 2 over 3: the quotient's top bit sits 64 bits above the denominator's.
    BigUnsigned numerator(~std::uint64_t{0});
    numerator.MultiplyBy(3);
    numerator.Add(2);
    const SmallQuotient result = DivideToSmallQuotient(numerator, BigUnsigned(3));
    CHECK_EQ(result.quotient, ~std::uint64_t{0}, "(2^64-1)*3+2 / 3");
    CHECK(result.remainder == BigUnsigned(2));

    BigUnsigned tooLarge(1);
    tooLarge.ShiftLeft(64);
    bool threw = false;
    try {
        DivideToSmallQuotient(tooLarge, BigUnsigned(1));
    } catch (const std::logic_error&) {
        threw = true;
    }
    CHECK(threw);
}
