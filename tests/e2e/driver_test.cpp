// The driver's operations against a real program in another process (the driver target): windows and
// their text, status bar parts read through memory in the target, dropped files, menu commands and a
// message box answered by a click, keys with Ctrl, typed Japanese and the clipboard in both directions.
#include <gtest/gtest.h>

#include "tests/e2e/clipboard.h"
#include "tests/e2e/driver_target.h"
#include "tests/e2e/remote_memory.h"
#include "tests/e2e/user_input.h"
#include "tests/e2e/velmora_process.h"

namespace {

std::string OwnPath()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length);
}

class DriverTarget : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(target_.Start(e2e::kDriverTargetFlag));
        frame_ = target_.WaitForMainWindow(15000, e2e::kDriverTargetClass);
        ASSERT_NE(frame_, nullptr) << "the target's window did not appear";
        edit_ = target_.Memo();
        status_ = target_.StatusBar();
        ASSERT_NE(edit_, nullptr);
        ASSERT_NE(status_, nullptr);
    }

    // Waits until the status bar shows `text` in `part`; returns what it shows then.
    std::string WaitForStatus(size_t part, const std::string& text)
    {
        std::string seen;
        e2e::WaitUntil([&] {
            auto texts = e2e::StatusBarTexts(status_);
            seen = part < texts.size() ? texts[part] : "<no part " + std::to_string(part) + ">";
            return seen == text;
        });
        return seen;
    }

    std::string WaitForEditText(const std::string& text)
    {
        std::string seen;
        e2e::WaitUntil([&] { return (seen = e2e::TextOf(edit_)) == text; });
        return seen;
    }

    e2e::VelmoraProcess target_{OwnPath()};
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
    HWND status_ = nullptr;
};

TEST_F(DriverTarget, ReadsAndSetsWindowTextsAndReadsTheStatusBarParts)
{
    EXPECT_EQ(e2e::TextOf(frame_), e2e::kDriverTargetTitle);
    EXPECT_EQ(e2e::ClassOf(edit_), "Edit");

    const std::string text = "一行目\r\n表示ソ\r\nABC";  // 表 and ソ end in a 0x5C byte
    ASSERT_TRUE(e2e::SetTextOf(edit_, text));
    EXPECT_EQ(e2e::TextOf(edit_), text);

    EXPECT_EQ(e2e::StatusBarPartEdges(status_), (std::vector<int>{100, 250, -1}));
    EXPECT_EQ(e2e::StatusBarTexts(status_), (std::vector<std::string>{"一つ目", "two", ""}));
}

TEST_F(DriverTarget, DroppedFilesArriveWithTheirNames)
{
    ASSERT_TRUE(e2e::DropFiles(frame_, {"C:\\作業\\表示.txt", "Z:\\tmp\\a b.txt"}));
    EXPECT_EQ(WaitForStatus(2, "C:\\作業\\表示.txt|Z:\\tmp\\a b.txt"), "C:\\作業\\表示.txt|Z:\\tmp\\a b.txt");
    EXPECT_EQ(WaitForStatus(1, "2"), "2");
    EXPECT_TRUE(target_.Running());
}

TEST_F(DriverTarget, MenuCommandsByKeyboardAndAMessageBoxAnsweredByClick)
{
    ASSERT_TRUE(e2e::ChooseMenu(frame_, "FQ"));
    HWND box = target_.WaitForDialog("確認");
    ASSERT_NE(box, nullptr) << "the menu command did not show its message box";
    EXPECT_NE(e2e::FindChild(box, "Static", "続けますか"), nullptr);
    ASSERT_TRUE(e2e::ClickButton(box, IDNO));
    EXPECT_EQ(WaitForStatus(0, "いいえ"), "いいえ");

    ASSERT_TRUE(e2e::ChooseMenu(frame_, "FX"));
    ASSERT_TRUE(target_.WaitForExit(10000));
    EXPECT_EQ(target_.ExitCode(), static_cast<DWORD>(e2e::kDriverTargetExitCode));
}

TEST_F(DriverTarget, TypedTextAndPostedCharactersReachTheEditWindow)
{
    ASSERT_TRUE(e2e::TypeText(frame_, L"かな ABC"));
    EXPECT_EQ(WaitForEditText("かな ABC"), "かな ABC");
    ASSERT_TRUE(e2e::PostText(edit_, L"表示"));
    EXPECT_EQ(WaitForEditText("かな ABC表示"), "かな ABC表示");
}

TEST_F(DriverTarget, ClipboardCarriesTextBothWaysAndKeysCarryCtrl)
{
    // Shift-JIS put on the clipboard reads back as UTF-16 and the other way round.
    ASSERT_TRUE(e2e::SetClipboardText("表示ソ"));
    EXPECT_EQ(e2e::ClipboardUnicode(), std::wstring(L"表示ソ"));
    ASSERT_TRUE(e2e::SetClipboardUnicode(L"貼り付け ABC"));
    EXPECT_EQ(e2e::ClipboardText(), std::string("貼り付け ABC"));

    // Ctrl+V in the target pastes what the driver put there.
    ASSERT_TRUE(e2e::PressKey(frame_, 'V', e2e::kCtrl));
    EXPECT_EQ(WaitForEditText("貼り付け ABC"), "貼り付け ABC");

    // Ctrl+C in the target puts its selection where the driver reads it.
    ASSERT_TRUE(e2e::SetTextOf(edit_, "コピー表"));
    SendMessageA(edit_, EM_SETSEL, 0, -1);
    ASSERT_TRUE(e2e::ClearClipboard());
    ASSERT_TRUE(e2e::PressKey(frame_, 'C', e2e::kCtrl));
    std::optional<std::string> copied;
    e2e::WaitUntil([&] { return (copied = e2e::ClipboardText()).has_value(); });
    EXPECT_EQ(copied, std::string("コピー表"));
    EXPECT_EQ(e2e::ClipboardUnicode(), std::wstring(L"コピー表"));
}

}  // namespace
