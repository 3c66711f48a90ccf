// Loading a system library and finding a function in it on first use.
#include "platform/on_demand.h"

namespace platform {

void* LibraryProcedure(const char* library, const char* name)
{
    HMODULE module = ::GetModuleHandleA(library);
    if (!module)
        module = ::LoadLibraryA(library);
    return module ? reinterpret_cast<void*>(::GetProcAddress(module, name)) : nullptr;
}

}  // namespace platform
