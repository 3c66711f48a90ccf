// TActionManager: an action list that also says what each of its action bars shows. A form resource lists the bars under ActionBars: each
// entry names its bar (ActionBar) and the bar's items left to right (Items), each item one action:
//
//   object ActionManager1: TActionManager
//     ActionBars = <
//       item
//         Items = <
//           item
//             Action = Action4
//           end
//           item
//             Action = Action3
//           end>
//         ActionBar = ActionMainMenuBar1
//       end>
//     Images = ImageList1
//     object Action4: TAction ... end
//   end
//
// An item shows its action's caption, picture (ImageIndex), hint, enabled state and visibility, and
// follows every change of them.
#pragma once

#include <string>

#include "framework/core/collection.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/action_list.h"
#include "framework/menus/actions.h"

class TActionBarItem;
class TActionClientItem;
class TActionManager;
class TCustomActionBar;

// Joins a bar item to its action: each new value of the action reaches the item.
class TActionClientLink : public TActionLink {
    DECLARE_CLASS(TActionClientLink)
public:
    explicit TActionClientLink(TActionClientItem* client);

    void SetCaption(const std::string& value) override;
    void SetEnabled(bool value) override;
    void SetHint(const std::string& value) override;
    void SetImageIndex(int value) override;
    void SetVisible(bool value) override;

private:
    TActionClientItem* client_;
};

// One item of an action bar.
class TActionClientItem : public TCollectionItem {
    DECLARE_CLASS(TActionClientItem)
public:
    TActionClientItem();
    ~TActionClientItem() override;

    void Assign(const TPersistent* source) override;
    std::string GetDisplayName() const override;

    // The action shown; its caption, picture, hint, state and visibility become the item's.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);

    TActionClientLink* ActionLink() const { return actionLink_; }
    // The bar entry whose Items hold this item (none outside one).
    TActionBarItem* ActionBarItem() const;

private:
    template <class V>
    void Assign(V& field, const V& value);

    TActionClientLink* actionLink_ = nullptr;
    std::string caption_;
    int imageIndex_ = -1;
    bool visible_ = true;
    bool enabled_ = true;
    std::string hint_;
};

// The items of one bar, left to right.
class TActionClients : public TCollection {
    DECLARE_CLASS(TActionClients)
public:
    explicit TActionClients(TActionBarItem* owner);

    TActionClientItem* Items(int index) const { return static_cast<TActionClientItem*>(TCollection::Items(index)); }
    TActionClientItem* Add() { return static_cast<TActionClientItem*>(TCollection::Add()); }
    TPersistent* GetOwner() const override;
    TActionBarItem* BarItem() const { return owner_; }

protected:
    void Update(TCollectionItem* item) override;

private:
    TActionBarItem* owner_;
};

// One bar of the manager and the items it shows.
class TActionBarItem : public TCollectionItem {
    DECLARE_CLASS(TActionBarItem)
public:
    TActionBarItem();
    ~TActionBarItem() override;

    void Assign(const TPersistent* source) override;

    // The bar that shows the items; it takes this manager as its ActionManager when it has none.
    TCustomActionBar* ActionBar() const { return actionBar_; }
    void SetActionBar(TCustomActionBar* value);
    TActionClients* Items() const { return items_; }
    void SetItems(TActionClients* value) { items_->Assign(value); }
    TActionManager* ActionManager() const;

    // The items changed: the bar lays them out again.
    void ItemsChanged();

private:
    TCustomActionBar* actionBar_ = nullptr;
    TActionClients* items_;
};

class TActionBars : public TCollection {
    DECLARE_CLASS(TActionBars)
public:
    explicit TActionBars(TActionManager* manager);

    TActionBarItem* Items(int index) const { return static_cast<TActionBarItem*>(TCollection::Items(index)); }
    TActionBarItem* Add() { return static_cast<TActionBarItem*>(TCollection::Add()); }
    TPersistent* GetOwner() const override;
    TActionManager* Manager() const { return manager_; }
    // The entry of `bar`, or none.
    TActionBarItem* FindActionBar(const TCustomActionBar* bar) const;

private:
    TActionManager* manager_;
};

class TActionManager : public TCustomActionList {
    DECLARE_CLASS(TActionManager)
public:
    explicit TActionManager(TComponent* owner);
    ~TActionManager() override;

    TActionBars* ActionBars() const { return actionBars_; }
    void SetActionBars(TActionBars* value) { actionBars_->Assign(value); }

    // The list's change (its pictures, say) reaches every bar too.
    void Change() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    // Every bar lays its items out again.
    void BarsChanged();

    TActionBars* actionBars_;
};
