// Unsigned integers of any size, just the operations exact decimal-to-binary conversion needs.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace formc {

class BigUnsigned {
public:
    BigUnsigned() = default;
    explicit BigUnsigned(std::uint64_t value);

    // The value of a string of decimal digits ('0'..'9' only).
    static BigUnsigned FromDecimalDigits(std::string_view digits);
    static BigUnsigned PowerOfTen(int exponent);

    bool IsZero() const { return limbs_.empty(); }
    int BitLength() const;
    // The low 64 bits.
    std::uint64_t Low64() const;

    void MultiplyBy(std::uint32_t factor);
    void MultiplyByPowerOfTen(int exponent);
    void Add(std::uint32_t addend);
    void ShiftLeft(int bits);
    // Requires *this >= other.
    void Subtract(const BigUnsigned& other);

    friend int Compare(const BigUnsigned& a, const BigUnsigned& b);
    friend bool operator<(const BigUnsigned& a, const BigUnsigned& b) { return Compare(a, b) < 0; }
    friend bool operator==(const BigUnsigned& a, const BigUnsigned& b) { return Compare(a, b) == 0; }

private:
    void Trim();
    std::vector<std::uint32_t> limbs_;  // least significant first, no leading zero limbs
};

// Quotient and remainder of numerator / denominator; the quotient must be below 2^64.
struct SmallQuotient {
    std::uint64_t quotient;
    BigUnsigned remainder;
};
SmallQuotient DivideToSmallQuotient(BigUnsigned numerator, const BigUnsigned& denominator);

}  // namespace formc
