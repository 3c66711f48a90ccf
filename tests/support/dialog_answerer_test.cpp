// The answerer itself: a system message box is answered from inside its modal loop, every time.
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

}  // namespace
