// The file dialogs, run modally and answered by the test from inside their own loop.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "framework/dialogs/open_dialog.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/framework/dialogs/dialog_driver.h"
#include "tests/support/window_picture.h"

namespace {

using dialogtest::DialogScript;

constexpr int FileNameBox = 0x47C;
constexpr int FileTypeBox = 0x470;
const char* const EditorFilter = "テキスト(*.txt)|*.txt|全てのファイル(*.*)|*.*";

class FileDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        dir = std::string(temp) + "ダイアログ試験";
        CreateDirectoryA(dir.c_str(), nullptr);
        CreateDirectoryA((dir + "\\フォルダ").c_str(), nullptr);
        for (const char* name : {"a.txt", "b.txt"}) {
            HANDLE file =
                CreateFileA((dir + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            CloseHandle(file);
        }
        form.reset(controlstest::MakeShownForm());
    }

    // Runs the dialog with the script started; the script must have finished when it returns.
    bool Run(TOpenDialog& dialog, DialogScript& script, std::vector<DialogScript::Step> steps)
    {
        script.Start(std::move(steps));
        bool confirmed = dialog.Execute();
        EXPECT_TRUE(script.Failure().empty()) << script.Failure();
        return confirmed;
    }

    std::string dir;
    std::unique_ptr<controlstest::TTestForm> form;
};

TEST_F(FileDialogs, SaveDialogReturnsTheTypedNameOnlyWhenConfirmed)
{
    struct Case {
        const char* typed;
        int button;
        bool confirmed;
        std::string name;
    } cases[] = {
        {"日本語のメモ", IDOK, true, "\\日本語のメモ.txt"},
        {"捨てる名前", IDCANCEL, false, "前の名前.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TSaveDialog dialog(nullptr);
        dialog.SetFileName("前の名前.txt");
        dialog.SetInitialDir(dir + "\\");
        dialog.SetDefaultExt("txt");
        dialog.SetFilter(EditorFilter);
        std::string shownName;
        RECT shown{};
        DialogScript script;
        bool confirmed = Run(
            dialog, script,
            {script.Find("名前を付けて保存"), script.Type(FileNameBox, c.typed),
             DialogScript::Do("look",
                              [&] {
                                  shownName = dialog.FileName();
                                  GetWindowRect(script.Dialog(), &shown);
                                  if (c.confirmed)
                                      testsupport::SaveWindowPicture(script.Dialog(), "save_dialog");
                              }),
             script.Press(c.button)});
        EXPECT_EQ(confirmed, c.confirmed);
        EXPECT_EQ(dialog.FileName(), c.confirmed ? dir + c.name : c.name);
        EXPECT_EQ(dialog.Files()->Count(), c.confirmed ? 1 : 0);
        EXPECT_EQ(shownName, dir + "\\" + c.typed) << "FileName reads the dialog while it is shown";
        RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        EXPECT_EQ(shown.left, (screen.right - (shown.right - shown.left)) / 2) << "centred";
        EXPECT_EQ(shown.top, (screen.bottom - (shown.bottom - shown.top)) / 3) << "a third from the top";
    }
}

TEST_F(FileDialogs, FilterSplitsAtBarsButNotInsideADoubleByteCharacter)
{
    struct Case {
        std::string filter;
        std::vector<std::string> shown;
    } cases[] = {
        {EditorFilter, {"テキスト(*.txt)", "全てのファイル(*.*)"}},
        {"ポスト(*.txt)|*.txt", {"ポスト(*.txt)"}},  // ポ is 83 7C: its second byte is "|"
    };
    for (const Case& c : cases) {
        TOpenDialog dialog(nullptr);
        dialog.SetFilter(c.filter);
        dialog.SetInitialDir(dir);
        std::vector<std::string> items;
        DialogScript script;
        EXPECT_FALSE(Run(
            dialog, script,
            {script.Find("開く"),
             DialogScript::Do("read the types",
                              [&] {
                                  HWND box = dialogtest::DialogControl(script.Dialog(), FileTypeBox);
                                  for (LRESULT i = 0, n = SendMessageA(box, CB_GETCOUNT, 0, 0); i < n; ++i) {
                                      char text[256] = {};
                                      SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                                      items.push_back(text);
                                  }
                              }),
             script.Press(IDCANCEL)}));
        EXPECT_EQ(items, c.shown);
    }
}

TEST_F(FileDialogs, MultiSelectGivesEveryChosenFileWithItsFolder)
{
    TOpenDialog dialog(nullptr);
    dialog.SetOptions(dialog.Options() | ofAllowMultiSelect);
    dialog.SetInitialDir(dir);
    DialogScript script;
    ASSERT_TRUE(Run(
        dialog, script, {script.Find("開く"), script.Type(FileNameBox, "\"a.txt\" \"b.txt\""), script.Press(IDOK)}));
    ASSERT_EQ(dialog.Files()->Count(), 2);
    EXPECT_EQ(dialog.Files()->Get(0), dir + "\\a.txt");
    EXPECT_EQ(dialog.Files()->Get(1), dir + "\\b.txt");
    EXPECT_EQ(dialog.FileName(), dir + "\\a.txt");
}

// A folder typed where a file is expected, a name longer than the buffer, a cancelled dialog: the
// caller's name stays and nothing counts as chosen.
TEST_F(FileDialogs, BadChoicesLeaveTheCallersStateAsItWas)
{
    std::string tooLong = "x";
    for (int i = 0; i < 150; ++i)
        tooLong += "あ";  // 301 bytes
    struct Case {
        const char* what;
        std::string preset;
        std::string typed;  // empty: none
        std::string shown;  // what the name box shows before the dialog is left
    } cases[] = {
        {"a folder", "元の名前.txt", "フォルダ", ""},
        {"a name longer than the buffer", tooLong, "", tooLong.substr(0, 259)},  // cut before a character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSaveDialog dialog(nullptr);
        dialog.SetFileName(c.preset);
        dialog.SetInitialDir(dir);
        std::string shown;
        DialogScript script;
        std::vector<DialogScript::Step> steps{script.Find("名前を付けて保存")};
        if (!c.typed.empty()) {
            steps.push_back(script.SetText(FileNameBox, c.typed));
            steps.push_back(script.Press(IDOK));
        }
        steps.push_back({"the dialog to stay open with the name box showing \"" + c.shown + "\"", [&] {
                             // Past a folder the name box is empty again.
                             shown = dialogtest::ControlText(dialogtest::DialogControl(script.Dialog(), FileNameBox));
                             return IsWindow(script.Dialog()) && shown == c.shown;
                         }});
        steps.push_back(script.Press(IDCANCEL));
        EXPECT_FALSE(Run(dialog, script, std::move(steps)));
        EXPECT_EQ(dialog.FileName(), c.preset);
        EXPECT_EQ(dialog.Files()->Count(), 0);
    }
}

// OnCanClose sees the chosen name and may keep the dialog open; one that raises keeps it open too,
// and its exception goes to the application's report.
TEST_F(FileDialogs, OnCanCloseMayKeepTheDialogOpen)
{
    struct Gate : TObject {
        bool raises = false;
        std::vector<std::string> seen, reported;
        void CanClose(TObject* sender, bool& canClose)
        {
            seen.push_back(static_cast<TOpenDialog*>(sender)->FileName());
            canClose = seen.size() > 1;
            if (raises && !canClose)
                throw Exception("閉じられません");
        }
        void Report(TObject*, const Exception& e) { reported.push_back(e.Message()); }
    };
    controlstest::ApplicationGuard restore;
    for (bool raises : {false, true}) {
        SCOPED_TRACE(raises ? "OnCanClose raises" : "OnCanClose refuses");
        Gate gate;
        gate.raises = raises;
        Application->OnAppException = TExceptionEvent(&gate, &Gate::Report);
        TOpenDialog dialog(nullptr);
        dialog.SetInitialDir(dir);
        dialog.OnCanClose = TFileCanCloseEvent(&gate, &Gate::CanClose);
        DialogScript script;
        ASSERT_TRUE(Run(
            dialog, script,
            {script.Find("開く"),
             script.Type(FileNameBox, "a.txt"),
             script.Press(IDOK),
             {"the refusal", [&] { return gate.seen.size() == 1 && IsWindowVisible(script.Dialog()); }},
             script.Press(IDOK),
             script.Closed()}));
        EXPECT_EQ(gate.seen, std::vector<std::string>(2, dir + "\\a.txt"));
        EXPECT_EQ(dialog.FileName(), dir + "\\a.txt");
        EXPECT_EQ(gate.reported, raises ? std::vector<std::string>{"閉じられません"} : std::vector<std::string>{});
    }
}

// The caller's history is offered in the file name box's drop-down; an entry chosen there opens.
TEST_F(FileDialogs, TheHistoryListIsOfferedInTheFileNameBoxAndAChosenEntryOpens)
{
    TStringList history;
    history.Add("一つ前.txt");
    history.Add(dir + "\\b.txt");
    TOpenDialog dialog(nullptr);
    dialog.SetInitialDir(dir);
    dialog.SetHistoryList(&history);
    history.Clear();
    ASSERT_EQ(dialog.HistoryList()->Count(), 2) << "the dialog keeps a copy";

    // The texts of the explorer-style dialog's file name box (a ComboBoxEx32); the system may have
    // put names of its own before the history.
    auto offered = [](HWND box) {
        std::vector<std::string> texts(static_cast<std::size_t>(SendMessageA(box, CB_GETCOUNT, 0, 0)));
        for (std::size_t i = 0; i < texts.size(); ++i) {
            char text[MAX_PATH] = {};
            COMBOBOXEXITEMA item{CBEIF_TEXT, static_cast<INT_PTR>(i), text, sizeof text, 0, 0, 0, 0, 0};
            SendMessageA(box, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            texts[i] = text;
        }
        return texts;
    };
    std::vector<std::string> seen;
    DialogScript script;
    bool confirmed = Run(
        dialog, script,
        {script.Find("開く"),
         DialogScript::Do("choose the last entry",
                          [&] {
                              HWND box = dialogtest::DialogControl(script.Dialog(), FileNameBox);
                              seen = offered(box);
                              SendMessageA(box, CB_SETCURSEL, seen.size() - 1, 0);
                          }),
         script.Press(IDOK), script.Closed()});
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(seen.end() - 2, seen.end()),
              (std::vector<std::string>{"一つ前.txt", dir + "\\b.txt"}));
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(dialog.FileName(), dir + "\\b.txt");
}

}  // namespace
