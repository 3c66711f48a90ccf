// The print spooler: the installed printers, a printer's device settings, and the default printer
// named by the system profile.
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform {

// One EnumPrintersA call: `needed` receives the size the records take, `returned` their number.
// False on failure (LastError tells why; ERROR_INSUFFICIENT_BUFFER when `size` was too small).
bool EnumPrinters(DWORD flags, DWORD level, void* buffer, DWORD size, DWORD& needed, DWORD& returned);

HANDLE OpenPrinter(const std::string& device);  // OpenPrinterA; null on failure
bool ClosePrinter(HANDLE printer);
// DocumentPropertiesA without a window or input mode: with mode 0 the size of the device's
// DEVMODE, with DM_OUT_BUFFER the device's current settings written to `out`; negative on failure.
LONG DocumentProperties(HANDLE printer, const std::string& device, DEVMODEA* out, DWORD mode);

// A value of the system profile (GetProfileStringA), at most `size` - 1 bytes.
std::string ProfileString(const std::string& section, const std::string& key, DWORD size);

}  // namespace platform
