// Forms compiled by the build are embedded as RT_RCDATA resources named after their class in capitals.
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace {

// The bytes of an RT_RCDATA resource of this program; empty when there is none.
std::string ResourceBytes(const char* name)
{
    HRSRC info = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));
    if (!info)
        return {};
    const void* data = LockResource(LoadResource(nullptr, info));
    return std::string(static_cast<const char*>(data), SizeofResource(nullptr, info));
}

TEST(FormResources, EveryFormIsStoredUnderItsClassNameInCapitals)
{
    const char probe[] =
        "TPF0"
        "\x0B"
        "TEmbedProbe"
        "\x0A"
        "EmbedProbe"
        "\x07"
        "Caption"
        "\x12"
        "\x04\x00\x00\x00"
        "\xD5\x30\xA1\x30\xA4\x30\xEB\x30"
        "\x03"
        "Tag"
        "\x02\x07"
        "\x00"
        "\x00";
    EXPECT_EQ(ResourceBytes("TEMBEDPROBE"), std::string(probe, sizeof probe - 1));
    // The system's lookup ignores case, as the form loader relies on.
    EXPECT_EQ(ResourceBytes("TEmbedProbe"), std::string(probe, sizeof probe - 1));

    const char second[] =
        "TPF0"
        "\x0C"
        "TSecondProbe"
        "\x06"
        "Second"
        "\x04"
        "Data"
        "\x0A"
        "\x02\x00\x00\x00"
        "\x00\xFF"
        "\x00"
        "\x00";
    EXPECT_EQ(ResourceBytes("TSECONDPROBE"), std::string(second, sizeof second - 1));
}

TEST(FormResources, TheCompiledFileHoldsTheSameStream)
{
    std::ifstream file(EMBED_PROBE_BIN, std::ios::binary);
    ASSERT_TRUE(file.is_open()) << EMBED_PROBE_BIN;
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes, ResourceBytes("TEMBEDPROBE"));
}

TEST(FormResources, FileNamesAreNotResourceNames)
{
    EXPECT_EQ(ResourceBytes("EMBED_PROBE"), "");
    EXPECT_EQ(ResourceBytes("SECOND_PROBE"), "");
}

}  // namespace
