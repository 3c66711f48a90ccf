// Byte offsets of the units of an edit window that keeps UTF-16.
#include "framework/controls/edit_positions.h"

#include <algorithm>

using edittext::kCheckpointSpacing;

namespace {

// A fetch of the window's text brings at least this many units beyond what is asked for, so that
// positions moving forward do not fetch the text again each time.
constexpr std::size_t kFetchAhead = 64 * 1024;

}  // namespace

void TEditPositionMap::Adopt(edittext::TEncodedText&& text)
{
    units_ = std::move(text.Units);
    checkpoints_ = std::move(text.Checkpoints);
    whole_ = true;
}

void TEditPositionMap::Replaced(std::size_t from, std::size_t to, std::wstring_view units)
{
    if (from > units_.size()) {
        ChangedFrom(from);
        return;
    }
    if (to <= units_.size()) {
        units_.replace(from, to - from, units);
    } else {  // the units after `to` are not known: what is known ends with the new ones
        units_.resize(from);
        units_ += units;
        whole_ = false;
    }
    const std::size_t kept = from / kCheckpointSpacing + 1;
    if (checkpoints_.size() > kept)
        checkpoints_.resize(kept);
}

TEditPositionMap::TKept TEditPositionMap::TakeOut()
{
    TKept kept{std::move(units_), std::move(checkpoints_), whole_};
    units_.clear();
    checkpoints_.assign(1, 0);
    whole_ = false;
    return kept;
}

bool TEditPositionMap::PutBack(TKept&& kept)
{
    if (!units_.empty() || checkpoints_.size() > 1)
        return false;
    units_ = std::move(kept.units);
    checkpoints_ = std::move(kept.checkpoints);
    whole_ = kept.whole;
    return true;
}

void TEditPositionMap::ChangedFrom(std::size_t unit)
{
    whole_ = false;
    if (unit < units_.size())
        units_.resize(unit);
    // Checkpoint i stays while the units before it are unchanged.
    std::size_t kept = units_.size() / kCheckpointSpacing + 1;
    if (checkpoints_.size() > kept)
        checkpoints_.resize(kept);
    if (units_.empty())
        units_.shrink_to_fit();
}

void TEditPositionMap::Reach(std::size_t unit, TSource& source)
{
    if (whole_ || unit <= units_.size())
        return;
    const std::size_t count = source.UnitCount();
    const std::size_t wanted = std::min(count, std::max(unit, units_.size() * 2) + kFetchAhead);
    units_ = source.FirstUnits(wanted);
    whole_ = units_.size() >= count;
}

std::size_t TEditPositionMap::Walk(std::size_t index, std::size_t toUnit)
{
    std::size_t unit = index * kCheckpointSpacing;
    std::size_t bytes = checkpoints_[index];
    for (; unit < toUnit; ++unit) {
        bytes += edittext::UnitBytes(units_[unit]);
        if ((unit + 1) % kCheckpointSpacing == 0 && (unit + 1) / kCheckpointSpacing == checkpoints_.size())
            checkpoints_.push_back(bytes);
    }
    return bytes;
}

std::size_t TEditPositionMap::BytesBefore(std::size_t unit, TSource& source)
{
    Reach(unit, source);
    unit = std::min(unit, units_.size());
    const std::size_t index = std::min(unit / kCheckpointSpacing, checkpoints_.size() - 1);
    return Walk(index, unit);
}

std::size_t TEditPositionMap::UnitAt(std::size_t bytes, TSource& source)
{
    // Every unit stands for at least one byte, so the unit sought lies within the first bytes + 1.
    Reach(bytes + 1, source);
    auto after = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), bytes);
    std::size_t index = static_cast<std::size_t>(after - checkpoints_.begin()) - 1;
    std::size_t unit = index * kCheckpointSpacing;
    std::size_t at = checkpoints_[index];
    while (unit < units_.size()) {
        const std::size_t next = at + edittext::UnitBytes(units_[unit]);
        if (next > bytes)
            break;
        at = next;
        ++unit;
        if (unit % kCheckpointSpacing == 0 && unit / kCheckpointSpacing == checkpoints_.size())
            checkpoints_.push_back(at);
    }
    return unit;
}
