// Ordered lists of persistent items.
#include "framework/core/collection.h"

#include <algorithm>

#include "framework/core/class_info.h"
#include "framework/core/list.h"
#include "framework/core/list_index.h"

const TClassInfo& TCollectionItem::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCollectionItem, TPersistent>("TCollectionItem").Build();
    return info;
}

const TClassInfo& TCollection::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCollection, TPersistent>("TCollection").Build();
    return info;
}

const TClassInfo& TOwnedCollection::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TOwnedCollection, TCollection>("TOwnedCollection").Build();
    return info;
}

TCollectionItem::~TCollectionItem()
{
    if (collection_)
        collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection)
{
    if (collection == collection_)
        return;
    if (collection_)
        collection_->RemoveItem(this);
    if (collection)
        collection->InsertItem(this);
}

int TCollectionItem::Index() const { return collection_ ? IndexIn(collection_->items_, this) : -1; }

void TCollectionItem::SetIndex(int index)
{
    int current = Index();
    if (current < 0 || current == index)
        return;
    auto& items = collection_->items_;
    if (index < 0 || index >= static_cast<int>(items.size()))
        TList::Error(SListIndexError, index);
    MoveToIndex(items, current, index);
    Changed(true);
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

void TCollectionItem::Changed(bool allItems)
{
    if (collection_ && collection_->updateCount_ == 0)
        collection_->Update(allItems ? nullptr : this);
}

TCollection::TCollection(TCollectionItemClass itemClass) : itemClass_(itemClass) {}

TCollection::~TCollection()
{
    updateCount_ = 1;  // clearing on the way out announces nothing
    Clear();
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        TList::Error(SListIndexError, index);
    return items_[index];
}

TCollectionItem* TCollection::Add()
{
    TCollectionItem* item = CreateItem();
    try {
        item->SetCollection(this);
    } catch (...) {
        delete item;
        throw;
    }
    Added(item);
    return item;
}

TCollectionItem* TCollection::Insert(int index)
{
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index)
{
    TCollectionItem* item = Items(index);
    Notify(item, TCollectionNotification::Deleting);
    delete item;
}

void TCollection::Clear()
{
    if (items_.empty())
        return;
    BeginUpdate();
    try {
        while (!items_.empty())
            delete items_.back();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const
{
    for (TCollectionItem* item : items_)
        if (item->id_ == id)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate()
{
    --updateCount_;
    Changed();
}

void TCollection::Changed()
{
    if (updateCount_ == 0)
        Update(nullptr);
}

void TCollection::Notify(TCollectionItem* item, TCollectionNotification action)
{
    if (action == TCollectionNotification::Added)
        Added(item);
    else if (action == TCollectionNotification::Deleting)
        Deleting(item);
}

void TCollection::InsertItem(TCollectionItem* item)
{
    if (!item->InheritsFrom(*itemClass_.Info))
        throw EListError(SInvalidPropertyValue, {0});
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    SetItemName(item);
    Notify(item, TCollectionNotification::Added);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item)
{
    Notify(item, TCollectionNotification::Extracting);
    if (!items_.empty() && items_.back() == item)
        items_.pop_back();
    else
        items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->collection_ = nullptr;
    Changed();
}

void TCollection::Assign(const TPersistent* source)
{
    auto* other = dynamic_cast<const TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;  // clearing first would leave nothing to copy
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : other->items_)
            Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TCollection::PropName() const
{
    TPersistent* owner = GetOwner();
    if (!owner)
        return {};
    for (const TClassInfo* c = &owner->ClassInfo(); c; c = c->Parent())
        for (const auto& p : c->OwnProperties())
            if (p->Kind() == TTypeKind::Class && p->GetObject(*owner) == this)
                return p->Name();
    return {};
}
