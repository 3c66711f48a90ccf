// Type information of published properties: the kind of value a property holds and the details
// the form reader needs (value names of an enumeration, element type of a set, class of an object).
#pragma once

#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/core/event.h"
#include "framework/core/set.h"

class TClassInfo;

enum class TTypeKind : std::uint8_t {
    Unknown,
    Integer,
    Char,
    Enumeration,
    Float,
    String,
    Set,
    Class,
    Method,
    WChar,
    LString,
    WString,
    Variant,
    Array,
    Record,
    Interface,
    Int64,
    DynArray
};

enum class TFloatType : std::uint8_t { Single, Double, Extended, Comp, Currency };

struct TTypeInfo {
    TTypeKind Kind = TTypeKind::Unknown;
    std::string Name;
    std::vector<std::string> EnumNames;        // Enumeration: value names in order
    const TTypeInfo* ElementType = nullptr;    // Set: its enumeration
    const TClassInfo& (*ClassOf)() = nullptr;  // Class: asked on use, since classes may refer to each other
    const TSignature* Signature = nullptr;     // Method
    TFloatType FloatType = TFloatType::Double;

    const TClassInfo* ClassType() const { return ClassOf ? &ClassOf() : nullptr; }

    // Position of the enumeration value named `name` (same length, bytes equal ignoring bit 0x20), or -1.
    int EnumValue(std::string_view name) const;
};

// Names of identifiers (properties, fields, methods, enumeration values) match when they have the
// same length and their bytes are equal with bit 0x20 ignored.
bool SameIdent(std::string_view a, std::string_view b);
// Equal ignoring ASCII letter case (component and class names).
bool SameText(std::string_view a, std::string_view b);

// Type information of the built-in kinds.
const TTypeInfo& BooleanTypeInfo();
const TTypeInfo& CharTypeInfo();
const TTypeInfo& Int64TypeInfo();
const TTypeInfo& StringTypeInfo();
const TTypeInfo& WideStringTypeInfo();
const TTypeInfo& OrdinalTypeInfo(const char* name);  // Integer kind
const TTypeInfo& FloatTypeInfo(const char* name, TFloatType type);

// One value of an enumeration paired with its name, as form resources spell it.
template <class E>
struct TEnumName {
    E Value;
    const char* Name;
};

namespace typeinfo_detail {

TTypeInfo MakeEnumTypeInfo(const char* name, std::vector<std::string> names);

// How the compiler spells the constant V: an enumerator's own name (without its scope), or a cast
// such as "(TAlign)7" for a value the enumeration does not name.
template <auto V>
consteval std::string_view Spelling()
{
    std::string_view f = __PRETTY_FUNCTION__;  // "... [with auto V = alTop; ...]" or "... [V = alTop]"
    std::size_t start = f.find("V = ") + 4;
    std::string_view value = f.substr(start, f.find_first_of(";]", start) - start);
    if (value.starts_with('('))
        return value;
    std::size_t scope = value.rfind(':');
    return scope == std::string_view::npos ? value : value.substr(scope + 1);
}

template <const auto& Names, std::size_t... I>
consteval bool NamesFollowValues(std::index_sequence<I...>)
{
    return ((static_cast<std::size_t>(Names[I].Value) == I) && ...);
}

template <const auto& Names, std::size_t... I>
consteval bool NamesSpellEnumerators(std::index_sequence<I...>)
{
    return ((Spelling<Names[I].Value>() == std::string_view(Names[I].Name)) && ...);
}

}  // namespace typeinfo_detail

// The type information of an enumeration, from its values paired with their names:
//   constexpr TEnumName<TAlign> AlignNames[] = {{alNone, "alNone"}, {alTop, "alTop"}, ...};
//   const TTypeInfo& TypeInfoFor(TAlign*) { return EnumTypeInfo<AlignNames>("TAlign"); }
// A name list that drifts from its enumeration does not compile.
template <const auto& Names>
const TTypeInfo& EnumTypeInfo(const char* typeName)
{
    using E = std::remove_cvref_t<decltype(Names[0].Value)>;
    constexpr std::size_t count = std::size(Names);
    constexpr auto indexes = std::make_index_sequence<count>();
    // A form stores an enumeration value as the position of its name.
    static_assert(typeinfo_detail::NamesFollowValues<Names>(indexes),
                  "enumeration names must pair with the values 0, 1, 2... in order");
    static_assert(typeinfo_detail::NamesSpellEnumerators<Names>(indexes),
                  "each enumeration name must be spelled as its enumerator");
    static_assert(typeinfo_detail::Spelling<static_cast<E>(count)>().starts_with('('),
                  "the enumeration has a value after the last named one: name it too");
    static const TTypeInfo info = [typeName] {
        std::vector<std::string> names;
        for (const auto& pair : Names)
            names.emplace_back(pair.Name);
        return typeinfo_detail::MakeEnumTypeInfo(typeName, std::move(names));
    }();
    return info;
}
// Describes an integer type of its own (colours, cursors), for maps from identifiers to integers.
TTypeInfo MakeIntegerTypeInfo(const char* name);

template <class T>
struct TIsSet : std::false_type {};
template <class E>
struct TIsSet<TSet<E>> : std::true_type {};

template <class T>
struct TIsEvent : std::false_type {};
template <class... A>
struct TIsEvent<TEvent<A...>> : std::true_type {};

template <class T>
const TTypeInfo& TypeInfoOf();

namespace typeinfo_detail {

template <class E>
const TTypeInfo& SetTypeInfo()
{
    static const TTypeInfo info = [] {
        TTypeInfo t;
        t.Kind = TTypeKind::Set;
        t.ElementType = &TypeInfoOf<E>();
        t.Name = "set of " + t.ElementType->Name;
        return t;
    }();
    return info;
}

template <class C>
const TTypeInfo& ClassTypeInfo();  // defined in class_info.h, where TClassInfo is complete

template <class... A>
const TTypeInfo& MethodTypeInfo(const TEvent<A...>*)
{
    static const TTypeInfo info = [] {
        TTypeInfo t;
        t.Kind = TTypeKind::Method;
        t.Name = "TMethod";
        t.Signature = &SignatureOf<A...>();
        return t;
    }();
    return info;
}

template <class E>
const TTypeInfo& SetTypeInfoOf(const TSet<E>*)
{
    return SetTypeInfo<E>();
}

}  // namespace typeinfo_detail

// The type information of C++ type T. Enumerations and integer types of their own provide it with a
// function `const TTypeInfo& TypeInfoFor(T*)` found by argument-dependent lookup.
template <class T>
const TTypeInfo& TypeInfoOf()
{
    if constexpr (std::is_same_v<T, bool>)
        return BooleanTypeInfo();
    else if constexpr (std::is_same_v<T, char>)
        return CharTypeInfo();
    else if constexpr (std::is_same_v<T, std::int64_t>)
        return Int64TypeInfo();
    else if constexpr (std::is_same_v<T, int> || std::is_same_v<T, long>)
        return OrdinalTypeInfo("Integer");
    else if constexpr (std::is_same_v<T, short>)
        return OrdinalTypeInfo("SmallInt");
    else if constexpr (std::is_same_v<T, unsigned char>)
        return OrdinalTypeInfo("Byte");
    else if constexpr (std::is_same_v<T, unsigned short>)
        return OrdinalTypeInfo("Word");
    else if constexpr (std::is_same_v<T, unsigned> || std::is_same_v<T, unsigned long>)
        return OrdinalTypeInfo("Cardinal");
    else if constexpr (std::is_same_v<T, float>)
        return FloatTypeInfo("Single", TFloatType::Single);
    else if constexpr (std::is_same_v<T, double>)
        return FloatTypeInfo("Double", TFloatType::Double);
    else if constexpr (std::is_same_v<T, long double>)
        return FloatTypeInfo("Extended", TFloatType::Extended);
    else if constexpr (std::is_same_v<T, std::string>)
        return StringTypeInfo();
    else if constexpr (std::is_same_v<T, std::wstring>)
        return WideStringTypeInfo();
    else if constexpr (std::is_pointer_v<T> && std::is_base_of_v<TObject, std::remove_pointer_t<T>>)
        return typeinfo_detail::ClassTypeInfo<std::remove_pointer_t<T>>();
    else if constexpr (TIsSet<T>::value)
        return typeinfo_detail::SetTypeInfoOf(static_cast<const T*>(nullptr));
    else if constexpr (TIsEvent<T>::value)
        return typeinfo_detail::MethodTypeInfo(static_cast<const T*>(nullptr));
    else
        return TypeInfoFor(static_cast<T*>(nullptr));
}
