// The editor's main window as a user meets it: its caption and status bar for the file named on the
// command line (or none), the open error for a file it cannot read, typed text kept when the focus
// comes back to the memo, and the caret's line and byte column after keys and clicks.
#include <functional>

#include <gtest/gtest.h>

#include "tests/e2e/disk_files.h"
#include "tests/e2e/remote_memory.h"
#include "tests/e2e/user_input.h"
#include "tests/e2e/velmora_process.h"

namespace {

constexpr const char* kSuffix = " :  Velmora";

// The text of a message box: its static text control.
std::string MessageBoxText(HWND box) { return e2e::TextOf(GetDlgItem(box, 0xFFFF)); }

class MainWindow : public testing::Test {
protected:
    // Starts the program with the arguments and waits for its main window and its memo.
    void Launch(const std::string& arguments = "")
    {
        ASSERT_TRUE(velmora_.Start(arguments));
        WaitForWindow();
    }
    void WaitForWindow()
    {
        main_ = velmora_.WaitForMainWindow();
        ASSERT_NE(main_, nullptr) << "no main window";
        memo_ = velmora_.Memo();
        status_ = velmora_.StatusBar();
        ASSERT_NE(memo_, nullptr);
        ASSERT_NE(status_, nullptr);
    }

    std::vector<std::string> Panels() { return e2e::StatusBarTexts(status_); }
    // Waits until the status bar's panels 0 to 3 read `line`, "行", `column`, "桁"; returns them.
    std::vector<std::string> WaitForCaret(const std::string& line, const std::string& column)
    {
        const std::vector<std::string> want{line, "行", column, "桁"};
        std::vector<std::string> seen;
        e2e::WaitUntil([&] {
            seen = Panels();
            seen.resize(4);
            return seen == want;
        });
        return seen;
    }
    bool Modified() { return SendMessageA(memo_, EM_GETMODIFY, 0, 0) != 0; }

    e2e::ScratchFolder folder_;
    e2e::VelmoraProcess velmora_;
    HWND main_ = nullptr;
    HWND memo_ = nullptr;
    HWND status_ = nullptr;
};

TEST_F(MainWindow, StartedWithoutAFileItShowsAnUnnamedEmptyDocumentAndClosesWithoutAsking)
{
    Launch();
    EXPECT_EQ(e2e::ClassOf(main_), "TForm1");
    EXPECT_EQ(e2e::ClassOf(memo_), "TMemo");
    EXPECT_EQ(e2e::ClassOf(status_), "TStatusBar");
    EXPECT_EQ(e2e::TextOf(main_), kSuffix);
    EXPECT_EQ(e2e::TextOf(memo_), "\r\n");
    EXPECT_FALSE(Modified());
    EXPECT_EQ(Panels(), (std::vector<std::string>{"", "", "", "", ""})) << "nothing shown before a key or a click";
    EXPECT_EQ(velmora_.CloseAndWait(), 0) << "closing asks nothing";
}

TEST_F(MainWindow, TheFileOnTheCommandLineIsShownWithItsTitleAndFullPath)
{
    struct Case {
        std::string folder;  // a folder made in the scratch folder for it, or none
        std::string name;    // in the scratch folder
        bool quoted;
        std::string title;
    } cases[] = {
        {"a b", "a b\\t.txt", true, "t.txt"},
        {"", "表", true, "表"},  // 0x95 0x5C: its second byte is no delimiter
        {"資料", "資料\\ソ表.txt", false, "ソ表.txt"},
    };
    for (const Case& c : cases) {
        const std::string path = folder_.File(c.name);
        if (!c.folder.empty())
            CreateDirectoryA(folder_.File(c.folder).c_str(), nullptr);
        ASSERT_TRUE(e2e::WriteFileBytes(path, "一行目\r\n表示\r\n")) << path;
        e2e::VelmoraProcess velmora;
        ASSERT_TRUE(velmora.Start(c.quoted ? "\"" + path + "\"" : path));
        HWND main = velmora.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        HWND memo = velmora.Memo();
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(memo) == "一行目\r\n表示\r\n"; })) << path;
        EXPECT_EQ(e2e::TextOf(main), c.title + kSuffix);
        // The path panel is written just after the memo is filled.
        std::vector<std::string> panels;
        e2e::WaitUntil([&] {
            panels = e2e::StatusBarTexts(velmora.StatusBar());
            return panels.size() == 5 && panels[4] == path;
        });
        ASSERT_EQ(panels.size(), 5u);
        EXPECT_EQ(panels[4], path);
        EXPECT_EQ(SendMessageA(memo, EM_GETMODIFY, 0, 0), 0);
        EXPECT_EQ(velmora.CloseAndWait(), 0);
        EXPECT_EQ(e2e::ReadFileBytes(path), std::string("一行目\r\n表示\r\n")) << "the file stays as it was";
    }
}

TEST_F(MainWindow, AFileItCannotReadGivesTheOpenErrorAndLosesNothing)
{
    const std::string missing = folder_.File("無い.txt");
    const std::string locked = folder_.File("locked.txt");
    const std::string zero = folder_.File("zero.txt");
    ASSERT_TRUE(e2e::WriteFileBytes(locked, "鍵\r\n"));
    ASSERT_TRUE(e2e::WriteFileBytes(zero, std::string("前\0後\r\n", 7)));
    // Held open by another program that shares it with nobody.
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const std::string& program = e2e::VelmoraPath();
    struct Case {
        std::string commandLine;
        std::string error;  // empty: none; the memo then shows what it holds
        std::string memo;
    } cases[] = {
        {"\"" + program + "\" \"" + missing + "\"", "ファイル " + missing + " は開けません.", "\r\n"},
        {"\"" + program + "\" \"" + folder_.Path() + "\"", "ファイル " + folder_.Path() + " は開けません.", "\r\n"},
        {"\"" + program + "\" \"" + locked + "\"", "ファイル " + locked + " は開けません.", "\r\n"},
        // Unquoted, the program's path is one character shorter than the three the rule takes away
        // with it: the argument loses its first two characters.
        {program + " " + missing, "ファイル " + missing.substr(2) + " は開けません.", "\r\n"},
        // The memo would hold the text up to a zero byte only, and a save would cut the file there.
        {"\"" + program + "\" " + zero, "ファイル " + zero + " には NUL 文字が含まれているため開けません.", "\r\n"},
    };
    for (const Case& c : cases) {
        e2e::VelmoraProcess velmora;
        ASSERT_TRUE(velmora.StartWithCommandLine(c.commandLine)) << c.commandLine;
        HWND main = velmora.WaitForMainWindow();
        ASSERT_NE(main, nullptr) << c.commandLine;
        if (!c.error.empty()) {
            HWND box = velmora.WaitForDialog("Velmora");
            ASSERT_NE(box, nullptr) << "no error box for " << c.commandLine;
            EXPECT_EQ(MessageBoxText(box), c.error);
            e2e::ClickButton(box, IDOK);
            EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(box); })) << "the box closes";
        }
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(velmora.Memo()) == c.memo; })) << c.commandLine;
        EXPECT_TRUE(velmora.Running()) << "the program goes on";
        EXPECT_EQ(velmora.CloseAndWait(), 0) << c.commandLine;
    }
    CloseHandle(holder);
    EXPECT_EQ(e2e::ReadFileBytes(locked), std::string("鍵\r\n"));
    EXPECT_EQ(e2e::ReadFileBytes(zero), std::string("前\0後\r\n", 7));
    EXPECT_FALSE(e2e::FileExists(missing)) << "nothing is made in its place";
}

// The window's focus, as the program's own thread sees it: the driver joins that thread's input to ask
// and to move it, as another control of the window taking the focus would.
HWND FocusOf(HWND window, HWND moveTo = nullptr)
{
    const DWORD own = GetCurrentThreadId();
    const DWORD program = GetWindowThreadProcessId(window, nullptr);
    if (!AttachThreadInput(own, program, TRUE))
        return nullptr;
    if (moveTo)
        SetFocus(moveTo);
    HWND focus = GetFocus();
    AttachThreadInput(own, program, FALSE);
    return focus;
}

TEST_F(MainWindow, TypedTextStaysWhenTheFocusComesBackToTheMemo)
{
    const std::string path = folder_.File("doc.txt");
    ASSERT_TRUE(e2e::WriteFileBytes(path, "元の文\r\n"));
    Launch("\"" + path + "\"");
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(memo_) == "元の文\r\n"; }));
    ASSERT_TRUE(e2e::PressKey(main_, VK_END, e2e::kCtrl));
    ASSERT_TRUE(e2e::TypeText(main_, L"追記"));
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(memo_) == "元の文\r\n追記"; }));
    // Meanwhile another program changes the file: reading it again would throw the typing away.
    ASSERT_TRUE(e2e::WriteFileBytes(path, "書き換え\r\n"));
    // Into the info panel, and back into the memo with a click.
    HWND panel = e2e::FindChild(main_, "TPanel");
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(e2e::WaitUntil([&] { return FocusOf(main_, panel) == panel; })) << "the focus left the memo";
    ASSERT_TRUE(e2e::ClickAt(memo_, {40, 40}));
    EXPECT_TRUE(e2e::WaitUntil([&] { return FocusOf(main_) == memo_; })) << "the focus is back in the memo";
    ASSERT_TRUE(e2e::TypeText(main_, L"!"));
    EXPECT_TRUE(e2e::WaitUntil([&] {
        return e2e::TextOf(memo_).find("追記") != std::string::npos &&
               e2e::TextOf(memo_).find('!') != std::string::npos;
    })) << "the memo holds "
        << e2e::TextOf(memo_);
    EXPECT_TRUE(Modified());
    EXPECT_EQ(e2e::ReadFileBytes(path), std::string("書き換え\r\n"));
}

TEST_F(MainWindow, TheStatusBarShowsTheCaretsLineAndByteColumnAfterKeysAndClicks)
{
    // The second line wraps: forty double-byte characters are wider than the window.
    std::string wide;
    for (int i = 0; i < 80; ++i)
        wide += "表";
    const std::string path = folder_.File("caret.txt");
    ASSERT_TRUE(e2e::WriteFileBytes(path, "abc\r\n" + wide + "\r\nxyz"));
    Launch("\"" + path + "\"");
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(memo_).size() == 5 + wide.size() + 5; }));

    struct Step {
        WORD key;
        unsigned modifiers;
        const char* line;
        const char* column;
    } steps[] = {
        {VK_HOME, e2e::kCtrl, "1", "1"},
        {VK_END, e2e::kNoModifier, "1", "4"},
        {VK_HOME, e2e::kNoModifier, "1", "1"},
        {VK_DOWN, e2e::kNoModifier, "2", "1"},
        {VK_RIGHT, e2e::kNoModifier, "2", "3"},  // after one double-byte character
        {VK_RIGHT, e2e::kShift, "2", "3"},       // the selection grows from its start
        {VK_HOME, e2e::kNoModifier, "2", "1"},
        {VK_DOWN, e2e::kNoModifier, "3", "1"},   // the wrapped row counts as a line
        {VK_RIGHT, e2e::kNoModifier, "3", "3"},  // and holds double-byte characters, not xyz
        {VK_END, e2e::kCtrl, nullptr, "4"},      // the last line: as many as the memo shows
    };
    const LRESULT rows = SendMessageA(memo_, EM_GETLINECOUNT, 0, 0);
    ASSERT_GT(rows, 3) << "the long line wraps";
    const std::string lineCount = std::to_string(rows);
    for (const Step& step : steps) {
        ASSERT_TRUE(e2e::PressKey(main_, step.key, step.modifiers));
        const std::string line = step.line ? step.line : lineCount;
        EXPECT_EQ(WaitForCaret(line, step.column), (std::vector<std::string>{line, "行", step.column, "桁"}))
            << "after key " << step.key;
    }

    // Typed text at the start of the first line: one double-byte character makes the column 3.
    ASSERT_TRUE(e2e::PressKey(main_, VK_HOME, e2e::kCtrl));
    ASSERT_TRUE(e2e::TypeText(main_, L"字"));
    EXPECT_EQ(WaitForCaret("1", "3"), (std::vector<std::string>{"1", "行", "3", "桁"}));

    // A click before the c of abc: line 1, column 5 now that 字 comes first.
    LRESULT at = SendMessageA(memo_, EM_POSFROMCHAR, 4, 0);
    POINT point{static_cast<short>(LOWORD(at)) + 1, static_cast<short>(HIWORD(at)) + 4};
    ASSERT_TRUE(e2e::ClickAt(memo_, point));
    EXPECT_EQ(WaitForCaret("1", "5"), (std::vector<std::string>{"1", "行", "5", "桁"}));
}

BOOL CALLBACK TakeLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR into)
{
    *reinterpret_cast<WORD*>(into) = language;
    return FALSE;
}

// The main window's form resource of a copy of the program, damaged as `damage` says.
bool CopyWithDamagedMainForm(const std::string& copy, const std::function<void(std::string&)>& damage)
{
    if (!CopyFileA(e2e::VelmoraPath().c_str(), copy.c_str(), FALSE))
        return false;
    std::string form;
    WORD language = 0;
    if (HMODULE exe = LoadLibraryExA(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        EnumResourceLanguagesA(
            exe, reinterpret_cast<LPCSTR>(RT_RCDATA), "TFORM1", TakeLanguage, reinterpret_cast<LONG_PTR>(&language));
        if (HRSRC info = FindResourceA(exe, "TFORM1", reinterpret_cast<LPCSTR>(RT_RCDATA)))
            form.assign(static_cast<const char*>(LockResource(LoadResource(exe, info))), SizeofResource(exe, info));
        FreeLibrary(exe);
    }
    if (form.empty())
        return false;
    damage(form);
    HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
    return update &&
           UpdateResourceA(update, reinterpret_cast<LPCSTR>(RT_RCDATA), "TFORM1", language, form.data(),
                           static_cast<DWORD>(form.size())) &&
           EndUpdateResourceA(update, FALSE);
}

TEST(DamagedMainForm, TheReadersErrorIsShownInTheApplicationsErrorBoxAndTheProgramEndsCleanly)
{
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        std::string error;
    } cases[] = {
        {"a misspelt handler", [](std::string& form) { form.replace(form.find("Memo1Enter"), 10, "Memo1Entre"); },
         "Memo1.OnEnter の読み込み中のエラー : 不正なプロパティの値です."},
        {"cut short in the class name", [](std::string& form) { form.resize(8); }, "ストリームからの読み込みエラー."},
        {"no form stream", [](std::string& form) { form.replace(0, 4, "XXXX"); }, "不正なイメージ リスト."},
    };
    for (const Case& c : cases) {
        e2e::ScratchFolder folder;
        const std::string copy = folder.File("Velmora.exe");
        ASSERT_TRUE(CopyWithDamagedMainForm(copy, c.damage)) << c.what;
        e2e::VelmoraProcess velmora(copy);
        ASSERT_TRUE(velmora.Start()) << c.what;
        HWND box = velmora.WaitForDialog("Velmora");
        ASSERT_NE(box, nullptr) << "no error box: " << c.what;
        EXPECT_EQ(MessageBoxText(box), c.error) << c.what;
        EXPECT_EQ(velmora.WaitForMainWindow(0), nullptr) << "no main window: " << c.what;
        e2e::ClickButton(box, IDOK);
        ASSERT_TRUE(velmora.WaitForExit(10000)) << c.what;
        EXPECT_EQ(velmora.ExitCode(), 0u) << c.what;
    }
}

}  // namespace
