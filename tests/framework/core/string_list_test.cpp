// The string list: growth, index checks, sorting, sorted look-up with its duplicate policies, and
// the change events around every change and every update bracket.
#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "framework/core/component.h"
#include "framework/core/exceptions.h"
#include "framework/core/string_list.h"
#include "tests/framework/core/change_log.h"

namespace {

std::vector<std::string> Entries(const TStrings& list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list.Count(); ++i)
        entries.push_back(list.Get(i));
    return entries;
}

template <class E, class F>
std::string MessageOf(F action)
{
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    return "(no exception)";
}

// An object that tells when it is destroyed.
class TTracked : public TObject {
public:
    explicit TTracked(bool& destroyed) : destroyed_(destroyed) {}
    ~TTracked() override { destroyed_ = true; }

private:
    bool& destroyed_;
};

TObject* Tag(std::intptr_t n) { return reinterpret_cast<TObject*>(n); }

}  // namespace

TEST(StringList, GrowsByFourThenSixteenThenAQuarter)
{
    TStringList list;
    std::vector<int> capacities;
    for (int i = 0; i < 118; ++i) {
        list.Add("x");
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));

    TStringList full;
    full.SetCapacity(68);
    for (int i = 0; i < 69; ++i)
        full.Add("x");
    EXPECT_EQ(full.Capacity(), 85);
}

TEST(StringList, DeleteKeepsTheCapacityAndClearFreesIt)
{
    TStringList list;
    for (int i = 0; i < 10; ++i)
        list.Add(std::to_string(i));
    list.Delete(0);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 8);
    EXPECT_EQ(list.Capacity(), 12);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(StringList, CapacityBelowTheCountIsRefusedAndKeepsTheEntries)
{
    TStringList list;
    list.SetText("a\r\nb\r\nc\r\n");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.SetCapacity(2); }), "リストの容量が超えました (2)");
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(StringList, BadIndexesRaiseTheIndexErrorNamingTheIndex)
{
    TStringList list;
    list.SetText("a\r\nb\r\n");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Get(2); }), "リストのインデックスが範囲を超えています (2)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Get(-1); }), "リストのインデックスが範囲を超えています (-1)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.GetObject(5); }), "リストのインデックスが範囲を超えています (5)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.PutObject(2, nullptr); }),
              "リストのインデックスが範囲を超えています (2)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Put(2, "x"); }), "リストのインデックスが範囲を超えています (2)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Delete(2); }), "リストのインデックスが範囲を超えています (2)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(3, "x"); }),
              "リストのインデックスが範囲を超えています (3)");
    // Exchange tests the first index first.
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Exchange(7, 9); }),
              "リストのインデックスが範囲を超えています (7)");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Exchange(0, 9); }),
              "リストのインデックスが範囲を超えています (9)");

    list.Insert(2, "c");  // index = count appends
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(StringList, AFailedOperationChangesNothingAndFiresNoEvent)
{
    TStringList list;
    list.SetText("b\r\na\r\n");
    TChangeLog log(list);
    EXPECT_THROW(list.Delete(5), EStringListError);
    EXPECT_THROW(list.Insert(-1, "x"), EStringListError);
    EXPECT_THROW(list.Exchange(0, 2), EStringListError);
    EXPECT_THROW(list.Put(9, "x"), EStringListError);
    list.SetSorted(true);
    log.Reset();
    EXPECT_THROW(list.Put(0, "x"), EStringListError);
    EXPECT_THROW(list.Insert(0, "x"), EStringListError);
    list.SetDuplicates(dupError);
    EXPECT_THROW(list.Add("A"), EStringListError);
    EXPECT_EQ(log.Events(), "");
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"a", "b"}));
}

TEST(StringList, SortedListRefusesPositionalChangesButAcceptsObjects)
{
    TStringList list;
    list.SetSorted(true);
    list.Add("b");
    list.Add("a");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(0, "c"); }),
              "ソートされる文字列リストに対しては許されない動作です");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Put(0, "c"); }),
              "ソートされる文字列リストに対しては許されない動作です");
    list.PutObject(1, Tag(7));
    EXPECT_EQ(list.GetObject(1), Tag(7));
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"a", "b"}));
}

TEST(StringList, SortedAddKeepsOrderIgnoringCase)
{
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "banana", "apricot", "Cherry"})
        list.Add(s);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"Apple", "apricot", "banana", "Cherry", "pear"}));
    EXPECT_EQ(list.IndexOf("CHERRY"), 3);
    EXPECT_EQ(list.IndexOf("plum"), -1);
    int index = -1;
    EXPECT_FALSE(list.Find("blueberry", index));
    EXPECT_EQ(index, 3);  // where it would go
}

TEST(StringList, DuplicatePolicies)
{
    {
        TStringList list;
        list.SetSorted(true);
        list.AddObject("a", Tag(1));
        list.AddObject("b", Tag(2));
        TChangeLog log(list);
        EXPECT_EQ(list.AddObject("B", Tag(3)), 1);  // dupIgnore: the existing index
        EXPECT_EQ(list.Count(), 2);
        EXPECT_EQ(list.GetObject(1), Tag(2));
        EXPECT_EQ(log.Events(), "");
    }
    {
        TStringList list;
        list.SetSorted(true);
        list.SetDuplicates(dupError);
        list.Add("a");
        EXPECT_EQ(MessageOf<EStringListError>([&] { list.Add("A"); }), "文字列リストは重複を許しません");
        EXPECT_EQ(list.Count(), 1);
    }
    {
        // dupAccept inserts a new duplicate before the equal entries already there.
        TStringList list;
        list.SetSorted(true);
        list.SetDuplicates(dupAccept);
        list.AddObject("a", Tag(1));
        list.AddObject("m", Tag(2));
        list.AddObject("m", Tag(3));
        list.AddObject("z", Tag(4));
        EXPECT_EQ(list.AddObject("M", Tag(5)), 1);
        EXPECT_EQ(list.GetObject(1), Tag(5));
        EXPECT_EQ(list.Count(), 5);
        int index = -1;
        EXPECT_TRUE(list.Find("m", index));
        EXPECT_EQ(index, 1);  // the first of the equal entries
    }
    {
        // Unsorted lists keep every duplicate, in order.
        TStringList list;
        list.SetDuplicates(dupError);
        list.Add("a");
        list.Add("a");
        EXPECT_EQ(list.Count(), 2);
    }
}

TEST(StringList, OneChangingAndOneChangedPerChangeOrPerBracket)
{
    TStringList list;
    TChangeLog log(list);

    list.Add("a");
    EXPECT_EQ(log.Events(), "changing changed");
    log.Reset();

    list.BeginUpdate();
    list.Add("b");
    list.BeginUpdate();  // nested
    list.Insert(0, "c");
    list.Delete(1);
    list.EndUpdate();
    list.Put(0, "d");
    list.PutObject(0, Tag(1));
    list.Exchange(0, 1);
    list.EndUpdate();
    EXPECT_EQ(log.Events(), "changing changed");
    log.Reset();

    list.SetText("x\r\ny\r\nz\r\n");
    EXPECT_EQ(log.Events(), "changing changed");
    log.Reset();

    TStringList other;
    other.SetText("p\r\nq\r\n");
    list.AddStrings(other);
    EXPECT_EQ(log.Events(), "changing changed");
    log.Reset();
    list.Assign(&other);
    EXPECT_EQ(log.Events(), "changing changed");
    log.Reset();

    list.Sort();
    EXPECT_EQ(log.Events(), "changing changed");
    log.Reset();

    list.Move(0, 1);
    EXPECT_EQ(log.Events(), "changing changed");
    log.Reset();

    list.Clear();
    EXPECT_EQ(log.Events(), "changing changed");
    log.Reset();
    list.Clear();  // already empty
    EXPECT_EQ(log.Events(), "");
}

TEST(StringList, EventsSeeTheListBeforeAndAfterTheChange)
{
    struct TWatcher : TObject {
        TStringList* list = nullptr;
        std::vector<int> counts;
        void Seen(TObject* sender)
        {
            EXPECT_EQ(sender, list);
            counts.push_back(list->Count());
        }
    } watcher;
    TStringList list;
    watcher.list = &list;
    list.OnChanging = TNotifyEvent(&watcher, &TWatcher::Seen);
    list.OnChange = TNotifyEvent(&watcher, &TWatcher::Seen);
    list.Add("a");
    list.Delete(0);
    EXPECT_EQ(watcher.counts, (std::vector<int>{0, 1, 1, 0}));
}

TEST(StringList, DestructionFiresNoEventsAndLeavesTheObjectsAlone)
{
    bool destroyed = false;
    TTracked object(destroyed);
    TStringList* list = new TStringList;
    TChangeLog log(*list);
    list->AddObject("a", &object);
    log.Reset();
    delete list;
    EXPECT_EQ(log.Events(), "");
    EXPECT_FALSE(destroyed);

    TStringList cleared;
    cleared.AddObject("a", &object);
    cleared.Delete(0);
    cleared.AddObject("a", &object);
    cleared.Clear();
    EXPECT_FALSE(destroyed);
}

TEST(StringList, SortCarriesTheObjectsAlong)
{
    TStringList list;
    list.AddObject("c", Tag(3));
    list.AddObject("A", Tag(1));
    list.AddObject("b", Tag(2));
    list.Sort();
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"A", "b", "c"}));
    EXPECT_EQ(list.GetObject(0), Tag(1));
    EXPECT_EQ(list.GetObject(1), Tag(2));
    EXPECT_EQ(list.GetObject(2), Tag(3));
}

TEST(StringList, QuicksortOrdersLargeListsWithManyDuplicates)
{
    std::mt19937 random(42);
    const char* words[] = {"kiwi", "Kiwi", "apple", "ソフト", "表示", "zebra", "", "a", "B", "b", "能力", "ｶﾅ"};
    TStringList list;
    std::vector<std::string> added;
    for (int i = 0; i < 2000; ++i) {
        std::string s = words[random() % std::size(words)];
        if (random() % 3 == 0)
            s += std::to_string(random() % 50);
        added.push_back(s);
        list.AddObject(s, Tag(i + 1));
    }
    list.Sort();
    for (int i = 1; i < list.Count(); ++i)
        ASSERT_LE(list.CompareStrings(list.Get(i - 1), list.Get(i)), 0) << "at " << i;
    // Nothing lost or duplicated, and every object still beside its own string.
    std::vector<std::string> sorted = Entries(list);
    std::vector<std::string> expected = added;
    std::sort(sorted.begin(), sorted.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
    for (int i = 0; i < list.Count(); ++i)
        ASSERT_EQ(list.Get(i), added[reinterpret_cast<std::intptr_t>(list.GetObject(i)) - 1]);
}

TEST(StringList, CustomSortUsesTheCallersComparisonOnlyOnUnsortedLists)
{
    TStringList list;
    list.SetText("a\r\nbbb\r\ncc\r\n");
    list.CustomSort([](TStringList& l, int a, int b) {
        return static_cast<int>(l.Get(b).size()) - static_cast<int>(l.Get(a).size());
    });
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"bbb", "cc", "a"}));

    list.SetSorted(true);  // sorts by the list's own comparison first
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"a", "bbb", "cc"}));
    TChangeLog log(list);
    list.CustomSort([](TStringList&, int, int) { return 1; });
    list.Sort();
    EXPECT_EQ(log.Events(), "");
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"a", "bbb", "cc"}));
}

TEST(StringList, CaseSensitiveComparisonAndResort)
{
    TStringList list;
    EXPECT_EQ(list.CompareStrings("abc", "ABC"), 0);
    list.SetCaseSensitive(true);
    EXPECT_NE(list.CompareStrings("abc", "ABC"), 0);

    TStringList sorted;
    sorted.SetSorted(true);
    sorted.SetDuplicates(dupAccept);
    for (const char* s : {"b", "B", "a", "A", "b"})
        sorted.Add(s);
    sorted.SetCaseSensitive(true);
    for (int i = 1; i < sorted.Count(); ++i)
        EXPECT_LE(sorted.CompareStrings(sorted.Get(i - 1), sorted.Get(i)), 0);
    EXPECT_EQ(sorted.IndexOf("B") >= 0 && sorted.Get(sorted.IndexOf("B")) == "B", true);
    EXPECT_EQ(sorted.IndexOf("a") >= 0 && sorted.Get(sorted.IndexOf("a")) == "a", true);
}

TEST(StringList, ExchangeAndMoveCarryObjects)
{
    TStringList list;
    list.AddObject("a", Tag(1));
    list.AddObject("b", Tag(2));
    list.AddObject("c", Tag(3));
    list.Exchange(0, 2);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(list.GetObject(0), Tag(3));
    list.Move(0, 2);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(list.GetObject(2), Tag(3));
    EXPECT_EQ(list.IndexOfObject(Tag(3)), 2);
    EXPECT_EQ(list.IndexOfObject(Tag(9)), -1);
}

TEST(StringList, AssignCopiesStringsAndObjectsAndRefusesOtherClasses)
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
    EXPECT_FALSE(copy.Equals(source));  // case-sensitive, unlike IndexOf

    TComponent component(nullptr);
    EXPECT_EQ(MessageOf<EConvertError>([&] { component.Assign(&source); }),
              "TStringList を TComponent に代入することはできません");
    EXPECT_EQ(MessageOf<EConvertError>([&] { copy.Assign(&component); }),
              "TComponent を TStringList に代入することはできません");
    EXPECT_EQ(MessageOf<EConvertError>([&] { copy.Assign(nullptr); }), "nil を TStringList に代入することはできません");
}
