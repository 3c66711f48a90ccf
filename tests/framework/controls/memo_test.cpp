// The memo over the real edit window: its text and lines, positions in bytes, typed characters,
// byte-for-byte fidelity, the modified flag, change events, window styles and the texts it refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/memo.h"
#include "framework/core/class_info.h"
#include "platform/edit.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/support/window_picture.h"

using namespace controlstest;

namespace {

// Equal bytes, or where they first differ (long texts are never printed whole).
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    const auto at =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first - actual.begin();
    return ::testing::AssertionFailure()
           << actual.size() << " bytes, " << expected.size() << " expected; first difference at " << at;
}

std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes.substr(0, 64)) {
        out += digits[c >> 4];
        out += digits[c & 15];
        out += ' ';
    }
    return bytes.size() > 64 ? out + "..." : out;
}

// The byte offset of every line start of `text`, lines ending in CR LF.
std::vector<std::size_t> LineStarts(const std::string& text)
{
    std::vector<std::size_t> starts{0};
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        starts.push_back(at + 2);
    return starts;
}

struct ChangeCounter : TObject {
    int count = 0;
    void Changed(TObject*) { ++count; }
};

// A form of the kind the editor reads from its resource, with the memo as a published field.
class TMemoForm : public TForm {
    DECLARE_CLASS(TMemoForm)
public:
    explicit TMemoForm(TComponent* owner) : TForm(owner) {}
    TMemo* Memo1 = nullptr;
};

}  // namespace

const TClassInfo& TMemoForm::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMemoForm, TForm>("TMemoForm").Field("Memo1", &TMemoForm::Memo1).Build();
    return info;
}

namespace {

class MemoTest : public ::testing::Test {
public:  // the tables' steps reach into the fixture
    void SetUp() override
    {
        form.reset(MakeShownForm(400, 300));
        memo = new TMemo(form.get());
        memo->SetBounds(0, 0, 400, 300);
        memo->SetParent(form.get());
        memo->OnChange = TNotifyEvent(&changes, &ChangeCounter::Changed);
    }

    HWND Window() { return memo->Handle(); }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(Window(), message, wParam, lParam);
    }
    void Write(std::string_view text) { memo->Lines()->SetText(text); }
    void TypeChars(const std::wstring& text)
    {
        for (wchar_t c : text)
            PostMessageW(Window(), WM_CHAR, c, 1);
        PumpPending();
    }
    std::vector<std::string> AllLines()
    {
        std::vector<std::string> lines;
        lines.reserve(memo->Lines()->Count());
        for (int i = 0; i < memo->Lines()->Count(); ++i)
            lines.push_back(memo->Lines()->Get(i));
        return lines;
    }

    std::unique_ptr<TTestForm> form;
    TMemo* memo = nullptr;
    ChangeCounter changes;
};

TEST(MemoFormResource, OneEmptyLineHoldsCrLfCountsOneLineAndIsNotModified)
{
    // Made as the editor makes its main form: the form reads its resource once it is whole.
    std::unique_ptr<TMemoForm, void (*)(TComponent*)> form(CreateComponent<TMemoForm>(nullptr), FreeComponent);
    ASSERT_NE(form->Memo1, nullptr);
    EXPECT_EQ(form->Memo1->Text(), "\r\n");
    EXPECT_EQ(form->Memo1->Lines()->Count(), 1);
    EXPECT_FALSE(form->Memo1->TextModified());
    EXPECT_EQ(form->Memo1->ScrollBars(), ssVertical);
}

TEST(MemoWithoutWindow, KeepsItsTextAndFlagAndCountsNoLinesUntilItHasText)
{
    TMemo memo(nullptr);
    EXPECT_EQ(memo.Lines()->Count(), 0);
    EXPECT_FALSE(memo.HandleAllocated());
    memo.Lines()->SetText("a\nb");
    memo.SetTextModified(true);
    EXPECT_FALSE(memo.HandleAllocated());
    EXPECT_EQ(memo.Text(), "a\r\nb");
    EXPECT_TRUE(memo.TextModified());
}

TEST_F(MemoTest, AWholeTextWriteEndsEveryLineInCrLf)
{
    struct Case {
        const char* what;
        std::string written, stored;
        int lines;
    };
    const Case cases[] = {
        {"LF only", "一\n二\n", "一\r\n二\r\n", 2},
        {"CR only", "a\rb\r", "a\r\nb\r\n", 2},
        {"mixed", "x\r\r\ny\n\rz\r\nend", "x\r\n\r\ny\r\n\r\nz\r\nend", 6},
        {"a NUL byte ends the text", std::string("abc\0def", 7), "abc", 1},
        {"a lone lead byte at the end", "ab\x81", "ab\x81", 1},
        {"a lead byte before a break stays a byte", "a\x81\nb", "a\x81\r\nb", 2},
        {"trail bytes 0x5C and 0x41 never break a line", "ソ表\nア", "ソ表\r\nア", 2},
        {"empty", "", "", 0},
    };
    for (const Case& c : cases) {
        Write(c.written);
        EXPECT_EQ(Hex(memo->Text()), Hex(c.stored)) << c.what;
        EXPECT_EQ(memo->Lines()->Count(), c.lines) << c.what;
        EXPECT_FALSE(memo->TextModified()) << c.what;
    }
}

TEST_F(MemoTest, WritingTheSameTextAgainChangesNothing)
{
    Write("a\nb");
    TypeChars(L"x");
    ASSERT_TRUE(memo->TextModified());
    const std::string typed = memo->Text();
    changes.count = 0;
    Write(typed);
    EXPECT_TRUE(memo->TextModified());
    EXPECT_NE(Send(EM_CANUNDO), 0);
    EXPECT_EQ(changes.count, 0);

    Write("other");
    EXPECT_FALSE(memo->TextModified());
    EXPECT_EQ(Send(EM_CANUNDO), 0);
    EXPECT_EQ(changes.count, 1);
}

TEST_F(MemoTest, ALineLongerThan4096BytesReadsBackAsItsFirst4096)
{
    memo->SetWordWrap(false);
    Write(std::string(5000, 'x') + "\r\nnext");
    EXPECT_EQ(memo->Lines()->Get(0), std::string(4096, 'x'));
    EXPECT_EQ(memo->Lines()->Get(1), "next");
    EXPECT_EQ(memo->Lines()->Get(2), "");
}

TEST_F(MemoTest, SwitchingWordWrapKeepsTextAndModifiedFlagButNotCaretOrUndo)
{
    Write("一行目\nabc");
    memo->SetSelectionStart(13);
    TypeChars(L"表");
    ASSERT_NE(Send(EM_CANUNDO), 0);
    const std::string text = memo->Text();
    ASSERT_EQ(text, "一行目\r\nabc表");
    for (bool wrap : {false, true}) {
        memo->SetWordWrap(wrap);
        EXPECT_EQ((GetWindowLongA(Window(), GWL_STYLE) & ES_AUTOHSCROLL) != 0, !wrap);
        EXPECT_EQ(memo->Text(), text);
        EXPECT_TRUE(memo->TextModified());
        EXPECT_EQ(memo->SelectionStart(), 0);
        EXPECT_EQ(Send(EM_CANUNDO), 0);
    }
}

TEST_F(MemoTest, SelectedTextReplacesTheSelectionForGood)
{
    Write("abc");
    memo->SetSelectionStart(1);
    memo->SetSelectionLength(1);
    EXPECT_EQ(memo->SelectedText(), "b");
    changes.count = 0;
    memo->SetSelectedText("表");
    EXPECT_EQ(memo->Text(), "a表c");
    EXPECT_TRUE(memo->TextModified());
    EXPECT_EQ(Send(EM_CANUNDO), 0);
    EXPECT_EQ(changes.count, 1);
    memo->SetSelectionStart(1);
    memo->SetSelectionLength(2);
    EXPECT_EQ(memo->SelectedText(), "表");
}

TEST_F(MemoTest, PositionsAndLengthsCountBytes)
{
    Write("一行目\r\n二行目ソ\r\nABC");
    struct Case {
        UINT message;
        WPARAM parameter;
        LRESULT answer;
    };
    const Case cases[] = {
        {EM_LINEINDEX, 0, 0},    {EM_LINEINDEX, 1, 8},    {EM_LINEINDEX, 2, 18},    {EM_LINEINDEX, 3, -1},
        {EM_LINEFROMCHAR, 7, 0}, {EM_LINEFROMCHAR, 8, 1}, {EM_LINEFROMCHAR, 18, 2}, {EM_LINELENGTH, 8, 8},
        {EM_LINELENGTH, 19, 3},  {EM_GETLINECOUNT, 0, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Send(c.message, c.parameter), c.answer) << "message " << c.message << " (" << c.parameter << ")";

    memo->SelectAllText();
    DWORD start = 99, end = 99;
    EXPECT_EQ(Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end)), MAKELONG(0, 21));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 21u);
    memo->SetSelectionStart(8);
    EXPECT_EQ(memo->SelectionStart(), 8);
    memo->SetSelectionLength(6);
    EXPECT_EQ(memo->SelectedText(), "二行目");
    memo->SetSelectionStart(9);  // inside 二: the caret goes to the character's start
    EXPECT_EQ(memo->SelectionStart(), 8);
}

TEST_F(MemoTest, OnlyWritingTheSelectionLengthScrollsTheCaretIntoView)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "行\r\n";
    Write(text);
    memo->SetSelectionStart(static_cast<int>(text.size()) - 4);
    EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 0);
    memo->SetSelectionLength(2);
    EXPECT_GT(Send(EM_GETFIRSTVISIBLELINE), 200);
}

TEST_F(MemoTest, ADoubleByteCharacterTypedInTwoHalvesArrivesWhole)
{
    struct Case {
        const char* what;
        void (*post)(HWND);
    };
    const Case cases[] = {
        {"lead and trail byte as two WM_CHAR",
         [](HWND w) {
             PostMessageA(w, WM_CHAR, 0x83, 1);
             PostMessageA(w, WM_CHAR, 0x41, 1);
         }},
        {"a Unicode character through the ANSI loop", [](HWND w) { PostMessageW(w, WM_CHAR, L'ア', 1); }},
        {"a Unicode character sent", [](HWND w) { SendMessageW(w, WM_CHAR, L'ア', 1); }},
    };
    for (const Case& c : cases) {
        Write("");
        c.post(Window());
        PumpPending();
        EXPECT_EQ(Hex(memo->Text()), Hex("\x83\x41")) << c.what;
    }
}

TEST_F(MemoTest, AUnicodeKeystrokeTypesTheCodePagesBytes)
{
    Write("x");
    SetForegroundWindow(form->Handle());
    memo->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == Window() && GetForegroundWindow() == form->Handle(); }))
        << "the memo never got the keyboard focus";
    memo->SetSelectionStart(1);
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wScan = L'ア';
        key.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
    EXPECT_TRUE(PumpUntil([&] { return memo->Text().size() == 3; })) << "the keystroke never arrived";
    EXPECT_EQ(Hex(memo->Text()), Hex("x\x83\x41"));
    EXPECT_EQ(memo->SelectionStart(), 3);
}

// Every ordered pair of the bytes 0x01-0xFF but CR and LF, in short lines; the pairs the window's code
// page conversion changes or cannot hold; a lead byte at the very end.
std::string EveryBytePairing()
{
    std::string text;
    int inLine = 0;
    for (int first = 1; first < 256; ++first)
        for (int second = 1; second < 256; ++second) {
            if (first == '\r' || first == '\n' || second == '\r' || second == '\n')
                continue;
            text += static_cast<char>(first);
            text += static_cast<char>(second);
            if (++inLine == 16) {
                text += "\r\n";
                inLine = 0;
            }
        }
    text +=
        "\r\n\xED\x40 \xEE\xF9 \xFA\x54 \x87\x90 \x87\x9A \xFA\x4A \xFA\x58 \x61\x81\x20\x7A \x85\x40 \xF0\x40 "
        "\x80 \xA0 \xFD \xFE \xFF\r\n\x81";
    return text;
}

TEST_F(MemoTest, AnyTextComesBackByteForByte)
{
    memo->SetWordWrap(false);
    const std::string text = EveryBytePairing();
    Write(text);
    EXPECT_TRUE(SameBytes(memo->Text(), text));
    std::vector<std::string> lines;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = std::min(text.find("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(AllLines(), lines);
    EXPECT_FALSE(memo->TextModified());

    // What is typed after such bytes gets the code page's ordinary bytes, positions counting every byte.
    memo->SetSelectionStart(static_cast<int>(text.size()));
    TypeChars(L"日本");
    EXPECT_EQ(Hex(memo->Text().substr(text.size())), Hex("日本"));
    EXPECT_EQ(memo->SelectionStart(), static_cast<int>(text.size() + 4));

    Write("\x85\x40x\x81");
    memo->SelectAllText();
    EXPECT_EQ(memo->SelectionLength(), 4);
    memo->SetSelectionStart(2);
    memo->SetSelectionLength(1);
    EXPECT_EQ(memo->SelectedText(), "x");
}

// A picture of the memo with Japanese text, a selection and bytes that are no characters of the code
// page (each shows as a box of its own): build/artifacts/memo.png.
TEST_F(MemoTest, ShowsItsTextForAPersonToLookAt)
{
    memo->SetScrollBars(ssVertical);
    Write(
        "日本語のテキストを表示するソフト\n半角ｶﾀｶﾅ、ASCII、表ソ能（第二バイトが 0x5C）\n"
        "コード ページにないバイト: [\x85\x40] [\x81 ] [\xED\x40]\n二行目ソ\t\tタブ\n");
    SetForegroundWindow(form->Handle());
    memo->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == Window(); })) << "the memo never got the focus";
    memo->SetSelectionStart(6);
    memo->SetSelectionLength(8);
    PumpPending();
    EXPECT_TRUE(testsupport::SaveWindowPicture(form->Handle(), "memo"));
}

TEST_F(MemoTest, UndoAfterTypingRestoresTheBytes)
{
    const std::string text = "\xED\x40\x87\x90 ソ\r\n\x85\x40";
    Write(text);
    memo->SetSelectionStart(4);
    TypeChars(L"ア表");
    EXPECT_EQ(Hex(memo->Text()), Hex("\xED\x40\x87\x90ア表 ソ\r\n\x85\x40"));
    memo->UndoEdit();
    EXPECT_EQ(Hex(memo->Text()), Hex(text));
}

// Checks every line start and the selection against the text itself while the text is edited in
// several places, so that remembered offsets never outlive a change.
TEST_F(MemoTest, PositionsStayTrueWhileTheTextIsEdited)
{
    memo->SetWordWrap(false);
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "行" + std::to_string(i) + " ソ表\x85\x40 abc\r\n";
    Write(text);
    auto check = [&](const char* step) {
        const std::string now = memo->Text();
        const std::vector<std::size_t> starts = LineStarts(now);
        for (std::size_t line = 0; line < starts.size(); line += 37)
            ASSERT_EQ(Send(EM_LINEINDEX, line), static_cast<LRESULT>(starts[line])) << step << ", line " << line;
        ASSERT_EQ(Send(EM_LINEINDEX, starts.size() - 1), static_cast<LRESULT>(starts.back())) << step;
        ASSERT_EQ(memo->TextLength(), static_cast<int>(now.size())) << step;
    };
    struct Edit {
        const char* what;
        int line, column;  // where the caret goes first
        void (*apply)(MemoTest&);
    };
    const Edit edits[] = {
        {"typed near the end", 1900, 3, [](MemoTest& t) { t.TypeChars(L"日本語"); }},
        {"typed near the start", 2, 4, [](MemoTest& t) { t.TypeChars(L"x"); }},
        {"backspace over a line break", 450, 0, [](MemoTest& t) { t.TypeChars(L"\b\b"); }},
        {"delete key", 500, 5,
         [](MemoTest& t) {
             PostMessageA(t.Window(), WM_KEYDOWN, VK_DELETE, 1);
             PumpPending();
         }},
        {"replacement", 700, 6, [](MemoTest& t) { t.memo->SetSelectedText("\x85\x40\r\n表表"); }},
        {"undo", 0, 0, [](MemoTest& t) { t.memo->UndoEdit(); }},
        {"cut and paste", 3, 2,
         [](MemoTest& t) {
             t.memo->SetSelectionLength(30);
             t.memo->CutSelection();
             t.memo->SetSelectionStart(25000);
             t.memo->PasteClipboard();
         }},
    };
    check("written");
    for (const Edit& edit : edits) {
        const int at = static_cast<int>(LineStarts(memo->Text())[edit.line]) + edit.column;
        memo->SetSelectionStart(at);
        ASSERT_EQ(memo->SelectionStart(), at) << edit.what;
        edit.apply(*this);
        check(edit.what);
    }
}

TEST_F(MemoTest, LinesArePutInsertedAndDeletedInTheWindow)
{
    struct Case {
        const char* what;
        void (*apply)(TStrings&);
        std::string result;
    };
    const Case cases[] = {
        {"put", [](TStrings& l) { l.Put(1, "表"); }, "a\r\n表\r\nc"},
        {"put past the end", [](TStrings& l) { l.Put(5, "X"); }, "a\r\nb\r\nc"},
        {"insert at the start", [](TStrings& l) { l.Insert(0, "Z"); }, "Z\r\na\r\nb\r\nc"},
        {"insert after the last line", [](TStrings& l) { l.Insert(3, "Z"); }, "a\r\nb\r\nc\r\nZ"},
        {"insert past the end", [](TStrings& l) { l.Insert(9, "Z"); }, "a\r\nb\r\nc"},
        {"add", [](TStrings& l) { l.Add("d"); }, "a\r\nb\r\nc\r\nd"},
        {"delete", [](TStrings& l) { l.Delete(1); }, "a\r\nc"},
        {"delete the last line", [](TStrings& l) { l.Delete(2); }, "a\r\nb\r\n"},
        {"delete past the end", [](TStrings& l) { l.Delete(7); }, "a\r\nb\r\nc"},
        {"negative lines",
         [](TStrings& l) {
             l.Put(-1, "X");
             l.Insert(-1, "X");
             l.Delete(-1);
         },
         "a\r\nb\r\nc"},
        {"clear", [](TStrings& l) { l.Clear(); }, ""},
    };
    for (const Case& c : cases) {
        Write("a\r\nb\r\nc");
        c.apply(*memo->Lines());
        EXPECT_EQ(memo->Text(), c.result) << c.what;
    }
    Write("a\r\nb\r\n");
    EXPECT_EQ(AllLines(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(MemoTest, OnChangeFiresForEditsAndWritesOnly)
{
    struct Case {
        const char* what;
        void (*apply)(MemoTest&);
        int changes;
    };
    const Case cases[] = {
        {"typing", [](MemoTest& t) { t.TypeChars(L"ab"); }, 2},
        {"Text written", [](MemoTest& t) { t.memo->SetText("new"); }, 1},
        {"Text written unchanged", [](MemoTest& t) { t.memo->SetText("start"); }, 0},
        {"whole text written", [](MemoTest& t) { t.Write("new"); }, 1},
        {"window re-created", [](MemoTest& t) { t.memo->SetScrollBars(ssBoth); }, 0},
        {"selection moved", [](MemoTest& t) { t.memo->SetSelectionStart(2); }, 0},
    };
    for (const Case& c : cases) {
        memo->SetScrollBars(ssNone);
        Write("start");
        changes.count = 0;
        c.apply(*this);
        EXPECT_EQ(changes.count, c.changes) << c.what;
    }
}

TEST_F(MemoTest, EnterAndTabGoIntoTheTextAsWantReturnsAndWantTabsSay)
{
    struct Case {
        bool wantReturns, wantTabs;
        const char* typed;
    };
    const Case cases[] = {{true, false, "\r\n"}, {false, false, ""}, {true, true, "\r\n\t"}, {false, true, "\t"}};
    for (const Case& c : cases) {
        memo->SetWantReturns(c.wantReturns);
        memo->SetWantTabs(c.wantTabs);
        const LRESULT code = Send(WM_GETDLGCODE);
        EXPECT_EQ((code & DLGC_WANTALLKEYS) != 0, c.wantReturns);
        EXPECT_EQ((code & DLGC_WANTTAB) != 0, c.wantTabs);
        EXPECT_NE(code & DLGC_WANTARROWS, 0);
        Write("");
        TypeChars(L"\r");
        if (c.wantTabs)
            TypeChars(L"\t");
        EXPECT_EQ(Hex(memo->Text()), Hex(c.typed)) << "returns " << c.wantReturns << ", tabs " << c.wantTabs;
    }
}

TEST_F(MemoTest, WindowStylesFollowTheProperties)
{
    Write("kept");
    struct Case {
        const char* what;
        void (*apply)(TMemo&);
        DWORD present, absent, exPresent, exAbsent;
    };
    const Case cases[] = {
        {"defaults", [](TMemo&) {}, ES_MULTILINE | ES_AUTOVSCROLL, ES_AUTOHSCROLL | WS_BORDER | WS_VSCROLL,
         WS_EX_CLIENTEDGE, 0},
        {"no wrapping", [](TMemo& m) { m.SetWordWrap(false); }, ES_AUTOHSCROLL, 0, 0, 0},
        {"vertical bar", [](TMemo& m) { m.SetScrollBars(ssVertical); }, WS_VSCROLL, WS_HSCROLL, 0, 0},
        {"both bars", [](TMemo& m) { m.SetScrollBars(ssBoth); }, WS_VSCROLL | WS_HSCROLL, 0, 0, 0},
        {"right", [](TMemo& m) { m.SetAlignment(taRightJustify); }, ES_RIGHT, ES_CENTER, 0, 0},
        {"centre", [](TMemo& m) { m.SetAlignment(taCenter); }, ES_CENTER, ES_RIGHT, 0, 0},
        {"read-only", [](TMemo& m) { m.SetReadOnly(true); }, ES_READONLY, 0, 0, 0},
        {"selection shown", [](TMemo& m) { m.SetHideSelection(false); }, ES_NOHIDESEL, 0, 0, 0},
        {"OEM", [](TMemo& m) { m.SetOEMConvert(true); }, ES_OEMCONVERT, 0, 0, 0},
        {"no frame", [](TMemo& m) { m.SetBorderStyle(bsNone); }, 0, WS_BORDER, 0, WS_EX_CLIENTEDGE},
    };
    for (const Case& c : cases) {
        c.apply(*memo);
        const auto style = static_cast<DWORD>(GetWindowLongA(Window(), GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongA(Window(), GWL_EXSTYLE));
        EXPECT_EQ(style & c.present, c.present) << c.what;
        EXPECT_EQ(style & c.absent, 0u) << c.what;
        EXPECT_EQ(exStyle & c.exPresent, c.exPresent) << c.what;
        EXPECT_EQ(exStyle & c.exAbsent, 0u) << c.what;
        EXPECT_EQ(memo->Text(), "kept") << c.what;
    }
}

TEST_F(MemoTest, MaxLengthLimitsWhatComesInCountedInBytes)
{
    struct Case {
        const char* what;
        void (*apply)(MemoTest&);
        std::string result;
    };
    const Case cases[] = {
        {"typed", [](MemoTest& t) { t.TypeChars(L"表表"); }, "abc表"},
        {"typed over a selection",
         [](MemoTest& t) {
             t.memo->SelectAllText();
             t.TypeChars(L"表表表");
         },
         "表表"},
        {"replaced", [](MemoTest& t) { t.memo->SetSelectedText("表表"); }, "abc表"},
        {"pasted",
         [](MemoTest& t) {
             t.memo->SelectAllText();
             t.memo->CopySelectedText();
             t.memo->PasteClipboard();
             t.memo->PasteClipboard();
         },
         "abcab"},
    };
    for (const Case& c : cases) {
        memo->SetMaxLength(0);
        Write("abc");
        memo->SetMaxLength(5);
        memo->SetSelectionStart(3);
        c.apply(*this);
        EXPECT_EQ(memo->Text(), c.result) << c.what;
    }
}

TEST_F(MemoTest, ClipboardAndUndoOperationsWorkOnTheSelection)
{
    Write("日本語テキスト");
    memo->SetSelectionStart(6);
    memo->SetSelectionLength(8);
    memo->CopySelectedText();
    memo->CutSelection();
    EXPECT_EQ(memo->Text(), "日本語");
    memo->UndoEdit();
    EXPECT_EQ(memo->Text(), "日本語テキスト");
    memo->SelectAllText();
    memo->PasteClipboard();
    EXPECT_EQ(memo->Text(), "テキスト");
    memo->Clear();
    EXPECT_EQ(memo->Text(), "");
}

TEST_F(MemoTest, ATextTheWindowWouldChokeOnIsRefusedAndTheOldTextStays)
{
    if (!platform::EditCountsCharacters())
        GTEST_SKIP() << "the platform's edit window takes these texts";
    Write("old");
    TypeChars(L"!");
    const std::string kept = memo->Text();
    struct Case {
        const char* what;
        bool wrap;
        std::string text;
    };
    const Case cases[] = {
        {"a 4 MB line, wrapped", true, std::string(4 << 20, 'x')},
        {"two lines of 200 thousand kanji, wrapped", true,
         [] {
             std::string line;
             for (int i = 0; i < 200000; ++i)
                 line += "表";
             return line + "\r\n" + line;
         }()},
        {"a 40 MB line", false, std::string(40 << 20, 'y')},
    };
    for (const Case& c : cases) {
        memo->SetWordWrap(c.wrap);
        for (auto write : {+[](TMemo&m, const std::string&t) { m.Lines()->SetText(t); },
                           +[](TMemo&m, const std::string&t) { m.SetText(t); }}) {
            try {
                write(*memo, c.text);
                ADD_FAILURE() << c.what << " was taken";
            } catch (const EInvalidOperation& e) {
                EXPECT_EQ(e.Message(), "文字列の大きさが メモ の制限を越えました") << c.what;
            }
            EXPECT_TRUE(SameBytes(memo->Text(), kept)) << c.what;
            EXPECT_TRUE(memo->TextModified()) << c.what;
        }
    }
    // A long line the unwrapped window takes cannot go on wrapped.
    memo->SetWordWrap(false);
    Write(std::string(1 << 20, 'z'));
    EXPECT_THROW(memo->SetWordWrap(true), EInvalidOperation);
    EXPECT_FALSE(memo->WordWrap());
    EXPECT_EQ(memo->Text().size(), 1u << 20);
}

}  // namespace
