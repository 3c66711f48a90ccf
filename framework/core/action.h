// Actions: a command with execute and update events, shared by the controls linked to it.
#pragma once

#include <vector>

#include "framework/core/component.h"
#include "framework/core/event.h"

class TBasicAction;
class TBasicActionLink;

// An action offered to a list or the application: Handled starts false; setting it ends the offer.
using TActionEvent = TEvent<TBasicAction*, bool&>;

class TBasicAction : public TComponent {
    DECLARE_CLASS(TBasicAction)
public:
    explicit TBasicAction(TComponent* owner);
    ~TBasicAction() override;

    // Runs OnExecute (or OnUpdate) and answers whether it was set.
    virtual bool Execute();
    virtual bool Update();
    virtual bool HandlesTarget(TObject*) { return false; }
    virtual void ExecuteTarget(TObject*) {}
    virtual void UpdateTarget(TObject*) {}

    // The component that last executed the action through its link.
    TComponent* ActionComponent() const { return actionComponent_; }
    void SetActionComponent(TComponent* component);

    const TNotifyEvent& OnExecute() const { return onExecute_; }
    virtual void SetOnExecute(const TNotifyEvent& value);
    TNotifyEvent OnUpdate;

    void RegisterChanges(TBasicActionLink* link);
    void UnRegisterChanges(TBasicActionLink* link);
    int ClientCount() const { return static_cast<int>(clients_.size()); }
    TBasicActionLink* Clients(int index) const { return clients_[index]; }

    void Notification(TComponent* component, TOperation operation) override;

    // Fires the change event (a property of the action changed).
    virtual void Change();

protected:
    TNotifyEvent OnChange;  // for the action's own lists and links
    friend class TBasicActionLink;

private:
    std::vector<TBasicActionLink*> clients_;
    TComponent* actionComponent_ = nullptr;
    TNotifyEvent onExecute_;
};

// Connects a client (a control, a menu item) to an action and tells it when the action changes.
class TBasicActionLink : public TObject {
    DECLARE_CLASS(TBasicActionLink)
public:
    explicit TBasicActionLink(TObject* client);
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return action_; }
    virtual void SetAction(TBasicAction* action);
    // Records `component` as the action's component and executes the action.
    virtual bool Execute(TComponent* component = nullptr);
    virtual bool Update();
    virtual bool IsOnExecuteLinked() { return true; }
    virtual void SetOnExecute(const TNotifyEvent&) {}

    TNotifyEvent OnChange;

protected:
    virtual void AssignClient(TObject*) {}
    virtual void Change();
    friend class TBasicAction;

private:
    TBasicAction* action_ = nullptr;
};
