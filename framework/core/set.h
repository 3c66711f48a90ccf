// A set of up to 32 enumeration values stored as bits, as published set properties are
// (element p is bit p).
#pragma once

#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
public:
    constexpr TSet() = default;
    // One element makes a set of one; an element of another enumeration does not convert.
    constexpr TSet(E element) : bits_(Bit(element)) {}
    constexpr TSet(std::initializer_list<E> elements)
    {
        for (E e : elements)
            bits_ |= Bit(e);
    }
    static constexpr TSet FromBits(std::uint32_t bits)
    {
        TSet s;
        s.bits_ = bits;
        return s;
    }

    constexpr std::uint32_t Bits() const { return bits_; }
    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(E e)
    {
        bits_ |= Bit(e);
        return *this;
    }
    constexpr TSet& Exclude(E e)
    {
        bits_ &= ~Bit(e);
        return *this;
    }

    constexpr TSet operator|(TSet other) const { return FromBits(bits_ | other.bits_); }
    constexpr TSet operator&(TSet other) const { return FromBits(bits_ & other.bits_); }
    constexpr TSet operator-(TSet other) const { return FromBits(bits_ & ~other.bits_); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint32_t Bit(E e) { return std::uint32_t{1} << static_cast<unsigned>(e); }
    std::uint32_t bits_ = 0;
};
