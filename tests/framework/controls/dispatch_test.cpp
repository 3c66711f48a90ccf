// The message path: every message of a framework window reaches the object's handlers, most
// derived class first; notifications are reflected to the control they concern; exceptions
// stop at the window procedure and are reported.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <memory>

#include "framework/controls/exception_hooks.h"
#include "framework/controls/window_proc.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/support/dialog_answerer.h"

using namespace controlstest;

namespace {

constexpr UINT WM_PROBE = WM_USER + 17;

// Two levels of handlers for the same message; each records itself and calls its inherited one.
class TBaseProbe : public TWinControl {
public:
    explicit TBaseProbe(TComponent* owner) : TWinControl(owner) {}
    std::vector<std::string> Seen;
    void Dispatch(TMessage& m) override
    {
        if (m.Msg == WM_PROBE) {
            Seen.push_back("base");
            m.Result += 10;
            return;  // taken here: the default handler would set its own result
        }
        if (m.Msg == WM_SIZE)
            Seen.push_back("base size");
        TWinControl::Dispatch(m);
    }
};

class TDerivedProbe : public TBaseProbe {
public:
    explicit TDerivedProbe(TComponent* owner) : TBaseProbe(owner) {}
    void Dispatch(TMessage& m) override
    {
        if (m.Msg == WM_PROBE) {
            Seen.push_back("derived");
            m.Result = 1;
        }
        TBaseProbe::Dispatch(m);
    }
};

TEST(Dispatch, APostedMessageReachesTheMostDerivedHandlerThenItsInheritedOne)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* probe = new TDerivedProbe(form.get());
    probe->SetParent(form.get());
    probe->Seen.clear();
    PostMessageA(probe->Handle(), WM_PROBE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return probe->Seen.size() >= 2; }));
    EXPECT_EQ(probe->Seen, (std::vector<std::string>{"derived", "base"}));

    // PerformMessage goes the same way without the queue and returns what the handlers left.
    probe->Seen.clear();
    EXPECT_EQ(probe->PerformMessage(WM_PROBE, 0, 0), 11);
    EXPECT_EQ(SendMessageA(probe->WindowHandle(), WM_PROBE, 0, 0), 11);

    // A system message handled at three levels: the inherited window-control handling still
    // happens (the bounds follow the window).
    probe->Seen.clear();
    SetWindowPos(probe->WindowHandle(), nullptr, 5, 6, 70, 80, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(probe->Seen, (std::vector<std::string>{"base size"}));
    EXPECT_EQ(probe->Width(), 70);
    EXPECT_EQ(probe->Left(), 5);
}

TEST(Dispatch, ReplacingTheWindowProcedureSubclassesTheControlFromOutside)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* probe = new TDerivedProbe(form.get());
    probe->SetParent(form.get());
    struct Spy : TObject {
        TWndMethod old;
        int seen = 0;
        void Proc(TMessage& m)
        {
            if (m.Msg == WM_PROBE)
                ++seen;
            old(m);
        }
    } spy;
    probe->HandleNeeded();
    probe->Seen.clear();
    spy.old = probe->WindowProc;
    probe->WindowProc = TWndMethod(&spy, &Spy::Proc);
    SendMessageA(probe->WindowHandle(), WM_PROBE, 0, 0);
    EXPECT_EQ(spy.seen, 1);
    EXPECT_EQ(probe->Seen.size(), 2u);
    probe->WindowProc = spy.old;
}

TEST(Reflection, CommandsAndNotificationsOfAChildReachTheChildsObject)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* edit = new TTestEdit(form.get());
    edit->SetBounds(10, 10, 150, 24);
    edit->SetParent(form.get());
    // The edit window tells its parent of a change with WM_COMMAND EN_CHANGE.
    SendMessageA(edit->WindowHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("変更"));
    ASSERT_FALSE(edit->Reflected.empty());
    EXPECT_EQ(edit->Reflected.front(), CN_COMMAND);

    edit->Reflected.clear();
    NMHDR header{edit->WindowHandle(), 0, NM_CLICK};
    SendMessageA(form->WindowHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(edit->Reflected, (std::vector<std::uint32_t>{CN_NOTIFY}));

    // A command from a window without an object is handled by the parent itself: it reaches the
    // parent's default handling, which a reflected one never does.
    class TCommandForm : public TTestForm {
    public:
        using TTestForm::TTestForm;
        void DefaultHandler(TMessage& m) override
        {
            if (m.Msg == WM_COMMAND)
                m.Result = 5;
            else
                TTestForm::DefaultHandler(m);
        }
    } parent(nullptr);
    parent.HandleNeeded();
    HWND plain =
        CreateWindowExA(0, "BUTTON", "x", WS_CHILD, 0, 0, 10, 10, parent.WindowHandle(), nullptr, nullptr, nullptr);
    EXPECT_EQ(SendMessageA(parent.WindowHandle(), WM_COMMAND, BN_CLICKED, reinterpret_cast<LPARAM>(plain)), 5);
}

TEST(Reflection, ScrollOwnerDrawAndListKeyMessagesReachTheControlTheyConcern)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* edit = new TTestEdit(form.get());
    edit->SetParent(form.get());
    HWND child = edit->WindowHandle();
    HWND parent = form->WindowHandle();
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.hwndItem = child;
    COMPAREITEMSTRUCT compare{};
    compare.hwndItem = child;
    DELETEITEMSTRUCT deleted{};
    deleted.hwndItem = child;
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_LISTBOX;
    measure.CtlID = GetDlgCtrlID(child);
    auto lp = [](auto* p) { return reinterpret_cast<LPARAM>(p); };
    EXPECT_EQ(SendMessageA(parent, WM_HSCROLL, SB_LINEDOWN, lp(child)), 7);
    EXPECT_EQ(SendMessageA(parent, WM_VSCROLL, SB_LINEUP, lp(child)), 7);
    EXPECT_EQ(SendMessageA(parent, WM_DRAWITEM, 0, lp(&draw)), 7);
    EXPECT_EQ(SendMessageA(parent, WM_COMPAREITEM, 0, lp(&compare)), 7);
    EXPECT_EQ(SendMessageA(parent, WM_DELETEITEM, 0, lp(&deleted)), 7);
    EXPECT_EQ(SendMessageA(parent, WM_MEASUREITEM, 0, lp(&measure)), 7);
    EXPECT_EQ(SendMessageA(parent, WM_VKEYTOITEM, VK_DOWN, lp(child)), 7);
    EXPECT_EQ(SendMessageA(parent, WM_CHARTOITEM, 'a', lp(child)), 7);
    EXPECT_EQ(edit->Reflected,
              (std::vector<std::uint32_t>{CN_HSCROLL, CN_VSCROLL, CN_DRAWITEM, CN_COMPAREITEM, CN_DELETEITEM,
                                          CN_MEASUREITEM, CN_VKEYTOITEM, CN_CHARTOITEM}));
    // The window's own scroll bar (no control window) is the parent's business.
    edit->Reflected.clear();
    SendMessageA(parent, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_TRUE(edit->Reflected.empty());
}

class TThrowing : public TWinControl {
public:
    explicit TThrowing(TComponent* owner) : TWinControl(owner) {}
    void Dispatch(TMessage& m) override
    {
        if (m.Msg == WM_PROBE)
            throw EInvalidOperation("壊れたハンドラ");
        if (m.Msg == WM_PROBE + 1)
            throw EAbort("silent");
        TWinControl::Dispatch(m);
    }
};

struct ExceptionLog : TObject {
    std::vector<std::string> messages;
    std::vector<TObject*> senders;
    void Record(TObject* sender, const Exception& e)
    {
        senders.push_back(sender);
        messages.push_back(e.Message());
    }
};

TEST(Exceptions, AnExceptionInAHandlerIsReportedWithTheControlAndTheLoopGoesOn)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* control = new TThrowing(form.get());
    control->SetParent(form.get());
    ExceptionLog log;
    ApplicationGuard restore;
    Application->OnAppException = TExceptionEvent(&log, &ExceptionLog::Record);
    PostMessageA(control->Handle(), WM_PROBE, 0, 0);
    PostMessageA(control->Handle(), WM_PROBE + 1, 0, 0);  // EAbort: never reported
    PostMessageA(control->Handle(), WM_PROBE, 0, 0);
    bool more = PumpUntil([&] { return log.messages.size() >= 2; });
    PumpPending();
    // The message counts as handled (result 0); the window survived and goes on answering.
    EXPECT_EQ(SendMessageA(control->WindowHandle(), WM_PROBE, 0, 0), 0);
    ASSERT_TRUE(more);
    EXPECT_EQ(log.messages, (std::vector<std::string>{"壊れたハンドラ", "壊れたハンドラ", "壊れたハンドラ"}));
    EXPECT_EQ(log.senders.front(), control);
    EXPECT_TRUE(IsWindow(control->WindowHandle()));
}

TEST(Exceptions, WithoutAHandlerTheExceptionIsShownInTheApplicationsErrorBox)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* control = new TThrowing(form.get());
    control->SetParent(form.get());
    testsupport::DialogAnswerer answerer(Application->AppTitle(), IDOK);
    SendMessageA(control->Handle(), WM_PROBE, 0, 0);
    EXPECT_TRUE(answerer.Answered());
    EXPECT_EQ(answerer.SeenText(), "壊れたハンドラ.");
}

// Exceptions from outside the framework: running out of memory is said in the user's words, any
// other gets the generic report naming its type.
TEST(Exceptions, OutOfMemoryIsReportedInJapaneseAndOtherForeignExceptionsByTheirType)
{
    struct Case {
        std::function<void()> raise;
        const char* shown;
    } cases[] = {
        {[] { throw std::bad_alloc(); }, "メモリが不足しています"},
        {[] { throw std::runtime_error("壊れた"); }, "例外 St13runtime_error が発生しました。壊れた"},
    };
    for (const Case& c : cases) {
        testsupport::DialogAnswerer answerer(Application->AppTitle(), IDOK);
        try {
            c.raise();
        } catch (...) {
            Application->ReportException(Application);
        }
        EXPECT_TRUE(answerer.Answered()) << c.shown;
        EXPECT_EQ(answerer.SeenText(), c.shown);
    }
}

TEST(Exceptions, DisplayExceptionAppendsAFullStopAfterAnyLastCharacterAboveIt)
{
    struct Case {
        const char* message;
        const char* shown;
    };
    const Case cases[] = {
        {"保存できません。", "保存できません。."},  // a double-byte last character sorts after "."
        {"ファイル表", "ファイル表."},              // its second byte is 0x5C
        {"done.", "done."},
        {"done!", "done!"},  // "!" sorts before "."
        {"a-", "a-"},
    };
    for (const Case& c : cases) {
        testsupport::DialogAnswerer answerer(Application->AppTitle(), IDOK);
        Application->DisplayException(Exception(c.message));
        EXPECT_TRUE(answerer.Answered()) << c.message;
        EXPECT_EQ(answerer.SeenText(), c.shown) << c.message;
    }
}

}  // namespace
