// A growable array of untyped references.
#include "framework/core/list.h"

#include <algorithm>

#include "framework/core/class_info.h"

const TClassInfo& TList::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TList, TObject>("TList").Build();
    return info;
}

TList::~TList() { Clear(); }  // NOLINT(bugprone-exception-escape): see the declaration

void TList::Error(unsigned messageId, int value) { throw EListError(messageId, {value}); }

void TList::CheckIndex(int index) const
{
    if (index < 0 || index >= count_)
        Error(SListIndexError, index);
}

void* TList::Get(int index) const
{
    CheckIndex(index);
    return items_[index];
}

void TList::Put(int index, void* item)
{
    CheckIndex(index);
    void* old = items_[index];
    if (item == old)
        return;
    items_[index] = item;
    if (old)
        Notify(old, TListNotification::Deleted);
    if (item)
        Notify(item, TListNotification::Added);
}

void TList::Grow() { SetCapacity(capacity_ + ListGrowthDelta(capacity_)); }

void TList::SetCapacity(int capacity)
{
    if (capacity < count_ || capacity > MaxListSize)
        Error(SListCapacityError, capacity);
    if (capacity != capacity_) {
        items_.resize(capacity);
        items_.shrink_to_fit();
        capacity_ = capacity;
    }
}

void TList::SetCount(int count)
{
    if (count < 0 || count > MaxListSize)
        Error(SListCountError, count);
    if (count > capacity_)
        SetCapacity(count);
    if (count > count_) {
        std::fill(items_.begin() + count_, items_.begin() + count, nullptr);
        count_ = count;
    } else {
        for (int i = count_ - 1; i >= count; --i)
            Delete(i);
    }
}

int TList::Add(void* item)
{
    int index = count_;
    if (index == capacity_)
        Grow();
    items_[index] = item;
    ++count_;
    if (item)
        Notify(item, TListNotification::Added);
    return index;
}

void TList::Insert(int index, void* item)
{
    if (index < 0 || index > count_)
        Error(SListIndexError, index);
    if (count_ == capacity_)
        Grow();
    std::move_backward(items_.begin() + index, items_.begin() + count_, items_.begin() + count_ + 1);
    items_[index] = item;
    ++count_;
    if (item)
        Notify(item, TListNotification::Added);
}

void TList::Delete(int index)
{
    CheckIndex(index);
    void* item = items_[index];
    std::move(items_.begin() + index + 1, items_.begin() + count_, items_.begin() + index);
    --count_;
    if (item)
        Notify(item, TListNotification::Deleted);
}

int TList::Remove(void* item)
{
    int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

void* TList::Extract(void* item)
{
    int index = IndexOf(item);
    if (index < 0)
        return nullptr;
    std::move(items_.begin() + index + 1, items_.begin() + count_, items_.begin() + index);
    --count_;
    Notify(item, TListNotification::Extracted);
    return item;
}

int TList::IndexOf(const void* item) const
{
    auto end = items_.begin() + count_;
    auto found = std::find(items_.begin(), end, item);
    return found == end ? -1 : static_cast<int>(found - items_.begin());
}

void TList::Clear()
{
    SetCount(0);
    SetCapacity(0);
}

void TList::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(items_[index1], items_[index2]);
}

void TList::Move(int fromIndex, int toIndex)
{
    if (fromIndex == toIndex)
        return;
    CheckIndex(toIndex);
    void* item = Get(fromIndex);
    items_[fromIndex] = nullptr;
    Delete(fromIndex);
    Insert(toIndex, nullptr);
    items_[toIndex] = item;
}

TList& TList::Expand()
{
    if (count_ == capacity_)
        Grow();
    return *this;
}

void TList::Pack()
{
    for (int i = count_ - 1; i >= 0; --i)
        if (!items_[i])
            Delete(i);
}

void TList::Sort(TCompare compare)
{
    if (count_ > 1)
        QuickSort(0, count_ - 1, compare);
}

void TList::QuickSort(int left, int right, TCompare compare)
{
    int i;
    do {
        i = left;
        int j = right;
        void* pivot = items_[static_cast<unsigned>(left + right) >> 1];
        do {
            while (compare(items_[i], pivot) < 0)
                ++i;
            while (compare(items_[j], pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(items_[i], items_[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (left < j)
            QuickSort(left, j, compare);
        left = i;
    } while (i < right);
}
