// Copies of device mode blocks, checked against the size of the block they come from.
#include "framework/dialogs/device_mode.h"

#include <cstddef>
#include <cstring>

#include "platform/memory.h"

HGLOBAL CopyDeviceMode(HGLOBAL mode)
{
    std::uint32_t held = platform::GlobalBlockSize(mode);
    if (held < offsetof(DEVMODEA, dmFields))
        return nullptr;  // not even the sizes are there
    auto* source = static_cast<const DEVMODEA*>(platform::GlobalLock(mode));
    if (!source)
        return nullptr;
    std::uint32_t size = std::uint32_t{source->dmSize} + source->dmDriverExtra;
    bool sound = size <= held && source->dmSize > offsetof(DEVMODEA, dmFields);
    HGLOBAL copy = sound ? platform::GlobalAllocZeroed(size) : nullptr;
    if (void* target = copy ? platform::GlobalLock(copy) : nullptr) {
        std::memcpy(target, source, size);
        platform::GlobalUnlock(copy);
    }
    platform::GlobalUnlock(mode);
    return copy;
}
