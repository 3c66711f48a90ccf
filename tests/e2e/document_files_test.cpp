// The document's files as a user meets them in the real program: new, open, overwrite save and save
// as from the menu and the tool strip, dropped files, the close prompt, and files that cannot be
// read or written, every question, notice, file dialog and error box answered by the test.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/clipboard.h"
#include "tests/e2e/disk_files.h"
#include "tests/e2e/remote_memory.h"
#include "tests/e2e/user_input.h"
#include "tests/e2e/velmora_process.h"
#include "tests/support/window_picture.h"

namespace {

constexpr const char* kSuffix = " :  Velmora";
constexpr int kFileNameBox = 0x47C;

// How a command is given: a menu item by its letters, or a button of the tool strip.
enum class Via { Menu, ToolButton };

// The running editor and what a user does with it and sees of it.
class Editor {
public:
    // Starts the program with `file` on its command line (or none) and waits for its window.
    bool Start(const std::string& file)
    {
        if (!velmora_.Start(file.empty() ? "" : "\"" + file + "\""))
            return false;
        main_ = velmora_.WaitForMainWindow();
        memo_ = main_ ? velmora_.Memo() : nullptr;
        return memo_ && e2e::BringToFront(main_);
    }
    // The same, then waits until it shows the file: the memo reads it when it is first entered, as
    // the window becomes the active one.
    bool Launch(const std::string& file = "")
    {
        return Start(file) && e2e::WaitUntil([&] { return PathPanel() == file; });
    }
    // The same, then 未保存 typed at the start of the memo: the document has unsaved text.
    bool LaunchWithUnsavedText(const std::string& file = "")
    {
        if (!Launch(file))
            return false;
        const std::string before = Memo();
        return e2e::TypeText(main_, L"未保存") && e2e::WaitUntil([&] { return Memo() == "未保存" + before; });
    }
    e2e::VelmoraProcess& Process() { return velmora_; }

    // ---- What the user sees ----
    std::string Memo() { return e2e::TextOf(memo_); }
    std::string Caption() { return e2e::TextOf(main_); }
    std::vector<std::string> Panels() { return e2e::StatusBarTexts(velmora_.StatusBar()); }
    std::string PathPanel()
    {
        std::vector<std::string> panels = Panels();
        return panels.size() == 5 ? panels[4] : "<no panel 4>";
    }
    bool Modified() { return SendMessageA(memo_, EM_GETMODIFY, 0, 0) != 0; }
    // Asks the window to close, as its title bar's close button does.
    void RequestClose() { PostMessageA(main_, WM_CLOSE, 0, 0); }
    bool Drop(const std::vector<std::string>& files) { return e2e::DropFiles(main_, files); }
    // The main window takes input again: no dialog of the command is up.
    bool WaitUntilIdle()
    {
        return e2e::WaitUntil([&] { return IsWindowEnabled(main_); });
    }

    // ---- What the user does ----
    // Types `text` into the memo and waits until the memo holds `after`.
    void Type(const std::wstring& text, const std::string& after)
    {
        ASSERT_TRUE(e2e::TypeText(main_, text));
        ASSERT_TRUE(e2e::WaitUntil([&] { return Memo() == after; })) << "the memo holds " << Memo();
    }
    // ファイル(&F) → 新規作成(&N), 開く(&O), 上書き保存(&S), 名前を付けて保存(&A), 終了(&X).
    void Command(char letter, Via via = Via::Menu)
    {
        if (via == Via::Menu) {
            ASSERT_TRUE(e2e::ChooseMenu(main_, std::string("F") + letter));
            return;
        }
        // The tool strip's ファイルを開く(&O) answers Alt+O, a letter the menu bar does not take; its
        // 上書き保存(&S) shares its letter with the menu bar's 検索(&S), so the user clicks it.
        if (letter == 'O') {
            ASSERT_TRUE(e2e::PressKey(main_, 'O', e2e::kAlt));
            return;
        }
        ASSERT_EQ(letter, 'S') << "no tool button for " << letter;
        ClickSaveButton();
    }
    // Clicks the strip's second button (上書き保存) on its picture: the strip's second run of columns
    // with ink once it has painted, runs 10 pixels or more apart being different buttons.
    void ClickSaveButton()
    {
        HWND strip = e2e::FindChild(main_, "TActionMainMenuBar");
        ASSERT_NE(strip, nullptr);
        ASSERT_TRUE(e2e::BringToFront(main_));
        RECT area;
        GetClientRect(strip, &area);
        MapWindowPoints(strip, nullptr, reinterpret_cast<POINT*>(&area), 2);
        std::vector<int> starts;
        e2e::WaitUntil([&] {
            const testsupport::Picture picture = testsupport::CaptureScreen(area);
            starts.clear();
            int lastInk = -100;
            for (int x = 0; x < picture.width; ++x) {
                bool ink = false;
                for (int y = 4; y < picture.height - 4 && !ink; ++y)
                    ink = picture.At(x, y) != picture.At(0, picture.height / 2);
                if (ink && x - lastInk >= 10)
                    starts.push_back(x);
                if (ink)
                    lastInk = x;
            }
            return starts.size() >= 4;
        });
        ASSERT_GE(starts.size(), 2u) << "the strip shows its buttons";
        ASSERT_TRUE(e2e::ClickAt(strip, {starts[1] + 8, (area.bottom - area.top) / 2}));
    }

    // ---- Answering the program ----
    // The message of a Velmora message dialog, as Ctrl+C in it copies it.
    std::string DialogMessage(HWND dialog)
    {
        // Ctrl+C again now and then: the first may come before the dialog takes keys.
        e2e::ClearClipboard();
        std::optional<std::string> copied;
        const ULONGLONG deadline = GetTickCount64() + 10000;
        while (!copied && GetTickCount64() < deadline) {
            e2e::PressKey(dialog, 'C', e2e::kCtrl);
            e2e::WaitUntil([&] { return (copied = e2e::ClipboardText()).has_value(); }, 1000);
        }
        if (!copied)
            return "<nothing copied>";
        const std::string separator = std::string(27, '-') + "\r\n";
        std::size_t from = copied->find(separator, separator.size());
        std::size_t to = from == std::string::npos ? from : copied->find(separator, from + separator.size());
        if (to == std::string::npos)
            return "<copied: " + *copied + ">";
        from += separator.size();
        return copied->substr(from, to - from - 2);
    }
    // Waits for a message dialog with this title, reads its message and presses the button captioned
    // `button`; returns the message.
    std::string Answer(const std::string& title, const std::string& button)
    {
        HWND dialog = velmora_.WaitForDialog(title, 10000, "TMessageForm");
        if (!dialog)
            return "<no dialog \"" + title + "\">";
        std::string message = DialogMessage(dialog);
        HWND pressed = e2e::FindChild(dialog, "TButton", button);
        if (!pressed || !e2e::ClickButton(pressed))
            return "<no button " + button + ">";
        e2e::WaitUntil([&] { return !IsWindow(dialog); });
        return message;
    }
    std::string AnswerQuestion(const std::string& button) { return Answer("確認", button); }
    std::string AnswerNotice() { return Answer("Velmora", "OK"); }
    // The application's error box: its text, closed with OK.
    std::string AnswerError()
    {
        HWND box = velmora_.WaitForDialog("Velmora");
        if (!box)
            return "<no error box>";
        std::string text = e2e::TextOf(GetDlgItem(box, 0xFFFF));
        e2e::ClickButton(box, IDOK);
        e2e::WaitUntil([&] { return !IsWindow(box); });
        return text;
    }
    // Answers the open ("開く") or save ("名前を付けて保存") dialog: the name typed and OK, or, with
    // no name, Cancel. Returns the name the dialog showed when it came.
    std::string AnswerFileDialog(const std::string& title, const std::optional<std::string>& name)
    {
        HWND dialog = velmora_.WaitForDialog(title);
        if (!dialog)
            return "<no dialog " + title + ">";
        HWND edit = e2e::FindChild(GetDlgItem(dialog, kFileNameBox), "Edit");
        std::string shown = edit ? e2e::TextOf(edit) : "<no name box>";
        if (name && edit)
            e2e::SetTextOf(edit, *name);
        e2e::ClickButton(dialog, name ? IDOK : IDCANCEL);
        // Gone, or asking whether to replace the file chosen.
        e2e::WaitUntil([&] { return !IsWindow(dialog) || OverwritePrompt(dialog); });
        return shown;
    }
    // The save dialog's question whether to replace an existing file: the system's message box, owned
    // by the dialog. Returns its text once `button` (IDYES, IDNO) pressed it away; then the dialog
    // closes (はい) or stays for another name (いいえ).
    std::string AnswerOverwrite(int button)
    {
        HWND dialog = velmora_.WaitForDialog("名前を付けて保存");
        HWND prompt = nullptr;
        if (!dialog || !e2e::WaitUntil([&] { return (prompt = OverwritePrompt(dialog)) != nullptr; }))
            return "<no overwrite prompt>";
        if (button == IDYES)
            testsupport::SaveWindowPicture(prompt, "overwrite_prompt");
        std::string text = e2e::TextOf(GetDlgItem(prompt, 0xFFFF));
        e2e::ClickButton(prompt, button);
        e2e::WaitUntil([&] { return !IsWindow(prompt) && (button == IDNO || !IsWindow(dialog)); });
        return text;
    }
    // The system asks the window whether the session may end (WM_QUERYENDSESSION), as logging off
    // does; the answer comes once the questions it raises are answered.
    std::future<LRESULT> AskToEndSession()
    {
        return std::async(std::launch::async, [main = main_] {
            DWORD_PTR answer = 0xBAD;
            SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 60000, &answer);
            return static_cast<LRESULT>(answer);
        });
    }

private:
    // A visible system dialog owned by `dialog`, or null.
    static HWND OverwritePrompt(HWND dialog)
    {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr)
            if (GetWindow(window, GW_OWNER) == dialog && IsWindowVisible(window))
                return window;
        return nullptr;
    }

    e2e::VelmoraProcess velmora_;
    HWND main_ = nullptr;
    HWND memo_ = nullptr;
};

class DocumentFiles : public testing::Test {
protected:
    e2e::ScratchFolder folder_;
};

TEST_F(DocumentFiles, OpenAsksAboutUnsavedTextThenReadsTheChosenFileWithItsLineBreaksMadeCrLf)
{
    const std::string lf = folder_.File("lf.txt");
    ASSERT_TRUE(e2e::WriteFileBytes(lf, "一\n二\r三"));
    const std::string missing = folder_.File("無い.txt");
    struct Case {
        Via via;
        std::string answer;                 // to the question
        std::optional<std::string> saveAs;  // the save dialog after はい: a name, or cancelled
        std::string notice;                 // empty: none
        std::optional<std::string> open;    // the open dialog: a name, or cancelled
        std::string error;                  // the error box after the open dialog, or none
    } cases[] = {
        {Via::Menu, "はい(&Y)", folder_.File("saved.txt"), "保存しました。\n次にファイルを開きます。", lf, ""},
        {Via::ToolButton, "はい(&Y)", std::nullopt, "保存を中止し、次のファイルを開きます。", std::nullopt, ""},
        {Via::ToolButton, "いいえ(&N)", std::nullopt, "保存せず次のファイルを開きます。", lf, ""},
        {Via::Menu, "いいえ(&N)", std::nullopt, "保存せず次のファイルを開きます。", missing,
         "ファイル " + missing + " は開けません."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer + " " + c.notice);
        Editor editor;
        ASSERT_TRUE(editor.LaunchWithUnsavedText());
        editor.Command('O', c.via);
        EXPECT_EQ(editor.AnswerQuestion(c.answer), "テキストが編集されています\nまず保存しますか？");
        if (c.answer == "はい(&Y)") {
            EXPECT_EQ(editor.AnswerFileDialog("名前を付けて保存", c.saveAs), "") << "the unnamed document's name";
        }
        EXPECT_EQ(editor.AnswerNotice(), c.notice);
        editor.AnswerFileDialog("開く", c.open);
        if (!c.error.empty()) {
            EXPECT_EQ(editor.AnswerError(), c.error);
        }
        if (c.saveAs) {
            EXPECT_EQ(e2e::ReadFileBytes(*c.saveAs), std::string("未保存\r\n")) << "saved before the open";
        }
        if (c.open == lf) {
            EXPECT_TRUE(e2e::WaitUntil([&] { return editor.Memo() == "一\r\n二\r\n三"; })) << editor.Memo();
            EXPECT_EQ(editor.Caption(), std::string("lf.txt") + kSuffix);
            EXPECT_EQ(editor.PathPanel(), lf);
            EXPECT_FALSE(editor.Modified());
        } else {
            EXPECT_TRUE(editor.WaitUntilIdle());
            EXPECT_EQ(editor.Memo(), "未保存\r\n") << "the unsaved text stays";
            EXPECT_TRUE(editor.Modified());
            EXPECT_EQ(editor.Caption(), kSuffix);
            EXPECT_EQ(editor.PathPanel(), "");
        }
    }
}

TEST_F(DocumentFiles, OverwriteSaveWritesTheDocumentsFileOrTellsWhyNot)
{
    const std::string doc = folder_.File("doc.txt");
    struct Case {
        bool named;
        bool newFirst;              // 新規作成 first (leaving an empty memo)
        std::wstring typed;         // before saving
        std::string changedOnDisk;  // the file changed by another program meanwhile (empty: not)
        Via via;
        std::string notice;
        std::string file;                     // what doc.txt holds afterwards
        std::string original = "元の文\r\n";  // what it held before
    } cases[] = {
        {false, false, L"", "", Via::Menu, "ファイル名が存在しません。", "元の文\r\n"},
        {false, true, L"", "", Via::ToolButton, "文章が存在しません。", "元の文\r\n"},
        {true, false, L"", "外から\r\n", Via::ToolButton, "上書き保存しました。", "元の文\r\n"},
        {true, false, L"追記", "", Via::Menu, "上書き保存しました。", "追記元の文\r\n"},
        // Line feeds alone are written as CR LF.
        {true, false, L"", "", Via::Menu, "上書き保存しました。", "一\r\n二\r\n", "一\n二\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.notice + " " + c.file);
        ASSERT_TRUE(e2e::WriteFileBytes(doc, c.original));
        Editor editor;
        ASSERT_TRUE(editor.Launch(c.named ? doc : ""));
        if (c.newFirst) {
            editor.Command('N');
            ASSERT_TRUE(e2e::WaitUntil([&] { return editor.Memo().empty(); }));
        }
        if (!c.typed.empty())
            editor.Type(c.typed, "追記元の文\r\n");
        if (!c.changedOnDisk.empty()) {
            ASSERT_TRUE(e2e::WriteFileBytes(doc, c.changedOnDisk));
        }
        editor.Command('S', c.via);
        EXPECT_EQ(editor.AnswerNotice(), c.notice);
        EXPECT_EQ(e2e::ReadFileBytes(doc), c.file);
        EXPECT_FALSE(editor.Modified());
    }
}

TEST_F(DocumentFiles, SaveAsWritesUnderTheChosenNameWhichLaterSavesUseWhileTheCaptionKeepsTheOld)
{
    const std::string a = folder_.File("a.txt");
    const std::string b = folder_.File("b.txt");
    ASSERT_TRUE(e2e::WriteFileBytes(a, "元\r\n"));
    Editor editor;
    ASSERT_TRUE(editor.Launch(a));
    editor.Type(L"新", "新元\r\n");

    // Cancelled: told so, nothing written.
    editor.Command('A');
    EXPECT_EQ(editor.AnswerFileDialog("名前を付けて保存", std::nullopt), "a.txt") << "the dialog shows the document";
    EXPECT_EQ(editor.AnswerNotice(), "テキストの保存はキャンセルされました。");
    EXPECT_TRUE(editor.Modified());
    EXPECT_FALSE(e2e::FileExists(b));

    editor.Command('A');
    editor.AnswerFileDialog("名前を付けて保存", b);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ReadFileBytes(b) == std::string("新元\r\n"); }));
    EXPECT_TRUE(editor.WaitUntilIdle());
    EXPECT_FALSE(editor.Modified());
    EXPECT_EQ(e2e::ReadFileBytes(a), std::string("元\r\n"));
    EXPECT_EQ(editor.Caption(), std::string("a.txt") + kSuffix) << "the caption keeps the old name";
    EXPECT_EQ(editor.PathPanel(), a);

    editor.Type(L"!", "新!元\r\n");
    editor.Command('S');
    EXPECT_EQ(editor.AnswerNotice(), "上書き保存しました。");
    EXPECT_EQ(e2e::ReadFileBytes(b), std::string("新!元\r\n")) << "overwrite save writes the new name";
    EXPECT_EQ(e2e::ReadFileBytes(a), std::string("元\r\n"));
}

TEST_F(DocumentFiles, NewAsksAboutUnsavedTextAndEmptiesTheDocument)
{
    const std::string doc = folder_.File("doc.txt");
    const std::string other = folder_.File("other.txt");
    struct Case {
        std::string answer;
        std::optional<std::string> saveAs;  // after はい
        std::string memo;
        std::string path;
    } cases[] = {
        {"キャンセル", std::nullopt, "未保存元\r\n", doc},
        {"いいえ(&N)", std::nullopt, "", ""},
        {"はい(&Y)", other, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        ASSERT_TRUE(e2e::WriteFileBytes(doc, "元\r\n"));
        Editor editor;
        ASSERT_TRUE(editor.LaunchWithUnsavedText(doc));
        editor.Command('N');
        EXPECT_EQ(editor.AnswerQuestion(c.answer), "テキストが編集されています\n保存してから新規作成しますか？");
        if (c.saveAs) {
            EXPECT_EQ(editor.AnswerFileDialog("名前を付けて保存", c.saveAs), "doc.txt");
            EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ReadFileBytes(other) == std::string("未保存元\r\n"); }));
        }
        EXPECT_TRUE(e2e::WaitUntil([&] { return editor.Memo() == c.memo && editor.PathPanel() == c.path; }))
            << editor.Memo() << " / " << editor.PathPanel();
        EXPECT_EQ(editor.Modified(), c.answer == "キャンセル");
        EXPECT_EQ(editor.Caption(), std::string("doc.txt") + kSuffix) << "the caption is left as it was";
        EXPECT_EQ(e2e::ReadFileBytes(doc), std::string("元\r\n"));
    }

    // Text typed and deleted in an empty memo: it is still modified, so New asks, every time.
    Editor editor;
    ASSERT_TRUE(editor.Launch());
    editor.Command('N');
    ASSERT_TRUE(e2e::WaitUntil([&] { return editor.Memo().empty(); }));
    editor.Type(L"x\b", "");
    for (const char* answer : {"いいえ(&N)", "キャンセル"}) {
        editor.Command('N');
        EXPECT_EQ(editor.AnswerQuestion(answer), "テキストが編集されています\n保存してから新規作成しますか？");
        EXPECT_TRUE(editor.WaitUntilIdle());
        EXPECT_TRUE(editor.Modified());
    }
}

TEST_F(DocumentFiles, DroppedFilesAreReadInTurnAfterOneQuestionAndTheLastOneStays)
{
    std::vector<std::string> files;
    for (const char* name : {"一.txt", "二.txt", "三.txt"})
        files.push_back(folder_.File(name));
    ASSERT_TRUE(e2e::WriteFileBytes(files[0], "一\r\n"));
    ASSERT_TRUE(e2e::WriteFileBytes(files[1], "二"));
    ASSERT_TRUE(e2e::WriteFileBytes(files[2], "三\n3\n"));
    const std::string missing = folder_.File("無い.txt");
    const std::string zero = folder_.File("zero.txt");
    ASSERT_TRUE(e2e::WriteFileBytes(zero, std::string("前\0後", 5)));
    const std::string longName = folder_.File(std::string(1100, 'x') + ".txt");
    const std::string saved = folder_.File("saved.txt");
    const std::string device = folder_.File("aux.txt");  // the system's device, whatever the folder
    struct Case {
        std::vector<std::string> dropped;
        std::string answer;                 // to the question about unsaved text; empty: nothing typed
        std::optional<std::string> saveAs;  // after はい
        std::string error;                  // the error box, or none
        std::string memo;
        std::string title;
        std::string path;
    } cases[] = {
        {files, "いいえ(&N)", std::nullopt, "", "三\r\n3\r\n", "三.txt", files[2]},
        {files, "キャンセル", std::nullopt, "", "未保存\r\n", "", ""},
        {{files[1]}, "はい(&Y)", saved, "", "二", "二.txt", files[1]},
        {{files[0], missing, files[2]},
         "",
         std::nullopt,
         "ファイル " + missing + " は開けません.",
         "一\r\n",
         "一.txt",
         files[0]},
        {{zero}, "", std::nullopt, "ファイル " + zero + " には NUL 文字が含まれているため開けません.", "\r\n", "", ""},
        {{longName}, "", std::nullopt, "ファイル " + longName + " は開けません.", "\r\n", "", ""},
        {{device}, "", std::nullopt, "ファイル " + device + " は開けません.", "\r\n", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dropped.front() + " " + c.answer);
        Editor editor;
        ASSERT_TRUE(c.answer.empty() ? editor.Launch() : editor.LaunchWithUnsavedText());
        ASSERT_TRUE(editor.Drop(c.dropped));
        if (!c.answer.empty()) {
            EXPECT_EQ(editor.AnswerQuestion(c.answer), "テキストが編集されています\n以前のファイルを保存しますか");
        }
        if (c.saveAs) {
            editor.AnswerFileDialog("名前を付けて保存", c.saveAs);
            EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ReadFileBytes(saved) == std::string("未保存\r\n"); }));
        }
        if (!c.error.empty()) {
            EXPECT_EQ(editor.AnswerError(), c.error);
        }
        EXPECT_TRUE(e2e::WaitUntil([&] { return editor.Memo() == c.memo && editor.PathPanel() == c.path; }))
            << editor.Memo() << " / " << editor.PathPanel();
        EXPECT_EQ(editor.Caption(), c.title + kSuffix);
        EXPECT_EQ(editor.Modified(), c.answer == "キャンセル");
        if (c.answer != "キャンセル") {
            EXPECT_EQ(editor.Process().CloseAndWait(), 0) << "closing asks nothing: the text is saved or let go";
        }
    }
}

TEST_F(DocumentFiles, ClosingWithUnsavedTextAsksAndKeepsTheWindowUnlessTheTextIsSavedOrLetGo)
{
    const std::string doc = folder_.File("doc.txt");
    const std::string chosen = folder_.File("chosen.txt");
    struct Case {
        bool named;
        std::string answer;
        std::optional<std::string> saveAs;  // after はい
        std::string error;                  // empty: none
        bool ends;
        std::string docAfter;  // what doc.txt holds afterwards
        bool chosenWritten;
    } cases[] = {
        {false, "キャンセル", std::nullopt, "", false, "元\r\n", false},
        {true, "いいえ(&N)", std::nullopt, "", true, "元\r\n", false},
        {false, "はい(&Y)", chosen, "", true, "元\r\n", true},
        {true, "はい(&Y)", std::nullopt, "", true, "未保存元\r\n", false},
        {false, "はい(&Y)", std::nullopt, "ファイル  を作成できません.", false, "元\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.named ? "named " : "unnamed ") + c.answer);
        ASSERT_TRUE(e2e::WriteFileBytes(doc, "元\r\n"));
        DeleteFileA(chosen.c_str());
        Editor editor;
        ASSERT_TRUE(editor.LaunchWithUnsavedText(c.named ? doc : ""));
        if (c.named)
            editor.Command('X');  // 終了(&X)
        else
            editor.RequestClose();
        if (&c == &cases[0]) {
            testsupport::SaveWindowPicture(
                editor.Process().WaitForDialog("確認", 10000, "TMessageForm"), "close_prompt");
        }
        EXPECT_EQ(editor.AnswerQuestion(c.answer), "テキストが編集されています\n保存しますか");
        if (c.answer == "はい(&Y)")
            editor.AnswerFileDialog("名前を付けて保存", c.saveAs);
        if (!c.error.empty()) {
            EXPECT_EQ(editor.AnswerError(), c.error);
        }
        if (c.ends) {
            EXPECT_TRUE(editor.Process().WaitForExit(10000)) << "the program ends";
        } else {
            EXPECT_TRUE(editor.WaitUntilIdle());
            EXPECT_TRUE(editor.Process().Running()) << "the window stays open";
            EXPECT_TRUE(editor.Modified());
        }
        EXPECT_EQ(e2e::ReadFileBytes(doc), c.docAfter);
        EXPECT_EQ(
            e2e::ReadFileBytes(chosen), c.chosenWritten ? std::optional<std::string>("未保存\r\n") : std::nullopt);
    }
}

// Names of the files in `folder`, sorted.
std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(DocumentFiles, ASaveThatFailsShowsWhyAndLeavesTheFileAndTheUnsavedTextAsTheyWere)
{
    const std::string doc = folder_.File("doc.txt");
    struct Case {
        const char* what;
        std::function<bool()> spoil;  // makes doc.txt unwritable
        std::function<void()> mend;
        std::optional<std::string> after;  // doc.txt's bytes
        std::vector<std::string> files;    // in the folder afterwards
    } cases[] = {
        {"read-only",
         [&] { return SetFileAttributesA(doc.c_str(), FILE_ATTRIBUTE_READONLY) != 0; },
         [&] { SetFileAttributesA(doc.c_str(), FILE_ATTRIBUTE_NORMAL); },
         "元\r\n",
         {"doc.txt"}},
        {"a folder now",
         [&] { return DeleteFileA(doc.c_str()) && CreateDirectoryA(doc.c_str(), nullptr); },
         [&] { RemoveDirectoryA(doc.c_str()); },
         std::nullopt,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(e2e::WriteFileBytes(doc, "元\r\n"));
        Editor editor;
        ASSERT_TRUE(editor.LaunchWithUnsavedText(doc));
        ASSERT_TRUE(c.spoil());
        editor.Command('S');
        EXPECT_EQ(editor.AnswerError(), "ファイル " + doc + " を作成できません.");
        EXPECT_TRUE(editor.WaitUntilIdle());
        EXPECT_EQ(editor.Memo(), "未保存元\r\n");
        EXPECT_TRUE(editor.Modified());
        EXPECT_EQ(e2e::ReadFileBytes(doc), c.after) << "the file is as it was";
        EXPECT_EQ(FilesIn(folder_.Path()), c.files) << "nothing is left beside it";
        c.mend();
        DeleteFileA(doc.c_str());
    }
}

// A file held open by another program, shared with readers only.
TEST_F(DocumentFiles, AFileHeldByAnotherProgramIsNeitherReadOverNorWritten)
{
    const std::string doc = folder_.File("doc.txt");
    const std::string held = folder_.File("held.txt");
    ASSERT_TRUE(e2e::WriteFileBytes(doc, "元\r\n"));
    ASSERT_TRUE(e2e::WriteFileBytes(held, "鍵\r\n"));
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    Editor editor;
    ASSERT_TRUE(editor.LaunchWithUnsavedText(doc));
    editor.Command('A');
    editor.AnswerFileDialog("名前を付けて保存", held);
    EXPECT_NE(editor.AnswerOverwrite(IDYES), "<no overwrite prompt>");
    EXPECT_EQ(editor.AnswerError(), "ファイル " + held + " を作成できません.");
    editor.Command('O');
    EXPECT_EQ(editor.AnswerQuestion("いいえ(&N)"), "テキストが編集されています\nまず保存しますか？");
    EXPECT_EQ(editor.AnswerNotice(), "保存せず次のファイルを開きます。");
    editor.AnswerFileDialog("開く", held);
    EXPECT_EQ(editor.AnswerError(), "ファイル " + held + " は開けません.");
    EXPECT_TRUE(editor.WaitUntilIdle());
    EXPECT_EQ(editor.Memo(), "未保存元\r\n");
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(editor.Caption(), std::string("doc.txt") + kSuffix);
    // The document is still tied to its own file: an overwrite save writes there.
    editor.Command('S');
    EXPECT_EQ(editor.AnswerNotice(), "上書き保存しました。");
    EXPECT_EQ(e2e::ReadFileBytes(doc), std::string("未保存元\r\n"));
    CloseHandle(holder);
    EXPECT_EQ(e2e::ReadFileBytes(held), std::string("鍵\r\n"));
}

// A save onto a disk without room for the text: the file that was there stays whole.
TEST_F(DocumentFiles, ASaveOntoAFullDiskShowsWhyAndLeavesTheFileThatWasThere)
{
    const char* small = std::getenv("VELMORA_SMALL_DISK");
    const std::string disk = small ? e2e::WindowsPath(small) : "";
    ULARGE_INTEGER room{};
    if (disk.empty() || !GetDiskFreeSpaceExA(disk.c_str(), &room, nullptr, nullptr) || room.QuadPart > (1u << 20))
        GTEST_SKIP() << "no small disk mounted at VELMORA_SMALL_DISK (" << disk << ")";
    const std::string target = disk + "\\full.txt";
    ASSERT_TRUE(e2e::WriteFileBytes(target, "元\r\n"));
    std::string big;
    while (big.size() < 2 * room.QuadPart)
        big += "いろはにほへと ちりぬるを わかよたれそ つねならむ\r\n";
    const std::string doc = folder_.File("big.txt");
    ASSERT_TRUE(e2e::WriteFileBytes(doc, big));
    Editor editor;
    ASSERT_TRUE(editor.Launch(doc));
    editor.Command('A');
    editor.AnswerFileDialog("名前を付けて保存", target);
    EXPECT_NE(editor.AnswerOverwrite(IDYES), "<no overwrite prompt>");
    EXPECT_EQ(editor.AnswerError(), "ファイル " + target + " に書き込めません。ディスクの空き容量を確認してください.");
    EXPECT_EQ(e2e::ReadFileBytes(target), std::string("元\r\n"));
    EXPECT_EQ(FilesIn(disk), std::vector<std::string>{"full.txt"}) << "nothing is left beside it";
    // The document is still tied to its own file.
    editor.Command('S');
    EXPECT_EQ(editor.AnswerNotice(), "上書き保存しました。");
    EXPECT_EQ(e2e::ReadFileBytes(doc), big);
    DeleteFileA(target.c_str());
}

// A file named on the command line that could not be read leaves the document without a name: an
// overwrite save then has nowhere to write, and the file stays as it was.
TEST_F(DocumentFiles, AFileTheCommandLineNamesThatCannotBeReadIsNoNameToSaveUnder)
{
    const std::string zero = folder_.File("zero.txt");
    ASSERT_TRUE(e2e::WriteFileBytes(zero, std::string("前\0後\r\n", 7)));
    // With NUL bytes, the system's device, missing.
    for (const std::string& file : {zero, folder_.File("aux.txt"), folder_.File("無い.txt")}) {
        SCOPED_TRACE(file);
        Editor editor;
        ASSERT_TRUE(editor.Start(file));
        EXPECT_EQ(
            editor.AnswerError(),
            "ファイル " + file + (file == zero ? " には NUL 文字が含まれているため開けません." : " は開けません."));
        EXPECT_TRUE(editor.WaitUntilIdle());
        editor.Command('S');
        EXPECT_EQ(editor.AnswerNotice(), "ファイル名が存在しません。");
        EXPECT_EQ(editor.Memo(), "\r\n");
        EXPECT_EQ(FilesIn(folder_.Path()), std::vector<std::string>{"zero.txt"}) << "nothing made";
        EXPECT_EQ(e2e::ReadFileBytes(zero), std::string("前\0後\r\n", 7));
    }
}

TEST_F(DocumentFiles, SaveAsOntoAnExistingFileAsksBeforeReplacingIt)
{
    const std::string a = folder_.File("a.txt");
    const std::string b = folder_.File("b.txt");
    ASSERT_TRUE(e2e::WriteFileBytes(a, "元\r\n"));
    ASSERT_TRUE(e2e::WriteFileBytes(b, "別\r\n"));
    Editor editor;
    ASSERT_TRUE(editor.LaunchWithUnsavedText(a));
    editor.Command('A');
    editor.AnswerFileDialog("名前を付けて保存", b);
    const std::string question = editor.AnswerOverwrite(IDNO);
    EXPECT_NE(question.find("上書き"), std::string::npos) << question;
    EXPECT_EQ(e2e::ReadFileBytes(b), std::string("別\r\n")) << "いいえ: nothing written, the dialog stays";
    editor.AnswerFileDialog("名前を付けて保存", b);
    EXPECT_EQ(editor.AnswerOverwrite(IDYES), question);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ReadFileBytes(b) == std::string("未保存元\r\n"); }));
    EXPECT_TRUE(editor.WaitUntilIdle());
    EXPECT_FALSE(editor.Modified());
    EXPECT_EQ(e2e::ReadFileBytes(a), std::string("元\r\n"));
}

// A name longer than the dialog takes is a failure of the dialog, not a cancel.
TEST_F(DocumentFiles, ASaveDialogThatFailsSaysWhyInsteadOfCancelling)
{
    Editor editor;
    ASSERT_TRUE(editor.LaunchWithUnsavedText());
    editor.Command('A');
    // A whole path of MAX_PATH characters: one more than the name buffer holds with its zero.
    const std::string folder = folder_.File("");
    editor.AnswerFileDialog("名前を付けて保存", folder + std::string(MAX_PATH - folder.size() - 4, 'x') + ".txt");
    EXPECT_EQ(editor.AnswerError(), "ファイル名が長すぎます (ファイル ダイアログのエラー 0x3003)");
    EXPECT_TRUE(editor.WaitUntilIdle());
    EXPECT_EQ(editor.Process().WaitForDialog("Velmora", 500, "TMessageForm"), nullptr) << "no word of a cancel";
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(FilesIn(folder_.Path()), std::vector<std::string>{});
}

// Logging off or shutting down asks the window first: unsaved text gets the close prompt.
TEST_F(DocumentFiles, TheEndOfTheSessionAsksAboutUnsavedTextAndEndsOnlyOnceItIsSavedOrLetGo)
{
    const std::string doc = folder_.File("doc.txt");
    const std::string chosen = folder_.File("chosen.txt");
    // Empty: nothing typed, nothing asked. はい saves into an existing file, after its own question.
    for (const std::string answer : {"", "キャンセル", "いいえ(&N)", "はい(&Y)"}) {
        SCOPED_TRACE(answer);
        ASSERT_TRUE(e2e::WriteFileBytes(doc, "元\r\n"));
        ASSERT_TRUE(e2e::WriteFileBytes(chosen, "先\r\n"));
        Editor editor;
        ASSERT_TRUE(answer.empty() ? editor.Launch(doc) : editor.LaunchWithUnsavedText(doc));
        std::future<LRESULT> mayEnd = editor.AskToEndSession();
        if (!answer.empty()) {
            EXPECT_EQ(editor.AnswerQuestion(answer), "テキストが編集されています\n保存しますか");
        }
        if (answer == "はい(&Y)") {
            editor.AnswerFileDialog("名前を付けて保存", chosen);
            EXPECT_NE(editor.AnswerOverwrite(IDYES), "<no overwrite prompt>");
        }
        ASSERT_EQ(mayEnd.wait_for(std::chrono::seconds(30)), std::future_status::ready);
        EXPECT_EQ(mayEnd.get(), answer == "キャンセル" ? FALSE : TRUE);
        EXPECT_EQ(editor.Modified(), answer == "キャンセル" || answer == "いいえ(&N)");
        EXPECT_EQ(e2e::ReadFileBytes(chosen), answer == "はい(&Y)" ? "未保存元\r\n" : "先\r\n");
        EXPECT_EQ(e2e::ReadFileBytes(doc), std::string("元\r\n"));
    }
}

}  // namespace
