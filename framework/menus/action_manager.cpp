// TActionManager: its image list, its action bars and the items they show, linked to their actions.
#include "framework/menus/action_manager.h"

#include "framework/core/class_info.h"
#include "framework/menus/action_bar.h"

// ---- The link of an item ----

const TClassInfo& TActionClientLink::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TActionClientLink, TActionLink>("TActionClientLink").Build();
    return info;
}

TActionClientLink::TActionClientLink(TActionClientItem* client) : TActionLink(client), client_(client) {}

void TActionClientLink::SetCaption(const std::string& value) { client_->SetCaption(value); }

void TActionClientLink::SetEnabled(bool value) { client_->SetEnabled(value); }

void TActionClientLink::SetHint(const std::string& value) { client_->SetHint(value); }

void TActionClientLink::SetImageIndex(int value) { client_->SetImageIndex(value); }

void TActionClientLink::SetVisible(bool value) { client_->SetVisible(value); }

// ---- An item ----

const TClassInfo& TActionClientItem::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TActionClientItem, TCollectionItem>("TActionClientItem")
            .Property("Action", &TActionClientItem::Action, &TActionClientItem::SetAction)
            .Property("Caption", &TActionClientItem::Caption, &TActionClientItem::SetCaption)
            .Property("ImageIndex", &TActionClientItem::ImageIndex, &TActionClientItem::SetImageIndex)
            .Property("Visible", &TActionClientItem::Visible, &TActionClientItem::SetVisible)
            .Build();
    return info;
}

TActionClientItem::TActionClientItem() = default;

TActionClientItem::~TActionClientItem() { delete actionLink_; }

void TActionClientItem::Assign(const TPersistent* source)
{
    auto* other = dynamic_cast<const TActionClientItem*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    SetAction(other->Action());
    SetCaption(other->caption_);
    SetImageIndex(other->imageIndex_);
    SetVisible(other->visible_);
    SetEnabled(other->enabled_);
    SetHint(other->hint_);
}

std::string TActionClientItem::GetDisplayName() const
{
    return caption_.empty() ? TCollectionItem::GetDisplayName() : caption_;
}

TBasicAction* TActionClientItem::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TActionClientItem::SetAction(TBasicAction* value)
{
    if (value == Action())
        return;
    if (!value) {
        delete actionLink_;
        actionLink_ = nullptr;
        Changed(true);
        return;
    }
    if (!actionLink_)
        actionLink_ = new TActionClientLink(this);
    actionLink_->SetAction(value);
    // The item takes the action's state at once; from now on each change of it arrives by the link.
    if (auto* action = dynamic_cast<TCustomAction*>(value)) {
        caption_ = action->Caption();
        imageIndex_ = action->ImageIndex();
        visible_ = action->Visible();
        enabled_ = action->Enabled();
        hint_ = action->Hint();
    }
    // An action that goes away takes the item off its bar: the manager hears of it.
    if (TActionBarItem* bar = ActionBarItem())
        if (TActionManager* manager = bar->ActionManager())
            value->FreeNotification(manager);
    Changed(true);
}

template <class V>
void TActionClientItem::Assign(V& field, const V& value)
{
    if (field == value)
        return;
    field = value;
    Changed(true);  // a new caption, picture or visibility moves the buttons after it
}

void TActionClientItem::SetCaption(const std::string& value) { Assign(caption_, value); }

void TActionClientItem::SetImageIndex(int value) { Assign(imageIndex_, value); }

void TActionClientItem::SetVisible(bool value) { Assign(visible_, value); }

void TActionClientItem::SetHint(const std::string& value) { hint_ = value; }

void TActionClientItem::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    Changed(false);
}

TActionBarItem* TActionClientItem::ActionBarItem() const
{
    auto* clients = dynamic_cast<TActionClients*>(Collection());
    return clients ? clients->BarItem() : nullptr;
}

// ---- The items of a bar ----

const TClassInfo& TActionClients::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TActionClients, TCollection>("TActionClients").Build();
    return info;
}

TActionClients::TActionClients(TActionBarItem* owner)
    : TCollection(TCollectionItemClass::Of<TActionClientItem>()), owner_(owner)
{}

TPersistent* TActionClients::GetOwner() const { return owner_; }

void TActionClients::Update(TCollectionItem* item)
{
    if (!owner_->ActionBar())
        return;
    if (item)
        owner_->ActionBar()->ItemChanged(static_cast<TActionClientItem*>(item));
    else
        owner_->ItemsChanged();
}

// ---- A bar of the manager ----

const TClassInfo& TActionBarItem::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TActionBarItem, TCollectionItem>("TActionBarItem")
            .Property("ActionBar", &TActionBarItem::ActionBar, &TActionBarItem::SetActionBar)
            .Property("Items", &TActionBarItem::Items, &TActionBarItem::SetItems)
            .Build();
    return info;
}

TActionBarItem::TActionBarItem() : items_(new TActionClients(this)) {}

TActionBarItem::~TActionBarItem()
{
    SetActionBar(nullptr);
    delete items_;
}

void TActionBarItem::Assign(const TPersistent* source)
{
    auto* other = dynamic_cast<const TActionBarItem*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    items_->Assign(other->items_);
    SetActionBar(other->actionBar_);
}

TActionManager* TActionBarItem::ActionManager() const
{
    auto* bars = dynamic_cast<TActionBars*>(Collection());
    return bars ? bars->Manager() : nullptr;
}

void TActionBarItem::SetActionBar(TCustomActionBar* value)
{
    if (value == actionBar_)
        return;
    TCustomActionBar* old = actionBar_;
    actionBar_ = value;
    TActionManager* manager = ActionManager();
    if (old && !old->HasState(csDestroying))
        old->ItemsChanged();
    if (!value)
        return;
    if (manager) {
        value->FreeNotification(manager);
        if (!value->ActionManager())
            value->SetActionManager(manager);
    }
    value->ItemsChanged();
}

void TActionBarItem::ItemsChanged()
{
    if (actionBar_)
        actionBar_->ItemsChanged();
}

// ---- The manager's bars ----

const TClassInfo& TActionBars::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TActionBars, TCollection>("TActionBars").Build();
    return info;
}

TActionBars::TActionBars(TActionManager* manager)
    : TCollection(TCollectionItemClass::Of<TActionBarItem>()), manager_(manager)
{}

TPersistent* TActionBars::GetOwner() const { return manager_; }

TActionBarItem* TActionBars::FindActionBar(const TCustomActionBar* bar) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->ActionBar() == bar)
            return Items(i);
    return nullptr;
}

// ---- The manager ----

const TClassInfo& TActionManager::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TActionManager, TCustomActionList>("TActionManager")
            .Property("ActionBars", &TActionManager::ActionBars, &TActionManager::SetActionBars)
            .Property("Images", &TActionManager::Images, &TActionManager::SetImages)
            .Property("State", &TActionManager::State, &TActionManager::SetState)
            .Property("OnChange", &TActionManager::OnChange)
            .Property("OnExecute", &TActionManager::OnExecute)
            .Property("OnUpdate", &TActionManager::OnUpdate)
            .Build();
    return info;
}

TActionManager::TActionManager(TComponent* owner) : TCustomActionList(owner), actionBars_(new TActionBars(this)) {}

TActionManager::~TActionManager()
{
    // The bars forget this manager before its entries go.
    Destroying();
    for (int i = 0; i < actionBars_->Count(); ++i)
        if (TCustomActionBar* bar = actionBars_->Items(i)->ActionBar())
            bar->RemoveFreeNotification(this);
    delete actionBars_;
    actionBars_ = nullptr;
}

void TActionManager::Change()
{
    TCustomActionList::Change();
    BarsChanged();
}

void TActionManager::BarsChanged()
{
    if (!actionBars_)
        return;
    for (int i = 0; i < actionBars_->Count(); ++i)
        actionBars_->Items(i)->ItemsChanged();
}

void TActionManager::Notification(TComponent* component, TOperation operation)
{
    TCustomActionList::Notification(component, operation);
    if (operation != opRemove || !actionBars_)
        return;
    if (dynamic_cast<TCustomImageList*>(component)) {
        BarsChanged();  // the pictures went
        return;
    }
    for (int i = 0; i < actionBars_->Count(); ++i) {
        TActionBarItem* entry = actionBars_->Items(i);
        if (entry->ActionBar() == component)
            entry->SetActionBar(nullptr);
        else if (dynamic_cast<TBasicAction*>(component))
            entry->ItemsChanged();  // the item of that action has left its link already
    }
}
