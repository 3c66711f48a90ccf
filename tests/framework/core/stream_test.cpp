// What every stream inherits: the pairing of the two seek and set-size forms, whole-buffer reads
// and writes, position and size, and copying between streams.
#include <numeric>

#include <gtest/gtest.h>

#include "framework/core/classinfo.h"
#include "framework/core/exceptions.h"
#include "framework/core/memory_stream.h"

namespace {

template <class E, class F>
std::string MessageOf(F action)
{
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    return "(no exception)";
}

// Overrides neither seek.
class TNoSeekStream : public TStream {
    DECLARE_CLASS(TNoSeekStream)
public:
    std::int32_t Read(void*, std::int32_t) override { return 0; }
    std::int32_t Write(const void*, std::int32_t count) override { return count; }
};

// Overrides only the 64-bit seek, and records what reaches it.
class TWideStream : public TStream {
    DECLARE_CLASS(TWideStream)
public:
    std::int64_t lastOffset = 0;
    int lastOrigin = -1;
    std::int32_t Read(void*, std::int32_t) override { return 0; }
    std::int32_t Write(const void*, std::int32_t count) override { return count; }
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override
    {
        lastOffset = offset;
        lastOrigin = origin;
        return offset + 0x100000000LL;
    }
};

// Counts the calls that reach Read and Write.
class TCountingStream : public TMemoryStream {
public:
    int reads = 0;
    int writes = 0;
    std::int32_t Read(void* buffer, std::int32_t count) override
    {
        ++reads;
        return TMemoryStream::Read(buffer, count);
    }
    std::int32_t Write(const void* buffer, std::int32_t count) override
    {
        ++writes;
        return TMemoryStream::Write(buffer, count);
    }
};

std::string Bytes(std::size_t n)
{
    std::string bytes(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

std::string Contents(const TMemoryStream& stream)
{
    std::int32_t size = const_cast<TMemoryStream&>(stream).Size();
    return std::string(static_cast<const char*>(stream.Memory()), size);
}

}  // namespace

const TClassInfo& TNoSeekStream::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TNoSeekStream, TStream>("TNoSeekStream").Build();
    return info;
}

const TClassInfo& TWideStream::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWideStream, TStream>("TWideStream").Build();
    return info;
}

TEST(StreamSeek, AClassWithoutASeekSaysSoByName)
{
    TNoSeekStream stream;
    EXPECT_EQ(MessageOf<EStreamError>([&] { stream.Seek32(0, soBeginning); }), "TNoSeekStream.Seek は実装されていません");
    EXPECT_EQ(MessageOf<EStreamError>([&] { stream.Seek(0, soEnd); }), "TNoSeekStream.Seek は実装されていません");
    EXPECT_EQ(MessageOf<EStreamError>([&] { stream.Position(); }), "TNoSeekStream.Seek は実装されていません");
    // The failed probe leaves nothing behind: the next call fails the same way.
    EXPECT_THROW(stream.Seek32(0, soCurrent), EStreamError);
}

TEST(StreamSeek, The32BitFormsReachA64BitOverride)
{
    TWideStream stream;
    EXPECT_EQ(stream.Seek32(-5, soEnd), -5);  // sign-extended offset; the 32-bit result is cut
    EXPECT_EQ(stream.lastOffset, -5);
    EXPECT_EQ(stream.lastOrigin, soEnd);
    // A second call after a successful probe still reaches the override.
    EXPECT_EQ(stream.Seek32(7, soCurrent), 7);
}

TEST(StreamSeek, The64BitFormsReachA32BitOverrideWithinRange)
{
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    EXPECT_EQ(stream.Seek(-2, soEnd), 4);
    EXPECT_EQ(stream.Seek(1, soCurrent), 5);
    EXPECT_EQ(stream.Seek(0x7FFFFFFFLL, soBeginning), 0x7FFFFFFF);
    EXPECT_EQ(MessageOf<ERangeError>([&] { stream.Seek(0x80000000LL, soBeginning); }), "範囲チェックエラー");
    EXPECT_EQ(MessageOf<ERangeError>([&] { stream.Seek(-0x80000001LL, soBeginning); }), "範囲チェックエラー");
    EXPECT_EQ(MessageOf<ERangeError>([&] { stream.SetSize(0x100000000LL); }), "範囲チェックエラー");
    EXPECT_EQ(stream.Size(), 6);
}

TEST(StreamSize, SizeLeavesThePositionWhereItWas)
{
    TMemoryStream stream;
    stream.WriteBuffer("0123456789", 10);
    stream.SetPosition(3);
    EXPECT_EQ(stream.Size(), 10);
    EXPECT_EQ(stream.Position(), 3);
}

TEST(StreamBuffers, ShortTransfersRaiseAndEmptyOnesDoNothing)
{
    TCountingStream stream;
    stream.WriteBuffer("abc", 0);
    stream.ReadBuffer(nullptr, 0);
    EXPECT_EQ(stream.writes, 0);
    EXPECT_EQ(stream.reads, 0);

    stream.WriteBuffer("abc", 3);
    stream.SetPosition(1);
    char buffer[8];
    EXPECT_EQ(MessageOf<EReadError>([&] { stream.ReadBuffer(buffer, 3); }), "ストリームからの読み込みエラー");

    TNoSeekStream refusing;
    EXPECT_NO_THROW(refusing.WriteBuffer("abc", 3));
    EXPECT_THROW(refusing.ReadBuffer(buffer, 1), EReadError);
}

TEST(StreamCopy, ZeroCopiesTheWholeSourceFromItsStart)
{
    TMemoryStream source;
    const std::string bytes = Bytes(1000);
    source.WriteBuffer(bytes.data(), 1000);
    source.SetPosition(600);
    TMemoryStream target;
    target.WriteBuffer("head", 4);
    EXPECT_EQ(target.CopyFrom(source, 0), 1000);
    EXPECT_EQ(Contents(target), "head" + bytes);
    EXPECT_EQ(source.Position(), 1000);
}

TEST(StreamCopy, ACountCopiesFromTheCurrentPositionInBufferSizedPieces)
{
    TCountingStream source;
    const std::string bytes = Bytes(200000);
    source.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    source.SetPosition(100);
    source.reads = 0;
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 150000), 150000);
    EXPECT_EQ(Contents(target), bytes.substr(100, 150000));
    EXPECT_EQ(source.reads, 3);  // 61440 + 61440 + 27120

    TMemoryStream shortSource;
    shortSource.WriteBuffer("abc", 3);
    shortSource.SetPosition(0);
    EXPECT_THROW(target.CopyFrom(shortSource, 10), EReadError);
}
