// The edit and view menus as a user meets them: undo, select all and the clipboard commands on the
// memo, the two wrapping modes, the memo's font and background colour from their dialogs, and the
// about box shown modally and closed by its button, Enter and its title bar (Escape does nothing).
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/clipboard.h"
#include "tests/e2e/disk_files.h"
#include "tests/e2e/user_input.h"
#include "tests/e2e/velmora_process.h"
#include "tests/support/window_picture.h"

namespace {

// Control ids of the system's font and colour dialogs.
constexpr int kFontFace = 0x470, kFontSize = 0x472;
constexpr int kRed = 0x2C2, kGreen = 0x2C3, kBlue = 0x2C4;

class EditView : public testing::Test {
protected:
    // Starts the program on a file holding `text` and waits until the memo shows it.
    void Launch(const std::string& text)
    {
        const std::string path = folder_.File("doc.txt");
        ASSERT_TRUE(e2e::WriteFileBytes(path, text));
        ASSERT_TRUE(velmora_.Start("\"" + path + "\""));
        main_ = velmora_.WaitForMainWindow();
        ASSERT_NE(main_, nullptr) << "no main window";
        memo_ = velmora_.Memo();
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(memo_) == text; })) << "the memo shows the file";
    }
    // The memo is re-created when its wrapping changes: the current window of the main window.
    HWND Memo() { return memo_ = velmora_.Memo(); }
    // 全て選択 has no access letter: the second item of 編集(&E), reached with the arrow key.
    bool SelectAll()
    {
        return e2e::ChooseMenu(main_, "E") && e2e::PressKey(main_, VK_DOWN) && e2e::PressKey(main_, VK_RETURN);
    }
    // Whether `window` of another process has its thread's keyboard focus.
    static bool Focused(HWND window)
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus == window;
    }
    bool Mark() { return e2e::TypeText(main_, L"|"); }
    // The colour of the memo's empty lower right corner, where no text is drawn.
    COLORREF MemoBackground()
    {
        RECT client;
        GetClientRect(Memo(), &client);
        POINT corner{client.right - 12, client.bottom - 12};
        ClientToScreen(memo_, &corner);
        testsupport::Picture picture = testsupport::CaptureScreen({corner.x, corner.y, corner.x + 1, corner.y + 1});
        return picture.pixels.empty() ? CLR_INVALID : picture.pixels[0];
    }
    // Opens a dialog of the view menu by its letter and waits for it.
    HWND OpenDialog(const char* letters, const std::string& title)
    {
        if (!e2e::ChooseMenu(main_, letters))
            return nullptr;
        return velmora_.WaitForDialog(title);
    }
    bool Closed(HWND dialog)
    {
        return e2e::WaitUntil([&] { return !IsWindow(dialog); }) &&
               e2e::WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; });
    }

    e2e::ScratchFolder folder_;
    e2e::VelmoraProcess velmora_;
    HWND main_ = nullptr;
    HWND memo_ = nullptr;
};

TEST_F(EditView, TheEditMenuUndoesSelectsAllCutsCopiesAndPastes)
{
    const std::string text = "abc 表示\r\n二行目";
    Launch(text);
    struct Step {
        const char* what;
        std::function<bool()> command;
        std::string clipboardBefore;  // empty: the clipboard is emptied first
        std::string memo;
        std::string clipboardAfter;  // empty: the clipboard holds no text
    } steps[] = {
        {"select all, copy", [&] { return SelectAll() && e2e::ChooseMenu(main_, "EC"); }, "", text, text},
        {"select all, cut", [&] { return SelectAll() && e2e::ChooseMenu(main_, "ET"); }, "", "", text},
        {"undo", [&] { return e2e::ChooseMenu(main_, "EU"); }, "前", text, "前"},
        // A command that changes nothing is followed by a typed marker, which shows it has run.
        {"cut without a selection",
         [&] { return e2e::PressKey(main_, VK_HOME, e2e::kCtrl) && e2e::ChooseMenu(main_, "ET") && Mark(); }, "前",
         "|" + text, "前"},
        {"copy without a selection", [&] { return e2e::ChooseMenu(main_, "EC") && Mark(); }, "前", "||" + text, "前"},
        {"paste at the caret", [&] { return e2e::ChooseMenu(main_, "EP"); }, "貼付", "||貼付" + text, "貼付"},
        {"paste with nothing on the clipboard", [&] { return e2e::ChooseMenu(main_, "EP") && Mark(); }, "",
         "||貼付|" + text, ""},
    };
    for (const Step& step : steps) {
        ASSERT_TRUE(step.clipboardBefore.empty() ? e2e::ClearClipboard() : e2e::SetClipboardText(step.clipboardBefore));
        ASSERT_TRUE(step.command()) << step.what;
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(memo_) == step.memo; }))
            << step.what << ": the memo holds " << e2e::TextOf(memo_);
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ClipboardText().value_or("") == step.clipboardAfter; }))
            << step.what << ": the clipboard holds " << e2e::ClipboardText().value_or("(nothing)");
    }
    EXPECT_TRUE(SendMessageA(memo_, EM_GETMODIFY, 0, 0)) << "the edits count as changes";
}

TEST_F(EditView, NoWrappingShowsBothScrollBarsAndWrappingWrapsAgainKeepingUnsavedText)
{
    const std::string longLine(400, 'x');
    Launch(longLine + "\r\nend");
    ASSERT_TRUE(e2e::PressKey(main_, VK_END, e2e::kCtrl));
    ASSERT_TRUE(e2e::TypeText(main_, L"追記"));
    const std::string edited = longLine + "\r\nend追記";
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(memo_) == edited; }));
    struct Step {
        const char* letters;
        LONG scrollBars;
        bool wraps;
    } steps[] = {
        {"VN", WS_HSCROLL | WS_VSCROLL, false},
        {"VN", WS_HSCROLL | WS_VSCROLL, false},  // chosen again: nothing changes
        {"VR", WS_VSCROLL, true},
        {"VR", WS_VSCROLL, true},
        {"VN", WS_HSCROLL | WS_VSCROLL, false},
    };
    for (const Step& step : steps) {
        ASSERT_TRUE(e2e::ChooseMenu(main_, step.letters));
        const LONG want = step.scrollBars | (step.wraps ? 0 : ES_AUTOHSCROLL);
        EXPECT_TRUE(e2e::WaitUntil([&] {
            return (GetWindowLongA(Memo(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL)) == want;
        })) << step.letters
            << ": style " << std::hex << GetWindowLongA(memo_, GWL_STYLE);
        // The long line is one line, or several rows when wrapped; the text and its change stay.
        const LRESULT rows = SendMessageA(memo_, EM_GETLINECOUNT, 0, 0);
        EXPECT_EQ(rows > 2, step.wraps) << step.letters << ": " << rows << " rows";
        EXPECT_EQ(e2e::TextOf(memo_), edited) << step.letters;
        EXPECT_TRUE(SendMessageA(memo_, EM_GETMODIFY, 0, 0)) << step.letters;
    }
}

TEST_F(EditView, WrappingALineTooLongToWrapReportsItAndKeepsTheLineUnwrapped)
{
    Launch("前\r\n");
    ASSERT_TRUE(e2e::ChooseMenu(main_, "VN"));
    ASSERT_TRUE(e2e::WaitUntil([&] { return (GetWindowLongA(Memo(), GWL_STYLE) & WS_HSCROLL) != 0; }));
    // A line of 300,000 characters: pasted while nothing wraps, it stays one line.
    const std::string line(300000, 'w');
    ASSERT_TRUE(e2e::SetClipboardText(line));
    ASSERT_TRUE(e2e::PressKey(main_, VK_END, e2e::kCtrl) && e2e::ChooseMenu(main_, "EP"));
    const std::string text = "前\r\n" + line;
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(memo_) == text; }, 30000));
    ASSERT_TRUE(e2e::ChooseMenu(main_, "VR"));
    HWND box = velmora_.WaitForDialog("Velmora", 30000);
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(e2e::TextOf(GetDlgItem(box, 0xFFFF)), "文字列の大きさが メモ の制限を越えました.");
    ASSERT_TRUE(e2e::ClickButton(box, IDOK));
    ASSERT_TRUE(Closed(box));
    EXPECT_NE(GetWindowLongA(Memo(), GWL_STYLE) & WS_HSCROLL, 0) << "still unwrapped, both scroll bars";
    EXPECT_EQ(SendMessageA(memo_, EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(e2e::TextOf(memo_), text);
    EXPECT_TRUE(velmora_.Running());
}

TEST_F(EditView, TheFontDialogOpensOnTheMemosFontAndOnlyAConfirmedChoiceChangesIt)
{
    Launch("あいうえおabcde\r\n");
    auto width = [&] { return LOWORD(SendMessageA(Memo(), EM_POSFROMCHAR, 10, 0)); };
    const int original = width();
    struct Step {
        const char* what;
        const char* face;       // chosen from the list; null: the one shown
        std::string sizeShown;  // when the dialog opens; empty: not checked (the memo's font at start)
        std::string sizeChosen;
        int button;
        int wider;  // the ten characters against the memo's font at start: 1 wider, -1 narrower
    } steps[] = {
        {"another face and size", "IPAゴシック", "", "20", IDOK, 1},
        {"cancelled", nullptr, "20", "6", IDCANCEL, 1},
        {"opened again after the cancel", nullptr, "20", "6", IDOK, -1},
    };
    for (const Step& step : steps) {
        HWND dialog = OpenDialog("VF", "フォントの指定");
        ASSERT_NE(dialog, nullptr) << step.what << ": no font dialog";
        EXPECT_FALSE(IsWindowEnabled(main_)) << "the dialog is modal";
        HWND face = GetDlgItem(dialog, kFontFace);
        if (step.face) {
            ASSERT_NE(SendMessageA(face, CB_SELECTSTRING, -1, reinterpret_cast<LPARAM>(step.face)), CB_ERR);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFontFace, CBN_SELCHANGE), reinterpret_cast<LPARAM>(face));
        } else {
            EXPECT_EQ(e2e::TextOf(face), "IPAゴシック") << step.what;
        }
        HWND size = e2e::FindChild(GetDlgItem(dialog, kFontSize), "Edit");
        if (!step.sizeShown.empty()) {
            EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(size) == step.sizeShown; }))
                << step.what << ": the size shows " << e2e::TextOf(size);
        }
        // Typed as a user does: サイズ(&S) selects the size box's text, which the typing replaces.
        ASSERT_TRUE(e2e::PressKey(dialog, 'S', e2e::kAlt));
        ASSERT_TRUE(e2e::WaitUntil([&] { return Focused(size); })) << step.what << ": the size box takes the focus";
        ASSERT_TRUE(e2e::TypeText(dialog, std::wstring(step.sizeChosen.begin(), step.sizeChosen.end())));
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(size) == step.sizeChosen; }))
            << step.what << ": the size box holds " << e2e::TextOf(size);
        ASSERT_TRUE(e2e::ClickButton(dialog, step.button));
        ASSERT_TRUE(Closed(dialog)) << step.what;
        EXPECT_TRUE(e2e::WaitUntil([&] { return (width() > original ? 1 : -1) == step.wider; }))
            << step.what << ": ten characters take " << width() << " pixels, " << original << " at the start";
    }
    EXPECT_EQ(e2e::TextOf(memo_), "あいうえおabcde\r\n");
}

TEST_F(EditView, TheColourDialogOpensOnItsLastConfirmedColourAndSetsTheBackground)
{
    Launch("背景\r\n");
    const COLORREF original = MemoBackground();
    ASSERT_NE(original, CLR_INVALID);
    struct Step {
        const char* what;
        const char* rgbShown[3];  // in the dialog when it opens
        const char* rgbChosen[3];
        int button;
        COLORREF background;  // 0x00RRGGBB as the screen shows it; CLR_INVALID: the original one
    } steps[] = {
        {"cancelled the first time", {"0", "0", "0"}, {"255", "255", "0"}, IDCANCEL, CLR_INVALID},
        {"confirmed", {"0", "0", "0"}, {"255", "255", "0"}, IDOK, 0xFFFF00},
        {"opened again", {"255", "255", "0"}, {"0", "0", "255"}, IDCANCEL, 0xFFFF00},
    };
    for (const Step& step : steps) {
        HWND dialog = OpenDialog("VC", "色");
        ASSERT_NE(dialog, nullptr) << step.what << ": no colour dialog";
        for (int i = 0; i < 3; ++i) {
            HWND edit = GetDlgItem(dialog, kRed + i);
            EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(edit) == step.rgbShown[i]; }))
                << step.what << ": edit " << i << " shows " << e2e::TextOf(edit);
            ASSERT_TRUE(e2e::SetTextOf(edit, step.rgbChosen[i]));
        }
        ASSERT_TRUE(e2e::ClickButton(dialog, step.button));
        ASSERT_TRUE(Closed(dialog)) << step.what;
        const COLORREF want = step.background == CLR_INVALID ? original : step.background;
        EXPECT_TRUE(e2e::WaitUntil([&] { return MemoBackground() == want; }))
            << step.what << ": background " << std::hex << MemoBackground() << ", wanted " << want;
    }
    EXPECT_NE(original, 0u) << "the first cancel did not make it black";
}

TEST_F(EditView, TheAboutBoxShowsCentredAndModallyAndClosesByButtonEnterAndTitleBarButNotEscape)
{
    Launch("文書\r\n");
    struct Close {
        const char* how;
        std::function<bool(HWND box)> close;
    } closes[] = {
        {"OK button", [](HWND box) { return e2e::ClickButton(e2e::FindChild(box, "TButton")); }},
        {"Enter", [](HWND box) { return e2e::PressKey(box, VK_RETURN); }},
        // Escape does nothing: the box is still there to take the Enter after it (had Escape
        // closed it, the box could not come to the front again, or Enter would reach the memo).
        {"Escape, then Enter", [](HWND box) { return e2e::PressKey(box, VK_ESCAPE) && e2e::PressKey(box, VK_RETURN); }},
        {"title bar", [](HWND box) { return PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE; }},
    };
    HWND first = nullptr;
    for (const Close& c : closes) {
        ASSERT_TRUE(e2e::ChooseMenu(main_, "VV"));
        HWND box = velmora_.WaitForDialog("バージョン情報", 10000, "TAboutBox");
        ASSERT_NE(box, nullptr) << c.how << ": no about box";
        EXPECT_FALSE(IsWindowEnabled(main_)) << c.how << ": the main window waits";
        RECT r;
        GetWindowRect(box, &r);
        EXPECT_LE(std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1) << c.how;
        EXPECT_LE(std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1) << c.how;
        if (!first) {
            first = box;
            EXPECT_TRUE(testsupport::SaveWindowPicture(box, "about-box-from-menu"));
        }
        EXPECT_EQ(box, first) << "the same box is shown again";
        ASSERT_TRUE(c.close(box)) << c.how;
        EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(box) && IsWindowEnabled(main_); }))
            << c.how << ": the box stays open";
        EXPECT_TRUE(IsWindow(box)) << c.how << ": hidden, not destroyed";
        EXPECT_EQ(e2e::TextOf(memo_), "文書\r\n") << c.how << ": no key reached the memo";
    }
    EXPECT_EQ(velmora_.CloseAndWait(), 0);
}

}  // namespace
