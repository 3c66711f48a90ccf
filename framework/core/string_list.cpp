// The list of strings kept in an array of its own, with sorting, duplicate control and change events.
#include "framework/core/string_list.h"

#include <utility>

#include "framework/core/classinfo.h"
#include "framework/core/exceptions.h"
#include "framework/core/list.h"
#include "platform/locale.h"

const TClassInfo& TStringList::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStringList, TStrings>("TStringList").Build();
    return info;
}

TStringList::~TStringList()
{
    OnChange = {};
    OnChanging = {};
}

int TStringList::CompareItems(TStringList& list, int index1, int index2)
{
    return list.CompareStrings(list.items_[index1].String, list.items_[index2].String);
}

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= count_)
        throw EStringListError(SListIndexError, {index});
}

void TStringList::CheckUnsorted() const
{
    if (sorted_)
        throw EStringListError(SSortedListError);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating)
        Changing();
    else
        Changed();
}

std::string TStringList::Get(int index) const
{
    CheckIndex(index);
    return items_[index].String;
}

TObject* TStringList::GetObject(int index) const
{
    CheckIndex(index);
    return items_[index].Object;
}

void TStringList::Put(int index, std::string s)
{
    CheckUnsorted();
    CheckIndex(index);
    Changing();
    items_[index].String = std::move(s);
    Changed();
}

void TStringList::PutObject(int index, TObject* object)
{
    CheckIndex(index);
    Changing();
    items_[index].Object = object;
    Changed();
}

void TStringList::SetCapacity(int capacity)
{
    // Below the count the array could not hold the entries: refuse rather than lose them.
    if (capacity < count_)
        throw EStringListError(SListCapacityError, {capacity});
    if (capacity == capacity_)
        return;
    std::vector<TStringItem> items;
    items.reserve(capacity);
    for (TStringItem& item : items_)
        items.push_back(std::move(item));
    items_.swap(items);
    capacity_ = capacity;
}

void TStringList::Grow() { SetCapacity(capacity_ + ListGrowthDelta(capacity_)); }

void TStringList::InsertItem(int index, std::string s, TObject* object)
{
    Changing();
    if (count_ == capacity_)
        Grow();
    items_.insert(items_.begin() + index, TStringItem{std::move(s), object});
    ++count_;
    Changed();
}

void TStringList::Insert(int index, std::string s) { InsertObject(index, std::move(s), nullptr); }

void TStringList::InsertObject(int index, std::string s, TObject* object)
{
    CheckUnsorted();
    if (index < 0 || index > count_)
        throw EStringListError(SListIndexError, {index});
    InsertItem(index, std::move(s), object);
}

int TStringList::Add(std::string s) { return AddObject(std::move(s), nullptr); }

int TStringList::AddObject(std::string s, TObject* object)
{
    int index = count_;
    if (sorted_ && Find(s, index)) {
        if (duplicates_ == dupIgnore)
            return index;
        if (duplicates_ == dupError)
            throw EStringListError(SDuplicateString);
    }
    InsertItem(index, std::move(s), object);
    return index;
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    --count_;
    Changed();
}

void TStringList::Clear()
{
    if (count_ == 0)
        return;
    Changing();
    items_.clear();
    count_ = 0;
    SetCapacity(0);
    Changed();
}

void TStringList::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(items_[index1], items_[index2]);
    Changed();
}

int TStringList::IndexOf(const std::string& s) const
{
    if (!sorted_)
        return TStrings::IndexOf(s);
    int index = -1;
    return Find(s, index) ? index : -1;
}

std::string TStringList::Text() const
{
    // The same join as the base, without copying every entry on the way.
    std::size_t total = 0;
    for (const TStringItem& item : items_)
        total += item.String.size() + 2;
    std::string text;
    text.reserve(total);
    for (const TStringItem& item : items_) {
        text += item.String;
        text += "\r\n";
    }
    return text;
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const
{
    return platform::CompareAnsi(a, b, !caseSensitive_);
}

bool TStringList::Find(const std::string& s, int& index) const
{
    bool found = false;
    int low = 0;
    int high = count_ - 1;
    while (low <= high) {
        const int mid = static_cast<int>(static_cast<unsigned>(low + high) >> 1);
        const int c = CompareStrings(items_[mid].String, s);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                if (duplicates_ != dupAccept)
                    low = mid;
            }
        }
    }
    index = low;
    return found;
}

void TStringList::Sort() { CustomSort(CompareItems); }

void TStringList::CustomSort(TStringListSortCompare compare)
{
    if (sorted_ || count_ < 2)
        return;
    Changing();
    QuickSort(0, count_ - 1, compare);
    Changed();
}

void TStringList::QuickSort(int left, int right, TStringListSortCompare compare)
{
    int i;
    do {
        i = left;
        int j = right;
        // The pivot is followed by its index as entries move, not copied out.
        int pivot = static_cast<int>(static_cast<unsigned>(left + right) >> 1);
        do {
            while (compare(*this, i, pivot) < 0)
                ++i;
            while (compare(*this, j, pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(items_[i], items_[j]);
                if (pivot == i)
                    pivot = j;
                else if (pivot == j)
                    pivot = i;
                ++i;
                --j;
            }
        } while (i <= j);
        if (left < j)
            QuickSort(left, j, compare);
        left = i;
    } while (i < right);
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted == sorted_)
        return;
    if (sorted)
        Sort();
    sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive)
{
    if (caseSensitive == caseSensitive_)
        return;
    caseSensitive_ = caseSensitive;
    // Entries equal under one comparison may be out of order under the other.
    if (sorted_) {
        sorted_ = false;
        Sort();
        sorted_ = true;
    }
}
