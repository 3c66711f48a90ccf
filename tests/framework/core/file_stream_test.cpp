// File and handle streams on real files: the create and open modes with their sharing, the errors
// naming the file, and reading, writing, seeking and resizing through the handle.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/core/exceptions.h"
#include "framework/core/file_stream.h"
#include "tests/framework/core/list_test_support.h"
#include "tests/framework/core/test_files.h"

namespace {

// Whether another handle allowing all sharing can open `path` with `access` now.
bool OthersCanOpen(const std::string& path, DWORD access)
{
    HANDLE h = CreateFileA(
        path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
        nullptr);
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    return h != INVALID_HANDLE_VALUE;
}

}  // namespace

TEST(FileStream, ModesMapToAccessAndSharing)
{
    TTempFolder folder;
    std::string file = folder.File("modes.txt");
    WriteWholeFile(file, "previous contents");
    {
        TFileStream created(file, fmCreate, 0644);  // truncates, reads and writes, shares nothing
        EXPECT_EQ(created.Size(), 0);
        EXPECT_FALSE(OthersCanOpen(file, GENERIC_READ));
        created.WriteBuffer("0123456789", 10);
        created.SetPosition(0);
        char c;
        created.ReadBuffer(&c, 1);
    }
    {
        TFileStream stream(file, fmOpenRead | fmShareDenyWrite);
        EXPECT_TRUE(OthersCanOpen(file, GENERIC_READ));
        EXPECT_FALSE(OthersCanOpen(file, GENERIC_WRITE));
        EXPECT_EQ(stream.Write("x", 1), 0);
    }
    {
        TFileStream stream(file, fmOpenWrite | fmShareDenyRead);
        EXPECT_FALSE(OthersCanOpen(file, GENERIC_READ));
        EXPECT_TRUE(OthersCanOpen(file, GENERIC_WRITE));
        char c;
        EXPECT_EQ(stream.Read(&c, 1), 0);
        stream.WriteBuffer("AB", 2);
    }
    {
        // Bits outside the access and share fields are ignored.
        TFileStream stream(file, 0xFF00 | fmOpenReadWrite | fmShareDenyNone);
        EXPECT_TRUE(OthersCanOpen(file, GENERIC_READ | GENERIC_WRITE));
        stream.Seek(-1, soEnd);
        stream.WriteBuffer("Z", 1);
    }
    for (std::uint16_t share : {fmShareCompat, fmShareExclusive}) {
        TFileStream stream(file, fmOpenRead | share);
        EXPECT_FALSE(OthersCanOpen(file, GENERIC_READ));
    }
    EXPECT_EQ(ReadWholeFile(file), "AB2345678Z");
}

TEST(FileStream, FailuresNameTheFile)
{
    TTempFolder folder;
    std::string file = folder.File("ファイル表.txt");
    const std::string cannotOpen = "ファイル " + file + " は開けません";
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream s(file, fmOpenRead); }), cannotOpen);
    WriteWholeFile(file, "x");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream s(file, 3); }), cannotOpen);     // access code 3
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream s(file, 0x50); }), cannotOpen);  // share code 5
    {
        TFileStream holder(file, fmOpenRead | fmShareExclusive);
        EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream s(file, fmOpenRead | fmShareDenyNone); }), cannotOpen);
        EXPECT_EQ(
            MessageOf<EFCreateError>([&] { TFileStream s(file, fmCreate); }), "ファイル " + file + " を作成できません");
    }
    EXPECT_EQ(ReadWholeFile(file), "x");
}

TEST(FileStream, SeekAndSetSizeThroughTheHandle)
{
    TTempFolder folder;
    std::string file = folder.File("seek.bin");
    {
        TFileStream stream(file, fmCreate);
        stream.WriteBuffer("0123456789", 10);
        EXPECT_EQ(stream.Seek(-3, soEnd), 7);
        EXPECT_EQ(stream.Seek32(-2, soCurrent), 5);
        EXPECT_EQ(stream.Seek(0x100000005LL, soBeginning), 0x100000005LL);  // beyond 32 bits
        EXPECT_EQ(stream.Seek(-1, soBeginning), -1);                        // refused by the system
        stream.SetSize(4);
        EXPECT_EQ(stream.Position(), 4);
        stream.SetSize32(6);
        EXPECT_EQ(stream.Size(), 6);
        // A refused size must not end the file wherever the pointer happened to be.
        stream.SetPosition(2);
        EXPECT_THROW(stream.SetSize(-1), EOSError);
        EXPECT_EQ(stream.Size(), 6);
    }
    EXPECT_EQ(ReadWholeFile(file), std::string("0123\0\0", 6));
    TFileStream readOnly(file, fmOpenRead | fmShareDenyNone);
    EXPECT_THROW(readOnly.SetSize(2), EOSError);
}

TEST(HandleStream, LeavesItsHandleOpen)
{
    TTempFolder folder;
    std::string file = folder.File("handle.txt");
    WriteWholeFile(file, "abc");
    HANDLE h = CreateFileA(
        file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    {
        THandleStream stream(h);
        char buffer[8];
        EXPECT_EQ(stream.Read(buffer, 8), 3);
        EXPECT_EQ(stream.Read(buffer, 8), 0);
    }
    EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_BEGIN), 0u);
    CloseHandle(h);
    THandleStream invalid(INVALID_HANDLE_VALUE);
    EXPECT_EQ(MessageOf<EWriteError>([&] { invalid.WriteBuffer("x", 1); }), "ストリームへの書き込みエラー");
}
