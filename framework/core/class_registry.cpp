// The registry of classes the form reader may create by name.
#include "framework/core/class_registry.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include "framework/core/class_info.h"
#include "framework/core/persistent.h"

struct TRegGroup {
    std::vector<const TClassInfo*> groupClasses;
    std::vector<const TClassInfo*> classes;
    std::vector<std::pair<std::string, const TClassInfo*>> aliases;
    bool active = false;

    bool InGroup(const TClassInfo& cls) const
    {
        return std::any_of(groupClasses.begin(), groupClasses.end(), [&](const TClassInfo* g) {
            return cls.InheritsFrom(*g);
        });
    }
    // The most derived group class `cls` descends from, or none.
    const TClassInfo* BestGroupClassOf(const TClassInfo& cls) const
    {
        const TClassInfo* best = nullptr;
        for (const TClassInfo* g : groupClasses)
            if (cls.InheritsFrom(*g) && (!best || g->InheritsFrom(*best)))
                best = g;
        return best;
    }
    bool Registered(const TClassInfo& cls) const
    {
        return std::find(classes.begin(), classes.end(), &cls) != classes.end();
    }
    const TClassInfo* ByName(const std::string& name) const
    {
        for (const TClassInfo* c : classes)
            if (SameText(c->Name(), name))
                return c;
        for (const auto& [alias, c] : aliases)
            if (SameText(alias, name))
                return c;
        return nullptr;
    }
    void Add(const TClassInfo& cls)
    {
        for (const TClassInfo* c : classes)
            if (SameText(c->Name(), cls.Name()) && c != &cls)
                throw EFilerError(SDuplicateClass, {cls.Name()});
        if (!Registered(cls))
            classes.push_back(&cls);
    }
};

namespace {

struct TRegGroups {
    std::recursive_mutex lock;
    std::vector<std::unique_ptr<TRegGroup>> groups;
    const TClassInfo* activeClass = &TPersistent::StaticClass();

    TRegGroups()
    {
        auto group = std::make_unique<TRegGroup>();
        group->groupClasses.push_back(&TPersistent::StaticClass());
        group->active = true;
        groups.push_back(std::move(group));
    }

    TRegGroup* BestGroup(const TClassInfo& cls)
    {
        TRegGroup* best = nullptr;
        const TClassInfo* bestClass = nullptr;
        for (auto& g : groups) {
            const TClassInfo* c = g->BestGroupClassOf(cls);
            if (c && (!bestClass || c->InheritsFrom(*bestClass))) {
                best = g.get();
                bestClass = c;
            }
        }
        return best;
    }
    bool Registered(const TClassInfo& cls)
    {
        return std::any_of(groups.begin(), groups.end(), [&](auto& g) { return g->Registered(cls); });
    }
};

TRegGroups& Registry()
{
    static TRegGroups registry;
    return registry;
}

}  // namespace

void RegisterComponentClass(const TClassInfo& cls)
{
    auto& reg = Registry();
    std::lock_guard guard(reg.lock);
    const TClassInfo* c = &cls;
    while (c && !reg.Registered(*c)) {
        if (TRegGroup* group = reg.BestGroup(*c))
            group->Add(*c);
        if (c == &TPersistent::StaticClass())
            break;
        c = c->Parent();
    }
}

void RegisterComponentClasses(std::initializer_list<const TClassInfo*> classes)
{
    for (const TClassInfo* c : classes)
        RegisterComponentClass(*c);
}

void RegisterClassAlias(const TClassInfo& cls, const std::string& alias)
{
    auto& reg = Registry();
    std::lock_guard guard(reg.lock);
    RegisterComponentClass(cls);
    if (TRegGroup* group = reg.BestGroup(cls))
        group->aliases.emplace_back(alias, &cls);
}

void UnregisterComponentClass(const TClassInfo& cls)
{
    auto& reg = Registry();
    std::lock_guard guard(reg.lock);
    for (auto& g : reg.groups) {
        g->classes.erase(std::remove(g->classes.begin(), g->classes.end(), &cls), g->classes.end());
        g->aliases.erase(
            std::remove_if(g->aliases.begin(), g->aliases.end(), [&](const auto& a) { return a.second == &cls; }),
            g->aliases.end());
    }
}

const TClassInfo* GetClass(const std::string& name)
{
    auto& reg = Registry();
    std::lock_guard guard(reg.lock);
    for (auto& g : reg.groups)
        if (g->active)
            if (const TClassInfo* c = g->ByName(name))
                return c;
    return nullptr;
}

const TClassInfo& FindClass(const std::string& name)
{
    if (const TClassInfo* c = GetClass(name))
        return *c;
    throw EClassNotFound(SClassNotFound, {name});
}

void StartClassGroup(const TClassInfo& groupClass)
{
    auto& reg = Registry();
    std::lock_guard guard(reg.lock);
    for (auto& g : reg.groups)
        if (std::find(g->groupClasses.begin(), g->groupClasses.end(), &groupClass) != g->groupClasses.end())
            return;
    auto group = std::make_unique<TRegGroup>();
    group->groupClasses.push_back(&groupClass);
    group->active = reg.activeClass && reg.activeClass->InheritsFrom(groupClass);
    reg.groups.push_back(std::move(group));
}

const TClassInfo* ActivateClassGroup(const TClassInfo& groupClass)
{
    auto& reg = Registry();
    std::lock_guard guard(reg.lock);
    const TClassInfo* previous = reg.activeClass;
    if (previous != &groupClass) {
        reg.activeClass = &groupClass;
        for (auto& g : reg.groups)
            g->active = g->InGroup(groupClass);
    }
    return previous;
}

void GroupDescendentsWith(const TClassInfo& cls, const TClassInfo& groupClass)
{
    auto& reg = Registry();
    std::lock_guard guard(reg.lock);
    TRegGroup* group = reg.BestGroup(groupClass);
    if (!group)
        throw EFilerError(SUnknownGroup, {groupClass.Name()});
    group->groupClasses.push_back(&cls);
    for (auto& other : reg.groups) {
        if (other.get() == group)
            continue;
        for (std::size_t i = 0; i < other->classes.size();) {
            const TClassInfo* c = other->classes[i];
            if (c->InheritsFrom(cls) && reg.BestGroup(*c) == group) {
                other->classes.erase(other->classes.begin() + i);
                group->classes.push_back(c);
            } else {
                ++i;
            }
        }
    }
}

const TClassInfo* ActiveClass()
{
    std::lock_guard guard(Registry().lock);
    return Registry().activeClass;
}

TClassFinder::TClassFinder(const TClassInfo* rootClass, bool includeActiveGroups)
{
    auto& reg = Registry();
    std::lock_guard guard(reg.lock);
    if (!rootClass)
        rootClass = reg.activeClass;
    for (auto& g : reg.groups)
        if ((rootClass && g->InGroup(*rootClass)) || (includeActiveGroups && g->active))
            groups_.push_back(g.get());
}

const TClassInfo* TClassFinder::GetClass(const std::string& name) const
{
    std::lock_guard guard(Registry().lock);
    for (const TRegGroup* g : groups_)
        if (const TClassInfo* c = g->ByName(name))
            return c;
    return nullptr;
}
