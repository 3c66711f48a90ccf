// TList: growth, limits and index errors.
#include <gtest/gtest.h>

#include "framework/core/exceptions.h"
#include "framework/core/list.h"
#include "tests/support/message_of.h"

namespace {

TEST(List, CapacityGrowsByFourThenSixteenThenAQuarter)
{
    TList list;
    std::vector<int> capacities;
    int seen = -1;
    for (int i = 0; i < 120; ++i) {
        list.Add(&list);
        if (list.Capacity() != seen)
            capacities.push_back(seen = list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));
}

TEST(List, IndexCapacityAndCountErrorsCarryTheirMessages)
{
    TList list;
    list.Add(nullptr);
    EXPECT_EQ(MessageOf<EListError>([&] { list.Get(1); }), "リストのインデックスが範囲を超えています (1)");
    EXPECT_EQ(MessageOf<EListError>([&] { list.Delete(-1); }), "リストのインデックスが範囲を超えています (-1)");
    EXPECT_EQ(MessageOf<EListError>([&] { list.Insert(2, nullptr); }), "リストのインデックスが範囲を超えています (2)");
    EXPECT_EQ(MessageOf<EListError>([&] { list.SetCapacity(0); }), "リストの容量が超えました (0)");
    EXPECT_EQ(MessageOf<EListError>([&] { list.SetCapacity(TList::MaxListSize + 1); }),
              "リストの容量が超えました (134217728)");
    EXPECT_EQ(MessageOf<EListError>([&] { list.SetCount(-1); }), "リストの個数を超えました (-1)");
    EXPECT_EQ(list.Count(), 1) << "a failed operation changes nothing";
}

TEST(List, InsertDeleteMoveAndExchangeKeepOrder)
{
    int a = 1, b = 2, c = 3;
    TList list;
    list.Add(&a);
    list.Add(&c);
    list.Insert(1, &b);
    EXPECT_EQ(list[0], &a);
    EXPECT_EQ(list[1], &b);
    EXPECT_EQ(list[2], &c);
    list.Move(0, 2);
    EXPECT_EQ(list[2], &a);
    list.Exchange(0, 2);
    EXPECT_EQ(list[0], &a);
    EXPECT_EQ(list.Remove(&b), 2);
    EXPECT_EQ(list.IndexOf(&b), -1);
    list.SetCount(4);
    EXPECT_EQ(list[3], nullptr);
    list.Pack();
    EXPECT_EQ(list.Count(), 2);
    list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(list.Last(), &c);
    list.Clear();
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(Format, DirectivesAndMismatchedArguments)
{
    EXPECT_EQ(Format("%s の %d", {"表", 5}), "表 の 5");
    EXPECT_EQ(Format("Orvane%.8X", {0x1A2B}), "Orvane00001A2B");
    EXPECT_EQ(Format("%5d|%-4s|%03d|%x", {42, "ab", 7, 255}), "   42|ab  |007|ff");
    EXPECT_EQ(Format("%d%%", {50}), "50%");
    EXPECT_EQ(Format("%s and %s", {"one"}), "one and ");
    EXPECT_EQ(Format("%d", {-2147483647 - 1}), "-2147483648");
    EXPECT_EQ(Format("100%", {}), "100%");
}

}  // namespace
