// Action lists: holding actions in order, list-wide events, suspension and shortcut keys.
#include "framework/menus/action_list.h"

#include <algorithm>

#include "framework/controls/messages.h"
#include "framework/core/class_info.h"
#include "framework/core/exceptions.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/actions.h"

constexpr TEnumName<TActionListState> ActionListStateNames[] = {
    {asNormal, "asNormal"}, {asSuspended, "asSuspended"}, {asSuspendedEnabled, "asSuspendedEnabled"}};

const TTypeInfo& TypeInfoFor(TActionListState*) { return EnumTypeInfo<ActionListStateNames>("TActionListState"); }

const TClassInfo& TCustomActionList::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomActionList, TComponent>("TCustomActionList").Build();
    return info;
}

TCustomActionList::TCustomActionList(TComponent* owner)
    : TComponent(owner), imageChangeLink_(std::make_unique<TChangeLink>())
{
    imageChangeLink_->OnChange = TNotifyEvent(this, &TCustomActionList::ImageListChange);
}

TCustomActionList::~TCustomActionList()
{
    Destroying();
    SetImages(nullptr);
    while (!actions_.empty())
        delete actions_.back();
}

void TCustomActionList::SetImages(TCustomImageList* value)
{
    if (RelinkImageList(this, images_, value, imageChangeLink_.get()) && !HasState(csDestroying))
        Change();  // other pictures are a change of the list too
}

void TCustomActionList::ImageListChange(TObject* sender)
{
    if (sender == images_)
        Change();
}

TContainedAction* TCustomActionList::Actions(int index) const
{
    if (index < 0 || index >= ActionCount())
        throw EListError(SListIndexError, {index});
    return actions_[index];
}

int TCustomActionList::IndexOfAction(const TContainedAction* action) const
{
    auto found = std::find(actions_.begin(), actions_.end(), action);
    return found == actions_.end() ? -1 : static_cast<int>(found - actions_.begin());
}

void TCustomActionList::AddAction(TContainedAction* action)
{
    if (action->actionList_ == this)
        return;
    if (action->actionList_)
        action->actionList_->RemoveAction(action);
    actions_.push_back(action);
    action->actionList_ = this;
    action->FreeNotification(this);
}

void TCustomActionList::RemoveAction(TContainedAction* action)
{
    auto found = std::find(actions_.begin(), actions_.end(), action);
    if (found == actions_.end())
        return;
    actions_.erase(found);
    action->actionList_ = nullptr;
    action->RemoveFreeNotification(this);
}

void TCustomActionList::MoveAction(TContainedAction* action, int index)
{
    int from = IndexOfAction(action);
    if (from < 0)
        return;
    index = std::clamp(index, 0, ActionCount() - 1);
    actions_.erase(actions_.begin() + from);
    actions_.insert(actions_.begin() + index, action);
}

void TCustomActionList::SetState(TActionListState value)
{
    if (value == state_)
        return;
    state_ = value;
    if (state_ == asSuspended)
        return;
    for (TContainedAction* action : actions_)
        if (auto* custom = dynamic_cast<TCustomAction*>(action)) {
            custom->TellStoredEnabled();
            if (state_ == asSuspendedEnabled)
                custom->SetEnabled(true);
        }
}

bool TCustomActionList::ExecuteAction(TBasicAction* action)
{
    bool handled = false;
    if (OnExecute)
        OnExecute(action, handled);
    return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* action)
{
    bool handled = false;
    if (OnUpdate)
        OnUpdate(action, handled);
    return handled;
}

bool TCustomActionList::IsShortCut(TMessage& keyMessage)
{
    TKeyMsg key(keyMessage);
    TShortCut shortCut = MakeShortCut(key.CharCode(), key.Shift());
    if (shortCut == scNone)
        return false;
    for (TContainedAction* action : actions_) {
        auto* custom = dynamic_cast<TCustomAction*>(action);
        if (custom && (custom->ShortCut() == shortCut || custom->SecondaryShortCuts()->IndexOfShortCut(shortCut) >= 0))
            return custom->HandleShortCut();
    }
    return false;
}

void TCustomActionList::Change()
{
    if (OnChange)
        OnChange(this);
    for (std::size_t i = 0; i < actions_.size(); ++i)
        actions_[i]->Change();
}

void TCustomActionList::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    for (TContainedAction* action : actions_)
        if (action->Owner() == root)
            proc(action);
}

void TCustomActionList::SetChildOrder(TComponent* child, int order)
{
    if (auto* action = dynamic_cast<TContainedAction*>(child))
        MoveAction(action, order);
}

void TCustomActionList::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == images_)
        images_ = nullptr;  // its links go with it
    else if (auto* action = dynamic_cast<TContainedAction*>(component))
        RemoveAction(action);
}

const TClassInfo& TActionList::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TActionList, TCustomActionList>("TActionList")
            .Property("State", &TActionList::State, &TActionList::SetState)
            .Property("OnChange", &TActionList::OnChange)
            .Property("OnExecute", &TActionList::OnExecute)
            .Property("OnUpdate", &TActionList::OnUpdate)
            .Build();
    return info;
}

TActionList::TActionList(TComponent* owner) : TCustomActionList(owner) {}
