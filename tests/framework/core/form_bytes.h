// Builds form resource bytes by hand, for tests of what a compiled description cannot hold (damage,
// unusual tags, exact layouts).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "framework/core/memory_stream.h"
#include "framework/core/value_types.h"

class FormBytes {
public:
    FormBytes& Signature() { return Raw("TPF0"); }
    FormBytes& Byte(std::uint8_t b)
    {
        bytes.push_back(static_cast<char>(b));
        return *this;
    }
    FormBytes& Raw(const std::string& s)
    {
        bytes += s;
        return *this;
    }
    template <class T>
    FormBytes& Bits(T value)
    {
        char b[sizeof(T)];
        std::memcpy(b, &value, sizeof(T));
        bytes.append(b, sizeof(T));
        return *this;
    }
    FormBytes& Short(const std::string& s) { return Byte(static_cast<std::uint8_t>(s.size())).Raw(s); }
    // A component record's header: optional prefix byte, class and name.
    FormBytes& Object(const std::string& cls, const std::string& name, std::uint8_t prefix = 0)
    {
        if (prefix)
            Byte(prefix);
        return Short(cls).Short(name);
    }
    FormBytes& End() { return Byte(0); }
    FormBytes& Prop(const std::string& path) { return Short(path); }
    FormBytes& Int(std::int32_t v)
    {
        if (v >= -128 && v <= 127)
            return Byte(vaInt8).Bits<std::int8_t>(static_cast<std::int8_t>(v));
        if (v >= -32768 && v <= 32767)
            return Byte(vaInt16).Bits<std::int16_t>(static_cast<std::int16_t>(v));
        return Byte(vaInt32).Bits(v);
    }
    FormBytes& Str(const std::string& s) { return Byte(vaString).Short(s); }
    FormBytes& Ident(const std::string& s) { return Byte(vaIdent).Short(s); }
    FormBytes& Single(float f) { return Byte(vaSingle).Bits(f); }
    FormBytes& Extended(long double v)
    {
        char b[sizeof(long double)];
        std::memcpy(b, &v, sizeof v);
        Byte(vaExtended);
        bytes.append(b, 10);
        return *this;
    }

    // The bytes as a memory stream at position 0.
    void Into(TMemoryStream& stream) const
    {
        stream.Clear();
        stream.Write(bytes.data(), static_cast<std::int32_t>(bytes.size()));
        stream.SetPosition(0);
    }

    std::string bytes;
};
