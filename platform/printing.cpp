// The print spooler: the installed printers, a printer's device settings, and the default printer
// named by the system profile.
#include "platform/printing.h"

#include <vector>

#include "platform/on_demand.h"

namespace platform {

namespace {

constexpr const char* Spooler = "winspool.drv";

}  // namespace

bool EnumPrinters(DWORD flags, DWORD level, void* buffer, DWORD size, DWORD& needed, DWORD& returned)
{
    needed = 0;
    returned = 0;
    static auto* const call = OnDemand<decltype(::EnumPrintersA)>(Spooler, "EnumPrintersA");
    return call && call(flags, nullptr, level, static_cast<BYTE*>(buffer), size, &needed, &returned) != FALSE;
}

HANDLE OpenPrinter(const std::string& device)
{
    static auto* const call = OnDemand<decltype(::OpenPrinterA)>(Spooler, "OpenPrinterA");
    HANDLE printer = nullptr;
    std::string name = device;
    if (!call || !call(name.data(), &printer, nullptr))
        return nullptr;
    return printer;
}

bool ClosePrinter(HANDLE printer)
{
    static auto* const call = OnDemand<decltype(::ClosePrinter)>(Spooler, "ClosePrinter");
    return call && call(printer) != FALSE;
}

LONG DocumentProperties(HANDLE printer, const std::string& device, DEVMODEA* out, DWORD mode)
{
    static auto* const call = OnDemand<decltype(::DocumentPropertiesA)>(Spooler, "DocumentPropertiesA");
    std::string name = device;
    return call ? call(nullptr, printer, name.data(), out, nullptr, mode) : -1;
}

std::string ProfileString(const std::string& section, const std::string& key, DWORD size)
{
    std::vector<char> buffer(size + 1, '\0');
    DWORD length = ::GetProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), size);
    return std::string(buffer.data(), length);
}

}  // namespace platform
