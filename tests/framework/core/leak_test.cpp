// Deep component trees, cross-owner free notifications and collections, made and destroyed many
// times, give every allocation back.
#include <gtest/gtest.h>

#include "framework/core/collection.h"
#include "tests/framework/core/test_components.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/test_class.h"

namespace {

class TItem : public TCollectionItem {
    DECLARE_TEST_CLASS(TItem, TCollectionItem)
};

class TStranger : public TCollectionItem {
    DECLARE_TEST_CLASS(TStranger, TCollectionItem)
};

void Grow(TComponent* parent, int depth, int& counter)
{
    if (depth == 0)
        return;
    for (int i = 0; i < 3; ++i) {
        auto* child = new TProbe(parent);
        child->SetName("Probe" + std::to_string(counter++));
        child->SetCaption(std::string(40, 'x'));
        Grow(child, depth - 1, counter);
    }
}

void BuildAndDestroyOnce()
{
    auto* formA = new TTestForm(nullptr);
    auto* formB = new TTestForm(nullptr);
    int counter = 0;
    Grow(formA, 4, counter);
    Grow(formB, 3, counter);
    auto* watcher = new TProbe(formA);
    watcher->SetName("Memo1");
    for (int i = 0; i < formB->ComponentCount(); ++i)
        watcher->FreeNotification(formB->Components(i));
    TCollection items(TCollectionItemClass::Of<TItem>());
    for (int i = 0; i < 50; ++i)
        items.Add();
    items.Delete(10);
    delete formB;
    delete formA;
}

TEST(Leaks, DeepTreesGiveBackEveryAllocation)
{
    BuildAndDestroyOnce();  // class information and other one-time statics are made here
    std::size_t before = testsupport::LiveAllocations();
    for (int round = 0; round < 200; ++round)
        BuildAndDestroyOnce();
    EXPECT_EQ(testsupport::LiveAllocations(), before);
    EXPECT_GT(testsupport::TotalAllocations(), 200u * 100u) << "the rounds must really allocate";
}

TEST(Leaks, AnItemItsCollectionRefusesIsFreed)
{
    TCollection items(TCollectionItemClass::Of<TItem>());
    EXPECT_THROW(TCollectionItem::Create<TStranger>(&items), EListError);  // makes the one-time statics
    std::size_t before = testsupport::LiveAllocations();
    for (int round = 0; round < 10; ++round)
        EXPECT_THROW(TCollectionItem::Create<TStranger>(&items), EListError);
    EXPECT_EQ(testsupport::LiveAllocations(), before);
    EXPECT_EQ(items.Count(), 0);
}

}  // namespace
