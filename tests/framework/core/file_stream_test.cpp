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
    const struct {
        std::uint16_t mode;
        const char* access;  // what the stream itself can do: read, write
        const char* shared;  // what another handle can do while it is open
        const char* after;   // the file, "abc" before, after the stream wrote "x" at its start
    } cases[] = {
        {fmCreate, "rw", "", "x"},  // truncates
        {fmOpenRead | fmShareDenyWrite, "r", "r", "abc"},
        {fmOpenWrite | fmShareDenyRead, "w", "w", "xbc"},
        {0xFF00 | fmOpenReadWrite | fmShareDenyNone, "rw", "rw", "xbc"},  // other bits are ignored
        {fmOpenRead | fmShareCompat, "r", "", "abc"},
        {fmOpenRead | fmShareExclusive, "r", "", "abc"},
    };
    TempFolder folder;
    std::string file = folder.File("modes.txt");
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode 0x" << std::hex << c.mode);
        ASSERT_TRUE(WriteFileBytes(file, "abc"));
        std::string access, shared;
        {
            TFileStream stream(file, c.mode);
            bool wrote = stream.Write("x", 1) == 1;
            stream.SetPosition(0);
            char byte;
            if (stream.Read(&byte, 1) == 1)
                access += 'r';
            if (wrote)
                access += 'w';
            if (OthersCanOpen(file, GENERIC_READ))
                shared += 'r';
            if (OthersCanOpen(file, GENERIC_WRITE))
                shared += 'w';
        }
        EXPECT_EQ(access, c.access);
        EXPECT_EQ(shared, c.shared);
        EXPECT_EQ(ReadFileBytes(file), c.after);
    }
}

TEST(FileStream, FailuresNameTheFile)
{
    TempFolder folder;
    std::string file = folder.File("ファイル表.txt");
    const std::string cannotOpen = "ファイル " + file + " は開けません";
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream s(file, fmOpenRead); }), cannotOpen);
    ASSERT_TRUE(WriteFileBytes(file, "x"));
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream s(file, 3); }), cannotOpen);     // access code 3
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream s(file, 0x50); }), cannotOpen);  // share code 5
    {
        TFileStream holder(file, fmOpenRead | fmShareExclusive);
        EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream s(file, fmOpenRead | fmShareDenyNone); }), cannotOpen);
        EXPECT_EQ(
            MessageOf<EFCreateError>([&] { TFileStream s(file, fmCreate); }), "ファイル " + file + " を作成できません");
    }
    EXPECT_EQ(ReadFileBytes(file), "x");
}

TEST(FileStream, SeekAndSetSizeThroughTheHandle)
{
    TempFolder folder;
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
    EXPECT_EQ(ReadFileBytes(file), std::string("0123\0\0", 6));
    TFileStream readOnly(file, fmOpenRead | fmShareDenyNone);
    EXPECT_THROW(readOnly.SetSize(2), EOSError);
}

TEST(HandleStream, LeavesItsHandleOpen)
{
    TempFolder folder;
    std::string file = folder.File("handle.txt");
    ASSERT_TRUE(WriteFileBytes(file, "abc"));
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
