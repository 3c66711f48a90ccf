// Files by handle: open, create, read, write, seek, truncate and close.
#include "platform/files.h"

namespace platform {

HANDLE CreateFile(const std::string& name, DWORD access, DWORD share, DWORD disposition)
{
    return ::CreateFileA(name.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool CloseHandle(HANDLE handle) { return ::CloseHandle(handle) != FALSE; }

std::uint32_t ReadFile(HANDLE handle, void* buffer, std::uint32_t count)
{
    DWORD done = 0;
    if (!::ReadFile(handle, buffer, count, &done, nullptr))
        return 0;
    return done;
}

std::uint32_t WriteFile(HANDLE handle, const void* buffer, std::uint32_t count)
{
    DWORD done = 0;
    if (!::WriteFile(handle, buffer, count, &done, nullptr))
        return 0;
    return done;
}

std::int64_t SeekFile(HANDLE handle, std::int64_t offset, DWORD origin)
{
    LONG high = static_cast<LONG>(offset >> 32);
    ::SetLastError(NO_ERROR);
    DWORD low = ::SetFilePointer(handle, static_cast<LONG>(offset & 0xFFFFFFFF), &high, origin);
    if (low == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR)
        return -1;
    return (static_cast<std::int64_t>(high) << 32) | low;
}

bool SetEndOfFile(HANDLE handle) { return ::SetEndOfFile(handle) != FALSE; }

bool IsDiskFile(HANDLE handle) { return ::GetFileType(handle) == FILE_TYPE_DISK; }

bool DeleteFile(const std::string& name) { return ::DeleteFileA(name.c_str()) != FALSE; }

bool FileExists(const std::string& name)
{
    DWORD attributes = ::GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string TempDirectory()
{
    char buffer[MAX_PATH + 1];
    DWORD n = ::GetTempPathA(sizeof buffer, buffer);
    return std::string(buffer, n);
}

}  // namespace platform
