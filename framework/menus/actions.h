// Actions with state: TContainedAction (kept in an action list, with a category), TCustomAction
// (caption, checked and enabled state, hint, image, shortcuts, visibility) and TAction, which the
// form reader builds; TActionLink, through which a client follows an action's state.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/action.h"
#include "framework/core/string_list.h"
#include "framework/menus/shortcuts.h"

class TCustomActionList;

// A link that also follows the action's state. A client's property is "linked" while it agrees
// with the action's; a linked property takes each new value of the action's.
class TActionLink : public TBasicActionLink {
    DECLARE_CLASS(TActionLink)
public:
    using TBasicActionLink::TBasicActionLink;

    virtual bool IsCaptionLinked();
    virtual bool IsCheckedLinked();
    virtual bool IsEnabledLinked();
    virtual bool IsGroupIndexLinked();
    virtual bool IsHelpContextLinked();
    virtual bool IsHintLinked();
    virtual bool IsImageIndexLinked();
    virtual bool IsShortCutLinked();
    virtual bool IsVisibleLinked();
    virtual bool IsAutoCheckLinked();

    virtual void SetCaption(const std::string&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetGroupIndex(int) {}
    virtual void SetHelpContext(int) {}
    virtual void SetHint(const std::string&) {}
    virtual void SetImageIndex(int) {}
    virtual void SetShortCut(TShortCut) {}
    virtual void SetVisible(bool) {}
    virtual void SetAutoCheck(bool) {}

    // The hint the client shows: the action's OnHint may change or refuse it; with the
    // application's hint shortcuts on, the action's shortcut follows as "hint (Ctrl+S)".
    bool DoShowHint(std::string& hint);

protected:
    class TCustomAction* CustomAction();
};

// Further shortcuts of an action, one display text per entry ("Ctrl+Ins").
class TShortCutList : public TStringList {
    DECLARE_CLASS(TShortCutList)
public:
    // The entry naming `shortCut`, or -1.
    int IndexOfShortCut(TShortCut shortCut) const;
};

class TContainedAction : public TBasicAction {
    DECLARE_CLASS(TContainedAction)
public:
    explicit TContainedAction(TComponent* owner);
    ~TContainedAction() override;

    TCustomActionList* ActionList() const { return actionList_; }
    void SetActionList(TCustomActionList* list);
    const std::string& Category() const { return category_; }
    void SetCategory(const std::string& value);
    // The position in the action list (-1 outside one).
    int Index() const;
    void SetIndex(int value);

    // The update chain: the list's OnUpdate, the application's, the action's own OnUpdate, then the
    // forms through the application window.
    bool Update() override;
    // The execute chain without the state checks of TCustomAction.
    bool Execute() override;

    bool HasParent() const override { return actionList_ != nullptr || TBasicAction::HasParent(); }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

private:
    friend class TCustomActionList;
    TCustomActionList* actionList_ = nullptr;
    std::string category_;
};

using THintEvent = TEvent<std::string&, bool&>;

class TCustomAction : public TContainedAction {
    DECLARE_CLASS(TCustomAction)
public:
    explicit TCustomAction(TComponent* owner);
    ~TCustomAction() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    TShortCutList* SecondaryShortCuts() const { return secondaryShortCuts_; }
    void SetSecondaryShortCuts(TShortCutList* value) { secondaryShortCuts_->Assign(value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool value);
    // Disabled by the idle update when nothing handles it and it has no OnExecute.
    bool DisableIfNoHandler() const { return disableIfNoHandler_; }
    void SetDisableIfNoHandler(bool value) { disableIfNoHandler_ = value; }

    // The list resumed: the clients are told the Enabled stored while it was suspended.
    void TellStoredEnabled();

    // Refused while the list is suspended; updates first; toggles Checked when AutoCheck is on;
    // then the chain of TContainedAction, for an enabled action only.
    bool Execute() override;
    // Executes as a shortcut key would.
    bool HandleShortCut() { return Execute(); }
    // OnHint may change the hint text or refuse it; answers whether the hint may show.
    bool DoHint(std::string& hint);

    void SetName(const std::string& newName) override;

    THintEvent OnHint;

private:
    template <class V, class Push>
    void Assign(V& field, const V& value, Push push);

    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool toldEnabled_ = true;  // what the clients were last told
    int groupIndex_ = 0;
    int helpContext_ = 0;
    std::string hint_;
    int imageIndex_ = -1;
    TShortCut shortCut_ = scNone;
    TShortCutList* secondaryShortCuts_;
    bool visible_ = true;
    bool autoCheck_ = false;
    bool disableIfNoHandler_ = false;
    bool checking_ = false;
};

class TAction : public TCustomAction {
    DECLARE_CLASS(TAction)
public:
    explicit TAction(TComponent* owner);
};
