// The tags of values in a form resource, and the flags of a component record's prefix byte.
#pragma once

#include <cstdint>

enum TValueType : std::uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
};

// Prefix byte 0xF0 + flags, present when a record starts with a byte of 0xF0 or more.
enum : std::uint8_t {
    ffInherited = 0x01,
    ffChildPos = 0x02,
    ffInline = 0x04,
};

// "TPF0" read as a little-endian 32-bit value.
constexpr std::uint32_t FilerSignature = 0x30465054;
