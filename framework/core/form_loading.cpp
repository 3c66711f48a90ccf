// Finding a form's resources and reading them into the form.
#include "framework/core/form_loading.h"

#include "framework/core/class_info.h"
#include "framework/core/component.h"
#include "framework/core/resource_stream.h"
#include "platform/module.h"

namespace {

HMODULE formModule = nullptr;
thread_local std::vector<TComponent*>* currentLoaded = nullptr;
thread_local std::vector<std::vector<TComponent*>*>* savedLoaded = nullptr;

bool InitComponent(TComponent* instance, const TClassInfo& cls, const TClassInfo& rootAncestor)
{
    if (&cls == &TComponent::StaticClass() || &cls == &rootAncestor || !cls.Parent())
        return false;
    bool result = InitComponent(instance, *cls.Parent(), rootAncestor);
    return ReadComponentRes(cls.Name(), nullptr, instance) || result;
}

}  // namespace

std::recursive_mutex& GlobalNameSpace()
{
    static std::recursive_mutex lock;
    return lock;
}

void BeginGlobalLoading()
{
    if (!savedLoaded)
        savedLoaded = new std::vector<std::vector<TComponent*>*>();
    savedLoaded->push_back(currentLoaded);
    currentLoaded = new std::vector<TComponent*>();
}

void NotifyGlobalLoading()
{
    // A loaded notification may read further resources; walk by index.
    for (std::size_t i = 0; currentLoaded && i < currentLoaded->size(); ++i)
        (*currentLoaded)[i]->Loaded();
}

void EndGlobalLoading()
{
    delete currentLoaded;
    currentLoaded = nullptr;
    if (savedLoaded && !savedLoaded->empty()) {
        currentLoaded = savedLoaded->back();
        savedLoaded->pop_back();
    }
    if (savedLoaded && savedLoaded->empty()) {
        delete savedLoaded;
        savedLoaded = nullptr;
    }
}

std::vector<TComponent*>* GlobalLoadedList() { return currentLoaded; }

HMODULE FormResourceModule() { return formModule ? formModule : platform::MainInstance(); }

void SetFormResourceModule(HMODULE module) { formModule = module; }

bool ReadComponentRes(const std::string& name, HMODULE module, TComponent* instance)
{
    if (!module)
        module = FormResourceModule();
    if (!platform::ResourceExists(module, name.c_str(), RT_RCDATA))
        return false;
    TResourceStream stream(module, name, RT_RCDATA);
    stream.ReadComponent(instance);
    return true;
}

bool InitInheritedComponent(TComponent* instance, const TClassInfo& rootAncestor)
{
    std::lock_guard guard(GlobalNameSpace());
    bool localLoading = !instance->HasAnyState({csLoading, csInline});
    if (localLoading)
        BeginGlobalLoading();
    try {
        bool result = InitComponent(instance, instance->ClassInfo(), rootAncestor);
        if (localLoading) {
            NotifyGlobalLoading();
            EndGlobalLoading();
        }
        return result;
    } catch (...) {
        if (localLoading)
            EndGlobalLoading();
        throw;
    }
}
