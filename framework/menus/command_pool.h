// The process-wide pool of menu command numbers: each menu item holds one 16-bit number, the
// lowest free one when it is made, and gives it back when it goes.
#pragma once

#include <cstdint>

namespace commandpool {

// The lowest free number, now taken; EMenuError when all 65536 are in use.
std::uint16_t Take();
// Gives `command` back (0, the number of the first menu's root, is never given back).
void Release(std::uint16_t command);
// How many numbers are in use.
int InUse();

}  // namespace commandpool
