// The abstract byte stream: whole-buffer reads and writes, position, size, and copying between streams.
#pragma once

#include <cstdint>

#include "framework/core/object.h"

class TComponent;

// Where a seek counts from; the values are the origin codes streams and files share.
enum TSeekOrigin : std::uint16_t { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream : public TObject {
    DECLARE_CLASS(TStream)
public:
    // Each returns the bytes transferred, which may be fewer than asked for.
    virtual std::int32_t Read(void* buffer, std::int32_t count) = 0;
    virtual std::int32_t Write(const void* buffer, std::int32_t count) = 0;

    // A stream class overrides at least one of the two seeks; each default reaches the other one.
    // The 32-bit one raises "%s.Seek は実装されていません" when the 64-bit one is not overridden either.
    virtual std::int32_t Seek32(std::int32_t offset, std::uint16_t origin);
    // The default accepts only offsets that fit in 32 bits (ERangeError otherwise).
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin);

    // The default of the 32-bit form does nothing; the 64-bit default range-checks and calls it.
    virtual void SetSize32(std::int32_t newSize);
    virtual void SetSize(std::int64_t newSize);

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    // Seeks to the end and back to where it was.
    std::int64_t Size();

    // Reads or writes exactly `count` bytes, or raises EReadError / EWriteError.
    void ReadBuffer(void* buffer, std::int32_t count);
    void WriteBuffer(const void* buffer, std::int32_t count);

    // Copies `count` bytes of `source` from its current position; 0 copies all of it from its start.
    // Returns the number of bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);

    // Reads a form resource ("TPF0" and its root record) from the position into `root`, or into a
    // new instance of the class it names when `root` is none; returns the root.
    TComponent* ReadComponent(TComponent* root);

private:
    // Set while the 32-bit default asks the 64-bit form: reaching the 64-bit default then means
    // that the class overrides neither.
    bool probingSeek_ = false;
};
