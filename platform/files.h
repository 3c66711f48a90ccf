// Files by handle: open, create, read, write, seek, truncate and close.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

namespace platform {

// Returns INVALID_HANDLE_VALUE on failure (LastError tells why).
HANDLE CreateFile(const std::string& name, DWORD access, DWORD share, DWORD disposition);
bool CloseHandle(HANDLE handle);

// Each returns the bytes transferred; 0 when the call failed.
std::uint32_t ReadFile(HANDLE handle, void* buffer, std::uint32_t count);
std::uint32_t WriteFile(HANDLE handle, const void* buffer, std::uint32_t count);

// SetFilePointer with a 64-bit offset; returns the new position, or -1 on failure.
std::int64_t SeekFile(HANDLE handle, std::int64_t offset, DWORD origin);
bool SetEndOfFile(HANDLE handle);

// True when `handle` is a file on a disk, not a device, a pipe or a console (GetFileType).
bool IsDiskFile(HANDLE handle);

bool DeleteFile(const std::string& name);
bool FileExists(const std::string& name);
std::string TempDirectory();

}  // namespace platform
