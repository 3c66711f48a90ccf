// The string list: growth, checks before any change, sorting, sorted look-up with its duplicate
// policies, and the change events around every change and every update bracket.
#include <algorithm>
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include <windows.h>
#undef GetObject  // the string list's, not the GDI macro

#include "framework/core/component.h"
#include "framework/core/exceptions.h"
#include "tests/framework/core/list_test_support.h"

namespace {

// The order of the user's locale, asked of the system directly rather than of the list.
int LocaleOrder(const std::string& a, const std::string& b, bool ignoreCase)
{
    return CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.c_str(), -1, b.c_str(), -1) - 2;
}

}  // namespace

TEST(StringList, GrowthAndCapacity)
{
    TStringList list;
    std::vector<int> capacities;
    for (int i = 0; i < 118; ++i) {
        list.Add("x");
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
    list.Delete(0);
    EXPECT_EQ(list.Capacity(), 118);  // delete never shrinks
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.SetCapacity(2); }), "リストの容量が超えました (2)");
    EXPECT_EQ(list.Count(), 117);
    list.Clear();
    EXPECT_EQ(list.Capacity(), 0);

    list.SetCapacity(68);
    for (int i = 0; i < 69; ++i)
        list.Add("x");
    EXPECT_EQ(list.Capacity(), 85);
}

TEST(StringList, FailedOperationsChangeNothingAndFireNoEvent)
{
    TStringList list;
    list.SetText("b\r\na\r\n");
    TChangeLog log(list);
    const std::string index2 = "リストのインデックスが範囲を超えています (2)";
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Get(2); }), index2);
    EXPECT_EQ(
        MessageOf<EStringListError>([&] { list.GetObject(-1); }), "リストのインデックスが範囲を超えています (-1)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.PutObject(2, nullptr); }), index2);
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Put(2, "x"); }), index2);
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Delete(2); }), index2);
    EXPECT_EQ(
        MessageOf<EStringListError>([&] { list.Insert(3, "x"); }), "リストのインデックスが範囲を超えています (3)");
    EXPECT_EQ(
        MessageOf<EStringListError>([&] { list.Exchange(7, 9); }), "リストのインデックスが範囲を超えています (7)");
    EXPECT_EQ(
        MessageOf<EStringListError>([&] { list.Exchange(0, 9); }), "リストのインデックスが範囲を超えています (9)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Move(0, 2); }), index2);
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Move(2, 0); }), index2);
    EXPECT_EQ(Entries(list), (Lines{"b", "a"})) << "a refused move loses no entry";

    list.SetSorted(true);
    log.Take();
    const std::string sortedError = "ソートされる文字列リストに対しては許されない動作です";
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Put(0, "x"); }), sortedError);
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(0, "x"); }), sortedError);
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Move(0, 1); }), sortedError);
    list.SetDuplicates(dupError);
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Add("A"); }), "文字列リストは重複を許しません");
    EXPECT_EQ(log.Take(), "");
    EXPECT_EQ(Entries(list), (Lines{"a", "b"}));

    list.PutObject(1, Tag(7));  // objects may change in a sorted list
    EXPECT_EQ(list.GetObject(1), Tag(7));
    list.SetSorted(false);
    list.Insert(2, "c");  // index = count appends
    EXPECT_EQ(Entries(list), (Lines{"a", "b", "c"}));
}

TEST(StringList, SortedListsAndDuplicatePolicies)
{
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "banana", "apricot"})
        list.AddObject(s, Tag(1));
    EXPECT_EQ(Entries(list), (Lines{"Apple", "apricot", "banana", "pear"}));
    EXPECT_EQ(list.IndexOf("BANANA"), 2);
    EXPECT_EQ(list.IndexOf("plum"), -1);
    int index = -1;
    EXPECT_FALSE(list.Find("blueberry", index));
    EXPECT_EQ(index, 3);

    // dupIgnore: the existing index, nothing added, no events.
    TChangeLog log(list);
    EXPECT_EQ(list.AddObject("PEAR", Tag(2)), 3);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.GetObject(3), Tag(1));
    EXPECT_EQ(log.Take(), "");

    // dupAccept: a new duplicate goes before the equal entries already there.
    list.SetDuplicates(dupAccept);
    list.AddObject("banana", Tag(3));
    EXPECT_EQ(list.AddObject("Banana", Tag(4)), 2);
    EXPECT_EQ(list.GetObject(2), Tag(4));
    EXPECT_TRUE(list.Find("BANANA", index));
    EXPECT_EQ(index, 2);

    // Unsorted lists keep every duplicate whatever the policy.
    TStringList unsorted;
    unsorted.SetDuplicates(dupError);
    unsorted.Add("a");
    unsorted.Add("a");
    EXPECT_EQ(unsorted.Count(), 2);
}

TEST(StringList, OneChangingAndOneChangedPerChangeOrPerBracket)
{
    TStringList list;
    TChangeLog log(list);
    list.Add("a");
    EXPECT_EQ(log.Take(), "changing changed");

    list.BeginUpdate();
    list.Add("b");
    list.BeginUpdate();
    list.Insert(0, "c");
    list.Delete(1);
    list.EndUpdate();
    list.Put(0, "d");
    list.PutObject(0, Tag(1));
    list.Exchange(0, 1);
    list.EndUpdate();
    EXPECT_EQ(log.Take(), "changing changed");

    TStringList other;
    other.SetText("q\r\np\r\n");
    for (const auto& change : std::vector<std::function<void()>>{
             [&] { list.SetText("x\r\ny\r\n"); }, [&] { list.AddStrings(other); }, [&] { list.Assign(&other); },
             [&] { list.Sort(); }, [&] { list.Move(0, 1); }, [&] { list.Clear(); }}) {
        change();
        EXPECT_EQ(log.Take(), "changing changed");
    }
    list.Clear();  // already empty
    EXPECT_EQ(log.Take(), "");

    // The events see the list before and after the change.
    struct TWatcher : TObject {
        TStringList* list;
        std::vector<int> counts;
        void Seen(TObject* sender) { counts.push_back(sender == list ? list->Count() : -1); }
    } watcher;
    watcher.list = &list;
    list.OnChanging = TNotifyEvent(&watcher, &TWatcher::Seen);
    list.OnChange = TNotifyEvent(&watcher, &TWatcher::Seen);
    list.Add("a");
    EXPECT_EQ(watcher.counts, (std::vector<int>{0, 1}));
}

TEST(StringList, DestructionFiresNoEventsAndFreesNoObjects)
{
    struct TTracked : TObject {
        bool* destroyed;
        ~TTracked() override { *destroyed = true; }
    };
    bool destroyed = false;
    TTracked object;
    object.destroyed = &destroyed;
    auto* list = new TStringList;
    TChangeLog log(*list);
    list->AddObject("a", &object);
    list->AddObject("b", &object);
    list->Delete(0);
    log.Take();
    delete list;
    EXPECT_EQ(log.Take(), "");
    EXPECT_FALSE(destroyed);
}

TEST(StringList, QuicksortOrdersLargeListsAndCarriesTheObjects)
{
    std::mt19937 random(42);
    const char* words[] = {"kiwi", "Kiwi", "apple", "ソフト", "表示", "zebra", "", "a", "B", "b", "能力", "ｶﾅ"};
    TStringList list;
    Lines added;
    for (int i = 0; i < 2000; ++i) {
        std::string s = words[random() % std::size(words)];
        if (random() % 3 == 0)
            s += std::to_string(random() % 50);
        added.push_back(s);
        list.AddObject(s, Tag(i + 1));
    }
    list.Sort();
    for (int i = 0; i < list.Count(); ++i) {
        if (i > 0) {
            ASSERT_LE(LocaleOrder(list.Get(i - 1), list.Get(i), true), 0) << "at " << i;
        }
        ASSERT_EQ(list.Get(i), added[reinterpret_cast<std::intptr_t>(list.GetObject(i)) - 1]) << "at " << i;
    }
    std::vector<std::intptr_t> tags;
    tags.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i)
        tags.push_back(reinterpret_cast<std::intptr_t>(list.GetObject(i)));
    std::sort(tags.begin(), tags.end());
    EXPECT_EQ(std::adjacent_find(tags.begin(), tags.end()), tags.end());  // each entry exactly once
}

TEST(StringList, CustomSortOnlyOnUnsortedListsAndCaseSensitiveResort)
{
    TStringList list;
    list.SetText("a\r\nbbb\r\ncc\r\n");
    auto longestFirst = [](TStringList& l, int a, int b) {
        return static_cast<int>(l.Get(b).size()) - static_cast<int>(l.Get(a).size());
    };
    list.CustomSort(longestFirst);
    EXPECT_EQ(Entries(list), (Lines{"bbb", "cc", "a"}));
    list.SetSorted(true);
    EXPECT_EQ(Entries(list), (Lines{"a", "bbb", "cc"}));
    TChangeLog log(list);
    list.CustomSort(longestFirst);
    EXPECT_EQ(log.Take(), "");
    EXPECT_EQ(Entries(list), (Lines{"a", "bbb", "cc"}));

    TStringList mixed;
    EXPECT_EQ(mixed.CompareStrings("abc", "ABC"), 0);
    mixed.SetSorted(true);
    mixed.SetDuplicates(dupAccept);
    mixed.SetText("b\nB\na\nA\nb\n");
    mixed.SetCaseSensitive(true);
    EXPECT_NE(mixed.CompareStrings("abc", "ABC"), 0);
    for (int i = 1; i < mixed.Count(); ++i)
        EXPECT_LE(LocaleOrder(mixed.Get(i - 1), mixed.Get(i), false), 0);
    EXPECT_EQ(mixed.Get(mixed.IndexOf("B")), "B");
}

TEST(StringList, AssignEqualsAndAssignmentErrors)
{
    TStringList source;
    source.AddObject("one", Tag(1));
    source.AddObject("two", Tag(2));
    TStringList copy;
    copy.Add("old");
    copy.Assign(&source);
    EXPECT_EQ(Entries(copy), Entries(source));
    EXPECT_EQ(copy.GetObject(1), Tag(2));
    EXPECT_TRUE(copy.Equals(source));
    copy.Put(1, "TWO");
    EXPECT_FALSE(copy.Equals(source));  // byte for byte, unlike IndexOf
    copy.Assign(&copy);
    EXPECT_EQ(Entries(copy), (Lines{"one", "TWO"})) << "assigning a list to itself keeps it";

    TComponent component(nullptr);
    EXPECT_EQ(MessageOf<EConvertError>([&] { component.Assign(&source); }),
              "TStringList を TComponent に代入することはできません");
    EXPECT_EQ(MessageOf<EConvertError>([&] { copy.Assign(&component); }),
              "TComponent を TStringList に代入することはできません");
}
