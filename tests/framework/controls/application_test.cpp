// The application object: its window and title, forms made through it, the loop and its filters,
// quitting, idle mouse tracking and hints.
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "framework/controls/hint_window.h"
#include "framework/controls/screen.h"
#include "framework/core/class_registry.h"
#include "framework/core/class_info.h"
#include "framework/core/fixups.h"
#include "platform/input.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/support/dialog_answerer.h"
#include "tests/support/test_class.h"

using namespace controlstest;

namespace {

constexpr UINT WM_PROBE = WM_USER + 40;

bool QueueHolds(UINT message)
{
    MSG msg;
    return PeekMessageA(&msg, nullptr, message, message, PM_NOREMOVE) != FALSE;
}

void DropQueued(UINT message)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, message, message, PM_REMOVE)) {
    }
}

TEST(ApplicationWindow, IsAHiddenOwnerOfEveryFormTitledAfterTheModule)
{
    HWND window = Application->WindowHandle();
    ASSERT_TRUE(IsWindow(window));
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "TApplication");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0x84CA0000u, 0x84CA0000u);
    EXPECT_FALSE(IsWindowVisible(window));

    // Controls_tests.exe gives "Controls_tests": no folder or extension, lower case after the first.
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = strrchr(path, '\\') + 1;
    name = name.substr(0, name.find('.'));
    CharLowerA(name.data() + 1);
    EXPECT_EQ(Application->AppTitle(), name);

    // Only Restore, Minimize and Close stay on its system menu.
    HMENU menu = GetSystemMenu(window, FALSE);
    EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(menu, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));

    std::unique_ptr<TTestForm> form(MakeShownForm());
    EXPECT_EQ(GetWindow(form->WindowHandle(), GW_OWNER), window);
    EXPECT_GE(Screen->FormCount(), 1);
    // Forms are found by name across the program (form resources refer to them so).
    form->SetName("ListedForm");
    EXPECT_EQ(FindGlobalComponent("listedform"), form.get());
    form.reset();
    EXPECT_EQ(FindGlobalComponent("ListedForm"), nullptr);
}

TEST(ApplicationWindow, ACopyDataRequestNeverLoadsALibrary)
{
    ASSERT_EQ(GetModuleHandleA("msimg32.dll"), nullptr);
    char name[] = "msimg32.dll";
    COPYDATASTRUCT data{0xDE534454, sizeof name, name};
    SendMessageA(Application->WindowHandle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    EXPECT_EQ(GetModuleHandleA("msimg32.dll"), nullptr);
}

TEST(ApplicationWindow, WindowHooksSeeItsMessagesFirst)
{
    struct Hook : TObject {
        int seen = 0;
        void Filter(TMessage& m, bool& handled)
        {
            if (m.Msg == WM_PROBE) {
                ++seen;
                m.Result = 77;
                handled = true;
            }
        }
    } hook;
    TWindowHook entry(&hook, &Hook::Filter);
    SendMessageA(Application->WindowHandle(), CMSG_WINDOWHOOK, 0, reinterpret_cast<LPARAM>(&entry));
    EXPECT_EQ(SendMessageA(Application->WindowHandle(), WM_PROBE, 0, 0), 77);
    SendMessageA(Application->WindowHandle(), CMSG_WINDOWHOOK, 1, reinterpret_cast<LPARAM>(&entry));
    EXPECT_EQ(SendMessageA(Application->WindowHandle(), WM_PROBE, 0, 0), 0);
    EXPECT_EQ(hook.seen, 1);
}

class TFailingForm : public TForm {
    DECLARE_TEST_CLASS(TFailingForm, TForm)
public:
    explicit TFailingForm(TComponent* owner) : TForm(owner) { throw EInvalidOperation("作成に失敗"); }
};

class TSeenForm : public TForm {
    DECLARE_TEST_CLASS(TSeenForm, TForm)
public:
    static TSeenForm** Reference;
    bool referenceSetDuringConstruction = false;
    explicit TSeenForm(TComponent* owner) : TForm(owner, NoResource)
    {
        referenceSetDuringConstruction = *Reference == this;
    }
};
TSeenForm** TSeenForm::Reference = nullptr;

TEST(ModuleStartUp, ControlClassesFormTheActiveRegistrationGroup)
{
    EXPECT_EQ(ActiveClass(), &TControl::StaticClass());
    RegisterComponentClass(TTestEdit::StaticClass());
    EXPECT_EQ(GetClass("TTestEdit"), &TTestEdit::StaticClass());
    EXPECT_EQ(GetClass("TPersistent"), &TPersistent::StaticClass()) << "the base group stays active";
    TClassFinder finder(&TTestForm::StaticClass(), false);
    EXPECT_EQ(finder.GetClass("TTestEdit"), &TTestEdit::StaticClass()) << "a form's finder searches the control group";
}

TEST(CreateAppForm, TheFirstFormBecomesThePrimaryFormAndLaterOnesNever)
{
    ApplicationGuard restore;
    ASSERT_EQ(Application->PrimaryForm(), nullptr);
    TLoggingControl* notAForm = nullptr;
    Application->CreateAppForm(notAForm);
    EXPECT_EQ(Application->PrimaryForm(), nullptr);

    TSeenForm* first = nullptr;
    TSeenForm::Reference = &first;
    Application->CreateAppForm(first);
    EXPECT_TRUE(first->referenceSetDuringConstruction);
    EXPECT_EQ(Application->PrimaryForm(), first);
    EXPECT_TRUE(first->HandleAllocated());
    EXPECT_EQ(first->Owner(), Application);

    TSeenForm* second = nullptr;
    TSeenForm::Reference = &second;
    Application->CreateAppForm(second);
    EXPECT_EQ(Application->PrimaryForm(), first);
    EXPECT_FALSE(second->HandleAllocated());

    TFailingForm* failing = reinterpret_cast<TFailingForm*>(1);
    EXPECT_THROW(Application->CreateAppForm(failing), EInvalidOperation);
    EXPECT_EQ(failing, nullptr);

    delete first;
    EXPECT_EQ(Application->PrimaryForm(), nullptr);
}

TEST(RunLoop, WithoutAPrimaryFormItReturnsAtOnce)
{
    ASSERT_EQ(Application->PrimaryForm(), nullptr);
    PostThreadMessageA(GetCurrentThreadId(), WM_PROBE, 0, 0);
    RunLoopWithin();
    EXPECT_TRUE(QueueHolds(WM_PROBE));  // no message was taken
    EXPECT_FALSE(Application->Running());
    DropQueued(WM_PROBE);
}

TEST(RunLoop, WMQuitEndsTheLoopAfterTheCurrentStepAndLeavesLaterMessages)
{
    ApplicationGuard restore;
    TTestForm* form = nullptr;
    Application->CreateAppForm(form);
    ASSERT_EQ(Application->PrimaryForm(), form);
    PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 5, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_PROBE, 0, 0);
    RunLoopWithin();
    EXPECT_TRUE(Application->QuitRequested());
    EXPECT_TRUE(form->Visible());  // the loop showed the primary form first
    EXPECT_TRUE(IsWindowVisible(form->WindowHandle()));
    EXPECT_TRUE(QueueHolds(WM_PROBE));
    DropQueued(WM_PROBE);
}

TEST(RunLoop, AnExceptionInAStepIsReportedAndTheLoopGoesOn)
{
    struct Steps : TObject {
        int failures = 0;
        std::vector<std::string> reported;
        void OnMessage(MSG& msg, bool& handled)
        {
            if (msg.message == WM_PROBE) {
                handled = true;
                if (++failures == 1)
                    throw EInvalidOperation("一歩目で失敗");
                PostQuitMessage(0);
            }
        }
        void OnException(TObject*, const Exception& e) { reported.push_back(e.Message()); }
    } steps;
    ApplicationGuard restore;
    TTestForm* form = nullptr;
    Application->CreateAppForm(form);
    Application->OnAppMessage = TMessageEvent(&steps, &Steps::OnMessage);
    Application->OnAppException = TExceptionEvent(&steps, &Steps::OnException);
    PostThreadMessageA(GetCurrentThreadId(), WM_PROBE, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_PROBE, 0, 0);
    RunLoopWithin();
    EXPECT_EQ(steps.failures, 2);
    EXPECT_EQ(steps.reported, (std::vector<std::string>{"一歩目で失敗"}));
}

TEST(RunLoop, AnOnAppExceptionThatRaisesItselfDoesNotEndTheLoop)
{
    // A message step fails, then an idle step; each report raises again. The loop goes on to the
    // second probe, which ends it.
    struct Steps : TObject {
        int probes = 0, idles = 0, reports = 0;
        void OnMessage(MSG& msg, bool& handled)
        {
            if (msg.message != WM_PROBE)
                return;
            handled = true;
            if (++probes == 1)
                throw EInvalidOperation("一歩目で失敗");
            PostQuitMessage(0);
        }
        void OnIdle(TObject*, bool& done)
        {
            done = false;
            if (++idles == 1)
                throw EInvalidOperation("待ち時間に失敗");
            if (idles == 2)
                PostThreadMessageA(GetCurrentThreadId(), WM_PROBE, 0, 0);
        }
        void OnException(TObject*, const Exception& e)
        {
            ++reports;
            throw EInvalidOperation(e.Message() + "の報告に失敗");
        }
    } steps;
    ApplicationGuard restore;
    TTestForm* form = nullptr;
    Application->CreateAppForm(form);
    Application->OnAppMessage = TMessageEvent(&steps, &Steps::OnMessage);
    Application->OnAppIdle = TIdleEvent(&steps, &Steps::OnIdle);
    Application->OnAppException = TExceptionEvent(&steps, &Steps::OnException);
    PostThreadMessageA(GetCurrentThreadId(), WM_PROBE, 0, 0);
    EXPECT_NO_THROW(RunLoopWithin());
    EXPECT_EQ(steps.probes, 2);
    EXPECT_EQ(steps.reports, 2);
}

TEST(TakeMessage, AMessageHandledByOnAppMessageIsNeitherTranslatedNorDispatched)
{
    ApplicationGuard restore;
    std::unique_ptr<TTestForm> form(MakeShownForm());
    int probes = 0;
    class TCounting : public TLoggingControl {
    public:
        int* count;
        TCounting(TComponent* owner, int* c) : TLoggingControl(owner), count(c) {}
        void Dispatch(TMessage& m) override
        {
            if (m.Msg == WM_PROBE)
                ++*count;
            TLoggingControl::Dispatch(m);
        }
    };
    auto* control = new TCounting(form.get(), &probes);
    control->SetParent(form.get());
    struct Filter : TObject {
        void Take(MSG& msg, bool& handled) { handled = msg.message == WM_PROBE && msg.wParam == 1; }
    } filter;
    Application->OnAppMessage = TMessageEvent(&filter, &Filter::Take);
    PostMessageA(control->WindowHandle(), WM_PROBE, 1, 0);
    PostMessageA(control->WindowHandle(), WM_PROBE, 2, 0);
    PumpPending();
    EXPECT_EQ(probes, 1);
}

TEST(RequestQuit, TheTerminateHooksMayRefuse)
{
    static bool agree = false;
    auto hook = [] { return agree; };
    AddTerminateHook(hook);
    Application->RequestQuit();
    EXPECT_FALSE(QueueHolds(WM_QUIT));
    agree = true;
    Application->RequestQuit();
    EXPECT_TRUE(QueueHolds(WM_QUIT));
    DropQueued(WM_QUIT);
    RemoveTerminateHook(hook);
}

TEST(RequestQuit, ClosingThePrimaryFormAsksToQuitUnlessOnCloseKeepsItOpen)
{
    struct Closer : TObject {
        TCloseAction action = caHide;
        void Close(TObject*, TCloseAction& a) { a = action; }
    } closer;
    ApplicationGuard restore;
    TTestForm* form = nullptr;
    Application->CreateAppForm(form);
    form->OnClose = TCloseEvent(&closer, &Closer::Close);
    closer.action = caNone;
    SendMessageA(form->WindowHandle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(QueueHolds(WM_QUIT));
    closer.action = caFree;  // any other action ends the application, whatever it is
    SendMessageA(form->WindowHandle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(QueueHolds(WM_QUIT));
    DropQueued(WM_QUIT);
    delete form;

    // Another form freed by OnClose goes later, from the loop.
    TTestForm* primary = nullptr;
    Application->CreateAppForm(primary);
    auto* other = new TTestForm(nullptr);
    other->SetVisible(true);
    other->OnClose = TCloseEvent(&closer, &Closer::Close);
    HWND otherWindow = other->WindowHandle();
    SendMessageA(otherWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(otherWindow));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(otherWindow); }));
    EXPECT_FALSE(QueueHolds(WM_QUIT));
}

// Idle mouse tracking and hints, with the cursor position pinned through the platform layer: the
// framework sees the cursor where the test puts it, whatever the display does.
class CursorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.reset(MakeShownForm(300, 200));
        a = MakeTracked("A", 10);
        b = MakeTracked("B", 150);
        Application->OnAppIdle = TIdleEvent(&idle, &Idle::NotDone);
    }

    class TTracked : public TLoggingControl {
    public:
        std::vector<std::string>* log;
        TTracked(TComponent* owner, std::vector<std::string>* l) : TLoggingControl(owner), log(l) {}
        void Dispatch(TMessage& m) override
        {
            if (m.Msg == CMSG_MOUSEENTER)
                log->push_back("enter " + Name());
            if (m.Msg == CMSG_MOUSELEAVE)
                log->push_back("leave " + Name());
            TLoggingControl::Dispatch(m);
        }
    };
    TTracked* MakeTracked(const char* name, int left)
    {
        auto* control = new TTracked(form.get(), &log);
        control->SetName(name);
        control->SetBounds(left, 10, 100, 100);
        control->SetParent(form.get());
        return control;
    }
    // Puts the cursor at (50, 50) of `control` and returns that point on the screen.
    POINT PutCursorOver(TControl* control)
    {
        POINT p = control->ClientToScreen({50, 50});
        platform::PinCursorPos(p);
        return p;
    }
    // Puts the cursor over `control`, lets the control see the mouse move, and waits for its hint.
    bool ShowHintOver(TControl* control)
    {
        PutCursorOver(control);
        PostMessageA(static_cast<TWinControl*>(control)->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
        return PumpUntil([&] { return Application->Hints().Window()->HintShowing(); }, 1500);
    }
    struct Idle : TObject {
        void NotDone(TObject*, bool& done) { done = false; }  // keeps IdleStep from waiting
    } idle;
    ApplicationGuard restore;
    std::vector<std::string> log;
    std::unique_ptr<TTestForm> form;
    TTracked* a = nullptr;
    TTracked* b = nullptr;
};

TEST_F(CursorTest, TheIdleStepTellsControlsWhenTheMouseEntersAndLeaves)
{
    PutCursorOver(a);
    Application->IdleStep();
    EXPECT_EQ(Application->MouseControl(), a);
    PutCursorOver(b);
    Application->IdleStep();
    EXPECT_EQ(log, (std::vector<std::string>{"enter A", "leave A", "enter B"}));
}

TEST_F(CursorTest, TheLongHintOfTheControlUnderTheMouseBecomesTheCurrentHint)
{
    struct Hints : TObject {
        std::vector<std::string> seen;
        void Changed(TObject*) { seen.push_back(Application->CurrentHint()); }
    } hints;
    Application->OnAppHint = TNotifyEvent(&hints, &Hints::Changed);
    a->SetHint("開く|ファイルを開きます");
    form->SetHint("フォーム");  // B has none of its own: its parent's counts
    PutCursorOver(a);
    Application->IdleStep();
    PutCursorOver(b);
    Application->IdleStep();
    Application->IdleStep();  // unchanged: no second call
    EXPECT_EQ(hints.seen, (std::vector<std::string>{"ファイルを開きます", "フォーム"}));
}

TEST_F(CursorTest, AControlWithShowHintShowsItsShortHintAfterTheDelayAndHidesItLater)
{
    a->SetHint("ポップアップ|長い説明");  // ポ is 83 7C: its second byte looks like "|"
    a->SetShowHint(true);
    Application->SetHintShowDelay(30);
    Application->SetHintHideDelay(300);
    THintWindow* hint = Application->Hints().Window();
    ASSERT_NE(hint, nullptr);
    ASSERT_TRUE(ShowHintOver(a));
    EXPECT_EQ(hint->Caption(), "ポップアップ");
    EXPECT_TRUE(Application->Hints().Active());
    RECT r;
    GetWindowRect(hint->WindowHandle(), &r);
    EXPECT_GT(r.top, a->ClientToScreen({50, 50}).y);  // below the cursor
    EXPECT_GT(r.right - r.left, 20);
    ASSERT_TRUE(PumpUntil([&] { return !hint->HintShowing(); }));

    // A key press cancels a showing hint at once.
    Application->SetHintHideDelay(10000);
    PutCursorOver(b);  // B shows no hint: passing over it cancels A's
    PostMessageA(b->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
    PumpPending();
    EXPECT_EQ(Application->Hints().Control(), nullptr);
    ASSERT_TRUE(ShowHintOver(a));
    PostMessageA(a->WindowHandle(), WM_KEYDOWN, VK_SHIFT, 1);
    PumpPending();
    EXPECT_FALSE(hint->HintShowing());
    EXPECT_EQ(Application->Hints().Control(), nullptr);

    // Outside the application's own loop, a watcher ends the hint once the cursor leaves the
    // framework's windows.
    ASSERT_FALSE(Application->Running());
    ASSERT_TRUE(ShowHintOver(a));
    platform::PinCursorPos({2, 2});  // the test form lies at (100, 100) and beyond
    EXPECT_TRUE(PumpUntil([&] { return !hint->HintShowing(); }));
    EXPECT_EQ(Application->Hints().Control(), nullptr);
}

TEST_F(CursorTest, AWindowOfAnotherKindInsideAControlCountsAsThatControl)
{
    HWND button = CreateWindowExA(
        0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 20, 20, 60, 60, a->WindowHandle(), nullptr, nullptr, nullptr);
    ASSERT_EQ(WindowFromPoint(PutCursorOver(a)), button);
    Application->IdleStep();
    EXPECT_EQ(Application->MouseControl(), a);

    // Its hint shows there, and outside the application's loop the watcher leaves it alone: it
    // goes when its time is up, not cancelled. (A cancel would also forget the hint control.)
    a->SetHint("ボタンの上");
    a->SetShowHint(true);
    Application->SetHintShowDelay(30);
    Application->SetHintHideDelay(400);
    ASSERT_TRUE(ShowHintOver(a));
    ASSERT_TRUE(PumpUntil([&] { return !Application->Hints().Window()->HintShowing(); }));
    EXPECT_EQ(Application->Hints().Control(), a);
    DestroyWindow(button);
}

TEST(HintWindow, AHintNearTheScreenEdgeMovesBackOntoTheScreen)
{
    THintWindow* hint = Application->Hints().Window();
    ASSERT_NE(hint, nullptr);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    hint->ActivateHint({screenWidth - 20, screenHeight - 5, screenWidth + 80, screenHeight + 15}, "端のヒント");
    RECT r;
    GetWindowRect(hint->WindowHandle(), &r);
    EXPECT_EQ(r.right, screenWidth);
    EXPECT_EQ(r.bottom, screenHeight);
    EXPECT_EQ(r.right - r.left, 100) << "moved, not shrunk";
    hint->ReleaseHint();
}

HWND boxWatched = nullptr;
int enabledWhileBoxUp = -1;

void CALLBACK WatchWhileBoxUp(HWND, UINT, UINT_PTR, DWORD)
{
    if (enabledWhileBoxUp < 0 && FindWindowA("#32770", "確認"))
        enabledWhileBoxUp = IsWindowEnabled(boxWatched) ? 1 : 0;
}

TEST(AppMessageBox, OtherWindowsAreDisabledWhileTheBoxIsUpAndComeBackAfter)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    boxWatched = form->WindowHandle();
    enabledWhileBoxUp = -1;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, WatchWhileBoxUp);
    testsupport::DialogAnswerer answerer("確認", IDNO);
    int answer = Application->AppMessageBox("続けますか", "確認", MB_YESNO);
    KillTimer(nullptr, timer);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(answerer.SeenText(), "続けますか");
    EXPECT_EQ(enabledWhileBoxUp, 0);
    EXPECT_TRUE(IsWindowEnabled(form->WindowHandle()));
}

TTestForm* releasedWhileBoxUp = nullptr;

// Inside the box's own loop: frees the form, then closes the box (posted in that order).
void CALLBACK ReleaseWhileBoxUp(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowA("#32770", "確認");
    if (!box || !releasedWhileBoxUp)
        return;
    releasedWhileBoxUp->ReleaseForm();
    releasedWhileBoxUp = nullptr;
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

TEST(AppMessageBox, AFocusedFormFreedWhileTheBoxIsUpIsNotFocusedAgainAfter)
{
    TTestForm* form = MakeShownForm();
    auto* edit = new TTestEdit(form);
    edit->SetParent(form);
    edit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
    ASSERT_EQ(Screen->FocusedForm(), form);
    auto gone = reinterpret_cast<std::uintptr_t>(form);
    releasedWhileBoxUp = form;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, ReleaseWhileBoxUp);
    Application->AppMessageBox("閉じます", "確認", MB_OK);
    KillTimer(nullptr, timer);
    ASSERT_EQ(releasedWhileBoxUp, nullptr);
    EXPECT_NE(reinterpret_cast<std::uintptr_t>(Screen->FocusedForm()), gone);
    for (int i = 0; i < Screen->CustomFormCount(); ++i)
        EXPECT_NE(reinterpret_cast<std::uintptr_t>(Screen->CustomForms(i)), gone);
}

TEST(ApplicationWindow, DisablingItDisablesTheThreadsWindowsUntilItIsEnabledAgain)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    EnableWindow(Application->WindowHandle(), FALSE);
    EXPECT_FALSE(IsWindowEnabled(form->WindowHandle()));
    EnableWindow(Application->WindowHandle(), TRUE);
    EXPECT_TRUE(IsWindowEnabled(form->WindowHandle()));
}

TEST(SynchronizedCalls, ACallQueuedByAnotherThreadRunsOnTheGuiThread)
{
    DWORD ranOn = 0;
    std::thread worker([&] { Application->QueueSynchronizedCall([&] { ranOn = GetCurrentThreadId(); }); });
    worker.join();
    ASSERT_TRUE(PumpUntil([&] { return ranOn != 0; }));
    EXPECT_EQ(ranOn, GetCurrentThreadId());
}

TEST(MinimizeApp, MinimisingAndRestoringTheApplicationGoesThroughItsWindow)
{
    struct Events : TObject {
        std::vector<std::string> seen;
        void Minimized(TObject*) { seen.push_back("minimize"); }
        void Restored(TObject*) { seen.push_back("restore"); }
    } events;
    ApplicationGuard restore;
    Application->OnAppMinimize = TNotifyEvent(&events, &Events::Minimized);
    Application->OnAppRestore = TNotifyEvent(&events, &Events::Restored);
    TTestForm* form = nullptr;
    Application->CreateAppForm(form);
    form->SetVisible(true);
    PumpPending();
    SendMessageA(Application->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PumpPending();
    EXPECT_TRUE(IsIconic(Application->WindowHandle()));
    SendMessageA(Application->WindowHandle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    PumpPending();
    // The primary form's own minimise button minimises the whole application too.
    SendMessageA(form->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PumpPending();
    EXPECT_TRUE(IsIconic(Application->WindowHandle()));
    EXPECT_FALSE(IsIconic(form->WindowHandle()));
    SendMessageA(Application->WindowHandle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    PumpPending();
    EXPECT_FALSE(IsIconic(Application->WindowHandle()));
    EXPECT_TRUE(IsWindowVisible(form->WindowHandle()));
    EXPECT_EQ(events.seen, (std::vector<std::string>{"minimize", "restore", "minimize", "restore"}));
    ShowWindow(Application->WindowHandle(), SW_HIDE);
}

// Run as a child process started with show command 7 (see the test below).
TEST(ShowCommandChild, StartedMinimisedThePrimaryFormStaysHiddenAndTheApplicationIsMinimised)
{
    if (!GetEnvironmentVariableA("VELMORA_SHOW_COMMAND_CHILD", nullptr, 0))
        GTEST_SKIP() << "runs only as the child of StartsMinimisedWithShowCommand7";
    struct Probe : TObject {
        bool iconic = false, formHidden = false, stateMinimized = false;
        TTestForm* form = nullptr;
        void Look(MSG& msg, bool& handled)
        {
            if (msg.message != WM_USER + 41)
                return;
            handled = true;
            iconic = IsIconic(Application->WindowHandle());
            formHidden = !IsWindowVisible(form->WindowHandle());
            stateMinimized = form->WindowState() == wsMinimized;
            PostQuitMessage(0);
        }
    } probe;
    ApplicationGuard restore;
    Application->CreateAppForm(probe.form);
    Application->OnAppMessage = TMessageEvent(&probe, &Probe::Look);
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 41, 0, 0);
    RunLoopWithin();
    EXPECT_TRUE(probe.iconic);
    EXPECT_TRUE(probe.formHidden);
    EXPECT_TRUE(probe.stateMinimized);
}

TEST(RunLoop, StartsMinimisedWithShowCommand7)
{
    EXPECT_EQ(RunChildTests("ShowCommandChild.*", "VELMORA_SHOW_COMMAND_CHILD", SW_SHOWMINNOACTIVE), 0u);
}

}  // namespace
