// Ownership, names, field binding and notifications of components.
#include <gtest/gtest.h>

#include <memory>

#include "tests/framework/core/test_components.h"
#include "tests/support/message_of.h"

namespace {

TEST(ComponentOwnership, OwnerDestroysItsComponentsLastInsertedFirst)
{
    std::vector<std::string> journal;
    auto* form = new TTestForm(nullptr);
    for (const char* name : {"First", "Second", "Third"})
        (new TProbe(form, &journal))->SetName(name);
    ASSERT_EQ(form->ComponentCount(), 3);
    EXPECT_EQ(form->Components(0)->Name(), "First");
    delete form;
    EXPECT_EQ(journal, (std::vector<std::string>{"destroy Third", "destroy Second", "destroy First"}));
}

TEST(ComponentOwnership, DestroyingAComponentAloneTakesItOutOfItsOwner)
{
    TTestForm form(nullptr);
    auto* a = new TProbe(&form);
    auto* b = new TProbe(&form);
    a->SetName("Memo1");
    ASSERT_EQ(form.Memo1, a);
    delete a;
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Components(0), b);
    EXPECT_EQ(form.Memo1, nullptr) << "the field must not keep pointing at a destroyed component";
}

TEST(ComponentOwnership, ComponentsAtABadIndexRaiseTheListIndexError)
{
    TTestForm form(nullptr);
    EXPECT_EQ(MessageOf<EListError>([&] { form.Components(0); }), "リストのインデックスが範囲を超えています (0)");
    new TProbe(&form);
    EXPECT_THROW(form.Components(1), EListError);
    EXPECT_THROW(form.Components(-1), EListError);
}

TEST(ComponentOwnership, ComponentIndexIsClampedToTheOwnersList)
{
    TTestForm form(nullptr);
    auto* a = new TProbe(&form);
    auto* b = new TProbe(&form);
    auto* c = new TProbe(&form);
    c->SetComponentIndex(-5);
    EXPECT_EQ(form.Components(0), c);
    c->SetComponentIndex(99);
    EXPECT_EQ(form.Components(2), c);
    EXPECT_EQ(a->ComponentIndex(), 0);
    EXPECT_EQ(b->ComponentIndex(), 1);
    TProbe orphan(nullptr);
    orphan.SetComponentIndex(3);  // without an owner nothing happens
    EXPECT_EQ(orphan.ComponentIndex(), -1);
}

TEST(ComponentNames, InvalidNamesRaiseTheInvalidNameError)
{
    TProbe probe(nullptr);
    EXPECT_EQ(MessageOf<EComponentError>([&] { probe.SetName("1Memo"); }), "コンポーネント名に ''1Memo'' は使えません");
    EXPECT_EQ(
        MessageOf<EComponentError>([&] { probe.SetName("Memo-1"); }), "コンポーネント名に ''Memo-1'' は使えません");
    EXPECT_EQ(MessageOf<EComponentError>([&] { probe.SetName("メモ"); }), "コンポーネント名に ''メモ'' は使えません");
    EXPECT_EQ(probe.Name(), "") << "a failed rename keeps the old name";
    probe.SetName("_memo_2");
    EXPECT_EQ(probe.Name(), "_memo_2");
    probe.SetName("");
    EXPECT_EQ(probe.Name(), "");
}

TEST(ComponentNames, DuplicateNamesUnderOneOwnerAreRefusedButCaseOnlyRenamesPass)
{
    TTestForm form(nullptr);
    auto* first = new TProbe(&form);
    first->SetName("MEMO1");
    auto* second = new TProbe(&form);
    EXPECT_EQ(
        MessageOf<EComponentError>([&] { second->SetName("Memo1"); }), "コンポーネント名 Memo1 はすでに使われています");
    EXPECT_EQ(second->Name(), "");
    first->SetName("Memo1");
    EXPECT_EQ(first->Name(), "Memo1");
    EXPECT_EQ(form.Memo1, first);
    TProbe loose(nullptr);
    loose.SetName("Memo1");  // no owner, nothing to clash with
    EXPECT_EQ(loose.Name(), "Memo1");
}

TEST(ComponentNames, FindComponentIgnoresLetterCaseAndNeverFindsTheEmptyName)
{
    TTestForm form(nullptr);
    auto* unnamed = new TProbe(&form);
    auto* memo = new TProbe(&form);
    memo->SetName("Memo1");
    EXPECT_EQ(form.FindComponent("mEMO1"), memo);
    EXPECT_EQ(form.FindComponent(""), nullptr);
    EXPECT_EQ(form.FindComponent("Memo2"), nullptr);
    (void)unnamed;
}

TEST(ComponentNames, PublishedFieldsFollowNamesAndRenames)
{
    TTestForm form(nullptr);
    auto* probe = new TProbe(&form);
    probe->SetName("Memo1");
    EXPECT_EQ(form.Memo1, probe);
    probe->SetName("Memo2");
    EXPECT_EQ(form.Memo1, nullptr);
    EXPECT_EQ(form.Memo2, probe);
    probe->SetName("Other");
    EXPECT_EQ(form.Memo2, nullptr);
    // A named component inserted into an owner binds at once; removing it unbinds.
    TProbe* moved = new TProbe(nullptr);
    moved->SetName("Memo1");
    form.InsertComponent(moved);
    EXPECT_EQ(form.Memo1, moved);
    form.RemoveComponent(moved);
    EXPECT_EQ(form.Memo1, nullptr);
    EXPECT_EQ(moved->Owner(), nullptr);
    delete moved;
}

TEST(ComponentNames, AComponentOfAnotherClassDoesNotBindATypedField)
{
    TTestForm form(nullptr);
    auto* plain = new TComponent(&form);
    plain->SetName("Memo1");
    EXPECT_EQ(form.Memo1, nullptr);
}

TEST(ComponentNotifications, OwnerBroadcastsRemovalToEveryOwnedComponent)
{
    std::vector<std::string> journal;
    TTestForm form(nullptr);
    auto* a = new TProbe(&form, &journal);
    a->SetName("A");
    auto* b = new TProbe(&form, &journal);
    b->SetName("B");
    auto* c = new TProbe(&form, &journal);
    c->SetName("C");
    b->Buddy = c;
    journal.clear();
    delete c;
    // The owner tells its components from the last to the first (the departing one is no longer a
    // TProbe by then, so only B and A record it).
    EXPECT_EQ(journal, (std::vector<std::string>{"destroy C", "B told C goes", "A told C goes"}));
    EXPECT_EQ(b->Buddy, nullptr);
}

TEST(ComponentNotifications, FreeNotificationAcrossOwnersIsMutualAndDropped)
{
    std::vector<std::string> journal;
    auto* formA = new TTestForm(nullptr);
    auto* formB = new TTestForm(nullptr);
    auto* watcher = new TProbe(formA, &journal);
    watcher->SetName("Watcher");
    auto* target = new TProbe(formB, &journal);
    target->SetName("Target");
    watcher->Buddy = target;
    watcher->FreeNotification(target);
    EXPECT_TRUE(watcher->HasState(csFreeNotification));
    EXPECT_TRUE(target->HasState(csFreeNotification));
    journal.clear();
    delete formB;
    EXPECT_EQ(watcher->Buddy, nullptr) << "the watcher must learn that its target went";
    EXPECT_NE(std::find(journal.begin(), journal.end(), "Watcher told Target goes"), journal.end());
    journal.clear();
    delete formA;  // the watcher's list no longer names the target: nothing dangles
    // A component with the free-notification bit leaves its owner fully, with the owner's broadcast.
    EXPECT_EQ(journal, (std::vector<std::string>{"Watcher told Watcher goes", "destroy Watcher"}));
}

TEST(ComponentNotifications, ComponentsOfOneOwnerAreNotEnteredInEachOthersLists)
{
    std::vector<std::string> journal;
    TTestForm form(nullptr);
    auto* a = new TProbe(&form, &journal);
    a->SetName("A");
    auto* b = new TProbe(&form, &journal);
    b->SetName("B");
    a->FreeNotification(b);
    EXPECT_TRUE(a->HasState(csFreeNotification));
    EXPECT_FALSE(b->HasState(csFreeNotification));
    journal.clear();
    delete b;
    // A learns of B's removal once, through the owner's broadcast.
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "A told B goes"), 1);
}

TEST(ComponentNotifications, RemoveFreeNotificationDropsBothEntries)
{
    std::vector<std::string> journal;
    auto* formA = new TTestForm(nullptr);
    TTestForm formB(nullptr);
    auto* watcher = new TProbe(formA, &journal);
    watcher->SetName("Watcher");
    auto* target = new TProbe(&formB, &journal);
    target->SetName("Target");
    watcher->FreeNotification(target);
    watcher->RemoveFreeNotification(target);
    journal.clear();
    delete formA;
    EXPECT_EQ(journal, (std::vector<std::string>{"Watcher told Watcher goes", "destroy Watcher"}));
    EXPECT_EQ(target->Owner(), &formB);
}

TEST(ComponentState, DestroyingMarksTheWholeTree)
{
    TTestForm form(nullptr);
    auto* child = new TProbe(&form);
    auto* grandchild = new TProbe(child);
    form.Destroying();
    EXPECT_TRUE(form.HasState(csDestroying));
    EXPECT_TRUE(child->HasState(csDestroying));
    EXPECT_TRUE(grandchild->HasState(csDestroying));
}

TEST(ComponentState, DesigningSpreadsToInsertedComponents)
{
    TTestForm form(nullptr);
    form.SetDesigning(true);
    auto* child = new TProbe(nullptr);
    auto* grandchild = new TProbe(child);
    form.InsertComponent(child);
    EXPECT_TRUE(child->HasState(csDesigning));
    EXPECT_TRUE(grandchild->HasState(csDesigning));
    form.SetDesigning(false);
    EXPECT_FALSE(grandchild->HasState(csDesigning));
}

TEST(ComponentState, LoadedClearsLoadingAndUpdatingBrackets)
{
    TProbe probe(nullptr);
    probe.IncludeState({csLoading, csReading});
    probe.Loaded();
    EXPECT_FALSE(probe.HasState(csLoading));
    EXPECT_TRUE(probe.HasState(csReading));
    probe.Updating();
    EXPECT_TRUE(probe.HasState(csUpdating));
    probe.Updated();
    EXPECT_FALSE(probe.HasState(csUpdating));
    EXPECT_EQ(probe.ComponentStyle(), TComponentStyle{csInheritable});
    probe.SetSubComponent(true);
    EXPECT_EQ(probe.ComponentStyle(), (TComponentStyle{csInheritable, csSubComponent}));
}

TEST(PersistentAssign, IncompatibleClassesRaiseTheAssignmentErrorNamingBoth)
{
    TProbe a(nullptr), b(nullptr);
    EXPECT_EQ(MessageOf<EConvertError>([&] { a.Assign(&b); }), "TProbe を TProbe に代入することはできません");
    EXPECT_EQ(MessageOf<EConvertError>([&] { a.Assign(nullptr); }), "nil を TProbe に代入することはできません");
}

}  // namespace
