// Keys as the application's loop delivers them: the notification path (shortcuts, dialog keys),
// then OnKeyDown/OnKeyPress/OnKeyUp with the form's key preview, before the window sees the key.
#include <gtest/gtest.h>

#include <memory>

#include "tests/framework/controls/controls_test_support.h"

using namespace controlstest;

namespace {

// Records the key events of controls and forms, and changes keys as told.
struct KeyLog : TObject {
    std::vector<std::string> events;
    std::uint16_t swallowDown = 0;  // OnKeyDown sets this key to 0
    char replaceChar = 0;           // OnKeyPress turns every character into this one
    void Down(TObject* sender, std::uint16_t& key, TShiftState)
    {
        events.push_back(static_cast<TComponent*>(sender)->Name() + " down " + std::to_string(key));
        if (key == swallowDown)
            key = 0;
    }
    void Up(TObject* sender, std::uint16_t& key, TShiftState)
    {
        events.push_back(static_cast<TComponent*>(sender)->Name() + " up " + std::to_string(key));
    }
    void Press(TObject* sender, char& key)
    {
        events.push_back(static_cast<TComponent*>(sender)->Name() + " press " + std::string(1, key));
        if (replaceChar)
            key = replaceChar;
    }
};

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.reset(MakeShownForm());
        form->SetName("Form");
        first = MakeEdit("First", 10);
        second = MakeEdit("Second", 40);
        first->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return first->Focused(); }));
    }

    TTestEdit* MakeEdit(const char* name, int top)
    {
        auto* edit = new TTestEdit(form.get());
        edit->SetName(name);
        edit->SetBounds(10, top, 150, 24);
        edit->SetParent(form.get());
        edit->OnKeyDown = TKeyEvent(&log, &KeyLog::Down);
        edit->OnKeyUp = TKeyEvent(&log, &KeyLog::Up);
        edit->OnKeyPress = TKeyPressEvent(&log, &KeyLog::Press);
        return edit;
    }

    // Posts a key press as a keyboard would (down, then up) and lets the loop run.
    void PressKey(TWinControl* target, WORD key)
    {
        PostMessageA(target->WindowHandle(), WM_KEYDOWN, key, 1);
        PostMessageA(target->WindowHandle(), WM_KEYUP, key, 0xC0000001);
        PumpPending();
    }

    void SetTextAtStart(TTestEdit* edit, const char* text)
    {
        SendMessageA(edit->WindowHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(edit->WindowHandle(), EM_SETSEL, 0, 0);
    }

    KeyLog log;
    std::unique_ptr<TTestForm> form;
    TTestEdit* first = nullptr;
    TTestEdit* second = nullptr;
};

TEST_F(KeyboardTest, AKeySetToZeroByOnKeyDownNeverReachesTheEditWindow)
{
    SetTextAtStart(first, "abc");
    log.swallowDown = VK_DELETE;
    PressKey(first, VK_DELETE);
    EXPECT_EQ(WindowTextOf(first->WindowHandle()), "abc");
    EXPECT_EQ(log.events, (std::vector<std::string>{"First down 46", "First up 46"}));

    log.swallowDown = 0;
    PressKey(first, VK_DELETE);
    EXPECT_EQ(WindowTextOf(first->WindowHandle()), "bc");
}

TEST_F(KeyboardTest, OnKeyPressReplacesOrDropsTheCharacter)
{
    SetTextAtStart(first, "");
    log.replaceChar = 'Z';
    PostMessageA(first->WindowHandle(), WM_CHAR, 'a', 1);
    PumpPending();
    EXPECT_EQ(WindowTextOf(first->WindowHandle()), "Z");
    log.replaceChar = '\0';  // replaced by "nothing": the character ends there
    struct Dropper : TObject {
        void Press(TObject*, char& key) { key = 0; }
    } dropper;
    first->OnKeyPress = TKeyPressEvent(&dropper, &Dropper::Press);
    PostMessageA(first->WindowHandle(), WM_CHAR, 'b', 1);
    PumpPending();
    EXPECT_EQ(WindowTextOf(first->WindowHandle()), "Z");
}

TEST_F(KeyboardTest, AFormWithKeyPreviewSeesTheKeyFirstAndCanTakeIt)
{
    SetTextAtStart(first, "abc");
    form->SetKeyPreview(true);
    form->OnKeyDown = TKeyEvent(&log, &KeyLog::Down);
    log.swallowDown = VK_DELETE;  // the form swallows it
    PostMessageA(first->WindowHandle(), WM_KEYDOWN, VK_DELETE, 1);
    PumpPending();
    EXPECT_EQ(log.events, (std::vector<std::string>{"Form down 46"}));
    EXPECT_EQ(WindowTextOf(first->WindowHandle()), "abc");

    log.events.clear();
    log.swallowDown = 0;
    PostMessageA(first->WindowHandle(), WM_KEYDOWN, VK_END, 1);
    PumpPending();
    EXPECT_EQ(log.events, (std::vector<std::string>{"Form down 35", "First down 35"}));
}

TEST_F(KeyboardTest, TabMovesTheFocusThroughTheTabOrderAndNeverReachesTheControl)
{
    // Three stops, so that forward, backward and a changed order each lead somewhere else.
    TTestEdit* third = MakeEdit("Third", 70);
    PumpPending();
    auto focusAfterTab = [&](TWinControl* from, bool shift) {
        BYTE keys[256] = {};
        if (shift) {
            keys[VK_SHIFT] = 0x80;
            SetKeyboardState(keys);
        }
        PressKey(from, VK_TAB);
        if (shift) {
            keys[VK_SHIFT] = 0;
            SetKeyboardState(keys);
        }
        for (TTestEdit* edit : {first, second, third})
            if (edit->Focused())
                return edit->Name();
        return std::string("none");
    };
    EXPECT_EQ(focusAfterTab(first, false), "Second");
    EXPECT_EQ(form->ActiveControl(), second);
    // The down was taken as a dialog key; only the release reaches the newly focused control's
    // window, which is no longer the one the key went to.
    for (const std::string& e : log.events)
        EXPECT_EQ(e.find("down 9"), std::string::npos) << e;
    EXPECT_EQ(focusAfterTab(second, false), "Third");
    EXPECT_EQ(focusAfterTab(third, false), "First");  // wraps around
    EXPECT_EQ(focusAfterTab(first, true), "Third");   // Shift+Tab goes back, wrapping too

    third->SetTabOrder(0);  // Third, First, Second
    EXPECT_EQ(focusAfterTab(third, false), "First");
    EXPECT_EQ(focusAfterTab(first, false), "Second");
    EXPECT_EQ(focusAfterTab(second, false), "Third");
}

TEST_F(KeyboardTest, ArrowKeysStayWithAnEditThatWantsThem)
{
    SetTextAtStart(first, "abc");
    PressKey(first, VK_RIGHT);
    EXPECT_TRUE(first->Focused());
    DWORD start = 0, end = 0;
    SendMessageA(first->WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(log.events.front(), "First down 39");
}

TEST_F(KeyboardTest, AControlThatWantsASpecialKeyGetsItInsteadOfTheForm)
{
    class TWantsTab : public TTestEdit {
    public:
        using TTestEdit::TTestEdit;
        void Dispatch(TMessage& m) override
        {
            if (m.Msg == CMSG_WANTSPECIALKEY && m.WParam == VK_TAB) {
                m.Result = 1;
                return;
            }
            TTestEdit::Dispatch(m);
        }
    };
    auto* wants = new TWantsTab(form.get());
    wants->SetName("Wants");
    wants->SetBounds(10, 70, 150, 24);
    wants->SetParent(form.get());
    wants->OnKeyDown = TKeyEvent(&log, &KeyLog::Down);
    wants->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return wants->Focused(); }));
    PostMessageA(wants->WindowHandle(), WM_KEYDOWN, VK_TAB, 1);
    PumpPending();
    EXPECT_TRUE(wants->Focused());
    EXPECT_EQ(log.events, (std::vector<std::string>{"Wants down 9"}));
}

TEST_F(KeyboardTest, TheApplicationsShortcutCheckTakesAKeyBeforeTheControl)
{
    struct Shortcuts : TObject {
        int seen = 0;
        void Check(TMessage& m, bool& handled)
        {
            if (m.WParam == VK_F5) {
                ++seen;
                handled = true;
            }
        }
    } shortcuts;
    ApplicationGuard restore;
    Application->OnAppShortCut = TEvent<TMessage&, bool&>(&shortcuts, &Shortcuts::Check);
    PostMessageA(first->WindowHandle(), WM_KEYDOWN, VK_F5, 1);
    PostMessageA(first->WindowHandle(), WM_KEYDOWN, VK_F6, 1);
    PumpPending();
    EXPECT_EQ(shortcuts.seen, 1);
    EXPECT_EQ(log.events, (std::vector<std::string>{"First down 117"}));

    // The control's form is asked first, through its OnShortCut.
    log.events.clear();
    form->OnShortCut = TShortCutEvent(&shortcuts, &Shortcuts::Check);
    PostMessageA(first->WindowHandle(), WM_KEYDOWN, VK_F5, 1);
    PumpPending();
    EXPECT_EQ(shortcuts.seen, 2);
    EXPECT_TRUE(log.events.empty());
}

TEST_F(KeyboardTest, KeysWhileAnotherModulesWindowHasTheCaptureSkipTheFrameworksFilters)
{
    struct Shortcuts : TObject {
        int asked = 0;
        void Check(TMessage&, bool& handled)
        {
            ++asked;
            handled = true;
        }
    } shortcuts;
    form->OnShortCut = TShortCutEvent(&shortcuts, &Shortcuts::Check);
    // A window that belongs to another module instance takes the mouse.
    HWND foreign = CreateWindowExA(
        0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA("user32.dll"), nullptr);
    ASSERT_NE(foreign, nullptr);
    SetCapture(foreign);
    PostMessageA(first->WindowHandle(), WM_KEYDOWN, VK_END, 1);
    PumpPending();
    EXPECT_EQ(shortcuts.asked, 0);
    EXPECT_EQ(log.events, (std::vector<std::string>{"First down 35"}));
    ReleaseCapture();
    DestroyWindow(foreign);
    // Without it, the form's shortcut check takes the key before the control sees it.
    log.events.clear();
    PostMessageA(first->WindowHandle(), WM_KEYDOWN, VK_END, 1);
    PumpPending();
    EXPECT_EQ(shortcuts.asked, 1);
    EXPECT_TRUE(log.events.empty());
}

}  // namespace
