// Documents on disk through a string list: line-break rules, byte-exact Shift-JIS, NUL bytes,
// sharing with other handles, and the errors that name the file.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/core/exceptions.h"
#include "framework/core/memory_stream.h"
#include "framework/core/string_list.h"
#include "tests/framework/core/change_log.h"
#include "tests/framework/core/test_files.h"

namespace {

using Lines = std::vector<std::string>;

Lines Entries(const TStrings& list)
{
    Lines entries;
    for (int i = 0; i < list.Count(); ++i)
        entries.push_back(list.Get(i));
    return entries;
}

Lines LoadLines(const std::string& path)
{
    TStringList list;
    list.LoadFromFile(path);
    return Entries(list);
}

// Loads `path` and saves it again; returns the bytes written.
std::string Resave(const std::string& path, const TTempFolder& folder)
{
    TStringList list;
    list.LoadFromFile(path);
    std::string out = folder.File("resaved.txt");
    list.SaveToFile(out);
    return ReadWholeFile(out);
}

// A stream whose size promises more than its reads deliver, or whose writes stop short.
class TShortStream : public TMemoryStream {
public:
    std::int32_t readLimit = 1 << 30;
    std::int32_t writeLimit = 1 << 30;
    std::int32_t Read(void* buffer, std::int32_t count) override
    {
        return TMemoryStream::Read(buffer, std::min(count, readLimit));
    }
    std::int32_t Write(const void* buffer, std::int32_t count) override
    {
        return TMemoryStream::Write(buffer, std::min(count, writeLimit));
    }
};

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

const Lines ThreeLines{"一行目", "二行目", "三行目"};

}  // namespace

TEST(TextFile, EmptyFileAndEmptyList)
{
    TTempFolder folder;
    std::string empty = folder.File("empty.txt");
    WriteWholeFile(empty, "");
    TStringList list;
    list.Add("stale");
    list.LoadFromFile(empty);
    EXPECT_EQ(list.Count(), 0);

    std::string saved = folder.File("saved.txt");
    WriteWholeFile(saved, "old contents that must go");
    list.SaveToFile(saved);
    EXPECT_EQ(ReadWholeFile(saved), "");
}

TEST(TextFile, LfOnlyAndCrOnlyReadAsTheSameLinesAndSaveWithCrLf)
{
    TTempFolder folder;
    EXPECT_EQ(LoadLines(TestDataPath("lf-only.txt")), ThreeLines);
    EXPECT_EQ(LoadLines(TestDataPath("cr-only.txt")), ThreeLines);
    const std::string crlf = "一行目\r\n二行目\r\n三行目\r\n";
    EXPECT_EQ(Resave(TestDataPath("lf-only.txt"), folder), crlf);
    EXPECT_EQ(Resave(TestDataPath("cr-only.txt"), folder), crlf);
}

TEST(TextFile, MixedBreaksAndAMissingFinalBreak)
{
    TTempFolder folder;
    EXPECT_EQ(LoadLines(TestDataPath("mixed-breaks.txt")), (Lines{"x", "", "y", "", "z", "end"}));
    EXPECT_EQ(Resave(TestDataPath("no-final-break.txt"), folder), "a\r\nb\r\n");

    std::string file = folder.File("x-cr-cr-lf-y.txt");
    WriteWholeFile(file, "x\r\r\ny");
    EXPECT_EQ(LoadLines(file), (Lines{"x", "", "y"}));
}

TEST(TextFile, BytesAfterANulAreDropped)
{
    TTempFolder folder;
    EXPECT_EQ(LoadLines(TestDataPath("nul-inside.txt")), Lines{"前半"});
    EXPECT_EQ(Resave(TestDataPath("nul-inside.txt"), folder), "前半\r\n");
}

TEST(TextFile, ShiftJisTrailBytesNeverSplitAndRoundTripExactly)
{
    TTempFolder folder;
    const std::string original = ReadWholeFile(TestDataPath("trail-bytes.txt"));
    EXPECT_EQ(LoadLines(TestDataPath("trail-bytes.txt")),
              (Lines{"ソ表能十予申噂貼構蚕暴欺圭", "ポ｜ボ", "アイウエオ ァィゥェォ ヂッツ", "ＡＢＣ abc ABC", "半角ｶﾀｶﾅ"}));
    EXPECT_EQ(Resave(TestDataPath("trail-bytes.txt"), folder), original);

    // Every byte value a line can hold survives: all but NUL, CR and LF.
    std::string all;
    for (int c = 1; c < 256; ++c)
        if (c != '\r' && c != '\n')
            all += static_cast<char>(c);
    TStringList list;
    list.Add(all);
    list.Add("表\\");
    std::string file = folder.File("bytes.txt");
    list.SaveToFile(file);
    EXPECT_EQ(ReadWholeFile(file), all + "\r\n表\\\r\n");
    EXPECT_EQ(LoadLines(file), (Lines{all, "表\\"}));
}

TEST(TextFile, FileNamesWithTrailByte5C)
{
    TTempFolder folder;
    std::string file = folder.File("表ソ.txt");
    TStringList list;
    list.Add("中身");
    list.SaveToFile(file);
    EXPECT_EQ(ReadWholeFile(file), "中身\r\n");
    EXPECT_EQ(LoadLines(file), Lines{"中身"});
}

TEST(TextFile, AFileHeldOpenForWritingCannotBeLoaded)
{
    TTempFolder folder;
    std::string file = folder.File("busy.txt");
    WriteWholeFile(file, "text\r\n");
    HANDLE writer = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    TStringList list;
    list.Add("kept");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { list.LoadFromFile(file); }), "ファイル " + file + " は開けません");
    EXPECT_EQ(Entries(list), Lines{"kept"});
    CloseHandle(writer);

    // A reader that lets others read does not stand in the way.
    HANDLE reader = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    list.LoadFromFile(file);
    EXPECT_EQ(Entries(list), Lines{"text"});
    CloseHandle(reader);
}

TEST(TextFile, MissingAndUnwritableFilesRaiseErrorsNamingThem)
{
    TTempFolder folder;
    TStringList list;
    std::string missing = folder.File("missing.txt");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { list.LoadFromFile(missing); }), "ファイル " + missing + " は開けません");

    // A file another handle holds without sharing cannot be replaced, and keeps its contents.
    std::string locked = folder.File("locked.txt");
    WriteWholeFile(locked, "keep me\r\n");
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    list.Add("new");
    EXPECT_EQ(MessageOf<EFCreateError>([&] { list.SaveToFile(locked); }), "ファイル " + locked + " を作成できません");
    CloseHandle(holder);
    EXPECT_EQ(ReadWholeFile(locked), "keep me\r\n");

    std::string noFolder = folder.File("no-such-folder\\x.txt");
    EXPECT_EQ(MessageOf<EFCreateError>([&] { list.SaveToFile(noFolder); }),
              "ファイル " + noFolder + " を作成できません");
}

TEST(TextFile, LoadingIsOneUpdate)
{
    TStringList list;
    TChangeLog log(list);
    list.LoadFromFile(TestDataPath("trail-bytes.txt"));
    EXPECT_EQ(log.Events(), "changing changed");
}

TEST(TextStream, LoadReadsFromThePositionToTheEnd)
{
    TMemoryStream stream;
    const std::string bytes = "skip\r\nfirst\nsecond";
    stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    stream.SetPosition(6);
    TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(Entries(list), (Lines{"first", "second"}));
    EXPECT_EQ(stream.Position(), stream.Size());

    list.LoadFromStream(stream);  // nothing left
    EXPECT_EQ(list.Count(), 0);
}

TEST(TextStream, AShortReadRaisesAndLeavesTheListAsItWas)
{
    TShortStream stream;
    const std::string bytes = "one\r\ntwo\r\nthree\r\n";
    stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    stream.SetPosition(0);
    stream.readLimit = 5;
    TStringList list;
    list.Add("document");
    TChangeLog log(list);
    EXPECT_EQ(MessageOf<EReadError>([&] { list.LoadFromStream(stream); }), "ストリームからの読み込みエラー");
    EXPECT_EQ(Entries(list), Lines{"document"});
    EXPECT_EQ(log.Events(), "");
}

TEST(TextStream, SaveWritesTheTextAloneAndAShortWriteRaises)
{
    TStringList list;
    list.SetText("a\nb");
    TMemoryStream stream;
    list.SaveToStream(stream);
    EXPECT_EQ(stream.Size(), 6);
    EXPECT_EQ(std::string(static_cast<const char*>(stream.Memory()), 6), "a\r\nb\r\n");

    TShortStream full;
    full.writeLimit = 3;
    EXPECT_EQ(MessageOf<EWriteError>([&] { list.SaveToStream(full); }), "ストリームへの書き込みエラー");
}
