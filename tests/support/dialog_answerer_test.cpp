// The answerer itself: a system message box is answered from inside its modal loop, every time;
// a dialog that never comes fails the test within the deadline instead of hanging it.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "tests/support/dialog_answerer.h"

namespace {

TEST(DialogAnswerer, AnswersASystemMessageBoxFromItsModalLoop)
{
    for (int round = 0; round < 20; ++round) {
        testsupport::DialogAnswerer answerer("確認", IDNO);
        int result = MessageBoxA(nullptr, "保存しますか", "確認", MB_YESNOCANCEL | MB_ICONQUESTION);
        EXPECT_EQ(result, IDNO) << "round " << round;
        EXPECT_TRUE(answerer.Answered());
        EXPECT_EQ(answerer.SeenText(), "保存しますか");
    }
}

TEST(DialogAnswerer, ADialogThatNeverComesFailsTheTestNamingItAndWhatWasOnScreen)
{
    int result = 0;
    EXPECT_NONFATAL_FAILURE(
        {
            testsupport::DialogAnswerer answerer("来ない確認", IDYES, "#32770", 300);
            result = MessageBoxA(nullptr, "別の本文", "別の題", MB_OK);
        },
        "titled \"来ない確認\" with button 6 appeared in time; on screen:\n  #32770 \"別の題\": 別の本文");
    EXPECT_NE(result, 0) << "the box that was up instead was closed";
}

}  // namespace
