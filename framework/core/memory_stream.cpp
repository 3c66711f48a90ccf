// Streams over a block of memory: the read-only base, and the growable block in global memory.
#include "framework/core/memory_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "framework/core/class_info.h"
#include "framework/core/exceptions.h"
#include "platform/memory.h"

const TClassInfo& TCustomMemoryStream::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomMemoryStream, TStream>("TCustomMemoryStream").Build();
    return info;
}

const TClassInfo& TMemoryStream::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMemoryStream, TCustomMemoryStream>("TMemoryStream").Build();
    return info;
}

namespace {

constexpr std::int64_t MemoryDelta = 0x2000;

}  // namespace

std::int32_t TCustomMemoryStream::Read(void* buffer, std::int32_t count)
{
    if (position_ < 0 || count < 0)
        return 0;
    std::int32_t n = size_ - position_;
    if (n <= 0)
        return 0;
    n = std::min(n, count);
    std::memcpy(buffer, static_cast<const char*>(memory_) + position_, n);
    position_ += n;
    return n;
}

std::int32_t TCustomMemoryStream::Seek32(std::int32_t offset, std::uint16_t origin)
{
    // Positions wrap like 32-bit registers rather than overflow.
    auto wrap = [](std::int64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); };
    switch (origin) {
    case soBeginning: position_ = offset; break;
    case soCurrent: position_ = wrap(std::int64_t{position_} + offset); break;
    case soEnd: position_ = wrap(std::int64_t{size_} + offset); break;
    default: break;
    }
    return position_;
}

TMemoryStream::~TMemoryStream() { Clear(); }

void TMemoryStream::Clear()
{
    SetCapacity(0);
    size_ = 0;
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    std::int64_t count = source.Size();
    SetSize(count);
    if (count != 0)
        source.ReadBuffer(memory_, static_cast<std::int32_t>(count));
}

void TMemoryStream::SetCapacity(std::int32_t newCapacity)
{
    SetPointer(Realloc(newCapacity), size_);
    capacity_ = newCapacity;
}

void TMemoryStream::SetSize32(std::int32_t newSize)
{
    std::int32_t oldPosition = position_;
    SetCapacity(newSize);
    size_ = newSize;
    if (oldPosition > newSize)
        Seek32(0, soEnd);
}

void* TMemoryStream::Realloc(std::int32_t& newCapacity)
{
    if (newCapacity > 0 && newCapacity != size_) {
        const std::int64_t rounded = (std::int64_t{newCapacity} + (MemoryDelta - 1)) & ~(MemoryDelta - 1);
        if (rounded > std::numeric_limits<std::int32_t>::max())
            throw EStreamError(SMemoryStreamError);
        newCapacity = static_cast<std::int32_t>(rounded);
    }
    void* result = memory_;
    if (newCapacity == capacity_)
        return result;
    if (newCapacity == 0) {
        platform::GlobalFreeLocked(memory_);
        return nullptr;
    }
    if (newCapacity < 0)
        throw EStreamError(SMemoryStreamError);
    result = capacity_ == 0 ? platform::GlobalAllocLocked(static_cast<std::uint32_t>(newCapacity))
                            : platform::GlobalReAllocLocked(memory_, static_cast<std::uint32_t>(newCapacity));
    if (!result)
        throw EStreamError(SMemoryStreamError);
    return result;
}

std::int32_t TMemoryStream::Write(const void* buffer, std::int32_t count)
{
    if (position_ < 0 || count < 0)
        return 0;
    const std::int64_t end = std::int64_t{position_} + count;
    if (end <= 0 || end > std::numeric_limits<std::int32_t>::max())
        return 0;
    const auto newEnd = static_cast<std::int32_t>(end);
    if (newEnd > size_) {
        if (newEnd > capacity_)
            SetCapacity(newEnd);
        // A write past the end leaves a gap; it reads as zeros, not as whatever the block held.
        if (position_ > size_)
            std::memset(static_cast<char*>(memory_) + size_, 0, position_ - size_);
        size_ = newEnd;
    }
    std::memcpy(static_cast<char*>(memory_) + position_, buffer, count);
    position_ = newEnd;
    return count;
}
