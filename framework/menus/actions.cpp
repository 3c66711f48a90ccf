// Actions with state, their links, and the execute and update chains through the action list,
// the application and the forms.
#include "framework/menus/actions.h"

#include "framework/controls/application.h"
#include "framework/core/class_info.h"
#include "framework/core/format.h"
#include "framework/menus/action_list.h"

// ---- Links ----

const TClassInfo& TActionLink::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TActionLink, TBasicActionLink>("TActionLink").Build();
    return info;
}

TCustomAction* TActionLink::CustomAction() { return dynamic_cast<TCustomAction*>(Action()); }

bool TActionLink::IsCaptionLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsCheckedLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsEnabledLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsGroupIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsHelpContextLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsHintLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsShortCutLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsVisibleLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsAutoCheckLinked() { return CustomAction() != nullptr; }

bool TActionLink::DoShowHint(std::string& hint)
{
    TCustomAction* action = CustomAction();
    if (!action)
        return true;
    if (!action->DoHint(hint))
        return false;
    if (Application && Application->HintShortCuts() && action->ShortCut() != scNone && !hint.empty())
        hint = Format("%s (%s)", {hint, ShortcutDisplayText(action->ShortCut())});
    return true;
}

const TClassInfo& TShortCutList::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TShortCutList, TStringList>("TShortCutList").Build();
    return info;
}

int TShortCutList::IndexOfShortCut(TShortCut shortCut) const
{
    for (int i = 0; i < Count(); ++i)
        if (ShortcutFromDisplayText(Get(i)) == shortCut)
            return i;
    return -1;
}

// ---- Contained actions ----

const TClassInfo& TContainedAction::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TContainedAction, TBasicAction>("TContainedAction")
            .Property("Category", &TContainedAction::Category, &TContainedAction::SetCategory)
            .Build();
    return info;
}

TContainedAction::TContainedAction(TComponent* owner) : TBasicAction(owner) {}

TContainedAction::~TContainedAction()
{
    if (actionList_)
        actionList_->RemoveAction(this);
}

void TContainedAction::SetActionList(TCustomActionList* list)
{
    if (list == actionList_)
        return;
    if (actionList_)
        actionList_->RemoveAction(this);
    if (list)
        list->AddAction(this);
}

void TContainedAction::SetCategory(const std::string& value)
{
    if (value == category_)
        return;
    category_ = value;
    if (actionList_)
        actionList_->Change();
}

int TContainedAction::Index() const { return actionList_ ? actionList_->IndexOfAction(this) : -1; }

void TContainedAction::SetIndex(int value)
{
    if (actionList_)
        actionList_->MoveAction(this, value);
}

TComponent* TContainedAction::GetParentComponent() const
{
    return actionList_ ? actionList_ : TBasicAction::GetParentComponent();
}

void TContainedAction::SetParentComponent(TComponent* parent)
{
    if (auto* list = dynamic_cast<TCustomActionList*>(parent))
        SetActionList(list);
}

bool TContainedAction::Update()
{
    return (actionList_ && actionList_->UpdateAction(this)) || (Application && Application->UpdateAction(this)) ||
           TBasicAction::Update() || (Application && Application->DispatchAction(CMSG_ACTIONUPDATE, this));
}

bool TContainedAction::Execute()
{
    return (actionList_ && actionList_->ExecuteAction(this)) || (Application && Application->ExecuteAction(this)) ||
           TBasicAction::Execute() || (Application && Application->DispatchAction(CMSG_ACTIONEXECUTE, this));
}

// ---- Custom actions ----

const TClassInfo& TCustomAction::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomAction, TContainedAction>("TCustomAction").Build();
    return info;
}

TCustomAction::TCustomAction(TComponent* owner) : TContainedAction(owner), secondaryShortCuts_(new TShortCutList) {}

TCustomAction::~TCustomAction() { delete secondaryShortCuts_; }

// Tells every client link of the new value (while the clients still hold the old one, so that each
// link can tell whether its client follows), stores it and fires the change event.
template <class V, class Push>
void TCustomAction::Assign(V& field, const V& value, Push push)
{
    if (field == value)
        return;
    for (int i = 0; i < ClientCount(); ++i)
        if (auto* link = dynamic_cast<TActionLink*>(Clients(i)))
            push(*link, value);
    field = value;
    Change();
}

void TCustomAction::SetCaption(const std::string& value)
{
    Assign(caption_, value, [](TActionLink& l, const std::string& v) { l.SetCaption(v); });
}

void TCustomAction::SetChecked(bool value)
{
    if (checking_)
        return;
    checking_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{checking_};
    bool wasChecked = checked_;
    Assign(checked_, value, [](TActionLink& l, bool v) { l.SetChecked(v); });
    // A checked action of a group unchecks the others of its group.
    if (!wasChecked && checked_ && groupIndex_ > 0 && ActionList())
        for (int i = 0; i < ActionList()->ActionCount(); ++i) {
            auto* other = dynamic_cast<TCustomAction*>(ActionList()->Actions(i));
            if (other && other != this && other->groupIndex_ == groupIndex_)
                other->SetChecked(false);
        }
}

void TCustomAction::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    if (ActionList()) {
        if (ActionList()->State() == asSuspended) {
            enabled_ = value;  // only stored: the clients hear of it when the list resumes
            return;
        }
        if (ActionList()->State() == asSuspendedEnabled)
            value = true;
    }
    Assign(enabled_, value, [](TActionLink& l, bool v) { l.SetEnabled(v); });
    toldEnabled_ = enabled_;
}

void TCustomAction::TellStoredEnabled()
{
    if (enabled_ == toldEnabled_)
        return;
    // The clients still show what they were last told; each link compares with that.
    bool stored = enabled_;
    enabled_ = toldEnabled_;
    SetEnabled(stored);
}

void TCustomAction::SetGroupIndex(int value)
{
    Assign(groupIndex_, value, [](TActionLink& l, int v) { l.SetGroupIndex(v); });
}

void TCustomAction::SetHelpContext(int value)
{
    Assign(helpContext_, value, [](TActionLink& l, int v) { l.SetHelpContext(v); });
}

void TCustomAction::SetHint(const std::string& value)
{
    Assign(hint_, value, [](TActionLink& l, const std::string& v) { l.SetHint(v); });
}

void TCustomAction::SetImageIndex(int value)
{
    Assign(imageIndex_, value, [](TActionLink& l, int v) { l.SetImageIndex(v); });
}

void TCustomAction::SetShortCut(TShortCut value)
{
    Assign(shortCut_, value, [](TActionLink& l, TShortCut v) { l.SetShortCut(v); });
}

void TCustomAction::SetVisible(bool value)
{
    Assign(visible_, value, [](TActionLink& l, bool v) { l.SetVisible(v); });
}

void TCustomAction::SetAutoCheck(bool value)
{
    Assign(autoCheck_, value, [](TActionLink& l, bool v) { l.SetAutoCheck(v); });
}

bool TCustomAction::Execute()
{
    if (ActionList() && ActionList()->State() != asNormal)
        return false;
    Update();
    // A checked action of a radio group stays checked when executed again.
    if (enabled_ && autoCheck_ && (!checked_ || groupIndex_ == 0))
        SetChecked(!checked_);
    return enabled_ && TContainedAction::Execute();
}

bool TCustomAction::DoHint(std::string& hint)
{
    bool canShow = true;
    if (OnHint)
        OnHint(hint, canShow);
    return canShow;
}

void TCustomAction::SetName(const std::string& newName)
{
    bool captionFollows = Name() == caption_ && (!Owner() || !Owner()->HasState(csLoading));
    TContainedAction::SetName(newName);
    if (captionFollows && ClientCount() == 0)
        SetCaption(newName);
}

// ---- TAction ----

const TClassInfo& TAction::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TAction, TCustomAction>("TAction")
            .Property("AutoCheck", &TAction::AutoCheck, &TAction::SetAutoCheck)
            .Property("Caption", &TAction::Caption, &TAction::SetCaption)
            .Property("Checked", &TAction::Checked, &TAction::SetChecked)
            .Property("Enabled", &TAction::Enabled, &TAction::SetEnabled)
            .Property("GroupIndex", &TAction::GroupIndex, &TAction::SetGroupIndex)
            .Property("HelpContext", &TAction::HelpContext, &TAction::SetHelpContext)
            .Property("Hint", &TAction::Hint, &TAction::SetHint)
            .Property("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex)
            .Property("ShortCut", &TAction::ShortCut, &TAction::SetShortCut)
            .Property("SecondaryShortCuts", &TAction::SecondaryShortCuts, &TAction::SetSecondaryShortCuts)
            .Property("Visible", &TAction::Visible, &TAction::SetVisible)
            .Property("OnHint", &TAction::OnHint)
            .Build();
    return info;
}

TAction::TAction(TComponent* owner) : TCustomAction(owner) { SetDisableIfNoHandler(true); }
