// The list of strings kept in an array of its own, with sorting, duplicate control and change events.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/event.h"
#include "framework/core/shared_string.h"
#include "framework/core/strings.h"

// What adding an existing string to a sorted list does: keep the list as it is, add it, or fail.
enum TDuplicates : std::uint8_t { dupIgnore = 0, dupAccept = 1, dupError = 2 };

class TStringList;
// Compares the entries at two indexes of `list`: <0, 0 or >0.
using TStringListSortCompare = int (*)(TStringList& list, int index1, int index2);

class TStringList : public TStrings {
    DECLARE_CLASS(TStringList)
public:
    TStringList() = default;
    // Fires no events; the objects of the entries are not freed.
    ~TStringList() override;

    TStringList(const TStringList&) = delete;
    TStringList& operator=(const TStringList&) = delete;

    // Indexes outside 0..Count()-1 raise EStringListError "リストのインデックスが範囲を超えています (%d)".
    std::string Get(int index) const override;
    int Count() const override { return count_; }
    int Capacity() const override { return capacity_; }
    // Reallocates the array; a capacity below the count raises the list capacity error.
    void SetCapacity(int capacity) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    // A sorted list refuses positional changes: "ソートされる文字列リストに対しては許されない動作です".
    void Put(int index, std::string s) override;
    void Insert(int index, std::string s) override;
    void InsertObject(int index, std::string s, TObject* object) override;
    // Unsorted: appends. Sorted: inserts in order, following the duplicates policy.
    int Add(std::string s) override;
    int AddObject(std::string s, TObject* object) override;
    void Delete(int index) override;
    // Empties the list and frees the array; an empty list is left alone without events.
    void Clear() override;
    void Exchange(int index1, int index2) override;
    // Checked before the entry is taken out, so that a refused move loses nothing: indexes in
    // 0..Count()-1, and no moving in a sorted list.
    void Move(int fromIndex, int toIndex) override;
    int IndexOf(const std::string& s) const override;
    int CompareStrings(std::string_view a, std::string_view b) const override;

    // The same results as the inherited text operations, with the lines of a loaded or set text
    // kept as parts of one shared block rather than one copy each. Lines are added as Add would
    // add them, without calling it (nor, in an unsorted list, InsertItem).
    std::string Text() const override;
    void SetText(std::string_view text) override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;

    // Binary search of a sorted list: true when `s` is there; `index` is where it is or belongs
    // (with dupAccept the first of equal entries).
    virtual bool Find(std::string_view s, int& index) const;
    virtual void Sort();
    // Sorts an unsorted list with `compare` (not stable), with one changing and one changed event.
    virtual void CustomSort(TStringListSortCompare compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
    bool CaseSensitive() const { return caseSensitive_; }
    // A sorted list is sorted again by the new comparison.
    void SetCaseSensitive(bool caseSensitive);

    // Around every change, or once around a whole begin/end update bracket.
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void Changed();
    virtual void Changing();
    // Inserts without checks: the primitive behind insert and add.
    virtual void InsertItem(int index, TSharedString s, TObject* object);
    void SetUpdateState(bool updating) override;

private:
    struct TStringItem {
        TSharedString String;
        TObject* Object = nullptr;
    };

    static int CompareItems(TStringList& list, int index1, int index2);
    void CheckIndex(int index) const;
    void CheckUnsorted() const;
    void Grow();
    int AddItem(TSharedString s, TObject* object);
    // Replaces the entries by the lines of `text`, which ends at its first NUL byte.
    void SetSharedText(const TSharedString& text);
    void QuickSort(int left, int right, TStringListSortCompare compare);

    std::vector<TStringItem> items_;  // count_ entries, with room reserved for capacity_
    int count_ = 0;
    int capacity_ = 0;
    bool sorted_ = false;
    TDuplicates duplicates_ = dupIgnore;
    bool caseSensitive_ = false;
};
