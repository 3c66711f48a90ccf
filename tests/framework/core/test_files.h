// Real files for the tests: the shipped test documents, a private temporary folder, whole-file I/O.
#pragma once

#include <string>

// Path of test document `name` (tests/data).
std::string TestDataPath(const std::string& name);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExistsAt(const std::string& path);

// A new empty folder under the system's temporary folder, removed with its files at the end.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};
