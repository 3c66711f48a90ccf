// Component references of form resources and the look-up of roots by name.
#include "framework/core/fixups.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "framework/core/class_info.h"
#include "framework/core/component.h"
#include "framework/core/exceptions.h"
#include "framework/core/type_info.h"

namespace {

struct GlobalFixups {
    std::recursive_mutex lock;
    std::vector<TPropFixup> list;
};

GlobalFixups& Fixups()
{
    static GlobalFixups fixups;
    return fixups;
}

struct FinderProcs {
    std::mutex lock;
    std::vector<TFindGlobalComponent> procs;
};

FinderProcs& Finders()
{
    static FinderProcs finders;
    return finders;
}

TLateFixupErrorHandler lateFixupErrorHandler = nullptr;

// The reference lists of the reads in progress on this thread, innermost last.
thread_local std::vector<std::vector<TPropFixup>*>* localLists = nullptr;

}  // namespace

TComponent* FindNestedComponent(TComponent* root, const std::string& path)
{
    if (path.empty() || !root)
        return nullptr;
    TComponent* current = root;
    std::size_t i = 0;
    while (i < path.size()) {
        std::size_t end = path.find_first_of(".-", i);
        if (end == std::string::npos)
            end = path.size();
        std::string part = path.substr(i, end - i);
        i = end;
        if (i < path.size() && path[i] == '.')
            ++i;
        if (i < path.size() && path[i] == '-')
            ++i;
        if (i < path.size() && path[i] == '>')
            ++i;
        TComponent* found = current->FindComponent(part);
        if (!found && SameText(part, "Owner"))
            continue;
        if (!found)
            return nullptr;
        current = found;
    }
    return current;
}

void RegisterFindGlobalComponentProc(TFindGlobalComponent proc)
{
    std::lock_guard guard(Finders().lock);
    Finders().procs.push_back(proc);
}

void UnregisterFindGlobalComponentProc(TFindGlobalComponent proc)
{
    std::lock_guard guard(Finders().lock);
    auto& procs = Finders().procs;
    auto found = std::find(procs.rbegin(), procs.rend(), proc);
    if (found != procs.rend())
        procs.erase(std::next(found).base());
}

TComponent* FindGlobalComponent(const std::string& name)
{
    std::vector<TFindGlobalComponent> procs;
    {
        std::lock_guard guard(Finders().lock);
        procs = Finders().procs;
    }
    for (auto it = procs.rbegin(); it != procs.rend(); ++it)
        if (TComponent* found = (*it)(name))
            return found;
    return nullptr;
}

void AddGlobalFixup(TPropFixup fixup)
{
    std::lock_guard guard(Fixups().lock);
    Fixups().list.push_back(std::move(fixup));
}

void RemoveGlobalFixup(const TPersistent* instance, const TPropInfo* property)
{
    std::lock_guard guard(Fixups().lock);
    auto& list = Fixups().list;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const TPropFixup& f) { return f.Instance == instance && f.Property == property; }),
               list.end());
}

void RemoveGlobalFixupsOfRoot(const TComponent* root)
{
    std::lock_guard guard(Fixups().lock);
    auto& list = Fixups().list;
    list.erase(
        std::remove_if(list.begin(), list.end(), [&](const TPropFixup& f) { return f.Root == root; }), list.end());
}

TLocalFixupsScope::TLocalFixupsScope(std::vector<TPropFixup>& list) : list_(list)
{
    if (!localLists)
        localLists = new std::vector<std::vector<TPropFixup>*>();
    localLists->push_back(&list_);
}

TLocalFixupsScope::~TLocalFixupsScope()
{
    localLists->erase(std::find(localLists->begin(), localLists->end(), &list_));
    if (localLists->empty()) {
        delete localLists;
        localLists = nullptr;
    }
}

void RemoveFixupsOf(const TPersistent* instance)
{
    // A read may free an object it recorded a reference for (reading a collection again clears its
    // items); the reference must not be resolved into it. Entries are blanked, not erased, since the
    // read may be walking its list right now.
    if (localLists)
        for (std::vector<TPropFixup>* list : *localLists)
            for (TPropFixup& fixup : *list)
                if (fixup.Instance == instance)
                    fixup.Instance = nullptr;
    std::lock_guard guard(Fixups().lock);
    auto& list = Fixups().list;
    if (list.empty())
        return;
    list.erase(std::remove_if(list.begin(), list.end(), [&](const TPropFixup& f) { return f.Instance == instance; }),
               list.end());
}

int GlobalFixupCount()
{
    std::lock_guard guard(Fixups().lock);
    return static_cast<int>(Fixups().list.size());
}

void ResolveGlobalFixups(const std::function<void(const TPropFixup&, const Exception&)>& failed)
{
    std::lock_guard guard(Fixups().lock);
    auto& list = Fixups().list;
    for (std::size_t i = 0; i < list.size();) {
        TPropFixup fixup = list[i];
        if (TComponent* root = FindGlobalComponent(fixup.RootName)) {
            list.erase(list.begin() + i);
            try {
                fixup.Property->SetObject(*fixup.Instance, FindNestedComponent(root, fixup.Name));
            } catch (const Exception& e) {
                failed(fixup, e);
            }
        } else if (fixup.Property->GetObject(*fixup.Instance)) {
            list.erase(list.begin() + i);  // the property got a value meanwhile
        } else {
            ++i;
        }
    }
}

void SetLateFixupErrorHandler(TLateFixupErrorHandler handler) { lateFixupErrorHandler = handler; }

void ReportLateFixupError(TComponent* root, const EReadError& error)
{
    if (!lateFixupErrorHandler)
        return;
    try {
        throw error;
    } catch (const Exception&) {
        lateFixupErrorHandler(root);
    }
}
