// Writing a file in place of another: a new file made next to it, flushed to disk, then moved over
// the old one in one step, so that a failed write leaves the old file as it was.
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform {

// GetTempFileNameA: creates an empty file of a name no other file has in `folder` and returns that
// name; empty when the folder does not exist or takes no new file.
std::string CreateUniqueFile(const std::string& folder, const char* prefix);

// FlushFileBuffers: what was written to `handle` reaches the disk; false when it cannot.
bool FlushFile(HANDLE handle);

// MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH: `source` takes the name
// `target`, replacing the file of that name in one step.
bool MoveFileOver(const std::string& source, const std::string& target);

// GetFileAttributesA / SetFileAttributesA; INVALID_FILE_ATTRIBUTES when the name names nothing.
DWORD FileAttributes(const std::string& name);
bool ChangeFileAttributes(const std::string& name, DWORD attributes);

}  // namespace platform
