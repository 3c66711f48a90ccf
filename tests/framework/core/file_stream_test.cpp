// File streams on real files: create and open modes with their sharing, the errors naming the
// file, and reading, writing, seeking and resizing through the handle.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/core/exceptions.h"
#include "framework/core/file_stream.h"
#include "tests/framework/core/test_files.h"

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

// Whether another handle can open `path` with `access` while something else holds it (allowing all
// sharing itself, so that only the holder's sharing decides).
bool OthersCanOpen(const std::string& path, DWORD access)
{
    HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

}  // namespace

TEST(FileStream, CreateTruncatesAndSharesWithNoOne)
{
    TTempFolder folder;
    std::string file = folder.File("created.txt");
    WriteWholeFile(file, "previous contents");
    {
        TFileStream stream(file, fmCreate, 0644);
        EXPECT_EQ(stream.Size(), 0);
        EXPECT_FALSE(OthersCanOpen(file, GENERIC_READ));
        stream.WriteBuffer("new", 3);
        stream.SetPosition(0);
        char buffer[3];
        stream.ReadBuffer(buffer, 3);  // created for reading too
        EXPECT_EQ(std::string(buffer, 3), "new");
    }
    EXPECT_EQ(ReadWholeFile(file), "new");
}

TEST(FileStream, OpenModesMapToAccessAndSharing)
{
    TTempFolder folder;
    std::string file = folder.File("modes.txt");
    WriteWholeFile(file, "0123456789");

    {
        TFileStream stream(file, fmOpenRead | fmShareDenyWrite);
        EXPECT_TRUE(OthersCanOpen(file, GENERIC_READ));
        EXPECT_FALSE(OthersCanOpen(file, GENERIC_WRITE));
        EXPECT_EQ(stream.Write("x", 1), 0);  // read access only
    }
    {
        TFileStream stream(file, fmOpenWrite | fmShareDenyRead);
        EXPECT_FALSE(OthersCanOpen(file, GENERIC_READ));
        EXPECT_TRUE(OthersCanOpen(file, GENERIC_WRITE));
        char c;
        EXPECT_EQ(stream.Read(&c, 1), 0);  // write access only
        stream.WriteBuffer("AB", 2);
    }
    {
        TFileStream stream(file, fmOpenReadWrite | fmShareDenyNone);
        EXPECT_TRUE(OthersCanOpen(file, GENERIC_READ | GENERIC_WRITE));
        stream.Seek(-1, soEnd);
        stream.WriteBuffer("Z", 1);
    }
    for (std::uint16_t share : {fmShareCompat, fmShareExclusive}) {
        TFileStream stream(file, fmOpenRead | share);
        EXPECT_FALSE(OthersCanOpen(file, GENERIC_READ));
    }
    {
        // Bits outside the access and share fields are ignored.
        TFileStream stream(file, 0xFF00 | fmOpenRead | fmShareDenyNone);
        EXPECT_TRUE(OthersCanOpen(file, GENERIC_WRITE));
    }
    EXPECT_EQ(ReadWholeFile(file), "AB2345678Z");
}

TEST(FileStream, OpenFailuresRaiseTheOpenErrorNamingTheFile)
{
    TTempFolder folder;
    std::string file = folder.File("ファイル表.txt");
    const std::string message = "ファイル " + file + " は開けません";
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream s(file, fmOpenRead); }), message);  // missing

    WriteWholeFile(file, "x");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream s(file, 3); }), message);           // access code 3
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream s(file, 0x50); }), message);        // share code 5
    {
        TFileStream holder(file, fmOpenRead | fmShareExclusive);
        EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream s(file, fmOpenRead | fmShareDenyNone); }), message);
    }
    EXPECT_NO_THROW({ TFileStream s(file, fmOpenRead | fmShareDenyNone); });  // every failure closed what it had

    std::string folderName = folder.File("sub");
    CreateDirectoryA(folderName.c_str(), nullptr);
    EXPECT_EQ(MessageOf<EFCreateError>([&] { TFileStream s(folderName, fmCreate); }),
              "ファイル " + folderName + " を作成できません");
}

TEST(FileStream, SeekAndSizeThroughTheHandle)
{
    TTempFolder folder;
    std::string file = folder.File("seek.bin");
    TFileStream stream(file, fmCreate);
    stream.WriteBuffer("0123456789", 10);
    EXPECT_EQ(stream.Position(), 10);
    EXPECT_EQ(stream.Size(), 10);
    EXPECT_EQ(stream.Seek(-3, soEnd), 7);
    EXPECT_EQ(stream.Seek32(-2, soCurrent), 5);
    EXPECT_EQ(stream.Seek(0, soBeginning), 0);
    // A position past the end is allowed; a write there extends the file.
    EXPECT_EQ(stream.Seek(12, soBeginning), 12);
    stream.WriteBuffer("!", 1);
    EXPECT_EQ(stream.Size(), 13);
    // Positions beyond 32 bits pass through the 64-bit seek untouched.
    EXPECT_EQ(stream.Seek(0x100000005LL, soBeginning), 0x100000005LL);
    EXPECT_EQ(stream.Seek(-1, soBeginning), -1);  // refused by the system
}

TEST(FileStream, SetSizeTruncatesOrExtendsAndRefusalsLoseNothing)
{
    TTempFolder folder;
    std::string file = folder.File("size.bin");
    {
        TFileStream stream(file, fmCreate);
        stream.WriteBuffer("0123456789", 10);
        stream.SetSize(4);
        EXPECT_EQ(stream.Size(), 4);
        EXPECT_EQ(stream.Position(), 4);
        stream.SetSize32(6);
        EXPECT_EQ(stream.Size(), 6);
        stream.SetPosition(2);
        EXPECT_THROW(stream.SetSize(-1), EOSError);
        EXPECT_EQ(stream.Size(), 6);
    }
    EXPECT_EQ(ReadWholeFile(file), std::string("0123\0\0", 6));
    {
        TFileStream readOnly(file, fmOpenRead | fmShareDenyNone);
        EXPECT_THROW(readOnly.SetSize(2), EOSError);
    }
    EXPECT_EQ(ReadWholeFile(file).size(), 6u);
}

TEST(HandleStream, WorksOverAHandleItDoesNotOwn)
{
    TTempFolder folder;
    std::string file = folder.File("handle.txt");
    WriteWholeFile(file, "abc");
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    {
        THandleStream stream(h);
        char buffer[8];
        EXPECT_EQ(stream.Read(buffer, 8), 3);
        EXPECT_EQ(stream.Read(buffer, 8), 0);
        EXPECT_EQ(stream.Handle(), h);
    }
    // Still open after the stream is gone.
    EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_BEGIN), 0u);
    CloseHandle(h);

    THandleStream invalid(INVALID_HANDLE_VALUE);
    char c;
    EXPECT_EQ(invalid.Read(&c, 1), 0);
    EXPECT_EQ(invalid.Write("x", 1), 0);
    EXPECT_THROW(invalid.WriteBuffer("x", 1), EWriteError);
}
