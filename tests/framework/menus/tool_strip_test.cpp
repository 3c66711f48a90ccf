// The tool strip of the editor's main window, built from a form resource and used with the real
// mouse and keyboard: its four buttons in order, a click running its action once, a held button
// let go elsewhere, a disabled action's grey and dead button, Alt with the marked letters, the hint,
// and a picture of the strip in its states for a person to look at.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "framework/core/class_info.h"
#include "framework/menus/action_bar.h"
#include "framework/menus/action_manager.h"
#include "framework/menus/menu.h"
#include "framework/controls/hint_window.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/framework/menus/menus_test_support.h"
#include "tests/support/window_picture.h"

using namespace controlstest;

namespace {

class TStripForm : public TForm {
    DECLARE_CLASS(TStripForm)
public:
    explicit TStripForm(TComponent* owner) : TForm(owner) {}

    TActionMainMenuBar* ActionMainMenuBar1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* N3 = nullptr;
    TMenuItem* N14 = nullptr;
    TImageList* ImageList1 = nullptr;
    TActionManager* ActionManager1 = nullptr;
    TAction* Action1 = nullptr;
    TAction* Action2 = nullptr;
    TAction* Action3 = nullptr;
    TAction* Action4 = nullptr;

    std::vector<std::string> ran;  // the handlers that ran, in order
    void Action1Execute(TObject*) { ran.push_back("Action1"); }
    void Action2Execute(TObject*) { ran.push_back("Action2"); }
    void Action3Execute(TObject*) { ran.push_back("Action3"); }
    void Action4Execute(TObject*) { ran.push_back("Action4"); }
    void N3Click(TObject*) { ran.push_back("N3"); }
    void N14Click(TObject*) { ran.push_back("N14"); }
};

}  // namespace

const TClassInfo& TStripForm::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TStripForm, TForm>("TStripForm")
            .Field("ActionMainMenuBar1", &TStripForm::ActionMainMenuBar1)
            .Field("MainMenu1", &TStripForm::MainMenu1)
            .Field("N3", &TStripForm::N3)
            .Field("N14", &TStripForm::N14)
            .Field("ImageList1", &TStripForm::ImageList1)
            .Field("ActionManager1", &TStripForm::ActionManager1)
            .Field("Action1", &TStripForm::Action1)
            .Field("Action2", &TStripForm::Action2)
            .Field("Action3", &TStripForm::Action3)
            .Field("Action4", &TStripForm::Action4)
            .Method("Action1Execute", &TStripForm::Action1Execute)
            .Method("Action2Execute", &TStripForm::Action2Execute)
            .Method("Action3Execute", &TStripForm::Action3Execute)
            .Method("Action4Execute", &TStripForm::Action4Execute)
            .Method("N3Click", &TStripForm::N3Click)
            .Method("N14Click", &TStripForm::N14Click)
            .Build();
    return info;
}

namespace {

// The mouse through the system's input queue, as a person moves and clicks it.
void SendMouse(POINT screen, DWORD flags)
{
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    // The middle of the pixel, so that the system's rounding either way lands on it.
    in.mi.dx = (2 * screen.x + 1) * 65536 / (2 * width);
    in.mi.dy = (2 * screen.y + 1) * 65536 / (2 * height);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

bool AllGrey(const testsupport::Picture& picture)
{
    for (std::uint32_t p : picture.pixels) {
        int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
        if (std::max({r, g, b}) - std::min({r, g, b}) > 6)
            return false;
    }
    return true;
}

class ToolStripTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MoveMouseAway();
        form.reset(CreateComponent<TStripForm>(nullptr));
        bar = form->ActionMainMenuBar1;
        ASSERT_NE(bar, nullptr);
        form->SetVisible(true);
        SetForegroundWindow(form->Handle());
        PumpPending();
        ASSERT_EQ(bar->ButtonCount(), 4);
    }

    void TearDown() override { MoveMouseAway(); }

    // Out of the way of the next test's window, which appears where this one was.
    void MoveMouseAway()
    {
        POINT away{5, GetSystemMetrics(SM_CYSCREEN) - 5};
        SendMouse(away, 0);
        EXPECT_TRUE(PumpUntil([&] {
            POINT p{};
            GetCursorPos(&p);
            return p.x == away.x && p.y == away.y;
        })) << "waited for the mouse to move away";
    }

    POINT Centre(int button)
    {
        RECT r = bar->ButtonRect(button);
        return bar->ClientToScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }

    // Moves the mouse onto a point and waits until the bar has seen it there.
    void MoveTo(POINT screen, int hotButton)
    {
        SendMouse({screen.x - 1, screen.y}, 0);  // a move even when the mouse is there already
        SendMouse(screen, 0);
        EXPECT_TRUE(PumpUntil([&] { return bar->HotButton() == hotButton; }))
            << "waited for button " << hotButton << " to light up";
    }

    void Click(int button)
    {
        MoveTo(Centre(button), button);
        SendMouse(Centre(button), MOUSEEVENTF_LEFTDOWN);
        EXPECT_TRUE(PumpUntil([&] { return bar->PressedButton() == button; })) << "button " << button << " held";
        SendMouse(Centre(button), MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(PumpUntil([&] { return bar->PressedButton() == -1; })) << "button " << button << " let go";
        PumpPending();
    }

    testsupport::Picture Strip()
    {
        UpdateWindow(bar->WindowHandle());
        return testsupport::CaptureClient(bar->WindowHandle());
    }

    struct FormDeleter {
        void operator()(TStripForm* form) const { FreeComponent(form); }
    };
    std::unique_ptr<TStripForm, FormDeleter> form;
    TActionMainMenuBar* bar = nullptr;
};

TEST_F(ToolStripTest, ShowsTheFourActionsLeftToRightWithTheirPicturesAndCaptions)
{
    TAction* expected[] = {form->Action4, form->Action3, form->Action1, form->Action2};
    const int pictures[] = {3, 2, 0, 1};
    int right = 0;
    for (int i = 0; i < 4; ++i) {
        TActionClientItem* item = bar->ButtonItem(i);
        EXPECT_EQ(item->Action(), expected[i]) << "button " << i;
        EXPECT_EQ(item->ImageIndex(), pictures[i]);
        EXPECT_EQ(item->Caption(), expected[i]->Caption());
        RECT r = bar->ButtonRect(i);
        EXPECT_GE(r.left, right) << "buttons do not overlap";
        EXPECT_GT(r.right - r.left, 16 + 40) << "room for the picture and the caption";
        EXPECT_TRUE(r.top >= 0 && r.bottom <= bar->ClientHeight());
        right = r.right;
    }

    // A renamed action renames its button and moves the ones after it.
    RECT before = bar->ButtonRect(2);
    form->Action3->SetCaption("保存(&S)");
    EXPECT_EQ(bar->ButtonItem(1)->Caption(), "保存(&S)");
    EXPECT_LT(bar->ButtonRect(2).left, before.left);
}

TEST_F(ToolStripTest, ARealClickOnEachButtonRunsItsActionOnce)
{
    for (int i = 0; i < 4; ++i)
        Click(i);
    EXPECT_EQ(form->ran, (std::vector<std::string>{"Action4", "Action3", "Action1", "Action2"}));
}

TEST_F(ToolStripTest, AButtonLetGoOffItselfDoesNothing)
{
    MoveTo(Centre(0), 0);
    SendMouse(Centre(0), MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return bar->PressedButton() == 0; }));
    MoveTo(Centre(1), -1);  // a held button lights nothing else
    SendMouse(Centre(1), MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return bar->PressedButton() == -1; }));
    PumpPending();
    EXPECT_TRUE(form->ran.empty());
}

TEST_F(ToolStripTest, ADisabledActionsButtonIsGreyAndDoesNothing)
{
    testsupport::Picture enabled = Strip().Cut(bar->ButtonRect(3));
    EXPECT_FALSE(AllGrey(enabled)) << "the replace picture is in colour";
    form->Action2->SetEnabled(false);
    PumpPending();
    EXPECT_TRUE(AllGrey(Strip().Cut(bar->ButtonRect(3)))) << "picture and caption in grey";

    SendMouse(Centre(3), 0);
    PumpPending();
    EXPECT_EQ(bar->HotButton(), -1) << "a disabled button does not light up";
    SendMouse(Centre(3), MOUSEEVENTF_LEFTDOWN);
    SendMouse(Centre(3), MOUSEEVENTF_LEFTUP);
    PumpPending();
    menustest::PressChord({VK_MENU, 'R'});  // its letter does nothing either (the menu bar takes R anyway)
    PumpPending();
    EXPECT_EQ(std::count(form->ran.begin(), form->ran.end(), "Action2"), 0);

    form->Action2->SetEnabled(true);
    Click(3);
    EXPECT_EQ(std::count(form->ran.begin(), form->ran.end(), "Action2"), 1);
}

TEST_F(ToolStripTest, AltAndAMarkedLetterRunsItsActionUnlessTheMenuBarHasTheLetter)
{
    struct {
        WORD key;
        const char* runs;
    } const cases[] = {{'O', "Action4"}, {'N', "Action1"}, {'S', "N3"}, {'R', "N14"}};
    for (auto c : cases) {
        form->ran.clear();
        SetForegroundWindow(form->Handle());
        menustest::PressChord({VK_MENU, c.key});
        EXPECT_TRUE(PumpUntil([&] { return !form->ran.empty(); })) << "Alt+" << char(c.key);
        PumpPending();
        EXPECT_EQ(form->ran, (std::vector<std::string>{c.runs})) << "Alt+" << char(c.key);
    }
}

TEST_F(ToolStripTest, TheHintOfAButtonIsItsCaptionWithoutTheMarkedLetter)
{
    MoveTo(Centre(0), 0);
    HWND hint = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        THintWindow* window = Application->Hints().Window();
        hint = window && window->HandleAllocated() ? window->WindowHandle() : nullptr;
        return hint && IsWindowVisible(hint);
    })) << "waited for the hint";
    EXPECT_EQ(WindowTextOf(hint), "ファイルを開く");
}

TEST_F(ToolStripTest, APictureOfTheStripInItsStates)
{
    // A mouse move meant for the window before may reach this one; the mouse's leaving ends it.
    ASSERT_TRUE(PumpUntil([&] { return bar->HotButton() == -1; }));
    testsupport::Picture normal = Strip();
    MoveTo(Centre(0), 0);
    testsupport::Picture hot = Strip();
    SendMouse(Centre(0), MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return bar->PressedButton() == 0; }));
    form->Action2->SetEnabled(false);
    PumpPending();
    testsupport::Picture pressed = Strip();
    MoveTo(Centre(1), -1);
    SendMouse(Centre(1), MOUSEEVENTF_LEFTUP);
    PumpPending();

    EXPECT_NE(hot.pixels, normal.pixels) << "the button under the mouse lights up";
    EXPECT_NE(pressed.pixels, hot.pixels) << "a held button looks pressed";
    // Kept as build/artifacts/tool_strip.png: at rest; the first button lit; held, with the last disabled.
    EXPECT_TRUE(testsupport::SavePicture(testsupport::Stacked({normal, hot, pressed}, 6, 0xFFFFFF), "tool_strip"));
}

}  // namespace
