// Files on disk as the end-to-end tests prepare and check them: a scratch folder per test, and whole
// files written and read byte for byte (documents are Shift-JIS bytes, never converted here).
#pragma once

#include <optional>
#include <string>

namespace e2e {

// A new empty folder under the system's temporary folder, removed with its files when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

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

}  // namespace e2e
