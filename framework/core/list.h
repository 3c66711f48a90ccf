// A growable array of untyped references. The list never owns what its entries point to.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/object.h"

enum class TListNotification { Added, Extracted, Deleted };

class TList : public TObject {
    DECLARE_CLASS(TList)
public:
    static constexpr int MaxListSize = 134217727;

    TList() = default;
    ~TList() override;  // NOLINT(bugprone-exception-escape): clearing raises only for a negative count

    int Count() const { return count_; }
    void SetCount(int count);
    int Capacity() const { return capacity_; }
    void SetCapacity(int capacity);

    void* Get(int index) const;
    void Put(int index, void* item);
    void* operator[](int index) const { return Get(index); }

    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    int Remove(void* item);     // index it had, or -1
    void* Extract(void* item);  // removed without the deleted notification; null when absent
    int IndexOf(const void* item) const;
    void Clear();
    void Exchange(int index1, int index2);
    void Move(int fromIndex, int toIndex);
    void* First() const { return Get(0); }
    void* Last() const { return Get(count_ - 1); }
    TList& Expand();  // grows when full
    void Pack();      // drops null entries

    using TCompare = int (*)(void* a, void* b);
    void Sort(TCompare compare);

    [[noreturn]] static void Error(unsigned messageId, int value);

protected:
    virtual void Grow();
    virtual void Notify(void*, TListNotification) {}

private:
    void CheckIndex(int index) const;
    void QuickSort(int left, int right, TCompare compare);

    std::vector<void*> items_;  // capacity_ slots, count_ of them in use
    int count_ = 0;
    int capacity_ = 0;
};

// The growth step shared by the framework's lists: 4 while the capacity is at most 8, 16 while it
// is at most 64, a quarter above that.
constexpr int ListGrowthDelta(int capacity) { return capacity > 64 ? capacity / 4 : capacity > 8 ? 16 : 4; }
