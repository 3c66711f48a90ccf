// Named persistent objects with an owner. An owner destroys what it owns (the last inserted first),
// tells its components when others come and go, and keeps its published fields pointing at its
// components by name.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/persistent.h"
#include "framework/core/set.h"

class TBasicAction;
class TReader;

enum TOperation { opInsert = 0, opRemove = 1 };

// What a component is going through (loading, destroying, ...), and what kind of component it is.
enum TComponentStateElement {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline
};
using TComponentState = TSet<TComponentStateElement>;

enum TComponentStyleElement { csInheritable, csCheckPropAvail, csSubComponent };
using TComponentStyle = TSet<TComponentStyleElement>;

class TComponent;
// Runs the component's before-destruction step, then destroys it (none: nothing happens).
void FreeComponent(TComponent* component);

// True when `name` is an identifier: first A-Z, a-z or "_", then those or 0-9 (ASCII only).
bool IsValidIdent(const std::string& name);

class TComponent : public TPersistent {
    DECLARE_CLASS(TComponent)
public:
    explicit TComponent(TComponent* owner);
    // A Notification override that raises while its component goes ends the program.
    ~TComponent() override;  // NOLINT(bugprone-exception-escape)

    TComponent* Owner() const { return owner_; }
    TPersistent* GetOwner() const override;

    const std::string& Name() const { return name_; }
    // Raises EComponentError for a name that is not an identifier or already used under the owner.
    virtual void SetName(const std::string& newName);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // Owned components, in insertion order.
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;  // EListError for a bad index
    int ComponentIndex() const;
    void SetComponentIndex(int index);
    TComponent* FindComponent(const std::string& name) const;

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();
    // Sets the destroying bit on this component and everything it owns.
    void Destroying();

    // Asks `other` to tell this component when it goes away (and the other way round).
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    TComponentState ComponentState() const { return state_; }
    bool HasState(TComponentStateElement element) const { return state_.Contains(element); }
    bool HasAnyState(TComponentState states) const { return !(state_ & states).Empty(); }
    // For the form reader, which marks what it loads.
    void IncludeState(TComponentState states) { state_ = state_ | states; }
    void ExcludeState(TComponentState states) { state_ = state_ - states; }
    TComponentStyle ComponentStyle() const { return style_; }
    void SetSubComponent(bool value);
    void SetDesigning(bool value, bool setChildren = true);

    // Design position of a non-visual component: low 16 bits left, high 16 bits top.
    std::int32_t DesignInfo() const { return designInfo_; }
    void SetDesignInfo(std::int32_t value) { designInfo_ = value; }

    // Runs once the object is whole (every constructor has run): a form reads its resources here,
    // since a constructor cannot reach what its derived classes add. CreateComponent calls it.
    virtual void AfterConstruction() {}
    // Runs before any destructor, while the whole object still exists: a form fires OnDestroy here.
    // FreeComponent and an owner destroying what it owns call it; it must not raise.
    virtual void BeforeDestruction() {}

    // Overridable steps of loading, naming and nesting.
    virtual void Loaded();
    virtual void Notification(TComponent* component, TOperation operation);
    // Reads this component's data from a form resource (its properties and child records).
    virtual void ReadState(TReader& reader);
    virtual void ValidateRename(TComponent* component, const std::string& currentName, const std::string& newName);
    virtual TComponent* GetChildOwner() { return nullptr; }
    virtual TComponent* GetChildParent() { return this; }
    virtual void GetChildren(const std::function<void(TComponent*)>&, TComponent* /*root*/) {}
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) {}
    virtual void SetChildOrder(TComponent*, int) {}
    virtual void ValidateContainer(TComponent* container);
    virtual void ValidateInsert(TComponent*) {}
    virtual void Updating() { state_.Include(csUpdating); }
    virtual void Updated() { state_.Exclude(csUpdating); }
    virtual void UpdateRegistry(bool, const std::string&, const std::string&) {}

    // True when the action handles this component as its target (and then acted on it).
    virtual bool ExecuteAction(TBasicAction* action);
    virtual bool UpdateAction(TBasicAction* action);

    // Stores "Left" and "Top": the design position of a non-visual component.
    void DefineProperties(TFiler& filer) override;

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void RemoveNotification(TComponent* component);
    void SetReference(bool enable);

    TComponent* owner_ = nullptr;
    std::string name_;
    int tag_ = 0;
    std::vector<TComponent*> components_;
    std::unique_ptr<std::vector<TComponent*>> freeNotifies_;  // made on demand, freed when empty
    std::int32_t designInfo_ = 0;
    TComponentState state_;
    TComponentStyle style_{csInheritable};
};

// Makes a component of class T and runs its after-construction step; a component whose step raises
// is freed and the exception goes on.
template <class T, class... A>
T* CreateComponent(A&&... args)
{
    T* component = new T(std::forward<A>(args)...);
    try {
        component->AfterConstruction();
    } catch (...) {
        FreeComponent(component);
        throw;
    }
    return component;
}
