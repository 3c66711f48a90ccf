// Maps between identifiers and integers for integer properties (colours, cursors, character sets),
// so that a form resource can say clBtnFace where the property holds a number.
#pragma once

#include <cstdint>
#include <span>
#include <string>

struct TTypeInfo;

struct TIdentMapEntry {
    std::int32_t Value;
    const char* Name;
};

using TIdentToInt = bool (*)(const std::string& ident, std::int32_t& value);
using TIntToIdent = bool (*)(std::int32_t value, std::string& ident);

// Registers the map of integer type `type`; the most recently registered map of a type wins.
void RegisterIntegerConsts(const TTypeInfo& type, TIdentToInt identToInt, TIntToIdent intToIdent);
TIdentToInt FindIdentToInt(const TTypeInfo& type);
TIntToIdent FindIntToIdent(const TTypeInfo& type);

// Look-ups in a table; names compare ignoring ASCII case.
bool IdentToInt(const std::string& ident, std::int32_t& value, std::span<const TIdentMapEntry> map);
bool IntToIdent(std::int32_t value, std::string& ident, std::span<const TIdentMapEntry> map);
