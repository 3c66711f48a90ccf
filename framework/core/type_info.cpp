// Type information of published properties: the built-in kinds and name matching.
#include "framework/core/type_info.h"

bool SameIdent(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((a[i] ^ b[i]) & ~0x20)
            return false;
    return true;
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x -= 0x20;
        if (y >= 'a' && y <= 'z')
            y -= 0x20;
        if (x != y)
            return false;
    }
    return true;
}

int TTypeInfo::EnumValue(std::string_view name) const
{
    for (std::size_t i = 0; i < EnumNames.size(); ++i)
        if (SameIdent(EnumNames[i], name))
            return static_cast<int>(i);
    return -1;
}

TTypeInfo typeinfo_detail::MakeEnumTypeInfo(const char* name, std::vector<std::string> names)
{
    TTypeInfo t;
    t.Kind = TTypeKind::Enumeration;
    t.Name = name;
    t.EnumNames = std::move(names);
    return t;
}

TTypeInfo MakeIntegerTypeInfo(const char* name)
{
    TTypeInfo t;
    t.Kind = TTypeKind::Integer;
    t.Name = name;
    return t;
}

const TTypeInfo& BooleanTypeInfo()
{
    static const TTypeInfo info = typeinfo_detail::MakeEnumTypeInfo("Boolean", {"False", "True"});
    return info;
}

namespace {

TTypeInfo MakeKindTypeInfo(TTypeKind kind, const char* name)
{
    TTypeInfo t;
    t.Kind = kind;
    t.Name = name;
    return t;
}

}  // namespace

const TTypeInfo& CharTypeInfo()
{
    static const TTypeInfo info = MakeKindTypeInfo(TTypeKind::Char, "Char");
    return info;
}

const TTypeInfo& Int64TypeInfo()
{
    static const TTypeInfo info = MakeKindTypeInfo(TTypeKind::Int64, "Int64");
    return info;
}

const TTypeInfo& StringTypeInfo()
{
    static const TTypeInfo info = MakeKindTypeInfo(TTypeKind::LString, "string");
    return info;
}

const TTypeInfo& WideStringTypeInfo()
{
    static const TTypeInfo info = MakeKindTypeInfo(TTypeKind::WString, "WideString");
    return info;
}

const TTypeInfo& OrdinalTypeInfo(const char* name)
{
    // One record per name, so that a map from identifiers registered for "Integer" stays with it.
    static const TTypeInfo integer = MakeIntegerTypeInfo("Integer");
    static const TTypeInfo smallInt = MakeIntegerTypeInfo("SmallInt");
    static const TTypeInfo byte = MakeIntegerTypeInfo("Byte");
    static const TTypeInfo word = MakeIntegerTypeInfo("Word");
    static const TTypeInfo cardinal = MakeIntegerTypeInfo("Cardinal");
    std::string_view n(name);
    if (n == "SmallInt")
        return smallInt;
    if (n == "Byte")
        return byte;
    if (n == "Word")
        return word;
    if (n == "Cardinal")
        return cardinal;
    return integer;
}

const TTypeInfo& FloatTypeInfo(const char* name, TFloatType type)
{
    static const auto make = [](const char* n, TFloatType f) {
        TTypeInfo t = MakeKindTypeInfo(TTypeKind::Float, n);
        t.FloatType = f;
        return t;
    };
    static const TTypeInfo single = make("Single", TFloatType::Single);
    static const TTypeInfo dbl = make("Double", TFloatType::Double);
    static const TTypeInfo extended = make("Extended", TFloatType::Extended);
    switch (type) {
    case TFloatType::Single: return single;
    case TFloatType::Extended: return extended;
    default: (void)name; return dbl;
    }
}
