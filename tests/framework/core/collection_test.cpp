// Collections: identifiers, the added hook, index moves, update counting and the item class check.
#include <gtest/gtest.h>

#include "framework/core/class_info.h"
#include "framework/core/collection.h"
#include "tests/support/message_of.h"
#include "tests/support/test_class.h"

namespace {

class TPanelItem : public TCollectionItem {
    DECLARE_TEST_CLASS(TPanelItem, TCollectionItem)
public:
    int Width = 50;
    void AssignTo(TPersistent* dest) const override
    {
        if (auto* other = dynamic_cast<TPanelItem*>(dest)) {
            other->Width = Width;
            return;
        }
        TCollectionItem::AssignTo(dest);
    }
    void Touch() { Changed(false); }
};

class TOtherItem : public TCollectionItem {
    DECLARE_TEST_CLASS(TOtherItem, TCollectionItem)
};

// Records the collection's hooks.
class TPanels : public TCollection {
public:
    TPanels() : TCollection(TCollectionItemClass::Of<TPanelItem>()) {}
    std::vector<std::string> log;

protected:
    void Added(TCollectionItem* item) override { log.push_back("added " + std::to_string(item->ID())); }
    void Deleting(TCollectionItem* item) override { log.push_back("deleting " + std::to_string(item->ID())); }
    void Update(TCollectionItem* item) override
    {
        log.push_back(item ? "update " + std::to_string(item->ID()) : "update all");
    }
};

TEST(Collection, AddCallsTheAddedHookTwiceAndUpdatesOnce)
{
    TPanels panels;
    TCollectionItem* item = panels.Add();
    EXPECT_EQ(item->Collection(), &panels);
    EXPECT_EQ(item->ClassName(), "TPanelItem");
    EXPECT_EQ(panels.log, (std::vector<std::string>{"added 0", "update all", "added 0"}));
}

TEST(Collection, IdentifiersAreNeverReused)
{
    TPanels panels;
    panels.Add();
    panels.Add();
    panels.Add();
    panels.Delete(1);
    TCollectionItem* fourth = panels.Add();
    EXPECT_EQ(fourth->ID(), 3);
    EXPECT_EQ(panels.FindItemID(1), nullptr);
    EXPECT_EQ(panels.FindItemID(3), fourth);
    panels.Clear();
    EXPECT_EQ(panels.Add()->ID(), 4);
}

TEST(Collection, DeleteTellsTheCollectionBeforeFreeingTheItem)
{
    TPanels panels;
    panels.Add();
    panels.Add();
    panels.log.clear();
    panels.Delete(0);
    EXPECT_EQ(panels.log, (std::vector<std::string>{"deleting 0", "update all"}));
    EXPECT_EQ(panels.Count(), 1);
    EXPECT_EQ(panels.Items(0)->ID(), 1);
    EXPECT_THROW(panels.Delete(1), EListError);
}

TEST(Collection, MovingAnItemChangesItsIndexAndAnnouncesAllItems)
{
    TPanels panels;
    auto* a = panels.Add();
    auto* b = panels.Add();
    auto* c = panels.Add();
    panels.log.clear();
    c->SetIndex(0);
    EXPECT_EQ(panels.Items(0), c);
    EXPECT_EQ(panels.Items(1), a);
    EXPECT_EQ(panels.Items(2), b);
    EXPECT_EQ(panels.log, (std::vector<std::string>{"update all"}));
    panels.log.clear();
    c->SetIndex(0);  // unchanged: nothing
    EXPECT_TRUE(panels.log.empty());
    EXPECT_EQ(MessageOf<EListError>([&] { c->SetIndex(3); }), "リストのインデックスが範囲を超えています (3)");
    TCollectionItem* inserted = panels.Insert(1);
    EXPECT_EQ(inserted->Index(), 1);
}

TEST(Collection, UpdatesWaitForTheOutermostEndUpdate)
{
    TPanels panels;
    auto* item = static_cast<TPanelItem*>(panels.Add());
    panels.log.clear();
    panels.BeginUpdate();
    panels.BeginUpdate();
    item->Touch();
    panels.Add();
    panels.EndUpdate();
    EXPECT_EQ(panels.log, (std::vector<std::string>{"added 1", "added 1"}));
    panels.EndUpdate();
    EXPECT_EQ(panels.log.back(), "update all");
    panels.log.clear();
    item->Touch();
    EXPECT_EQ(panels.log, (std::vector<std::string>{"update 0"}));
}

TEST(Collection, ItemsOfAnotherClassAreRefused)
{
    TPanels panels;
    auto* stranger = TCollectionItem::Create<TOtherItem>(nullptr);
    EXPECT_EQ(MessageOf<EListError>([&] { stranger->SetCollection(&panels); }), "不正なプロパティの値です");
    EXPECT_EQ(panels.Count(), 0);
    EXPECT_EQ(stranger->Collection(), nullptr);
    delete stranger;
}

TEST(Collection, AssignCopiesEveryItemAndRefusesOtherClasses)
{
    TPanels source, target;
    static_cast<TPanelItem*>(source.Add())->Width = 10;
    static_cast<TPanelItem*>(source.Add())->Width = 20;
    target.Add();
    target.log.clear();
    target.Assign(&source);
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(static_cast<TPanelItem*>(target.Items(1))->Width, 20);
    EXPECT_EQ(std::count(target.log.begin(), target.log.end(), "update all"), 1);
    target.Assign(&target);
    ASSERT_EQ(target.Count(), 2) << "assigning a collection to itself keeps its items";
    EXPECT_EQ(static_cast<TPanelItem*>(target.Items(0))->Width, 10);
    TPanelItem loose;
    EXPECT_THROW(target.Assign(&loose), EConvertError);
}

TEST(Collection, AnItemDestroyedOnItsOwnLeavesTheCollection)
{
    TPanels panels;
    auto* a = panels.Add();
    panels.Add();
    delete a;
    EXPECT_EQ(panels.Count(), 1);
    EXPECT_EQ(panels.Items(0)->Index(), 0);
    TOwnedCollection owned(&panels, TCollectionItemClass::Of<TPanelItem>());
    EXPECT_EQ(owned.GetOwner(), &panels);
}

}  // namespace
