// Movable global memory blocks, as the clipboard and memory streams use them.
#pragma once

#include <cstdint>

#include "platform/win32.h"

namespace platform {

// Each returns the locked block, or null when the system refused.
void* GlobalAllocLocked(std::uint32_t size);
void* GlobalReAllocLocked(void* block, std::uint32_t size);
void GlobalFreeLocked(void* block);

// Movable blocks handed between the program and the system by handle (device modes).
HGLOBAL GlobalAllocZeroed(std::uint32_t size);  // GMEM_MOVEABLE | GMEM_ZEROINIT; null on failure
void* GlobalLock(HGLOBAL block);
void GlobalUnlock(HGLOBAL block);
void GlobalFree(HGLOBAL block);
// The bytes the block really holds (GlobalSize); 0 for a handle that is no block.
std::uint32_t GlobalBlockSize(HGLOBAL block);

}  // namespace platform
