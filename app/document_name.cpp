// How the editor names its document: the file name from the command line and the caption.
#include "app/document_name.h"

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
