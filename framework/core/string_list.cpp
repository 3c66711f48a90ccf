// The list of strings kept in an array of its own, with sorting, duplicate control and change events.
#include "framework/core/string_list.h"

#include <cstring>
#include <limits>
#include <memory>
#include <utility>

#include "framework/core/class_info.h"
#include "framework/core/exceptions.h"
#include "framework/core/list.h"
#include "framework/core/stream.h"
#include "platform/locale.h"

const TClassInfo& TStringList::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStringList, TStrings>("TStringList").Build();
    return info;
}

namespace {

// Where the line starting at `p` ends: at the first NUL, CR or LF, or at `end`.
const char* LineEnd(const char* p, const char* end)
{
    // Only bytes below 14 can end a line (no double-byte character holds one): words of four bytes
    // without one are passed over whole, and a word with one is looked at byte by byte.
    constexpr std::uint32_t ones = 0x01010101u;
    constexpr std::uint32_t highs = 0x80808080u;
    for (;;) {
        while (end - p >= 4) {
            std::uint32_t word;
            std::memcpy(&word, p, 4);
            if ((word - ones * 14) & ~word & highs)
                break;
            p += 4;
        }
        const char* stop = end - p >= 4 ? p + 4 : end;
        for (; p != stop; ++p)
            if (*p == '\0' || *p == '\n' || *p == '\r')
                return p;
        if (p == end)
            return p;
    }
}

// Steps over the line break at `p`: CR LF, CR or LF.
const char* SkipBreak(const char* p, const char* end)
{
    if (p != end && *p == '\r')
        ++p;
    if (p != end && *p == '\n')
        ++p;
    return p;
}

int CountLines(const char* p, const char* end)
{
    int lines = 0;
    while (p != end && *p != '\0') {
        p = SkipBreak(LineEnd(p, end), end);
        ++lines;
    }
    return lines;
}

}  // namespace

TStringList::~TStringList()
{
    OnChange = {};
    OnChanging = {};
}

int TStringList::CompareItems(TStringList& list, int index1, int index2)
{
    return list.CompareStrings(list.items_[index1].String.View(), list.items_[index2].String.View());
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
    return items_[index].String.Str();
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
    items_[index].String = TSharedString(s);
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

void TStringList::InsertItem(int index, TSharedString s, TObject* object)
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
    InsertItem(index, TSharedString(s), object);
}

int TStringList::Add(std::string s) { return AddObject(std::move(s), nullptr); }

int TStringList::AddObject(std::string s, TObject* object) { return AddItem(TSharedString(s), object); }

int TStringList::AddItem(TSharedString s, TObject* object)
{
    int index = count_;
    if (sorted_ && Find(s.View(), index)) {
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

void TStringList::Move(int fromIndex, int toIndex)
{
    if (fromIndex == toIndex)
        return;
    CheckIndex(fromIndex);
    CheckUnsorted();
    CheckIndex(toIndex);
    TStrings::Move(fromIndex, toIndex);
}

int TStringList::IndexOf(const std::string& s) const
{
    if (sorted_) {
        int index = -1;
        return Find(s, index) ? index : -1;
    }
    for (int i = 0; i < count_; ++i)
        if (CompareStrings(items_[i].String.View(), s) == 0)
            return i;
    return -1;
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const
{
    return platform::CompareAnsi(a, b, !caseSensitive_);
}

std::string TStringList::Text() const
{
    std::size_t total = 0;
    for (const TStringItem& item : items_)
        total += item.String.Size() + 2;
    std::string text;
    text.reserve(total);
    for (const TStringItem& item : items_) {
        text += item.String.View();
        text += "\r\n";
    }
    return text;
}

void TStringList::SetText(std::string_view text)
{
    const void* nul = text.empty() ? nullptr : std::memchr(text.data(), '\0', text.size());
    if (nul)
        text = text.substr(0, static_cast<const char*>(nul) - text.data());
    SetSharedText(TSharedString(text));
}

void TStringList::SetSharedText(const TSharedString& text)
{
    TUpdateBracket update(*this);
    Clear();
    const char* const begin = text.Data();
    const char* const end = begin + text.Size();
    if (!sorted_) {
        // Every line will be appended: grow once to the capacity that adding them one by one
        // would reach, instead of through every step on the way.
        const int lines = CountLines(begin, end);
        int capacity = capacity_;
        while (capacity < lines)
            capacity += ListGrowthDelta(capacity);
        SetCapacity(capacity);
    }
    const char* p = begin;
    while (p != end && *p != '\0') {
        const char* lineEnd = LineEnd(p, end);
        TSharedString line = text.Slice(p - begin, lineEnd - p);
        if (sorted_) {
            AddItem(std::move(line), nullptr);
        } else {
            // The room is there already and no event fires inside the update: append directly.
            items_.push_back(TStringItem{std::move(line), nullptr});
            ++count_;
        }
        p = SkipBreak(lineEnd, end);
    }
}

void TStringList::LoadFromStream(TStream& stream)
{
    // Read into the block the lines will share; a failed read leaves the list as it was.
    const std::int64_t size = stream.Size() - stream.Position();
    if (size > std::numeric_limits<std::int32_t>::max())
        throw EReadError(SReadError);
    const auto count = static_cast<std::int32_t>(size > 0 ? size : 0);
    TSharedString text = TSharedString::Allocate(count);
    stream.ReadBuffer(text.MutableData(), count);
    TUpdateBracket update(*this);
    SetSharedText(text);
}

void TStringList::SaveToStream(TStream& stream) const
{
    // The text goes out in pieces of at most a megabyte instead of being joined whole first.
    constexpr std::size_t PieceSize = 1 << 20;
    auto piece = std::make_unique_for_overwrite<char[]>(PieceSize);
    std::size_t used = 0;
    auto flush = [&] {
        stream.WriteBuffer(piece.get(), static_cast<std::int32_t>(used));
        used = 0;
    };
    for (const TStringItem& item : items_) {
        const std::string_view line = item.String.View();
        if (line.size() + 2 > PieceSize - used) {
            flush();
            if (line.size() + 2 > PieceSize) {
                stream.WriteBuffer(line.data(), static_cast<std::int32_t>(line.size()));
                stream.WriteBuffer("\r\n", 2);
                continue;
            }
        }
        if (!line.empty())
            std::memcpy(piece.get() + used, line.data(), line.size());
        used += line.size();
        piece[used++] = '\r';
        piece[used++] = '\n';
    }
    flush();
}

bool TStringList::Find(std::string_view s, int& index) const
{
    bool found = false;
    int low = 0;
    int high = count_ - 1;
    while (low <= high) {
        const int mid = static_cast<int>(static_cast<unsigned>(low + high) >> 1);
        const int c = CompareStrings(items_[mid].String.View(), s);
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
