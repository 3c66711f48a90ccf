// Named persistent objects with an owner.
#include "framework/core/component.h"

#include <algorithm>

#include "framework/core/action.h"
#include "framework/core/class_info.h"
#include "framework/core/list.h"
#include "framework/core/list_index.h"
#include "framework/core/reader.h"

const TClassInfo& TComponent::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TComponent, TPersistent>("TComponent")
            .Property("Name", &TComponent::Name, &TComponent::SetName)
            .Property("Tag", &TComponent::Tag, &TComponent::SetTag)
            .Build();
    return info;
}

bool IsValidIdent(const std::string& name)
{
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (name.empty() || !alpha(name[0]))
        return false;
    return std::all_of(name.begin() + 1, name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()  // NOLINT(bugprone-exception-escape): see the declaration
{
    Destroying();
    while (freeNotifies_ && !freeNotifies_->empty()) {
        TComponent* other = freeNotifies_->back();
        other->Notification(this, opRemove);
        // The base notification drops both entries; do it here if an override did not.
        if (freeNotifies_ && !freeNotifies_->empty() && freeNotifies_->back() == other)
            RemoveFreeNotification(other);
    }
    freeNotifies_.reset();
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
}

TPersistent* TComponent::GetOwner() const { return owner_; }

void TComponent::Destroying()
{
    if (state_.Contains(csDestroying))
        return;
    state_.Include(csDestroying);
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* c = components_.back();
        if (c->state_.Contains(csFreeNotification) || (state_.Contains(csDesigning) && state_.Contains(csInline)))
            RemoveComponent(c);
        else
            Remove(c);
        FreeComponent(c);
    }
}

void FreeComponent(TComponent* component)
{
    if (!component)
        return;
    component->BeforeDestruction();
    delete component;
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        TList::Error(SListIndexError, index);
    return components_[index];
}

int TComponent::ComponentIndex() const { return owner_ ? IndexIn(owner_->components_, this) : -1; }

void TComponent::SetComponentIndex(int index)
{
    int current = ComponentIndex();
    if (current < 0)
        return;
    auto& list = owner_->components_;
    MoveToIndex(list, current, std::clamp(index, 0, static_cast<int>(list.size()) - 1));
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::SetName(const std::string& newName)
{
    if (newName == name_)
        return;
    if (!newName.empty() && !IsValidIdent(newName))
        throw EComponentError(SInvalidName, {newName});
    if (owner_)
        owner_->ValidateRename(this, name_, newName);
    else
        ValidateRename(nullptr, name_, newName);
    SetReference(false);
    name_ = newName;
    SetReference(true);
}

void TComponent::ValidateRename(TComponent* component, const std::string& currentName, const std::string& newName)
{
    if (component && !SameText(currentName, newName) && component->owner_ == this && FindComponent(newName))
        throw EComponentError(SDuplicateName, {newName});
    if (state_.Contains(csDesigning) && owner_)
        owner_->ValidateRename(component, currentName, newName);
}

void TComponent::SetReference(bool enable)
{
    if (!owner_ || name_.empty())
        return;
    if (const TFieldInfo* field = owner_->ClassInfo().FindField(name_))
        field->Bind(*owner_, enable ? this : nullptr);
}

void TComponent::ValidateContainer(TComponent* container) { container->ValidateInsert(this); }

void TComponent::InsertComponent(TComponent* component)
{
    component->ValidateContainer(this);
    ValidateRename(component, "", component->name_);
    Insert(component);
    component->SetReference(true);
    if (state_.Contains(csDesigning))
        component->SetDesigning(true);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    ValidateRename(component, component->name_, "");
    Notification(component, opRemove);
    component->SetReference(false);
    Remove(component);
}

void TComponent::Insert(TComponent* component)
{
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component)
{
    auto found = std::find(components_.begin(), components_.end(), component);
    if (found != components_.end())
        components_.erase(found);
    if (components_.empty())
        std::vector<TComponent*>().swap(components_);
    component->owner_ = nullptr;
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component)
        RemoveFreeNotification(component);
    int i = ComponentCount() - 1;
    while (i >= 0) {
        components_[i]->Notification(component, operation);
        --i;
        if (i >= ComponentCount())
            i = ComponentCount() - 1;
    }
}

void TComponent::FreeNotification(TComponent* other)
{
    if (!owner_ || other->owner_ != owner_) {
        if (!freeNotifies_)
            freeNotifies_ = std::make_unique<std::vector<TComponent*>>();
        if (std::find(freeNotifies_->begin(), freeNotifies_->end(), other) == freeNotifies_->end()) {
            freeNotifies_->push_back(other);
            other->FreeNotification(this);
        }
    }
    state_.Include(csFreeNotification);
}

void TComponent::RemoveNotification(TComponent* component)
{
    if (!freeNotifies_)
        return;
    auto found = std::find(freeNotifies_->begin(), freeNotifies_->end(), component);
    if (found != freeNotifies_->end())
        freeNotifies_->erase(found);
    if (freeNotifies_->empty())
        freeNotifies_.reset();
}

void TComponent::RemoveFreeNotification(TComponent* other)
{
    RemoveNotification(other);
    other->RemoveNotification(this);
}

void TComponent::SetSubComponent(bool value)
{
    if (value)
        style_.Include(csSubComponent);
    else
        style_.Exclude(csSubComponent);
}

void TComponent::SetDesigning(bool value, bool setChildren)
{
    if (value)
        state_.Include(csDesigning);
    else
        state_.Exclude(csDesigning);
    if (setChildren)
        for (TComponent* c : components_)
            c->SetDesigning(value);
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

bool TComponent::ExecuteAction(TBasicAction* action)
{
    if (!action->HandlesTarget(this))
        return false;
    action->ExecuteTarget(this);
    return true;
}

bool TComponent::UpdateAction(TBasicAction* action)
{
    if (!action->HandlesTarget(this))
        return false;
    action->UpdateTarget(this);
    return true;
}

void TComponent::ReadState(TReader& reader) { reader.ReadData(this); }

void TComponent::DefineProperties(TFiler& filer)
{
    // Written only when the position differs from the ancestor's; the reader ignores that flag.
    auto* ancestor = dynamic_cast<TComponent*>(filer.Ancestor());
    std::int32_t ancestorInfo = ancestor ? ancestor->designInfo_ : 0;
    auto left = [](std::int32_t info) { return static_cast<std::int16_t>(info & 0xFFFF); };
    auto top = [](std::int32_t info) { return static_cast<std::int16_t>((info >> 16) & 0xFFFF); };
    filer.DefineProperty(
        "Left",
        [this](TReader& r) {
            designInfo_ = (designInfo_ & static_cast<std::int32_t>(0xFFFF0000)) | (r.ReadInteger() & 0xFFFF);
        },
        nullptr, left(designInfo_) != left(ancestorInfo));
    filer.DefineProperty(
        "Top",
        [this](TReader& r) {
            designInfo_ =
                (designInfo_ & 0xFFFF) | static_cast<std::int32_t>(static_cast<std::uint32_t>(r.ReadInteger()) << 16);
        },
        nullptr, top(designInfo_) != top(ancestorInfo));
}
