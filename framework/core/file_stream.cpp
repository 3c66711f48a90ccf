// A stream over a file it opens or creates by name, and closes when destroyed.
#include "framework/core/file_stream.h"

#include "framework/core/class_info.h"
#include "framework/core/exceptions.h"
#include "platform/files.h"

const TClassInfo& TFileStream::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFileStream, THandleStream>("TFileStream").Build();
    return info;
}

namespace {

HANDLE OpenExisting(const std::string& fileName, std::uint16_t mode)
{
    static constexpr DWORD accessModes[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    static constexpr DWORD shareModes[5] = {
        0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
    const unsigned access = mode & 3;
    const unsigned share = (mode & 0xF0) >> 4;
    if (access > 2 || share > 4)
        return INVALID_HANDLE_VALUE;
    return platform::CreateFile(fileName, accessModes[access], shareModes[share], OPEN_EXISTING);
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode, std::uint32_t)
    : THandleStream(INVALID_HANDLE_VALUE)
{
    if (mode == fmCreate) {
        handle_ = platform::CreateFile(fileName, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw EFCreateError(SFCreateError, {fileName});
    } else {
        handle_ = OpenExisting(fileName, mode);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw EFOpenError(SFOpenError, {fileName});
    }
}

TFileStream::~TFileStream()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        platform::CloseHandle(handle_);
}
