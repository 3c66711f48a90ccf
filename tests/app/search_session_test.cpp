// The search session driven command by command in a real memo: what each sequence of finds,
// replacements and typing leaves in the memo, what it selects and what it tells the user.
#include <windows.h>

#include <deque>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/search_session.h"
#include "framework/controls/memo.h"
#include "resources/string_ids.h"
#include "tests/framework/controls/controls_test_support.h"

namespace {

// The window the session serves: a memo, and message boxes that the test answers.
class TScriptedHost : public TSearchHost {
public:
    explicit TScriptedHost(TMemo& memo) : memo_(memo) {}
    TCustomEdit& Memo() const override { return memo_; }
    void Notice(unsigned message) const override { said.push_back(message); }
    bool Confirmed(unsigned message) const override
    {
        said.push_back(message);
        const bool ok = answers.empty() || answers.front();
        if (!answers.empty())
            answers.pop_front();
        return ok;
    }

    mutable std::vector<unsigned> said;
    mutable std::deque<bool> answers;

private:
    TMemo& memo_;
};

// Types ANSI text at `at` as the keyboard does, one WM_CHAR per UTF-16 unit.
void TypeAt(TMemo& memo, std::size_t at, const std::string& text)
{
    memo.SetSelectionStart(static_cast<int>(at));
    std::wstring units(text.size(), L'\0');
    units.resize(static_cast<std::size_t>(MultiByteToWideChar(
        CP_ACP, 0, text.data(), static_cast<int>(text.size()), units.data(), static_cast<int>(units.size()))));
    for (wchar_t unit : units)
        SendMessageW(memo.Handle(), WM_CHAR, unit, 1);
}

// A command in a sequence: F the find dialog's Find Next, f the replace dialog's, R its Replace,
// A its Replace All, N find next, K replace and find; a trailing "-" answers its question with
// キャンセル. "T<offset>:<text>" types text at that offset.
void RunStep(TSearchSession& session, TScriptedHost& host, TMemo& memo, const TSearchTerms& terms,
             const std::string& step)
{
    if (step[0] == 'T') {
        const std::size_t colon = step.find(':');
        TypeAt(memo, std::stoul(step.substr(1, colon - 1)), step.substr(colon + 1));
        return;
    }
    if (step.size() > 1 && step[1] == '-')
        host.answers.push_back(false);
    switch (step[0]) {
    case 'F': session.FindFromFindDialog(host, terms); break;
    case 'f': session.FindFromReplaceDialog(host, terms); break;
    case 'R': session.ReplaceFromDialog(host, terms, false); break;
    case 'A': session.ReplaceFromDialog(host, terms, true); break;
    case 'N': session.FindNext(host); break;
    case 'K': session.ReplaceAndFind(host); break;
    default: FAIL() << "no command " << step;
    }
}

std::string Repeated(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// The messages the user is told or asked, in turn.
template <typename... Messages>
std::vector<unsigned> Said(Messages... messages)
{
    return {static_cast<unsigned>(messages)...};
}

TEST(SearchSession, CommandSequencesLeaveTheTextSelectionAndMessagesExpected)
{
    controlstest::ApplicationGuard guard;
    std::unique_ptr<controlstest::TTestForm> form(controlstest::MakeShownForm(400, 300));
    struct Case {
        const char* what;
        std::string text;
        const char *key, *replacement;
        bool matchCase;
        std::string steps;  // commands separated by spaces
        std::string after;
        int selectedFrom, selectedTo;
        std::vector<unsigned> said;
    } cases[] = {
        {"each one found, then the end, never round from the top", "ab AB ab", "ab", "", false, "F N N N N", "ab AB ab",
         6, 8, Said(SSearchEnded, SFindNotSetUp)},
        {"a key found nowhere", "abc", "x", "", false, "F N", "abc", 0, 0, Said(SSearchEnded, SFindNotSetUp)},
        // 表 is 0x95 0x5C and ポ 0x83 0x7C: their second bytes are no backslash, no bar.
        {"Replace over backslashes of their own", "表\\表示\\", "\\", "/", true, "f R R", "表/表示/", 8, 8,
         Said(SReplacedOne, SReplacedOne, SSearchEnded)},
        {"Replace over bars of their own, longer", "ポ|ポ|", "|", "｜", true, "f R R", "ポ｜ポ｜", 8, 8,
         Said(SReplacedOne, SReplacedOne, SSearchEnded)},
        {"Replace, shorter", "表x表", "表", "y", true, "f R R", "yxy", 3, 3,
         Said(SReplacedOne, SReplacedOne, SSearchEnded)},
        {"replace and find kept, put back, kept", "ab ab ab", "ab", "表示", true, "f K K- K", "表示 ab 表示", 12, 12,
         Said(SKeepReplacement, SKeepReplacement, SKeepReplacement, SSearchEnded)},
        {"replace and find after a search of the find dialog", "ab ab", "ab", "x", true, "F K", "ab ab", 0, 2,
         Said(SReplaceNotSetUp)},
        {"Replace before any find", "ab", "ab", "x", true, "R K", "ab", 0, 0,
         Said(SFindFirstInDialog, SReplaceNotStarted)},
        {"Replace All, then Replace: nothing selected to replace", "a a", "a", "ba", true, "A R", "ba ba", 5, 5,
         Said(SReplaceAllConfirm, SReplaceAllDone, SFindFirstInDialog)},
        {"Replace All, then replace and find", "a a", "a", "ba", true, "A K", "ba ba", 5, 5,
         Said(SReplaceAllConfirm, SReplaceAllDone, SReplaceNotStarted)},
        {"Replace All, then find next", "a-表-A-a", "a", "bb", false, "A N", "bb-表-bb-bb", 11, 11,
         Said(SReplaceAllConfirm, SReplaceAllDone, SSearchEnded)},
        {"Replace All answered キャンセル", "a a", "a", "b", true, "A- N", "a a", 0, 0,
         Said(SReplaceAllConfirm, SFindNotSetUp)},
        {"Replace All with nothing to replace", "xyz", "a", "b", true, "A", "xyz", 0, 0,
         Said(SReplaceAllConfirm, SReplaceAllDone)},
        {"Replace All of many, as the whole text", Repeated("a ", 1000), "a", "表", true, "A", Repeated("表 ", 1000),
         2999, 2999, Said(SReplaceAllConfirm, SReplaceAllDone)},
        {"Replace All of many amid more, as one span", std::string(9000, '-') + Repeated("a ", 1000) + "-", "a", "表",
         true, "A", std::string(9000, '-') + Repeated("表 ", 1000) + "-", 11999, 11999,
         Said(SReplaceAllConfirm, SReplaceAllDone)},
        {"Replace All of two far apart, one at a time", "a" + std::string(3000, '-') + "a", "a", "表", true, "A",
         "表" + std::string(3000, '-') + "表", 3004, 3004, Said(SReplaceAllConfirm, SReplaceAllDone)},
        // Typing between steps: what is typed is not searched, what is found is selected where it is now.
        {"typed before and after the rest", "abc abc abc", "abc", "", true, "F T0:表 N T13:abc N N", "表abc abc abcabc",
         10, 13, Said(SSearchEnded)},
        {"typed inside an occurrence of the rest", "abc abc abc", "abc", "", true, "F T5:X N N", "abc aXbc abc", 9, 12,
         Said(SSearchEnded)},
        // A character typed in front makes the found backslash the second byte of 表: nothing to replace.
        {"a found byte become a second byte, replace and find", "a\\", "\\", "/", true, "f T0:表 K", "表a\\", 2, 2,
         Said(SReplaceNotStarted)},
        {"a found byte become a second byte, Replace", "a\\", "\\", "/", true, "f T0:表 R", "表a\\", 2, 2,
         Said(SFindFirstInDialog)},
    };
    for (const Case& c : cases) {
        auto* memo = new TMemo(form.get());
        memo->SetBounds(0, 0, 380, 280);
        memo->SetParent(form.get());
        memo->SetText(c.text);
        TScriptedHost host(*memo);
        TSearchSession session;
        std::istringstream steps(c.steps);
        for (std::string step; steps >> step;)
            RunStep(session, host, *memo, {c.key, c.replacement, c.matchCase}, step);
        EXPECT_EQ(memo->Text(), c.after) << c.what;
        EXPECT_EQ(memo->SelectionStart(), c.selectedFrom) << c.what;
        EXPECT_EQ(memo->SelectionStart() + memo->SelectionLength(), c.selectedTo) << c.what;
        EXPECT_EQ(host.said, c.said) << c.what;
        if (c.steps.find('T') == std::string::npos) {
            // No replacement is recorded for undo.
            memo->UndoEdit();
            EXPECT_EQ(memo->Text(), c.after) << c.what << ", undone";
        }
        delete memo;
    }
}

}  // namespace
