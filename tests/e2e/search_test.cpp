// Search and replace as a user meets them in the running editor: the find and replace dialogs opened
// from the menu bar, their buttons pressed, find next (Alt+N) and replace and find (its tool button)
// carrying the search on, and the notices and questions they answer with.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "tests/e2e/clipboard.h"
#include "tests/e2e/remote_memory.h"
#include "tests/e2e/user_input.h"
#include "tests/e2e/velmora_process.h"
#include "tests/support/window_picture.h"

namespace {

// The system's find and replace dialogs: their fields and buttons.
constexpr int kFindField = 0x480;
constexpr int kReplaceField = 0x481;
constexpr int kMatchCase = 0x411;
constexpr int kReplaceButton = 0x400;
constexpr int kReplaceAllButton = 0x401;
constexpr const char* kFindTitle = "検索";
// The tool strip: open, overwrite save, find next, replace and find.
constexpr int kToolButtons = 4;
constexpr int kReplaceAndFindButton = 3;
constexpr const char* kReplaceTitle = "文字列の置換";

constexpr const char* kEnded = "検索が終了しました";
constexpr const char* kReplaceAllQuestion = "正しい動作は保証しません。\n全置換しますか?";
constexpr const char* kKeepQuestion = "置換しました。このままでよろしいか？\nそれとも置換をキャンセルしますか？";

using Range = std::pair<int, int>;

std::string Repeated(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// The message of a message dialog copied as text: between its second and third rule.
std::string MessageOfDialogText(const std::string& text)
{
    const std::string rule = std::string(27, '-') + "\r\n";
    std::size_t first = text.find(rule, rule.size());
    if (first == std::string::npos)
        return "(not a dialog's text: " + text + ")";
    first += rule.size();
    const std::size_t end = text.find(rule, first);
    return text.substr(first, end - first - 2);
}

class Search : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(velmora_.Start());
        main_ = velmora_.WaitForMainWindow();
        ASSERT_NE(main_, nullptr) << "no main window";
        memo_ = velmora_.Memo();
        ASSERT_NE(memo_, nullptr);
    }

    void SetMemoText(const std::string& text)
    {
        ASSERT_TRUE(e2e::SetTextOf(memo_, text));
        ASSERT_EQ(e2e::TextOf(memo_), text);
    }

    // Opens a dialog from its menu bar entry and fills it in; the dialog is returned.
    HWND OpenDialog(bool replace, const std::string& find, const std::string& replacement = "", bool matchCase = false)
    {
        WaitForInputIdle(velmora_.ProcessHandle(), 5000);
        if (!e2e::ChooseMenu(main_, replace ? "R" : "S"))
            return nullptr;
        HWND dialog = velmora_.WaitForDialog(replace ? kReplaceTitle : kFindTitle);
        if (!dialog)
            return nullptr;
        e2e::SetTextOf(GetDlgItem(dialog, kFindField), find);
        if (replace)
            e2e::SetTextOf(GetDlgItem(dialog, kReplaceField), replacement);
        SendMessageA(GetDlgItem(dialog, kMatchCase), BM_SETCHECK, matchCase ? BST_CHECKED : BST_UNCHECKED, 0);
        return dialog;
    }

    // Presses a dialog button whose command keeps the dialog open or shows a message first.
    static void Press(HWND dialog, int button) { e2e::ClickButton(dialog, button); }
    // Presses Find Next and waits for the dialog to close (every Find Next closes it, after the
    // message that nothing was found, if any).
    static bool FindNextIn(HWND dialog) { return dialog && e2e::ClickButton(dialog, IDOK) && DialogCloses(dialog); }
    static bool DialogCloses(HWND dialog)
    {
        return e2e::WaitUntil([&] { return !IsWindow(dialog); });
    }

    // Waits for one of the program's message dialogs, reads its message (Ctrl+C copies the dialog as
    // text) and presses the button with this caption. Returns the message, or what was missing.
    std::string Answer(const std::string& button = "OK", const std::string& title = "Velmora")
    {
        HWND box = velmora_.WaitForDialog(title, 10000, "TMessageForm");
        if (!box)
            return "(no message titled " + title + ")";
        e2e::ClearClipboard();
        WaitForInputIdle(velmora_.ProcessHandle(), 5000);
        // A key pressed while the dialog is still coming up may go elsewhere: pressed again until copied.
        std::optional<std::string> text;
        int polls = 0;
        e2e::WaitUntil([&] {
            if (polls++ % 50 == 0)
                e2e::PressKey(box, 'C', e2e::kCtrl);
            return (text = e2e::ClipboardText()) && !text->empty();
        });
        HWND pressed = e2e::FindChild(box, "TButton", button);
        if (!pressed)
            return "(no button " + button + ")";
        e2e::ClickButton(pressed);
        if (!e2e::WaitUntil([&] { return !IsWindow(box); }))
            return "(the message stays)";
        return text ? MessageOfDialogText(*text) : "(nothing copied)";
    }

    Range Selection()
    {
        DWORD start = 0, end = 0;
        SendMessageA(memo_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }
    // Waits until the memo's selection is `want` and returns what it is.
    Range WaitForSelection(Range want)
    {
        Range seen;
        e2e::WaitUntil([&] { return (seen = Selection()) == want; });
        return seen;
    }

    // Find next on the tool strip, by its marked letter.
    bool FindNext()
    {
        // Keys pressed while the window is still taking the activation back from a dialog can be lost.
        WaitForInputIdle(velmora_.ProcessHandle(), 5000);
        return e2e::PressKey(main_, 'N', e2e::kAlt);
    }
    // Replace and find: its letter is the replace menu's, so the user clicks its button, the strip's
    // last. The strip tells where its buttons are, and which one the mouse lights, as a tool bar
    // does: the mouse rests on the button until it lights up, then clicks it.
    bool ReplaceAndFind()
    {
        HWND strip = e2e::FindChild(main_, "TActionMainMenuBar");
        if (!strip || SendMessageA(strip, TB_BUTTONCOUNT, 0, 0) != kToolButtons || !e2e::BringToFront(main_))
            return false;
        e2e::RemoteBuffer rect(strip, sizeof(RECT));
        RECT button{};
        if (!SendMessageA(strip, TB_GETITEMRECT, kReplaceAndFindButton, reinterpret_cast<LPARAM>(rect.Address())) ||
            !rect.Read(&button, sizeof button))
            return false;
        POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
        POINT onScreen = centre;
        ClientToScreen(strip, &onScreen);
        SetCursorPos(onScreen.x, onScreen.y);
        if (!e2e::WaitUntil([&] { return SendMessageA(strip, TB_GETHOTITEM, 0, 0) == kReplaceAndFindButton; }))
            return false;
        return e2e::ClickAt(strip, centre);
    }

    e2e::VelmoraProcess velmora_;
    HWND main_ = nullptr;
    HWND memo_ = nullptr;
};

TEST_F(Search, FindSelectsEachOccurrenceOnCharacterBoundariesThenEnds)
{
    struct Case {
        const char* what;
        std::string text, key;
        bool matchCase;
        std::vector<Range> found;
    } cases[] = {
        {"case folded, over line breaks", "abc ABC\r\nx abc", "abc", false, {{0, 3}, {4, 7}, {11, 14}}},
        {"case kept", "abc ABC\r\nx abc", "abc", true, {{0, 3}, {11, 14}}},
        // 表 is 0x95 0x5C: its second byte is never taken for a backslash.
        {"a backslash of its own only", "表\\表示\\", "\\", false, {{2, 3}, {7, 8}}},
        {"ア (0x83 0x41) holds no letter A", "アxA", "a", false, {{3, 4}}},
        {"never overlapping", "aaa", "aa", false, {{0, 2}}},
        {"nothing found", "abc", "表", false, {}},
    };
    for (const Case& c : cases) {
        SetMemoText(c.text);
        HWND dialog = OpenDialog(false, c.key, "", c.matchCase);
        ASSERT_NE(dialog, nullptr) << c.what;
        Press(dialog, IDOK);
        for (std::size_t i = 0; i < c.found.size(); ++i) {
            if (i > 0) {
                ASSERT_TRUE(FindNext());
            }
            EXPECT_EQ(WaitForSelection(c.found[i]), c.found[i]) << c.what << ", occurrence " << i;
        }
        if (&c == &cases[0])
            testsupport::SaveWindowPicture(main_, "search_found");
        if (!c.found.empty()) {
            ASSERT_TRUE(DialogCloses(dialog)) << c.what;
            ASSERT_TRUE(FindNext());
        }
        EXPECT_EQ(Answer(), kEnded) << c.what;
        EXPECT_TRUE(DialogCloses(dialog)) << c.what;
    }
    // The search never starts again from the top by itself.
    ASSERT_TRUE(FindNext());
    EXPECT_EQ(Answer(), "上段の「検索」で検索条件を設定してください。");
}

TEST_F(Search, AnOccurrenceFarDownIsScrolledIntoView)
{
    std::string text;
    for (int line = 1; line <= 300; ++line)
        text += line == 250 ? "表示 here\r\n" : "行\r\n";
    SetMemoText(text);
    ASSERT_EQ(SendMessageA(memo_, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    HWND dialog = OpenDialog(false, "HERE");
    ASSERT_TRUE(FindNextIn(dialog));
    const int at = static_cast<int>(text.find("here"));
    EXPECT_EQ(WaitForSelection({at, at + 4}), Range(at, at + 4));
    const auto first = SendMessageA(memo_, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first, 200) << "line 250 is in view";
    EXPECT_LE(first, 249) << "line 250 is in view";
}

TEST_F(Search, TextTypedDuringASearchIsNotSearchedButMovesWhatIsFound)
{
    SetMemoText("abc abc abc");
    HWND dialog = OpenDialog(false, "abc");
    ASSERT_TRUE(FindNextIn(dialog));
    ASSERT_EQ(WaitForSelection({0, 3}), Range(0, 3));
    struct Step {
        WORD key;  // where the caret goes to type
        std::wstring typed;
        std::string text;
        Range found;  // (0, 0): the search ends
    } steps[] = {
        {VK_HOME, L"表", "表abc abc abc", {6, 9}},  // two bytes on
        {VK_END, L"abc", "表abc abc abcabc", {10, 13}},
        {VK_END, L"", "表abc abc abcabc", {0, 0}},  // the typed one is not searched
    };
    for (const Step& s : steps) {
        WaitForInputIdle(velmora_.ProcessHandle(), 5000);
        ASSERT_TRUE(e2e::PressKey(main_, s.key, e2e::kCtrl));
        ASSERT_TRUE(e2e::TypeText(main_, s.typed));
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(memo_) == s.text; })) << e2e::TextOf(memo_);
        ASSERT_TRUE(FindNext());
        if (s.found == Range(0, 0))
            EXPECT_EQ(Answer(), kEnded);
        else
            EXPECT_EQ(WaitForSelection(s.found), s.found);
    }
}

TEST_F(Search, ReplaceAllAsksFirstAndReplacesEveryOccurrenceOnce)
{
    struct Case {
        const char* what;
        std::string text, key, with, answer, after;
    } cases[] = {
        {"answered OK", "a-表-A-a", "a", "bb", "OK", "bb-表-bb-bb"},
        {"the replacement holds the find text", "aXa", "a", "aa", "OK", "aaXaa"},
        {"answered キャンセル", "a-a", "a", "b", "キャンセル", "a-a"},
        {"nothing to replace", "xyz", "a", "b", "OK", "xyz"},
        // The field holds 400 bytes; the command takes the 127 whole characters that fit in 255.
        {"a replacement longer than the dialog keeps", "a", "a", Repeated("漢", 200), "OK", Repeated("漢", 127)},
    };
    for (const Case& c : cases) {
        SetMemoText(c.text);
        HWND dialog = OpenDialog(true, c.key, c.with);
        ASSERT_NE(dialog, nullptr) << c.what;
        Press(dialog, kReplaceAllButton);
        EXPECT_EQ(Answer(c.answer, "確認"), kReplaceAllQuestion) << c.what;
        if (c.answer == "OK") {
            EXPECT_EQ(Answer(), "置換が全て終了しました") << c.what;
        }
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(memo_) == c.after; }))
            << c.what << ": " << e2e::TextOf(memo_);
        EXPECT_TRUE(IsWindow(dialog)) << c.what << ": the dialog stays open";
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(dialog); }));
    }
    // After a Replace All nothing is left to find, and nothing is selected to replace: not even the
    // "a" that ends the last replacement.
    HWND dialog = OpenDialog(true, "a", "ba");
    ASSERT_NE(dialog, nullptr);
    for (const char* next : {"find next", "replace"}) {
        SetMemoText("a a");
        Press(dialog, kReplaceAllButton);
        EXPECT_EQ(Answer("OK", "確認"), kReplaceAllQuestion) << next;
        EXPECT_EQ(Answer(), "置換が全て終了しました") << next;
        if (next == std::string("find next")) {
            ASSERT_TRUE(FindNext());
            EXPECT_EQ(Answer(), kEnded);
        } else {
            Press(dialog, kReplaceButton);
            EXPECT_EQ(Answer(), "１つ目はダイアローグ中で検索してください。");
        }
        EXPECT_EQ(e2e::TextOf(memo_), "ba ba") << next;
    }
}

TEST_F(Search, ReplaceAndFindReplacesTheSelectedOccurrenceAndAsksWhetherToKeepIt)
{
    // Not set up in the replace dialog yet.
    SetMemoText("ab ab ab");
    ASSERT_TRUE(ReplaceAndFind());
    EXPECT_EQ(Answer(), "上段の「置換」で検索・置換条件を設定し\nダイアローグ中でまず検索してください。");
    HWND find = OpenDialog(false, "ab");
    ASSERT_TRUE(FindNextIn(find));
    ASSERT_TRUE(ReplaceAndFind());
    EXPECT_EQ(Answer(), "上段の「置換」で検索・置換条件を設定してください。");
    EXPECT_EQ(e2e::TextOf(memo_), "ab ab ab");

    // Set up there: each press replaces the selected occurrence and selects the next.
    HWND dialog = OpenDialog(true, "ab", "表示");
    ASSERT_TRUE(FindNextIn(dialog));
    EXPECT_EQ(WaitForSelection({0, 2}), Range(0, 2));
    struct Step {
        const char* answer;
        std::string text;
        Range next;
    } steps[] = {
        {"OK", "表示 ab ab", {5, 7}},           // the next one moved by the longer replacement
        {"キャンセル", "表示 ab ab", {8, 10}},  // put back; the search goes on after it
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(ReplaceAndFind());
        EXPECT_EQ(Answer(s.answer, "確認"), kKeepQuestion) << s.answer;
        EXPECT_EQ(e2e::TextOf(memo_), s.text) << s.answer;
        EXPECT_EQ(WaitForSelection(s.next), s.next) << s.answer;
    }
    ASSERT_TRUE(ReplaceAndFind());
    EXPECT_EQ(Answer("OK", "確認"), kKeepQuestion);
    EXPECT_EQ(Answer(), kEnded);
    EXPECT_EQ(e2e::TextOf(memo_), "表示 ab 表示");
}

TEST_F(Search, TheReplaceButtonReplacesTheOccurrenceFoundAndSelectsTheNext)
{
    SetMemoText("表x表");
    HWND dialog = OpenDialog(true, "表", "xy");
    ASSERT_NE(dialog, nullptr);
    // Nothing found yet: the dialog asks for a find first and stays.
    Press(dialog, kReplaceButton);
    EXPECT_EQ(Answer(), "１つ目はダイアローグ中で検索してください。");
    EXPECT_TRUE(IsWindow(dialog));
    // The find dialog's Find Next selects the first; the replace dialog's Replace acts on it.
    HWND find = OpenDialog(false, "表");
    ASSERT_TRUE(FindNextIn(find));
    EXPECT_EQ(WaitForSelection({0, 2}), Range(0, 2));
    Press(dialog, kReplaceButton);
    EXPECT_EQ(Answer(), "置換しました");
    EXPECT_EQ(WaitForSelection({3, 5}), Range(3, 5));
    EXPECT_EQ(e2e::TextOf(memo_), "xyx表");
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(dialog); })) << "the next one found: the dialog closes";
}

}  // namespace
