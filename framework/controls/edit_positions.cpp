// Byte offsets of the units of an edit window that keeps UTF-16.
#include "framework/controls/edit_positions.h"

#include <algorithm>

namespace {

// Units of a block as the text is read; an edit leaves blocks between half and twice as long.
constexpr std::size_t kBlockUnits = 4096;

// A fetch of the window's text brings at least this many units beyond what is asked for, so that
// positions moving forward do not fetch the text again each time.
constexpr std::size_t kFetchAhead = 64 * 1024;

}  // namespace

TEditPositionMap::TPlace TEditPositionMap::Find(std::size_t unit) const
{
    TPlace place;
    for (; place.block < map_.blocks.size(); ++place.block) {
        const TBlock& block = map_.blocks[place.block];
        if (unit < place.unitsBefore + block.units.size())
            break;
        place.unitsBefore += block.units.size();
        place.bytesBefore += block.bytes;
    }
    return place;
}

void TEditPositionMap::Append(std::wstring_view units)
{
    while (!units.empty()) {
        if (map_.blocks.empty() || map_.blocks.back().units.size() >= kBlockUnits)
            map_.blocks.emplace_back();
        TBlock& last = map_.blocks.back();
        const std::wstring_view part = units.substr(0, kBlockUnits - last.units.size());
        last.units += part;
        last.bytes += edittext::BytesOf(part);
        map_.known += part.size();
        units.remove_prefix(part.size());
    }
}

std::wstring TEditPositionMap::Read(std::size_t from, std::size_t to) const
{
    std::wstring units;
    to = std::min(to, map_.known);
    if (from >= to)
        return units;
    units.reserve(to - from);
    TPlace place = Find(from);
    for (std::size_t at = from; at < to; ++place.block) {
        const std::wstring& block = map_.blocks[place.block].units;
        const std::size_t offset = at - place.unitsBefore;
        const std::size_t count = std::min(block.size() - offset, to - at);
        units.append(block, offset, count);
        at += count;
        place.unitsBefore += block.size();
    }
    return units;
}

void TEditPositionMap::Reach(std::size_t unit, TSource& source)
{
    if (map_.whole || unit <= map_.known)
        return;
    const std::size_t count = source.UnitCount();
    const std::size_t wanted = std::min(count, std::max(unit, map_.known * 2) + kFetchAhead);
    const std::wstring units = source.FirstUnits(wanted);
    if (units.size() > map_.known)
        Append(std::wstring_view(units).substr(map_.known));
    map_.whole = map_.known >= count;
}

std::size_t TEditPositionMap::BytesBefore(std::size_t unit, TSource& source)
{
    Reach(unit, source);
    unit = std::min(unit, map_.known);
    const TPlace place = Find(unit);
    if (place.block == map_.blocks.size())
        return place.bytesBefore;
    return place.bytesBefore +
           edittext::BytesOf(std::wstring_view(map_.blocks[place.block].units).substr(0, unit - place.unitsBefore));
}

std::size_t TEditPositionMap::UnitAt(std::size_t bytes, TSource& source)
{
    // Every unit stands for at least one byte, so the unit sought lies within the first bytes + 1.
    Reach(bytes + 1, source);
    std::size_t unit = 0, at = 0;
    for (const TBlock& block : map_.blocks) {
        if (at + block.bytes > bytes) {
            for (wchar_t u : block.units) {
                at += edittext::UnitBytes(u);
                if (at > bytes)
                    return unit;
                ++unit;
            }
        }
        unit += block.units.size();
        at += block.bytes;
    }
    return unit;
}

std::wstring TEditPositionMap::Units(std::size_t from, std::size_t to, TSource& source)
{
    Reach(to, source);
    return Read(from, to);
}

std::size_t TEditPositionMap::LineStart(std::size_t unit, TSource& source)
{
    Reach(unit, source);
    unit = std::min(unit, map_.known);
    const TPlace place = Find(unit);
    std::size_t block = place.block, before = place.unitsBefore, end = unit - place.unitsBefore;
    for (;;) {
        if (block < map_.blocks.size() && end > 0) {
            const std::size_t lf = map_.blocks[block].units.rfind(L'\n', end - 1);
            if (lf != std::wstring::npos)
                return before + lf + 1;
        }
        if (block == 0)
            return 0;
        --block;
        end = map_.blocks[block].units.size();
        before -= end;
    }
}

std::size_t TEditPositionMap::LineEnd(std::size_t unit, TSource& source)
{
    for (std::size_t reached = unit;; reached += kFetchAhead) {
        Reach(reached + 1, source);
        TPlace place = Find(unit);
        for (; place.block < map_.blocks.size(); ++place.block) {
            const std::wstring& units = map_.blocks[place.block].units;
            const std::size_t lf = units.find(L'\n', unit > place.unitsBefore ? unit - place.unitsBefore : 0);
            if (lf != std::wstring::npos)
                return place.unitsBefore + lf;
            place.unitsBefore += units.size();
        }
        if (map_.whole)
            return map_.known;
    }
}

std::uint64_t TEditPositionMap::SquaredLines(TSource& source)
{
    if (!map_.squared) {
        Reach(UnitCount(source), source);
        std::uint64_t squared = 0;
        std::size_t line = 0;
        for (const TBlock& block : map_.blocks)
            for (wchar_t unit : block.units) {
                if (unit == L'\n') {
                    squared += static_cast<std::uint64_t>(line) * line;
                    line = 0;
                } else {
                    ++line;
                }
            }
        map_.squared = squared + static_cast<std::uint64_t>(line) * line;
    }
    return *map_.squared;
}

void TEditPositionMap::Adopt(edittext::TEncodedText&& text)
{
    map_ = TKept{};
    Append(text.Units);
    map_.whole = true;
    map_.squared = text.Shape.SquaredLines;
}

void TEditPositionMap::Replaced(std::size_t from, std::size_t to, std::wstring_view units)
{
    if (from > map_.known) {
        ChangedFrom(from);
        return;
    }
    if (to > map_.known) {  // the units after `to` are not known: what is known ends with the new ones
        ChangedFrom(from);
        Append(units);
        return;
    }
    if (map_.squared && map_.whole) {
        // Only the lines the change touches change their length.
        struct TNone final : TSource {
            std::size_t UnitCount() override { return 0; }
            std::wstring FirstUnits(std::size_t) override { return {}; }
        } none;
        const std::size_t first = LineStart(from, none), last = LineEnd(to, none);
        const std::uint64_t before = edittext::ShapeOf(Read(first, last)).SquaredLines;
        const std::uint64_t after =
            edittext::ShapeOf(Read(first, from) + std::wstring(units) + Read(to, last)).SquaredLines;
        *map_.squared = *map_.squared - before + after;
    } else {
        map_.squared.reset();
    }
    const std::size_t count = map_.blocks.size();
    // A change at the very end goes into the last block rather than one of its own.
    auto place = [&](std::size_t unit) {
        TPlace found = Find(unit);
        if (found.block == count && count > 0) {
            --found.block;
            found.unitsBefore -= map_.blocks.back().units.size();
        }
        return found;
    };
    const TPlace start = place(from), end = place(to);
    std::wstring merged;
    if (start.block < count)
        merged = map_.blocks[start.block].units.substr(0, from - start.unitsBefore);
    merged += units;
    if (end.block < count)
        merged.append(map_.blocks[end.block].units, to - end.unitsBefore);
    // The blocks from the change's first to its last give way to the merged units, cut into blocks of
    // ordinary size.
    std::vector<TBlock> fresh;
    for (std::size_t at = 0; at < merged.size();) {
        const std::size_t take = merged.size() - at <= 2 * kBlockUnits ? merged.size() - at : kBlockUnits;
        TBlock block{merged.substr(at, take), 0};
        block.bytes = edittext::BytesOf(block.units);
        fresh.push_back(std::move(block));
        at += take;
    }
    const auto first = map_.blocks.begin() + static_cast<std::ptrdiff_t>(start.block);
    const auto at =
        map_.blocks.erase(first, map_.blocks.begin() + static_cast<std::ptrdiff_t>(std::min(end.block + 1, count)));
    map_.blocks.insert(at, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    map_.known = map_.known - (to - from) + units.size();
}

TEditPositionMap::TKept TEditPositionMap::TakeOut()
{
    TKept kept = std::move(map_);
    map_ = TKept{};
    return kept;
}

bool TEditPositionMap::PutBack(TKept&& kept)
{
    if (map_.known > 0)
        return false;
    map_ = std::move(kept);
    return true;
}

void TEditPositionMap::ChangedFrom(std::size_t unit)
{
    map_.whole = false;
    map_.squared.reset();
    if (unit >= map_.known)
        return;
    const TPlace place = Find(unit);
    TBlock& block = map_.blocks[place.block];
    block.units.resize(unit - place.unitsBefore);
    block.bytes = edittext::BytesOf(block.units);
    map_.blocks.resize(place.block + (block.units.empty() ? 0 : 1));
    map_.known = unit;
    if (map_.blocks.empty())
        map_.blocks.shrink_to_fit();
}
