// The abstract byte stream: whole-buffer reads and writes, position, size, and copying between streams.
#include "framework/core/stream.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "framework/core/class_info.h"
#include "framework/core/exceptions.h"

const TClassInfo& TStream::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStream, TObject>("TStream").Build();
    return info;
}

namespace {

constexpr std::int32_t CopyBufferSize = 0xF000;

void CheckFits32(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw ERangeError(SRangeError);
}

}  // namespace

std::int32_t TStream::Seek32(std::int32_t offset, std::uint16_t origin)
{
    probingSeek_ = true;
    struct EndProbe {
        bool& flag;
        ~EndProbe() { flag = false; }
    } endProbe{probingSeek_};
    return static_cast<std::int32_t>(Seek(static_cast<std::int64_t>(offset), static_cast<TSeekOrigin>(origin)));
}

std::int64_t TStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    if (probingSeek_) {
        probingSeek_ = false;
        throw EStreamError(SSeekNotImplemented, {ClassName()});
    }
    CheckFits32(offset);
    return Seek32(static_cast<std::int32_t>(offset), origin);
}

void TStream::SetSize32(std::int32_t) {}

void TStream::SetSize(std::int64_t newSize)
{
    CheckFits32(newSize);
    SetSize32(static_cast<std::int32_t>(newSize));
}

std::int64_t TStream::Size()
{
    std::int64_t position = Seek(0, soCurrent);
    std::int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::int32_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* buffer, std::int32_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError(SWriteError);
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count <= 0)
        return count;
    const auto bufferSize = static_cast<std::int32_t>(std::min<std::int64_t>(count, CopyBufferSize));
    auto buffer = std::make_unique<char[]>(bufferSize);
    for (std::int64_t remaining = count; remaining > 0;) {
        const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(remaining, bufferSize));
        source.ReadBuffer(buffer.get(), n);
        WriteBuffer(buffer.get(), n);
        remaining -= n;
    }
    return count;
}
