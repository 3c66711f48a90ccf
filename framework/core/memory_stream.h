// Streams over a block of memory: the read-only base, and the growable block in global memory.
#pragma once

#include <cstdint>

#include "framework/core/stream.h"

class TCustomMemoryStream : public TStream {
    DECLARE_CLASS(TCustomMemoryStream)
public:
    void* Memory() const { return memory_; }

    // Reads from the position up to the size; a position outside the data reads nothing.
    std::int32_t Read(void* buffer, std::int32_t count) override;
    // Moves without a bounds check: a position past the end reads nothing, and a write there
    // extends the stream.
    std::int32_t Seek32(std::int32_t offset, std::uint16_t origin) override;

protected:
    void SetPointer(void* memory, std::int32_t size)
    {
        memory_ = memory;
        size_ = size;
    }

    void* memory_ = nullptr;
    std::int32_t size_ = 0;
    std::int32_t position_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
    DECLARE_CLASS(TMemoryStream)
public:
    TMemoryStream() = default;
    ~TMemoryStream() override;

    TMemoryStream(const TMemoryStream&) = delete;
    TMemoryStream& operator=(const TMemoryStream&) = delete;

    std::int32_t Capacity() const { return capacity_; }

    // Writes at the position, growing the block (in steps of 8192 bytes) when the data passes its end.
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    // Sets the capacity to exactly what is needed (rounded up to 8192 unless it is the current size);
    // a position past the new end moves to the end.
    void SetSize32(std::int32_t newSize) override;
    // Frees the block: capacity, size and position become 0.
    void Clear();
    // Replaces the contents with the whole of `source`, read from its start.
    void LoadFromStream(TStream& source);

protected:
    // Resizes the block for `newCapacity` bytes and settles the capacity it got; raises EStreamError
    // "メモリストリームの拡大中にメモリが足りなくなりました" when the system has no memory for it.
    virtual void* Realloc(std::int32_t& newCapacity);
    void SetCapacity(std::int32_t newCapacity);

private:
    std::int32_t capacity_ = 0;
};
