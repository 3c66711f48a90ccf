// How the editor names its document: the file name from the command line, the caption, and the
// names that are devices rather than files.
#include "app/document_name.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "framework/core/double_byte.h"

const char* const CaptionSuffix = " :  Velmora";

std::string FileTitle(const std::string& path)
{
    std::size_t delimiter = dbcs::FindLastOf(path, "\\:");
    return delimiter == dbcs::npos ? path : path.substr(delimiter + 1);
}

std::string MainCaption(const std::string& title) { return title + CaptionSuffix; }

std::string FileNameFromCommandLine(const std::string& commandLine, std::size_t modulePathLength)
{
    // The quoted module path and the blank after it: two quotes and the blank.
    const std::size_t prefix = modulePathLength + 3;
    std::string name = commandLine.size() > prefix ? commandLine.substr(prefix) : std::string();
    if (!name.empty() && name.front() == '"')
        name.erase(0, 1);
    if (!name.empty() && name.back() == '"')
        name.pop_back();
    return name;
}

namespace {

// The names the system keeps for its devices, in any folder and with any extension.
constexpr std::array<std::string_view, 24> DeviceNames = {
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",   "COM8",
    "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9", "CONIN$", "CONOUT$"};

bool SameAsciiLetters(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return (x >= 'a' && x <= 'z' ? x - 'a' + 'A' : x) == y;
    });
}

}  // namespace

bool IsDeviceName(const std::string& fileName)
{
    const std::size_t delimiter = dbcs::FindLastOf(fileName, "\\/:");
    std::string_view base(fileName);
    if (delimiter != dbcs::npos)
        base.remove_prefix(delimiter + 1);
    // "aux.txt" and "aux .txt" are AUX too: the name counts up to its first dot, less trailing blanks.
    base = base.substr(0, dbcs::FindChar(base, '.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    return std::any_of(DeviceNames.begin(), DeviceNames.end(), [&](std::string_view device) {
        return SameAsciiLetters(base, device);
    });
}
