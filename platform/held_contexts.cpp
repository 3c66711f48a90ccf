// The device contexts the program holds, and which of them a GDI object is selected into.
#include "platform/held_contexts.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace platform::held {

namespace {

struct HeldContexts {
    std::mutex lock;
    std::vector<HDC> contexts;
};

// Never destroyed: objects of global objects are deleted after every other static is gone.
HeldContexts& Held()
{
    static auto* held = new HeldContexts;
    return *held;
}

bool IsDeviceContext(HDC dc)
{
    DWORD type = ::GetObjectType(dc);
    return type == OBJ_DC || type == OBJ_MEMDC || type == OBJ_METADC || type == OBJ_ENHMETADC;
}

bool IsStockObject(HGDIOBJ object)
{
    for (int index = WHITE_BRUSH; index <= DC_PEN; ++index)
        if (::GetStockObject(index) == object)
            return true;
    return false;
}

// The kind under which GetCurrentObject finds `object`; 0 for what cannot be selected.
UINT SelectedKind(HGDIOBJ object)
{
    switch (DWORD type = ::GetObjectType(object)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return OBJ_PEN;
    case OBJ_BRUSH:
    case OBJ_FONT:
    case OBJ_BITMAP: return type;
    default: return 0;
    }
}

}  // namespace

void Hold(HDC dc)
{
    if (!dc)
        return;
    HeldContexts& held = Held();
    std::lock_guard<std::mutex> guard(held.lock);
    if (std::find(held.contexts.begin(), held.contexts.end(), dc) == held.contexts.end())
        held.contexts.push_back(dc);
}

void LetGo(HDC dc)
{
    HeldContexts& held = Held();
    std::lock_guard<std::mutex> guard(held.lock);
    std::erase(held.contexts, dc);
}

HDC HolderOf(HGDIOBJ object)
{
    UINT kind = SelectedKind(object);
    if (!kind)
        return nullptr;
    HeldContexts& held = Held();
    std::lock_guard<std::mutex> guard(held.lock);
    // Contexts handed in by messages are never released here: they go once they are no more.
    std::erase_if(held.contexts, [](HDC dc) { return !IsDeviceContext(dc); });
    for (HDC dc : held.contexts)
        if (::GetCurrentObject(dc, kind) == object)
            return IsStockObject(object) ? nullptr : dc;
    return nullptr;
}

}  // namespace platform::held
