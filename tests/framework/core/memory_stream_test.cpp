// Memory streams: reads and writes against size and position, capacity in steps of 8192, the exact
// reallocation rules, and loading from another stream.
#include <gtest/gtest.h>

#include "framework/core/exceptions.h"
#include "framework/core/memory_stream.h"
#include "tests/support/message_of.h"

namespace {

std::string Contents(TMemoryStream& stream)
{
    return std::string(static_cast<const char*>(stream.Memory()), stream.Size());
}

}  // namespace

TEST(MemoryStream, CapacityAndTheCurrentSizeCase)
{
    TMemoryStream stream;
    EXPECT_EQ(stream.Memory(), nullptr);
    stream.WriteBuffer("x", 1);
    EXPECT_EQ(stream.Size(), 1);
    EXPECT_EQ(stream.Capacity(), 8192);
    // Setting the current size reallocates to exactly it: no rounding for that request.
    stream.SetSize(1);
    EXPECT_EQ(stream.Capacity(), 1);
    std::string block(8192, 'y');
    stream.WriteBuffer(block.data(), 8192);
    EXPECT_EQ(stream.Capacity(), 16384);
    EXPECT_TRUE(Contents(stream) == "x" + block);

    stream.SetPosition(9000);
    stream.SetSize(100);  // pulls the position back to the new end
    EXPECT_EQ(stream.Position(), 100);
    EXPECT_EQ(stream.Capacity(), 8192);
    stream.SetSize(0);
    EXPECT_EQ(stream.Capacity(), 0);
    EXPECT_EQ(stream.Memory(), nullptr);
}

TEST(MemoryStream, ReadsWritesAndPositionsOutsideTheData)
{
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    char buffer[16] = {};
    stream.SetPosition(4);
    EXPECT_EQ(stream.Read(buffer, 10), 2);
    EXPECT_EQ(stream.Read(buffer, 10), 0);
    stream.SetPosition(-1);
    EXPECT_EQ(stream.Read(buffer, 1), 0);
    EXPECT_EQ(stream.Write("q", 1), 0);
    stream.SetPosition(0);
    EXPECT_EQ(stream.Read(buffer, -1), 0);
    EXPECT_EQ(stream.Write(buffer, -1), 0);
    // A write past the end extends the stream, and the gap reads as zeros.
    stream.Seek32(3, soEnd);
    stream.WriteBuffer("z", 1);
    EXPECT_EQ(Contents(stream), std::string("abcdef\0\0\0z", 10));
}

TEST(MemoryStream, ClearAndLoadFromStream)
{
    TMemoryStream source;
    source.WriteBuffer("0123456789", 10);
    source.SetPosition(5);
    TMemoryStream copy;
    copy.WriteBuffer("old", 3);
    copy.LoadFromStream(source);
    EXPECT_EQ(Contents(copy), "0123456789");
    copy.Clear();
    EXPECT_EQ(copy.Size(), 0);
    EXPECT_EQ(copy.Capacity(), 0);
    EXPECT_EQ(copy.Position(), 0);
}

TEST(MemoryStream, ABlockTheSystemCannotGiveRaisesAndKeepsTheData)
{
    TMemoryStream stream;
    stream.WriteBuffer("keep", 4);
    const std::string noMemory = "メモリストリームの拡大中にメモリが足りなくなりました";
    for (std::int32_t size : {0x7FFFE000, -5}) {
        EXPECT_EQ(MessageOf<EStreamError>([&] { stream.SetSize(size); }), noMemory) << "size " << size;
        EXPECT_EQ(Contents(stream), "keep");
    }
}
