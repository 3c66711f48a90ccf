// Editing the memo where the edit window's own conversions would lose bytes: carried pairs as single
// characters, text of other scripts converted as it comes in, line starts after typing over a
// selection, and the limits every way of growing the text keeps to.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/application.h"
#include "framework/controls/memo.h"
#include "platform/edit.h"
#include "platform/locale.h"
#include "tests/framework/controls/controls_test_support.h"

using namespace controlstest;

namespace {

struct ErrorLog : TObject {
    std::vector<std::string> messages;
    void Reported(TObject*, const Exception& e) { messages.push_back(e.Message()); }
};

class MemoEditTest : public ::testing::Test {
public:
    void SetUp() override
    {
        form.reset(MakeShownForm(400, 300));
        memo = new TMemo(form.get());
        memo->SetBounds(0, 0, 400, 300);
        memo->SetParent(form.get());
        memo->SetWordWrap(false);
        Application->OnAppException = TExceptionEvent(&errors, &ErrorLog::Reported);
    }
    void TearDown() override { Application->OnAppException = {}; }

    HWND Window() { return memo->Handle(); }
    void Post(UINT message, WPARAM wParam)
    {
        PostMessageW(Window(), message, wParam, 1);
        PumpPending();
    }
    void Type(const std::wstring& text)
    {
        for (wchar_t c : text)
            PostMessageW(Window(), WM_CHAR, c, 1);
        PumpPending();
    }
    // The units the window shows.
    std::wstring Shown()
    {
        std::wstring units(memo->Text().size() + 1, L'\0');
        units.resize(static_cast<std::size_t>(platform::CallUnicodeWindowProc(
            platform::EditUnicodeProcedure(), Window(), WM_GETTEXT, units.size(),
            reinterpret_cast<LPARAM>(units.data()))));
        return units;
    }
    void PutOnClipboard(const std::wstring& text)
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(block);
        SetClipboardData(CF_UNICODETEXT, block);
        CloseClipboard();
    }

    std::unique_ptr<TTestForm> form;
    TMemo* memo = nullptr;
    ErrorLog errors;
};

// ED 40 and 85 82 do not come back from the code page's round trip: the memo carries them, each as one
// character, the way the edit window of Windows keeps any double-byte character whole.
TEST_F(MemoEditTest, ACarriedPairIsOneCharacterToEveryEdit)
{
    const std::string pair = "\xED\x40", text = pair + "AB";
    struct Case {
        const char* what;
        int caret;
        void (*edit)(MemoEditTest&);
        std::string result;
        int caretAfter;
    };
    const Case cases[] = {
        {"a caret put inside stands before it", 1, [](MemoEditTest&) {}, text, 0},
        {"Right steps over it", 0, [](MemoEditTest& t) { t.Post(WM_KEYDOWN, VK_RIGHT); }, text, 2},
        {"Left steps back over it", 2, [](MemoEditTest& t) { t.Post(WM_KEYDOWN, VK_LEFT); }, text, 0},
        {"Backspace takes it whole", 2, [](MemoEditTest& t) { t.Type(L"\b"); }, "AB", 0},
        {"Delete takes it whole", 0, [](MemoEditTest& t) { t.Post(WM_KEYDOWN, VK_DELETE); }, "AB", 0},
        {"typing inside it types before it", 1, [](MemoEditTest& t) { t.Type(L"x"); }, "x" + text, 1},
        {"typing after it", 2, [](MemoEditTest& t) { t.Type(L"表"); }, pair + "表AB", 4},
    };
    for (const Case& c : cases) {
        memo->Lines()->SetText(text);
        memo->SetSelectionStart(c.caret);
        c.edit(*this);
        EXPECT_EQ(memo->Text(), c.result) << c.what;
        EXPECT_EQ(memo->SelectionStart(), c.caretAfter) << c.what;
    }

    // A pair the code page lacks, then a byte of its own: the byte is selected and replaced alone.
    memo->Lines()->SetText("\x85\x82\xA0" + std::string("A"));
    memo->SetSelectionStart(2);
    memo->SetSelectionLength(1);
    EXPECT_EQ(memo->SelectionLength(), 1);
    memo->SetSelectedText("x");
    EXPECT_EQ(memo->Text(), "\x85\x82x" + std::string("A"));
    memo->SelectAllText();
    EXPECT_EQ(memo->SelectionLength(), 4);
}

// Text of other scripts on the clipboard comes in as the code page's bytes, converted by the system
// as for an ANSI edit window; what the window shows is those bytes, and nothing becomes a NUL, CR or LF.
TEST_F(MemoEditTest, APasteOfOtherScriptsShowsWhatIsSaved)
{
    struct Route {
        const char* what;
        void (*paste)(MemoEditTest&);
    };
    const Route routes[] = {
        {"PasteClipboard", [](MemoEditTest& t) { t.memo->PasteClipboard(); }},
        {"Ctrl+V", [](MemoEditTest& t) { t.Type(L"\x16"); }},
        {"the window's own WM_PASTE", [](MemoEditTest& t) { SendMessageW(t.Window(), WM_PASTE, 0, 0); }},
    };
    const std::wstring pastes[] = {L"é😀€", L"x\xF700y\xF70Dz\xF70A.", L"\xE800\xF8FF", L"\xFF10ア"};
    for (const Route& route : routes)
        for (const std::wstring& paste : pastes) {
            const std::string expected = "[" + platform::WideToAnsi(paste) + "]";
            memo->Lines()->SetText("[]");
            PutOnClipboard(paste);
            memo->SetSelectionStart(1);
            route.paste(*this);
            EXPECT_EQ(memo->Text(), expected) << route.what;
            EXPECT_EQ(expected.find_first_of(std::string("\0\r\n", 3)), std::string::npos) << route.what;
            EXPECT_TRUE(Shown() == platform::AnsiToWide(expected)) << route.what;
            EXPECT_EQ(memo->SelectionStart(), static_cast<int>(expected.size() - 1)) << route.what;
        }
}

// Typing over a selection replaces it in the window and in the memo's offsets alike.
TEST_F(MemoEditTest, TypingOverASelectionKeepsEveryLineStartTrue)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "行" + std::to_string(i) + " \xED\x40ソ abc\r\n";
    struct Case {
        const char* what;
        int from, length;
        std::wstring typed;
    };
    const Case cases[] = {
        {"within a line", 3, 4, L"x"},
        {"across three lines", 20, 45, L"表"},
        {"a line break typed over lines", 30, 60, L"\r"},
        {"to the end", 100, -1, L"yz"},
    };
    for (const Case& c : cases) {
        memo->Lines()->SetText(text);
        memo->Lines()->Count();  // the memo has walked the whole text before the edit
        memo->SetSelectionStart(c.from);
        memo->SetSelectionLength(c.length < 0 ? static_cast<int>(text.size()) - c.from : c.length);
        Type(c.typed);
        const std::string now = memo->Text();
        std::vector<LRESULT> starts{0}, answered{0};
        for (std::size_t at = now.find("\r\n"); at != std::string::npos; at = now.find("\r\n", at + 2))
            starts.push_back(static_cast<LRESULT>(at + 2));
        for (std::size_t line = 1; line < starts.size(); ++line)
            answered.push_back(SendMessageA(Window(), EM_LINEINDEX, line, 0));
        EXPECT_EQ(answered, starts) << c.what;
        EXPECT_EQ(memo->TextLength(), static_cast<int>(now.size())) << c.what;
    }
}

// Typing, pasting, replacing and joining lines keep to the limits a whole text is held to: the edit
// is refused with the memo's error and the text stays.
TEST_F(MemoEditTest, EveryWayTheTextGrowsKeepsToTheWindowsLimits)
{
    if (!platform::EditCountsCharacters())
        GTEST_SKIP() << "the platform's edit window takes these texts";
    constexpr int kLongestWrappedLine = 12 * 1024;  // the bridge's limit for a wrapped line
    // The line's CR counts: it ends at the LF.
    const int lineEnd = kLongestWrappedLine - 3;
    const std::string text = std::string(lineEnd, 'x') + "\r\nshort";
    struct Case {
        const char* what;
        int caret;
        void (*edit)(MemoEditTest&);
        std::size_t grows;  // the bytes taken before the limit
    };
    const Case cases[] = {
        {"typed", lineEnd, [](MemoEditTest& t) { t.Type(L"abc"); }, 2},
        {"pasted", lineEnd, [](MemoEditTest& t) { t.memo->PasteClipboard(); }, 0},
        {"replaced", lineEnd, [](MemoEditTest& t) { t.memo->SetSelectedText("zzz"); }, 0},
        {"joined by Backspace", lineEnd + 2, [](MemoEditTest& t) { t.Type(L"\b"); }, 0},
        {"joined by Delete", lineEnd, [](MemoEditTest& t) { t.Post(WM_KEYDOWN, VK_DELETE); }, 0},
    };
    memo->SetWordWrap(true);
    PutOnClipboard(L"www");
    for (const Case& c : cases) {
        memo->Lines()->SetText(text);
        errors.messages.clear();
        memo->SetSelectionStart(c.caret);
        try {
            c.edit(*this);
        } catch (const EInvalidOperation& e) {
            errors.messages.push_back(e.Message());
        }
        ASSERT_FALSE(errors.messages.empty()) << c.what << " was taken";
        EXPECT_EQ(errors.messages.front(), "文字列の大きさが メモ の制限を越えました") << c.what;
        EXPECT_EQ(memo->Text().size(), text.size() + c.grows) << c.what;
    }
    // What makes lines shorter is always taken.
    memo->SetSelectionStart(3);
    Type(L"\b\b");
    EXPECT_EQ(memo->Text().size(), text.size() - 2);
}

// A memo whose next window wraps behind its back, as no property of its own would let it.
class TWrappingBehindItsBack : public TMemo {
public:
    using TMemo::TMemo;
    bool wrapNext = false;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TMemo::CreateParams(params);
        if (wrapNext)
            params.Style &= ~ES_AUTOHSCROLL;
    }
};

// A new window that cannot take the text back raises the memo's error; the memo keeps the text, answers
// with it and takes no typing until a window takes it.
TEST_F(MemoEditTest, ATextTheNewWindowRefusesStaysInTheMemo)
{
    if (!platform::EditCountsCharacters())
        GTEST_SKIP() << "the platform's edit window takes these texts";
    auto* stubborn = new TWrappingBehindItsBack(form.get());
    stubborn->SetParent(form.get());
    stubborn->SetWordWrap(false);
    const std::string text = std::string(40000, 'q') + "\r\nend";
    stubborn->Lines()->SetText(text);
    stubborn->SetTextModified(true);
    stubborn->wrapNext = true;
    EXPECT_THROW(stubborn->RecreateWnd(), EInvalidOperation);
    EXPECT_EQ(stubborn->Text(), text);
    EXPECT_TRUE(stubborn->TextModified());
    PostMessageW(stubborn->Handle(), WM_CHAR, L'x', 1);
    PumpPending();
    EXPECT_EQ(stubborn->Text(), text);
    stubborn->wrapNext = false;
    stubborn->RecreateWnd();
    EXPECT_EQ(stubborn->Text(), text);
    EXPECT_EQ(stubborn->Lines()->Count(), 2);
}

}  // namespace
