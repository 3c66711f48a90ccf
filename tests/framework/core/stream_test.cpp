// What every stream inherits: the pairing of the two seek forms, whole-buffer reads and writes,
// position and size, and copying between streams.
#include <gtest/gtest.h>

#include "framework/core/class_info.h"
#include "framework/core/exceptions.h"
#include "framework/core/memory_stream.h"
#include "tests/framework/core/list_test_support.h"
#include "tests/support/test_class.h"

namespace {

// Overrides neither seek.
class TNoSeekStream : public TStream {
    DECLARE_TEST_CLASS(TNoSeekStream, TStream)
public:
    std::int32_t Read(void*, std::int32_t) override { return 0; }
    std::int32_t Write(const void*, std::int32_t count) override { return count; }
};

// Overrides only the 64-bit seek.
class TWideStream : public TNoSeekStream {
public:
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override { return offset + origin + 0x100000000LL; }
};

// Counts the reads that reach it.
class TCountingStream : public TMemoryStream {
public:
    int reads = 0;
    std::int32_t Read(void* buffer, std::int32_t count) override
    {
        ++reads;
        return TMemoryStream::Read(buffer, count);
    }
};

std::string Contents(TMemoryStream& stream)
{
    return std::string(static_cast<const char*>(stream.Memory()), stream.Size());
}

}  // namespace

TEST(Stream, SeekFormsReachEachOther)
{
    TNoSeekStream none;
    const std::string notImplemented = "TNoSeekStream.Seek は実装されていません";
    EXPECT_EQ(MessageOf<EStreamError>([&] { none.Seek32(0, soBeginning); }), notImplemented);
    EXPECT_EQ(MessageOf<EStreamError>([&] { none.Position(); }), notImplemented);
    EXPECT_EQ(MessageOf<EStreamError>([&] { none.Seek32(0, soCurrent); }), notImplemented);

    TWideStream wide;
    EXPECT_EQ(wide.Seek32(-5, soEnd), -3);  // sign-extended offset, 32-bit result
    EXPECT_EQ(wide.Seek32(7, soCurrent), 8);

    TMemoryStream memory;
    memory.WriteBuffer("abcdef", 6);
    EXPECT_EQ(memory.Seek(-2, soEnd), 4);
    EXPECT_EQ(memory.Seek(0x7FFFFFFFLL, soBeginning), 0x7FFFFFFF);
    EXPECT_EQ(MessageOf<ERangeError>([&] { memory.Seek(0x80000000LL, soBeginning); }), "範囲チェックエラー");
    EXPECT_EQ(MessageOf<ERangeError>([&] { memory.Seek(-0x80000001LL, soCurrent); }), "範囲チェックエラー");
    EXPECT_EQ(MessageOf<ERangeError>([&] { memory.SetSize(0x100000000LL); }), "範囲チェックエラー");
    memory.SetPosition(3);
    EXPECT_EQ(memory.Size(), 6);
    EXPECT_EQ(memory.Position(), 3);
}

TEST(Stream, WholeBuffers)
{
    TCountingStream stream;
    stream.ReadBuffer(nullptr, 0);
    EXPECT_EQ(stream.reads, 0);
    stream.WriteBuffer("abc", 3);
    stream.SetPosition(1);
    char buffer[8];
    EXPECT_EQ(MessageOf<EReadError>([&] { stream.ReadBuffer(buffer, 3); }), "ストリームからの読み込みエラー");
    TNoSeekStream refusing;
    EXPECT_EQ(MessageOf<EReadError>([&] { refusing.ReadBuffer(buffer, 1); }), "ストリームからの読み込みエラー");
}

TEST(Stream, CopyFrom)
{
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    TCountingStream source;
    source.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));

    // 0 copies the whole source from its start, whatever its position.
    source.SetPosition(600);
    TMemoryStream whole;
    whole.WriteBuffer("head", 4);
    EXPECT_EQ(whole.CopyFrom(source, 0), 200000);
    EXPECT_TRUE(Contents(whole) == "head" + bytes);

    // A count copies from the current position, in pieces of 61440 bytes.
    source.SetPosition(100);
    source.reads = 0;
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(source, 150000), 150000);
    EXPECT_TRUE(Contents(part) == bytes.substr(100, 150000));
    EXPECT_EQ(source.reads, 3);

    source.SetPosition(199990);
    EXPECT_THROW(part.CopyFrom(source, 20), EReadError);
}
