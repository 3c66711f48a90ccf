// Action lists: the actions of a form in order, with list-wide execute and update events, a
// suspended state, and the shortcut keys of their actions.
#pragma once

#include <memory>
#include <vector>

#include "framework/core/action.h"
#include "framework/core/component.h"
#include "framework/core/type_info.h"

class TChangeLink;
class TContainedAction;
class TCustomImageList;
struct TMessage;

enum TActionListState { asNormal, asSuspended, asSuspendedEnabled };
const TTypeInfo& TypeInfoFor(TActionListState*);

class TCustomActionList : public TComponent {
    DECLARE_CLASS(TCustomActionList)
public:
    explicit TCustomActionList(TComponent* owner);
    // Frees its actions, last first.
    ~TCustomActionList() override;

    int ActionCount() const { return static_cast<int>(actions_.size()); }
    TContainedAction* Actions(int index) const;  // EListError for a bad index
    int IndexOfAction(const TContainedAction* action) const;
    void AddAction(TContainedAction* action);
    void RemoveAction(TContainedAction* action);
    void MoveAction(TContainedAction* action, int index);

    // The pictures of the actions' images; a change of its pictures is a change of the list.
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);

    // asSuspended: nothing executes and Enabled only stores; asSuspendedEnabled: the actions are
    // enabled and stay so.
    TActionListState State() const { return state_; }
    void SetState(TActionListState value);

    // OnExecute / OnUpdate with Handled starting false; the answer is Handled.
    bool ExecuteAction(TBasicAction* action) override;
    bool UpdateAction(TBasicAction* action) override;
    // Executes the action whose shortcut (or a secondary one) the key message makes.
    bool IsShortCut(TMessage& keyMessage);
    // OnChange, then every action's change handling.
    virtual void Change();

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    void Notification(TComponent* component, TOperation operation) override;

    TActionEvent OnExecute;
    TActionEvent OnUpdate;
    TNotifyEvent OnChange;

private:
    void ImageListChange(TObject* sender);

    std::vector<TContainedAction*> actions_;
    TCustomImageList* images_ = nullptr;
    std::unique_ptr<TChangeLink> imageChangeLink_;
    TActionListState state_ = asNormal;
};

class TActionList : public TCustomActionList {
    DECLARE_CLASS(TActionList)
public:
    explicit TActionList(TComponent* owner);
};
