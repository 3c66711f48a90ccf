// A stream over an operating-system file handle, which it does not own.
#include "framework/core/handle_stream.h"

#include "framework/core/class_info.h"
#include "framework/core/exceptions.h"
#include "platform/files.h"

const TClassInfo& THandleStream::StaticClass()
{
    static const TClassInfo info = TClassBuilder<THandleStream, TStream>("THandleStream").Build();
    return info;
}

std::int32_t THandleStream::Read(void* buffer, std::int32_t count)
{
    if (count < 0)
        return 0;
    return static_cast<std::int32_t>(platform::ReadFile(handle_, buffer, static_cast<std::uint32_t>(count)));
}

std::int32_t THandleStream::Write(const void* buffer, std::int32_t count)
{
    if (count < 0)
        return 0;
    return static_cast<std::int32_t>(platform::WriteFile(handle_, buffer, static_cast<std::uint32_t>(count)));
}

std::int64_t THandleStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    return platform::SeekFile(handle_, offset, origin);
}

void THandleStream::SetSize32(std::int32_t newSize) { SetSize(static_cast<std::int64_t>(newSize)); }

void THandleStream::SetSize(std::int64_t newSize)
{
    // A refused move would leave the pointer where it was, and ending the file there loses data.
    if (Seek(newSize, soBeginning) < 0 || !platform::SetEndOfFile(handle_))
        RaiseLastOSError();
}
