// Reading and writing a document's file whole, losing nothing when either fails.
#include "app/document_storage.h"

#include <cstring>
#include <limits>
#include <memory>

#include "app/document_name.h"
#include "framework/core/double_byte.h"
#include "framework/core/exceptions.h"
#include "framework/core/file_stream.h"
#include "framework/core/strings.h"
#include "platform/file_replace.h"
#include "platform/files.h"

void LoadDocument(TStrings& lines, const std::string& fileName)
{
    // A device is no document: reading one would wait on it or read without end.
    if (IsDeviceName(fileName))
        throw EFOpenError(SFOpenError, {fileName});
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    if (!platform::IsDiskFile(file.Handle()))
        throw EFOpenError(SFOpenError, {fileName});
    const std::int64_t size = file.Size();
    if (size > std::numeric_limits<std::int32_t>::max())
        throw EReadError(SReadError);
    const auto count = static_cast<std::int32_t>(size);
    auto text = std::make_unique_for_overwrite<char[]>(count);
    file.ReadBuffer(text.get(), count);
    if (std::memchr(text.get(), '\0', count))
        throw EFOpenError(SDocumentHasZeroByte, {fileName});
    TUpdateBracket update(lines);
    lines.SetText(std::string_view(text.get(), count));
}

namespace {

// The folder part of a file name, where a new file is made beside it ("." for a bare name).
std::string FolderOf(const std::string& fileName)
{
    const std::size_t delimiter = dbcs::FindLastOf(fileName, "\\/:");
    return delimiter == dbcs::npos ? std::string(".") : fileName.substr(0, delimiter + 1);
}

// A file that exists must take writing, as it would if it were written in place: read-only files,
// files another program holds and folders are refused before anything is written.
bool TakesWriting(const std::string& fileName)
{
    const DWORD attributes = platform::FileAttributes(fileName);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
        return false;
    HANDLE probe = platform::CreateFile(fileName, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (probe == INVALID_HANDLE_VALUE)
        return false;
    platform::CloseHandle(probe);
    return true;
}

// The new file beside the old one: removed again unless it took the old one's name.
class ReplacementFile {
public:
    explicit ReplacementFile(std::string name) : name_(std::move(name)) {}
    ~ReplacementFile()
    {
        if (!name_.empty())
            platform::DeleteFile(name_);
    }
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    const std::string& Name() const { return name_; }
    bool MoveOver(const std::string& target)
    {
        if (!platform::MoveFileOver(name_, target))
            return false;
        name_.clear();
        return true;
    }

private:
    std::string name_;
};

}  // namespace

void SaveDocument(const TStrings& lines, const std::string& fileName)
{
    if (fileName.empty() || IsDeviceName(fileName) || !TakesWriting(fileName))
        throw EFCreateError(SFCreateError, {fileName});
    const std::string made = platform::CreateUniqueFile(FolderOf(fileName), "vel");
    if (made.empty())
        throw EFCreateError(SFCreateError, {fileName});
    ReplacementFile replacement(made);
    try {
        TFileStream file(replacement.Name(), fmCreate);
        lines.SaveToStream(file);
        if (!platform::FlushFile(file.Handle()))
            throw EWriteError(SWriteError);
    } catch (const EFCreateError&) {
        throw EFCreateError(SFCreateError, {fileName});
    } catch (const EWriteError&) {
        throw EWriteError(SDocumentWriteError, {fileName});
    }
    // A hidden or system file stays so.
    const DWORD attributes = platform::FileAttributes(fileName);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        platform::ChangeFileAttributes(replacement.Name(), attributes);
    if (!replacement.MoveOver(fileName))
        throw EFCreateError(SFCreateError, {fileName});
}
