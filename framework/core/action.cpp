// Actions and the links that connect their clients to them.
#include "framework/core/action.h"

#include <algorithm>

#include "framework/core/class_info.h"

const TClassInfo& TBasicAction::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TBasicAction, TComponent>("TBasicAction")
            .Property("OnExecute", &TBasicAction::OnExecute, &TBasicAction::SetOnExecute)
            .Property("OnUpdate", &TBasicAction::OnUpdate)
            .Build();
    return info;
}

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction()
{
    if (actionComponent_)
        actionComponent_->RemoveFreeNotification(this);
    while (!clients_.empty())
        UnRegisterChanges(clients_.back());
}

bool TBasicAction::Execute()
{
    if (!onExecute_)
        return false;
    onExecute_(this);
    return true;
}

bool TBasicAction::Update()
{
    if (!OnUpdate)
        return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::SetActionComponent(TComponent* component)
{
    if (component == actionComponent_)
        return;
    if (actionComponent_)
        actionComponent_->RemoveFreeNotification(this);
    actionComponent_ = component;
    if (actionComponent_)
        actionComponent_->FreeNotification(this);
}

void TBasicAction::SetOnExecute(const TNotifyEvent& value)
{
    if (value == onExecute_)
        return;
    for (TBasicActionLink* link : clients_)
        link->SetOnExecute(value);
    onExecute_ = value;
    Change();
}

void TBasicAction::Change()
{
    if (OnChange)
        OnChange(this);
}

void TBasicAction::RegisterChanges(TBasicActionLink* link)
{
    link->action_ = this;
    clients_.push_back(link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* link)
{
    auto found = std::find(clients_.begin(), clients_.end(), link);
    if (found == clients_.end())
        return;
    link->action_ = nullptr;
    clients_.erase(found);
}

void TBasicAction::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == actionComponent_)
        actionComponent_ = nullptr;
}

const TClassInfo& TBasicActionLink::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TBasicActionLink, TObject>("TBasicActionLink").Build();
    return info;
}

// Descendants take their client in their own constructor (AssignClient is theirs to override).
TBasicActionLink::TBasicActionLink(TObject*) {}

TBasicActionLink::~TBasicActionLink()
{
    if (action_)
        action_->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* action)
{
    if (action == action_)
        return;
    if (action_)
        action_->UnRegisterChanges(this);
    action_ = action;
    if (action)
        action->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* component)
{
    if (!action_)
        return false;
    action_->SetActionComponent(component);
    return action_->Execute();
}

bool TBasicActionLink::Update() { return action_ && action_->Update(); }

void TBasicActionLink::Change()
{
    if (OnChange)
        OnChange(action_);
}
