// The system's sounds.
#include "platform/sound.h"

#include "platform/win32.h"

namespace platform {

void Beep() { ::MessageBeep(0); }

}  // namespace platform
