// Menu merging: another menu's items shown among a menu's own by GroupIndex, each group of the
// merged menu replacing the same group of the menu's, and taken out again.
#include "framework/menus/menu.h"

void TMenuItem::SetMerged(TMenuItem* item)
{
    if (item == merged_ || item == this)
        return;
    if (merged_)
        merged_->mergedWith_ = nullptr;
    merged_ = item;
    if (item) {
        if (item->mergedWith_)
            item->mergedWith_->SetMerged(nullptr);
        item->mergedWith_ = this;
    }
    if (!HasState(csDestroying))
        RefillMenuHandle();
}

std::vector<TMenuItem*> TMenuItem::EntriesWithMerged() const
{
    if (!merged_)
        return items_;
    // Both lists run in ascending GroupIndex (insertion keeps them so).
    const std::vector<TMenuItem*>& own = items_;
    const std::vector<TMenuItem*>& other = merged_->items_;
    std::vector<TMenuItem*> entries;
    std::size_t i = 0, j = 0;
    while (i < own.size() || j < other.size()) {
        if (j == other.size() || (i < own.size() && own[i]->groupIndex_ < other[j]->groupIndex_)) {
            entries.push_back(own[i++]);
            continue;
        }
        std::uint8_t group = other[j]->groupIndex_;
        while (i < own.size() && own[i]->groupIndex_ == group)
            ++i;
        while (j < other.size() && other[j]->groupIndex_ == group)
            entries.push_back(other[j++]);
    }
    return entries;
}

void TMenu::Merge(TMenu* menu)
{
    if (menu == this)
        return;
    items_->SetMerged(menu ? menu->items_ : nullptr);
}

void TMenu::Unmerge(TMenu* menu)
{
    if (menu && items_->merged_ == menu->items_)
        items_->SetMerged(nullptr);
}
