// Memory streams: reads and writes against size and position, capacity in steps of 8192, the
// exact reallocation rules, and loading from another stream.
#include <gtest/gtest.h>

#include "framework/core/exceptions.h"
#include "framework/core/memory_stream.h"

namespace {

std::string Contents(TMemoryStream& stream)
{
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

}  // namespace

TEST(MemoryStream, CapacityGrowsInStepsOf8192)
{
    TMemoryStream stream;
    EXPECT_EQ(stream.Capacity(), 0);
    EXPECT_EQ(stream.Memory(), nullptr);
    stream.WriteBuffer("x", 1);
    EXPECT_EQ(stream.Size(), 1);
    EXPECT_EQ(stream.Capacity(), 8192);
    std::string block(8191, 'y');
    stream.WriteBuffer(block.data(), 8191);
    EXPECT_EQ(stream.Capacity(), 8192);
    stream.WriteBuffer("z", 1);
    EXPECT_EQ(stream.Size(), 8193);
    EXPECT_EQ(stream.Capacity(), 16384);
    EXPECT_EQ(Contents(stream), "x" + block + "z");
}

TEST(MemoryStream, SettingTheCurrentSizeShrinksTheBlockToExactlyIt)
{
    TMemoryStream stream;
    stream.WriteBuffer("x", 1);
    stream.SetSize(1);
    EXPECT_EQ(stream.Capacity(), 1);
    EXPECT_EQ(Contents(stream), "x");
    stream.WriteBuffer("y", 1);  // growing again rounds up
    EXPECT_EQ(stream.Capacity(), 8192);
    EXPECT_EQ(Contents(stream), "xy");
}

TEST(MemoryStream, SetSizeRoundsAndPullsThePositionBack)
{
    TMemoryStream stream;
    stream.SetSize(10000);
    EXPECT_EQ(stream.Size(), 10000);
    EXPECT_EQ(stream.Capacity(), 16384);
    stream.SetPosition(9000);
    stream.SetSize(100);
    EXPECT_EQ(stream.Position(), 100);
    EXPECT_EQ(stream.Capacity(), 8192);
    stream.SetPosition(50);
    stream.SetSize(60);
    EXPECT_EQ(stream.Position(), 50);
    stream.SetSize(0);
    EXPECT_EQ(stream.Capacity(), 0);
    EXPECT_EQ(stream.Memory(), nullptr);
    EXPECT_EQ(stream.Position(), 0);
}

TEST(MemoryStream, ReadsStopAtTheEndAndBadPositionsTransferNothing)
{
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    char buffer[16] = {};
    stream.SetPosition(4);
    EXPECT_EQ(stream.Read(buffer, 10), 2);
    EXPECT_EQ(std::string(buffer, 2), "ef");
    EXPECT_EQ(stream.Read(buffer, 10), 0);
    stream.SetPosition(100);
    EXPECT_EQ(stream.Read(buffer, 10), 0);
    stream.SetPosition(-1);
    EXPECT_EQ(stream.Read(buffer, 1), 0);
    EXPECT_EQ(stream.Write("q", 1), 0);
    stream.SetPosition(0);
    EXPECT_EQ(stream.Read(buffer, -1), 0);
    EXPECT_EQ(stream.Write(buffer, -1), 0);
    EXPECT_EQ(Contents(stream), "abcdef");
}

TEST(MemoryStream, AWritePastTheEndExtendsItWithZeros)
{
    TMemoryStream stream;
    stream.WriteBuffer("ab", 2);
    stream.Seek32(3, soEnd);
    stream.WriteBuffer("z", 1);
    EXPECT_EQ(Contents(stream), std::string("ab\0\0\0z", 6));
    stream.SetPosition(1);
    stream.WriteBuffer("B", 1);  // an overwrite inside keeps the size
    EXPECT_EQ(Contents(stream), std::string("aB\0\0\0z", 6));
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
    EXPECT_EQ(copy.Position(), 3);  // the position is kept where it was
    copy.Clear();
    EXPECT_EQ(copy.Size(), 0);
    EXPECT_EQ(copy.Capacity(), 0);
    EXPECT_EQ(copy.Position(), 0);

    TMemoryStream empty;
    copy.LoadFromStream(empty);
    EXPECT_EQ(copy.Size(), 0);
}

TEST(MemoryStream, ABlockTheSystemCannotGiveRaisesAndKeepsTheData)
{
    TMemoryStream stream;
    stream.WriteBuffer("keep", 4);
    EXPECT_THROW(stream.SetSize(0x7FFFF000), EStreamError);
    EXPECT_EQ(stream.Size(), 4);
    EXPECT_EQ(Contents(stream), "keep");
    try {
        stream.SetSize(-5);
        FAIL() << "a negative size was accepted";
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message(), "メモリストリームの拡大中にメモリが足りなくなりました");
    }
    EXPECT_EQ(Contents(stream), "keep");
}
