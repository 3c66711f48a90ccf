// Movable global memory blocks, as the clipboard and memory streams use them.
#include "platform/memory.h"

#include "platform/win32.h"

namespace platform {

void* GlobalAllocLocked(std::uint32_t size)
{
    HGLOBAL handle = ::GlobalAlloc(GMEM_MOVEABLE, size);
    return handle ? ::GlobalLock(handle) : nullptr;
}

void* GlobalReAllocLocked(void* block, std::uint32_t size)
{
    HGLOBAL handle = ::GlobalHandle(block);
    ::GlobalUnlock(handle);
    HGLOBAL resized = ::GlobalReAlloc(handle, size, GMEM_MOVEABLE);
    if (!resized) {
        ::GlobalLock(handle);  // the old block stays valid and locked
        return nullptr;
    }
    return ::GlobalLock(resized);
}

void GlobalFreeLocked(void* block)
{
    HGLOBAL handle = ::GlobalHandle(block);
    ::GlobalUnlock(handle);
    ::GlobalFree(handle);
}

HGLOBAL GlobalAllocZeroed(std::uint32_t size) { return ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size); }

void* GlobalLock(HGLOBAL block) { return ::GlobalLock(block); }

void GlobalUnlock(HGLOBAL block) { ::GlobalUnlock(block); }

void GlobalFree(HGLOBAL block) { ::GlobalFree(block); }

std::uint32_t GlobalBlockSize(HGLOBAL block) { return static_cast<std::uint32_t>(::GlobalSize(block)); }

}  // namespace platform
