// Whether the system takes the newer window styles, icons and messages.
#include "framework/controls/system_style.h"

#include <optional>

#include "platform/screen.h"

namespace {

std::optional<bool>& PinnedNewStyle()
{
    static std::optional<bool> pinned;
    return pinned;
}

}  // namespace

bool NewStyleControls()
{
    std::optional<bool>& pinned = PinnedNewStyle();
    if (!pinned)
        pinned = (platform::SystemVersion() & 0xFF) > 3;
    return *pinned;
}

void SetNewStyleControls(bool value) { PinnedNewStyle() = value; }
