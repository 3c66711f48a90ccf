// The program starts, shows its main window with the editor's caption, takes a file name on its command
// line, and ends with exit code 0 when its window is closed, by message or by the keyboard.
#include <gtest/gtest.h>

#include "tests/e2e/disk_files.h"
#include "tests/e2e/user_input.h"
#include "tests/e2e/velmora_process.h"

namespace {

TEST(Startup, ShowsTheMainWindowAndEndsWhenItIsClosed)
{
    e2e::VelmoraProcess velmora;
    ASSERT_TRUE(velmora.Start());
    HWND main = velmora.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "no main window appeared";
    EXPECT_EQ(e2e::TextOf(main), " :  Velmora");
    EXPECT_EQ(velmora.CloseAndWait(), 0);
}

TEST(Startup, TakesTheQuotedFileNameOnTheCommandLineAsItsDocument)
{
    e2e::ScratchFolder folder;
    std::string document = folder.File("メモ 表.txt");
    ASSERT_TRUE(e2e::WriteFileBytes(document, "一行目\r\n"));

    e2e::VelmoraProcess velmora;
    ASSERT_TRUE(velmora.Start("\"" + document + "\""));
    HWND main = velmora.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "no main window with a file argument";
    EXPECT_EQ(e2e::TextOf(main), "メモ 表.txt :  Velmora") << "the caption names the document";
    EXPECT_EQ(velmora.CloseAndWait(), 0);
    EXPECT_EQ(e2e::ReadFileBytes(document), std::string("一行目\r\n")) << "the document must stay as it was";
}

TEST(Startup, AltF4FromTheKeyboardEndsIt)
{
    e2e::VelmoraProcess velmora;
    ASSERT_TRUE(velmora.Start());
    HWND main = velmora.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(e2e::PressKey(main, VK_F4, e2e::kAlt));
    ASSERT_TRUE(velmora.WaitForExit(10000)) << "Alt+F4 did not reach the window";
    EXPECT_EQ(velmora.ExitCode(), 0u);
}

}  // namespace
