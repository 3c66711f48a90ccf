// Maps between identifiers and integers for integer properties.
#include "framework/core/int_consts.h"

#include <mutex>
#include <vector>

#include "framework/core/type_info.h"

namespace {

struct TIntConst {
    const TTypeInfo* type;
    TIdentToInt identToInt;
    TIntToIdent intToIdent;
};

struct IntConsts {
    std::mutex lock;
    std::vector<TIntConst> maps;
};

IntConsts& Maps()
{
    static IntConsts maps;
    return maps;
}

}  // namespace

void RegisterIntegerConsts(const TTypeInfo& type, TIdentToInt identToInt, TIntToIdent intToIdent)
{
    std::lock_guard guard(Maps().lock);
    Maps().maps.push_back({&type, identToInt, intToIdent});
}

TIdentToInt FindIdentToInt(const TTypeInfo& type)
{
    std::lock_guard guard(Maps().lock);
    auto& maps = Maps().maps;
    for (auto it = maps.rbegin(); it != maps.rend(); ++it)
        if (it->type == &type)
            return it->identToInt;
    return nullptr;
}

TIntToIdent FindIntToIdent(const TTypeInfo& type)
{
    std::lock_guard guard(Maps().lock);
    auto& maps = Maps().maps;
    for (auto it = maps.rbegin(); it != maps.rend(); ++it)
        if (it->type == &type)
            return it->intToIdent;
    return nullptr;
}

bool IdentToInt(const std::string& ident, std::int32_t& value, std::span<const TIdentMapEntry> map)
{
    for (const auto& entry : map)
        if (SameText(entry.Name, ident)) {
            value = entry.Value;
            return true;
        }
    return false;
}

bool IntToIdent(std::int32_t value, std::string& ident, std::span<const TIdentMapEntry> map)
{
    for (const auto& entry : map)
        if (entry.Value == value) {
            ident = entry.Name;
            return true;
        }
    return false;
}
