// Resource streams over this test program's own RCDATA resources: read in place, never written.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/core/exceptions.h"
#include "framework/core/resource_stream.h"
#include "tests/framework/core/list_test_support.h"

TEST(ResourceStream, ReadsTheResourceInPlace)
{
    const std::string expected("Velmora\r\n\x95\x5C\0end", 15);
    TResourceStream stream(GetModuleHandleA(nullptr), "streamdata", MAKEINTRESOURCEA(10));
    ASSERT_EQ(stream.Size(), 15);
    HRSRC info = FindResourceA(nullptr, "STREAMDATA", MAKEINTRESOURCEA(10));
    EXPECT_EQ(stream.Memory(), LockResource(LoadResource(nullptr, info)));  // not a copy
    std::string bytes(15, '\0');
    stream.ReadBuffer(bytes.data(), 15);
    EXPECT_EQ(bytes, expected);

    stream.SetPosition(0);
    TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(Entries(list), (Lines{"Velmora", "表"}));

    TResourceStream empty(GetModuleHandleA(nullptr), "EMPTYDATA", MAKEINTRESOURCEA(10));
    EXPECT_EQ(empty.Size(), 0);
}

TEST(ResourceStream, WritingAndMissingResourcesRaise)
{
    TResourceStream stream(GetModuleHandleA(nullptr), "STREAMDATA", MAKEINTRESOURCEA(10));
    EXPECT_EQ(MessageOf<EStreamError>([&] { stream.WriteBuffer("x", 1); }),
              "読み込み専用リソース ストリームには書き込めません");
    EXPECT_EQ(static_cast<const char*>(stream.Memory())[0], 'V');
    EXPECT_EQ(MessageOf<EResNotFound>([] {
                  TResourceStream s(GetModuleHandleA(nullptr), "NOSUCHFORM", MAKEINTRESOURCEA(10));
              }),
              "NOSUCHFORM リソースが見つかりません");
    EXPECT_EQ(MessageOf<EResNotFound>([] {
                  TResourceStream s(GetModuleHandleA(nullptr), "STREAMDATA", MAKEINTRESOURCEA(3));
              }),
              "STREAMDATA リソースが見つかりません");
}
