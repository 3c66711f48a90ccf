// The system's sounds.
#pragma once

namespace platform {

// MessageBeep(0): the system's default sound, as a program gives it to confirm a key.
void Beep();

}  // namespace platform
