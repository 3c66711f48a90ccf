// The program starts, shows its main window with the editor's caption and ends when it is closed.
#include <gtest/gtest.h>

#include "tests/e2e/velmora_process.h"

namespace {

TEST(Startup, ShowsTheMainWindowAndEndsWhenItIsClosed)
{
    e2e::VelmoraProcess velmora;
    ASSERT_TRUE(velmora.Start());
    HWND main = velmora.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "no main window appeared";
    EXPECT_EQ(e2e::VelmoraProcess::TextOf(main), " :  Velmora");
    EXPECT_EQ(velmora.CloseAndWait(), 0);
}

}  // namespace
