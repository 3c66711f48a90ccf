// Writing a file in place of another: a unique file next to it, flushed, then moved over it.
#include "platform/file_replace.h"

namespace platform {

std::string CreateUniqueFile(const std::string& folder, const char* prefix)
{
    char name[MAX_PATH + 1] = {};
    if (::GetTempFileNameA(folder.c_str(), prefix, 0, name) == 0)
        return {};
    return name;
}

bool FlushFile(HANDLE handle) { return ::FlushFileBuffers(handle) != FALSE; }

bool MoveFileOver(const std::string& source, const std::string& target)
{
    return ::MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

DWORD FileAttributes(const std::string& name) { return ::GetFileAttributesA(name.c_str()); }

bool ChangeFileAttributes(const std::string& name, DWORD attributes)
{
    return ::SetFileAttributesA(name.c_str(), attributes) != FALSE;
}

}  // namespace platform
