// A stream over a file it opens or creates by name, and closes when destroyed.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/handle_stream.h"

// File stream modes: fmCreate alone, or one access value combined with one share value.
constexpr std::uint16_t fmCreate = 0xFFFF;
constexpr std::uint16_t fmOpenRead = 0x0000;
constexpr std::uint16_t fmOpenWrite = 0x0001;
constexpr std::uint16_t fmOpenReadWrite = 0x0002;
constexpr std::uint16_t fmShareCompat = 0x0000;
constexpr std::uint16_t fmShareExclusive = 0x0010;
constexpr std::uint16_t fmShareDenyWrite = 0x0020;
constexpr std::uint16_t fmShareDenyRead = 0x0030;
constexpr std::uint16_t fmShareDenyNone = 0x0040;

class TFileStream : public THandleStream {
    DECLARE_CLASS(TFileStream)
public:
    // fmCreate creates the file (truncating one that exists) for reading and writing, shared with
    // no one; `rights` is accepted and ignored. Any other mode opens an existing file. Raises
    // EFCreateError "ファイル %s を作成できません" or EFOpenError "ファイル %s は開けません".
    TFileStream(const std::string& fileName, std::uint16_t mode, std::uint32_t rights = 0);
    ~TFileStream() override;

    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;
};
