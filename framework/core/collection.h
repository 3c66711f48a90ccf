// Ordered lists of persistent items (status bar panels, action bar items). Every item gets an
// identifier that is unique in its collection and never reused.
#pragma once

#include <string>
#include <vector>

#include "framework/core/persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
    DECLARE_CLASS(TCollectionItem)
public:
    TCollectionItem() = default;
    ~TCollectionItem() override;

    // Makes an item of class T and puts it into `collection` (when one is given); an item the
    // collection refuses is freed again.
    template <class T>
    static T* Create(TCollection* collection)
    {
        T* item = new T();
        if (collection) {
            try {
                item->SetCollection(collection);
            } catch (...) {
                delete item;
                throw;
            }
        }
        return item;
    }

    TCollection* Collection() const { return collection_; }
    virtual void SetCollection(TCollection* collection);
    int ID() const { return id_; }
    int Index() const;
    virtual void SetIndex(int index);
    virtual std::string GetDisplayName() const { return ClassName(); }
    virtual void SetDisplayName(const std::string&) { Changed(false); }
    TPersistent* GetOwner() const override;

protected:
    // Tells the collection: all items changed (true) or only this one.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

// The class of a collection's items, with the way to make one.
struct TCollectionItemClass {
    const TClassInfo* Info;
    TCollectionItem* (*Create)();

    template <class T>
    static TCollectionItemClass Of()
    {
        return {&T::StaticClass(), []() -> TCollectionItem* { return new T(); }};
    }
};

enum class TCollectionNotification { Added = 0, Extracting = 1, Deleting = 2 };

class TCollection : public TPersistent {
    DECLARE_CLASS(TCollection)
public:
    explicit TCollection(TCollectionItemClass itemClass);
    ~TCollection() override;

    const TClassInfo& ItemClass() const { return *itemClass_.Info; }
    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const;  // EListError for a bad index
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    int NextID() const { return nextId_; }

    void Assign(const TPersistent* source) override;
    // The name of the owner's published property that holds this collection (empty when none does).
    std::string PropName() const;

protected:
    // Makes a new item for Add (of the item class, unless the collection chooses another).
    virtual TCollectionItem* CreateItem() { return itemClass_.Create(); }
    virtual void Added(TCollectionItem*) {}
    virtual void Deleting(TCollectionItem*) {}
    virtual void Notify(TCollectionItem* item, TCollectionNotification action);
    virtual void SetItemName(TCollectionItem*) {}
    // Something changed: one item, or all of them (none given).
    virtual void Update(TCollectionItem*) {}
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);

    TCollectionItemClass itemClass_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
    int nextId_ = 0;
};

// A collection that belongs to another persistent object (its owner).
class TOwnedCollection : public TCollection {
    DECLARE_CLASS(TOwnedCollection)
public:
    TOwnedCollection(TPersistent* owner, TCollectionItemClass itemClass) : TCollection(itemClass), owner_(owner) {}
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_;
};
