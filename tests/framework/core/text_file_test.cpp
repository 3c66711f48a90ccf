// Documents on disk through a string list: line-break rules, byte-exact Shift-JIS, NUL bytes,
// sharing with other handles, and the errors that name the file.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/core/exceptions.h"
#include "framework/core/memory_stream.h"
#include "tests/framework/core/list_test_support.h"
#include "tests/framework/core/test_files.h"

namespace {

Lines LoadLines(const std::string& path)
{
    TStringList list;
    list.LoadFromFile(path);
    return Entries(list);
}

// Loads `path` and saves it in `folder`; returns the bytes written.
std::string Resave(const std::string& path, const TempFolder& folder)
{
    TStringList list;
    list.LoadFromFile(path);
    list.SaveToFile(folder.File("resaved.txt"));
    return ReadFileBytes(folder.File("resaved.txt")).value_or("(unreadable)");
}

// A stream whose size promises more than its reads deliver, or whose writes stop short.
class TShortStream : public TMemoryStream {
public:
    std::int32_t limit = 1 << 30;
    std::int32_t Read(void* buffer, std::int32_t count) override
    {
        return TMemoryStream::Read(buffer, std::min(count, limit));
    }
    std::int32_t Write(const void* buffer, std::int32_t count) override
    {
        return TMemoryStream::Write(buffer, std::min(count, limit));
    }
};

}  // namespace

TEST(TextFile, EmptyFileToEmptyListAndBack)
{
    TempFolder folder;
    std::string file = folder.File("empty.txt");
    ASSERT_TRUE(WriteFileBytes(file, ""));
    TStringList list;
    list.Add("stale");
    list.LoadFromFile(file);
    EXPECT_EQ(list.Count(), 0);
    ASSERT_TRUE(WriteFileBytes(file, "old contents that must go"));
    list.SaveToFile(file);
    EXPECT_EQ(ReadFileBytes(file), "");
}

TEST(TextFile, LineBreaksOfEveryKindReadAlikeAndSaveAsCrLf)
{
    TempFolder folder;
    const Lines three{"一行目", "二行目", "三行目"};
    EXPECT_EQ(LoadLines(TestDataPath("lf-only.txt")), three);
    EXPECT_EQ(LoadLines(TestDataPath("cr-only.txt")), three);
    EXPECT_EQ(Resave(TestDataPath("lf-only.txt"), folder), "一行目\r\n二行目\r\n三行目\r\n");
    EXPECT_EQ(Resave(TestDataPath("cr-only.txt"), folder), "一行目\r\n二行目\r\n三行目\r\n");
    EXPECT_EQ(LoadLines(TestDataPath("mixed-breaks.txt")), (Lines{"x", "", "y", "", "z", "end"}));
    EXPECT_EQ(Resave(TestDataPath("no-final-break.txt"), folder), "a\r\nb\r\n");
    ASSERT_TRUE(WriteFileBytes(folder.File("x.txt"), "x\r\r\ny"));
    EXPECT_EQ(LoadLines(folder.File("x.txt")), (Lines{"x", "", "y"}));
}

TEST(TextFile, BytesAfterANulAreDropped)
{
    TempFolder folder;
    EXPECT_EQ(LoadLines(TestDataPath("nul-inside.txt")), Lines{"前半"});
    EXPECT_EQ(Resave(TestDataPath("nul-inside.txt"), folder), "前半\r\n");
}

TEST(TextFile, ShiftJisNeverSplitsAndRoundTripsExactly)
{
    TempFolder folder;
    EXPECT_EQ(
        LoadLines(TestDataPath("trail-bytes.txt")),
        (Lines{"ソ表能十予申噂貼構蚕暴欺圭", "ポ｜ボ", "アイウエオ ァィゥェォ ヂッツ", "ＡＢＣ abc ABC", "半角ｶﾀｶﾅ"}));
    EXPECT_EQ(Resave(TestDataPath("trail-bytes.txt"), folder), ReadFileBytes(TestDataPath("trail-bytes.txt")));

    // Every byte but NUL, CR and LF stays in its line, in a file whose name has trail byte 0x5C.
    std::string all;
    for (int c = 1; c < 256; ++c)
        if (c != '\r' && c != '\n')
            all += static_cast<char>(c);
    TStringList list;
    list.Add(all);
    list.Add("表\\");
    std::string file = folder.File("表ソ.txt");
    list.SaveToFile(file);
    EXPECT_EQ(ReadFileBytes(file), all + "\r\n表\\\r\n");
    EXPECT_EQ(LoadLines(file), (Lines{all, "表\\"}));
}

TEST(TextFile, AFileHeldOpenForWritingCannotBeLoaded)
{
    TempFolder folder;
    std::string file = folder.File("busy.txt");
    ASSERT_TRUE(WriteFileBytes(file, "text\r\n"));
    HANDLE writer = CreateFileA(
        file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
        nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    TStringList list;
    list.Add("kept");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { list.LoadFromFile(file); }), "ファイル " + file + " は開けません");
    EXPECT_EQ(Entries(list), Lines{"kept"});
    CloseHandle(writer);

    // A reader that lets others read does not stand in the way.
    HANDLE reader = CreateFileA(
        file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    list.LoadFromFile(file);
    EXPECT_EQ(Entries(list), Lines{"text"});
    CloseHandle(reader);
}

TEST(TextFile, MissingAndLockedFilesRaiseErrorsNamingThemAndLoseNothing)
{
    TempFolder folder;
    TStringList list;
    std::string missing = folder.File("missing.txt");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { list.LoadFromFile(missing); }), "ファイル " + missing + " は開けません");

    std::string locked = folder.File("locked.txt");
    ASSERT_TRUE(WriteFileBytes(locked, "keep me\r\n"));
    HANDLE holder =
        CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    list.Add("new");
    EXPECT_EQ(MessageOf<EFCreateError>([&] { list.SaveToFile(locked); }), "ファイル " + locked + " を作成できません");
    CloseHandle(holder);
    EXPECT_EQ(ReadFileBytes(locked), "keep me\r\n");
}

TEST(TextStream, LoadReadsTheRestInOneUpdateAndAShortReadChangesNothing)
{
    TShortStream stream;
    stream.WriteBuffer("skip\r\nfirst\nsecond", 18);
    stream.SetPosition(6);
    TStringList list;
    TChangeLog log(list);
    list.LoadFromStream(stream);
    EXPECT_EQ(Entries(list), (Lines{"first", "second"}));
    EXPECT_EQ(stream.Position(), 18);
    EXPECT_EQ(log.Take(), "changing changed");

    stream.SetPosition(0);
    stream.limit = 5;
    EXPECT_EQ(MessageOf<EReadError>([&] { list.LoadFromStream(stream); }), "ストリームからの読み込みエラー");
    EXPECT_EQ(Entries(list), (Lines{"first", "second"}));
    EXPECT_EQ(log.Take(), "");
    EXPECT_EQ(MessageOf<EWriteError>([&] { list.SaveToStream(stream); }), "ストリームへの書き込みエラー");
}
