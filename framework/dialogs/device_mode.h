// Copies of device mode blocks, as the print dialogs hand them to the system.
#pragma once

#include "platform/win32.h"

// A copy of the device mode block `mode`: its public part and the driver's own bytes. Null when the
// block is no device mode (too short to hold its fields), or smaller than its dmSize and
// dmDriverExtra claim: a damaged block is never read past its end.
HGLOBAL CopyDeviceMode(HGLOBAL mode);
