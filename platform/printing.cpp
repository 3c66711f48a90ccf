// The print spooler: the installed printers, a printer's device settings, and the default printer
// named by the system profile.
#include "platform/printing.h"

#include <vector>

namespace platform {

bool EnumPrinters(DWORD flags, DWORD level, void* buffer, DWORD size, DWORD& needed, DWORD& returned)
{
    needed = 0;
    returned = 0;
    return ::EnumPrintersA(flags, nullptr, level, static_cast<BYTE*>(buffer), size, &needed, &returned) != FALSE;
}

HANDLE OpenPrinter(const std::string& device)
{
    HANDLE printer = nullptr;
    std::string name = device;
    if (!::OpenPrinterA(name.data(), &printer, nullptr))
        return nullptr;
    return printer;
}

bool ClosePrinter(HANDLE printer) { return ::ClosePrinter(printer) != FALSE; }

LONG DocumentProperties(HANDLE printer, const std::string& device, DEVMODEA* out, DWORD mode)
{
    std::string name = device;
    return ::DocumentPropertiesA(nullptr, printer, name.data(), out, nullptr, mode);
}

std::string ProfileString(const std::string& section, const std::string& key, DWORD size)
{
    std::vector<char> buffer(size + 1, '\0');
    DWORD length = ::GetProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), size);
    return std::string(buffer.data(), length);
}

}  // namespace platform
