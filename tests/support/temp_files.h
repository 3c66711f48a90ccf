// Files on disk as tests prepare and check them: a private temporary folder per test, and whole
// files written and read byte for byte (documents are Shift-JIS bytes, never converted here).
#pragma once

#include <optional>
#include <string>

namespace testsupport {

// A new empty folder under the system's temporary folder, removed with everything in it when the
// object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The full Windows path of `name` inside the folder.
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

bool WriteFileBytes(const std::string& path, const std::string& bytes);
// The file's bytes; nothing when it does not exist or cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace testsupport
