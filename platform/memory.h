// Movable global memory blocks, as the clipboard and memory streams use them.
#pragma once

#include <cstdint>

namespace platform {

// Each returns the locked block, or null when the system refused.
void* GlobalAllocLocked(std::uint32_t size);
void* GlobalReAllocLocked(void* block, std::uint32_t size);
void GlobalFreeLocked(void* block);

}  // namespace platform
