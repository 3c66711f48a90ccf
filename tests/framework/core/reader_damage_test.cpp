// Damaged form resources: truncated, with unknown tags, lengths past the end, deep nesting and random
// changes. Every read ends normally or with the reader's exception, and gives all its memory back.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>

#include "framework/core/class_registry.h"
#include "framework/core/fixups.h"
#include "framework/core/memory_stream.h"
#include "framework/core/resource_stream.h"
#include "platform/module.h"
#include "tests/framework/core/form_bytes.h"
#include "tests/framework/core/reader_fixtures.h"
#include "tests/support/alloc_counter.h"

namespace {

std::string FormResource()
{
    TResourceStream stream(platform::MainInstance(), "TREADFORM", RT_RCDATA);
    std::string bytes(static_cast<std::size_t>(stream.Size()), '\0');
    stream.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    return bytes;
}

enum class Outcome { Read, Failed };

// Reads `bytes` into a fresh form; anything but a framework exception fails the test.
Outcome Attempt(const std::string& bytes, std::string* message = nullptr)
{
    TMemoryStream stream;
    stream.Write(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    stream.SetPosition(0);
    auto form = std::make_unique<TReadForm>(nullptr);
    try {
        stream.ReadComponent(form.get());
        return Outcome::Read;
    } catch (const Exception& e) {
        if (message)
            *message = e.Message();
        return Outcome::Failed;
    }
}

class DamagedResource : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterComponentClass(TGadget::StaticClass());
        RegisterWidgetColorMap();
        original_ = FormResource();
        ASSERT_EQ(Attempt(original_), Outcome::Read);  // also makes the one-time statics
        ForgetJournal();
        liveBefore_ = testsupport::LiveAllocations();
    }
    void TearDown() override
    {
        ForgetJournal();
        EXPECT_EQ(testsupport::LiveAllocations(), liveBefore_) << "a damaged read leaked memory";
        EXPECT_EQ(GlobalFixupCount(), 0);
    }

    // The fixtures' journal grows with every read; it is not the reader's memory.
    static void ForgetJournal() { std::vector<std::string>().swap(ReaderJournal()); }

    std::string original_;
    std::size_t liveBefore_ = 0;
};

TEST_F(DamagedResource, EveryTruncationFailsWithTheReadError)
{
    for (std::size_t length = 0; length < original_.size(); ++length) {
        std::string message;
        ASSERT_EQ(Attempt(original_.substr(0, length), &message), Outcome::Failed) << "length " << length;
        EXPECT_NE(message.find("ストリームからの読み込みエラー"), std::string::npos)
            << "length " << length << ": " << message;
    }
}

TEST_F(DamagedResource, UnknownTagsAreInvalidValues)
{
    for (int tag : {21, 0x7F, 0xEF, 0xFF}) {
        std::string message;
        ASSERT_EQ(
            Attempt(
                FormBytes()
                    .Signature()
                    .Object("TReadForm", "F")
                    .End()
                    .Object("TWidget", "Widget1")
                    .Prop("Count")
                    .Byte(static_cast<std::uint8_t>(tag))
                    .End()
                    .End()
                    .End()
                    .bytes,
                &message),
            Outcome::Failed);
        EXPECT_EQ(message, "Widget1.Count の読み込み中のエラー : 不正なプロパティの値です") << "tag " << tag;
    }
}

TEST_F(DamagedResource, LengthsPastTheEndAreRefusedBeforeAllocating)
{
    for (TValueType tag : {vaLString, vaUTF8String, vaWString, vaBinary}) {
        FormBytes b;
        b.Signature().Object("TReadForm", "F").End().Object("TWidget", "Widget1");
        b.Prop(tag == vaBinary ? "Picture.Data" : "Caption").Byte(tag).Bits<std::int32_t>(0x7FFFFFF0);
        b.Raw("abc");
        std::string message;
        ASSERT_EQ(Attempt(b.bytes, &message), Outcome::Failed) << "tag " << int(tag);
        EXPECT_NE(message.find("ストリームからの読み込みエラー"), std::string::npos) << message;
        FormBytes negative;
        negative.Signature().Object("TReadForm", "F").End().Object("TWidget", "Widget1");
        negative.Prop("Caption").Byte(tag).Bits<std::int32_t>(-2).Raw("abcdef");
        EXPECT_EQ(Attempt(negative.bytes), Outcome::Failed);
    }
}

TEST_F(DamagedResource, DeepNestingIsRefusedWithoutExhaustingTheStack)
{
    FormBytes lists;
    lists.Signature().Object("TReadForm", "F").End().Object("TWidget", "Widget1").Prop("Nope");
    for (int i = 0; i < 100000; ++i)
        lists.Byte(vaList);
    std::string message;
    EXPECT_EQ(Attempt(lists.bytes, &message), Outcome::Failed);
    EXPECT_NE(message.find("ストリームからの読み込みエラー"), std::string::npos) << message;

    FormBytes records;
    records.Signature().Object("TReadForm", "F").End();
    for (int i = 0; i < 20000; ++i)
        records.Object("TWidget", Format("W%d", {i})).End();
    EXPECT_EQ(Attempt(records.bytes, &message), Outcome::Failed);
    EXPECT_NE(message.find("ストリームからの読み込みエラー"), std::string::npos) << message;

    FormBytes collections;
    collections.Signature().Object("TReadForm", "F").End().Object("TWidget", "Widget1");
    for (int i = 0; i < 20000; ++i)
        collections.Prop("Panels").Byte(vaCollection).Byte(vaList);
    EXPECT_EQ(Attempt(collections.bytes), Outcome::Failed);
}

TEST_F(DamagedResource, ThousandsOfRandomMutationsNeverCrashOrLeak)
{
    std::mt19937 random(20261207);
    int read = 0, failed = 0;
    for (int round = 0; round < 10000; ++round) {
        std::string bytes = original_;
        int changes = 1 + static_cast<int>(random() % 4);
        for (int c = 0; c < changes; ++c) {
            std::size_t at = random() % bytes.size();
            switch (random() % 3) {
            case 0: bytes[at] = static_cast<char>(random()); break;
            case 1: bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8))); break;
            default: {
                std::size_t end = std::min(bytes.size(), at + 1 + random() % 8);
                bytes.erase(bytes.begin() + at, bytes.begin() + end);
            } break;
            }
            if (bytes.empty())
                bytes = "T";
        }
        (Attempt(bytes) == Outcome::Read ? read : failed)++;
    }
    EXPECT_GT(failed, 0);
    std::printf("mutated reads: %d read, %d failed\n", read, failed);
}

}  // namespace
