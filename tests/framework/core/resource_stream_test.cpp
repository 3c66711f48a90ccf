// Resource streams over this test program's own RCDATA resources: read in place, never written.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/core/exceptions.h"
#include "framework/core/resource_stream.h"
#include "framework/core/string_list.h"

namespace {

const std::string StreamData("Velmora\r\n\x95\x5C\0end", 15);

}  // namespace

TEST(ResourceStream, ReadsTheResourceBytesInPlace)
{
    TResourceStream stream(GetModuleHandleA(nullptr), "STREAMDATA", MAKEINTRESOURCEA(10));
    ASSERT_EQ(stream.Size(), static_cast<std::int64_t>(StreamData.size()));
    std::string bytes(StreamData.size(), '\0');
    stream.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    EXPECT_EQ(bytes, StreamData);

    // The memory is the module's own copy of the resource, not a private one.
    HRSRC info = FindResourceA(nullptr, "STREAMDATA", MAKEINTRESOURCEA(10));
    EXPECT_EQ(stream.Memory(), LockResource(LoadResource(nullptr, info)));

    stream.SetPosition(9);
    char two[2];
    stream.ReadBuffer(two, 2);
    EXPECT_EQ(std::string(two, 2), "表");

    // Names are not case-sensitive, like every resource look-up.
    TResourceStream lower(GetModuleHandleA(nullptr), "streamdata", MAKEINTRESOURCEA(10));
    EXPECT_EQ(lower.Size(), stream.Size());
}

TEST(ResourceStream, LinesOfAResource)
{
    TResourceStream stream(GetModuleHandleA(nullptr), "STREAMDATA", MAKEINTRESOURCEA(10));
    TStringList list;
    list.LoadFromStream(stream);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(0), "Velmora");
    EXPECT_EQ(list.Get(1), "表");
}

TEST(ResourceStream, WritingIsRefused)
{
    TResourceStream stream(GetModuleHandleA(nullptr), "STREAMDATA", MAKEINTRESOURCEA(10));
    try {
        stream.WriteBuffer("x", 1);
        FAIL() << "a resource stream accepted a write";
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message(), "読み込み専用リソース ストリームには書き込めません");
    }
    EXPECT_THROW(stream.Write("x", 0), EStreamError);
    stream.SetPosition(0);
    char first;
    stream.ReadBuffer(&first, 1);
    EXPECT_EQ(first, 'V');
}

TEST(ResourceStream, AMissingResourceIsNamed)
{
    try {
        TResourceStream stream(GetModuleHandleA(nullptr), "NOSUCHFORM", MAKEINTRESOURCEA(10));
        FAIL() << "a missing resource was found";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "NOSUCHFORM リソースが見つかりません");
    }
    // The right name with the wrong type is missing too.
    EXPECT_THROW(TResourceStream(GetModuleHandleA(nullptr), "STREAMDATA", MAKEINTRESOURCEA(3)), EResNotFound);
}

TEST(ResourceStream, AnEmptyResource)
{
    TResourceStream stream(GetModuleHandleA(nullptr), "EMPTYDATA", MAKEINTRESOURCEA(10));
    EXPECT_EQ(stream.Size(), 0);
    char c;
    EXPECT_EQ(stream.Read(&c, 1), 0);
}
