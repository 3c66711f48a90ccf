// Unsigned integers of any size, just the operations exact decimal-to-binary conversion needs.
#include "big_unsigned.h"

#include <bit>
#include <stdexcept>

namespace formc {

BigUnsigned::BigUnsigned(std::uint64_t value)
{
    while (value != 0) {
        limbs_.push_back(static_cast<std::uint32_t>(value));
        value >>= 32;
    }
}

BigUnsigned BigUnsigned::FromDecimalDigits(std::string_view digits)
{
    BigUnsigned result;
    for (char digit : digits) {
        result.MultiplyBy(10);
        result.Add(static_cast<std::uint32_t>(digit - '0'));
    }
    return result;
}

BigUnsigned BigUnsigned::PowerOfTen(int exponent)
{
    BigUnsigned result(1);
    result.MultiplyByPowerOfTen(exponent);
    return result;
}

void BigUnsigned::MultiplyByPowerOfTen(int exponent)
{
    // 10^9 is the largest power of ten in one limb.
    for (; exponent >= 9; exponent -= 9)
        MultiplyBy(1000000000u);
    for (; exponent > 0; --exponent)
        MultiplyBy(10);
}

int BigUnsigned::BitLength() const
{
    if (limbs_.empty())
        return 0;
    return static_cast<int>(32 * (limbs_.size() - 1)) + std::bit_width(limbs_.back());
}

std::uint64_t BigUnsigned::Low64() const
{
    std::uint64_t low = limbs_.empty() ? 0 : limbs_[0];
    if (limbs_.size() > 1)
        low |= static_cast<std::uint64_t>(limbs_[1]) << 32;
    return low;
}

void BigUnsigned::MultiplyBy(std::uint32_t factor)
{
    std::uint64_t carry = 0;
    for (auto& limb : limbs_) {
        std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
        limb = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0)
        limbs_.push_back(static_cast<std::uint32_t>(carry));
    Trim();
}

void BigUnsigned::Add(std::uint32_t addend)
{
    std::uint64_t carry = addend;
    for (auto& limb : limbs_) {
        if (carry == 0)
            return;
        std::uint64_t sum = static_cast<std::uint64_t>(limb) + carry;
        limb = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
    if (carry != 0)
        limbs_.push_back(static_cast<std::uint32_t>(carry));
}

void BigUnsigned::ShiftLeft(int bits)
{
    if (limbs_.empty() || bits == 0)
        return;
    const int wholeLimbs = bits / 32;
    const int rest = bits % 32;
    if (rest != 0) {
        std::uint32_t carry = 0;
        for (auto& limb : limbs_) {
            std::uint32_t shifted = (limb << rest) | carry;
            carry = limb >> (32 - rest);
            limb = shifted;
        }
        if (carry != 0)
            limbs_.push_back(carry);
    }
    limbs_.insert(limbs_.begin(), static_cast<std::size_t>(wholeLimbs), 0u);
}

void BigUnsigned::Subtract(const BigUnsigned& other)
{
    if (Compare(*this, other) < 0)
        throw std::logic_error("BigUnsigned::Subtract would go below zero");
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
        std::int64_t difference =
            static_cast<std::int64_t>(limbs_[i]) - borrow -
            (i < other.limbs_.size() ? static_cast<std::int64_t>(other.limbs_[i]) : 0);
        borrow = difference < 0 ? 1 : 0;
        limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    Trim();
}

void BigUnsigned::Trim()
{
    while (!limbs_.empty() && limbs_.back() == 0)
        limbs_.pop_back();
}

int Compare(const BigUnsigned& a, const BigUnsigned& b)
{
    if (a.limbs_.size() != b.limbs_.size())
        return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
    for (std::size_t i = a.limbs_.size(); i-- > 0;) {
        if (a.limbs_[i] != b.limbs_[i])
            return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
}

SmallQuotient DivideToSmallQuotient(BigUnsigned numerator, const BigUnsigned& denominator)
{
    if (denominator.IsZero())
        throw std::logic_error("division by zero");
    std::uint64_t quotient = 0;
    // The quotient is below 2^(topBit + 1); for one below 2^64 that is at most bit 64, which must stay clear.
    const int topBit = numerator.BitLength() - denominator.BitLength();
    if (topBit > 64)
        throw std::logic_error("quotient does not fit in 64 bits");
    // Schoolbook binary long division, one quotient bit per step.
    for (int bit = topBit; bit >= 0; --bit) {
        BigUnsigned shifted = denominator;
        shifted.ShiftLeft(bit);
        if (!(numerator < shifted)) {
            if (bit == 64)
                throw std::logic_error("quotient does not fit in 64 bits");
            numerator.Subtract(shifted);
            quotient |= std::uint64_t{1} << bit;
        }
    }
    return {quotient, std::move(numerator)};
}

}  // namespace formc
