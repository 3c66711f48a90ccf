// A stream over an operating-system file handle, which it does not own.
#pragma once

#include "framework/core/stream.h"
#include "platform/win32.h"

class THandleStream : public TStream {
    DECLARE_CLASS(THandleStream)
public:
    explicit THandleStream(HANDLE handle) : handle_(handle) {}

    HANDLE Handle() const { return handle_; }

    // A failed read or write transfers 0 bytes.
    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    // The file pointer after the move, or -1 when the system refused it.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    // Moves the file pointer to `newSize` and ends the file there; raises EOSError when it cannot.
    void SetSize32(std::int32_t newSize) override;
    void SetSize(std::int64_t newSize) override;

protected:
    HANDLE handle_;
};
