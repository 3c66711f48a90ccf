// The main window read from its resource and shown: entering the memo reads the document's file
// unless that would throw unsaved text away, and the arrow keys move the focus between controls
// that do not take them.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/document.h"
#include "app/main_form.h"
#include "framework/controls/memo.h"
#include "framework/controls/panel.h"
#include "framework/controls/status_bar.h"
#include "framework/menus/action_bar.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/support/gdi_objects.h"
#include "tests/support/temp_files.h"

using controlstest::PumpUntil;
using controlstest::TLoggingControl;

namespace {

// A control that takes the focus and no keys of its own: arrow keys pressed in it are dialog keys.
TLoggingControl* AddFocusableControl(TForm1& form, int left)
{
    auto* control = new TLoggingControl(&form);
    control->SetBounds(left, 40, 30, 20);
    control->SetTabStop(true);
    control->SetParent(&form);
    return control;
}

class MainForm : public testing::Test {
protected:
    void SetUp() override
    {
        form_.reset(CreateComponent<TForm1>(Application));
        // The test program's own command line names no document.
        form_->Document().ExpectFile("");
    }

    void ShowWithFocusOn(TWinControl* control)
    {
        form_->ShowForm();
        SetForegroundWindow(form_->Handle());
        ASSERT_TRUE(PumpUntil([&] { return form_->FocusedControl() != nullptr; })) << "the window takes the focus";
        control->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return control->Focused(); }));
    }

    // The window's search under way, in a memo of its own, so that this window's memo is not entered.
    void StartSearchElsewhere()
    {
        class TScratch : public TSearchHost {
        public:
            explicit TScratch(TForm1& form) : memo_(new TMemo(&form))
            {
                memo_->SetParent(&form);
                memo_->SetText("x abc");
            }
            TCustomEdit& Memo() const override { return *memo_; }
            void Notice(unsigned) const override {}
            bool Confirmed(unsigned) const override { return true; }

        private:
            TMemo* memo_;
        } scratch(*form_);
        form_->Search.FindFromFindDialog(scratch, {"abc", "", true});
        ASSERT_EQ(form_->Search.MatchEnd(), 5u);
    }

    controlstest::ApplicationGuard guard_;
    controlstest::Reports reports_;
    std::unique_ptr<TForm1> form_;
};

TEST_F(MainForm, EnteringTheMemoAgainReadsTheFileOnlyWhileNothingIsUnsaved)
{
    struct Case {
        bool typed;
        const char* memoAfter;
    } cases[] = {
        {true, "字一行目\r\n"},     // the typed character stays: nothing is thrown away
        {false, "書き換えた\r\n"},  // nothing unsaved: the file as it is now
    };
    testsupport::TempFolder folder;
    const std::string path = folder.File("velmora 表.txt");
    for (const Case& c : cases) {
        SetUp();
        ASSERT_TRUE(testsupport::WriteFileBytes(path, "一行目\r\n"));
        form_->Document().ExpectFile(path);
        TLoggingControl* other = AddFocusableControl(*form_, 400);
        ShowWithFocusOn(other);
        EXPECT_EQ(form_->Memo1->Text(), "一行目\r\n") << "read when first entered";
        if (c.typed) {
            form_->Memo1->SetSelectionStart(0);
            SendMessageW(form_->Memo1->Handle(), WM_CHAR, L'字', 1);
        }
        ASSERT_TRUE(testsupport::WriteFileBytes(path, "書き換えた\r\n"));
        StartSearchElsewhere();

        form_->Memo1->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return form_->Memo1->Focused(); }));
        EXPECT_EQ(form_->Memo1->Text(), c.memoAfter) << "typed " << c.typed;
        EXPECT_EQ(form_->Memo1->TextModified(), c.typed);
        EXPECT_EQ(form_->Search.MatchEnd(), 0u) << "a search starts afresh";
        EXPECT_EQ(form_->StatusBar1->Panels()->Items(spPath)->Text(), path);
        EXPECT_EQ(form_->Caption(), "velmora 表.txt :  Velmora");
        EXPECT_EQ(reports_.messages, std::vector<std::string>{});
        form_.reset();
    }
}

TEST_F(MainForm, ArrowKeysInAControlThatTakesNoneMoveTheFocusLikeShiftTabAndTab)
{
    TLoggingControl* first = AddFocusableControl(*form_, 400);
    first->SetTabOrder(0);
    TLoggingControl* last = AddFocusableControl(*form_, 440);  // after the memo in tab order
    struct Case {
        TWinControl* from;
        std::vector<std::pair<WORD, bool>> keys;
        TWinControl* to;
        const char* what;
    } cases[] = {
        {last, {{VK_LEFT, true}, {VK_LEFT, false}}, form_->Memo1, "left: back"},
        {last, {{VK_UP, true}, {VK_UP, false}}, form_->Memo1, "up: back"},
        {last, {{VK_RIGHT, true}, {VK_RIGHT, false}}, first, "right: on, round to the first"},
        {last, {{VK_DOWN, true}, {VK_DOWN, false}}, first, "down: on"},
        {first, {{VK_LEFT, true}, {VK_LEFT, false}}, last, "left: back, round to the last"},
        {first, {{VK_RIGHT, true}, {VK_RIGHT, false}}, form_->Memo1, "right: on, past the panel"},
        {last,
         {{VK_SHIFT, true}, {VK_RIGHT, true}, {VK_RIGHT, false}, {VK_SHIFT, false}},
         form_->Memo1,
         "shift and right: as shift and tab"},
    };
    ShowWithFocusOn(last);
    for (const Case& c : cases) {
        c.from->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return c.from->Focused(); })) << c.what;
        controlstest::SendKeys(c.keys);
        EXPECT_TRUE(PumpUntil([&] { return c.to->Focused(); })) << c.what;
    }
}

TEST_F(MainForm, TheInfoPanelShowsOverTheToolStripWhoseFourButtonsGoRoundIt)
{
    ShowWithFocusOn(form_->Memo1);
    const RECT panel = form_->Panel1->BoundsRect();
    POINT centre{(panel.left + panel.right) / 2, (panel.top + panel.bottom) / 2};
    ClientToScreen(form_->Handle(), &centre);
    EXPECT_EQ(WindowFromPoint(centre), form_->Panel1->Handle()) << "the panel lies over the strip";

    TActionMainMenuBar& strip = *form_->ActionMainMenuBar1;
    ASSERT_EQ(strip.ButtonCount(), 4);
    int right = 0;
    for (int i = 0; i < strip.ButtonCount(); ++i) {
        RECT button = strip.ButtonRect(i);
        OffsetRect(&button, strip.Left(), strip.Top());
        RECT overlap;
        EXPECT_FALSE(IntersectRect(&overlap, &button, &panel)) << "button " << i << " under the panel";
        EXPECT_GE(button.left, right) << "button " << i << " after the one before";
        right = button.right;
    }
}

// Every paint of the info panel's bevels and of a lit tool button changes the canvas's pens and
// brushes; the GDI objects left behind each time must be freed, so that on Windows drawing never
// runs out of them. The counts before and after are printed.
TEST_F(MainForm, TenThousandRepaintsWithBevelsAndALitButtonLeaveTheGdiObjectCountFlat)
{
    ShowWithFocusOn(form_->Memo1);
    TActionMainMenuBar& strip = *form_->ActionMainMenuBar1;
    ASSERT_EQ(form_->Panel1->BevelOuter(), bvRaised);
    RECT button = strip.ButtonRect(0);
    SendMessageA(strip.Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2));
    ASSERT_EQ(strip.PressedButton(), 0) << "the first button is held down and lit";
    // The parts of the main window that draw themselves with the framework's canvases.
    const auto repaint = [&] {
        for (HWND part : {form_->Panel1->Handle(), strip.Handle()})
            RedrawWindow(part, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    };
    repaint();  // what stays (fonts, the window's own pens and brushes) is made by the first paint
    const long systemBefore = testsupport::GuiResourceCount(), before = testsupport::GdiObjectsHeld();
    for (int i = 0; i < 10000; ++i)
        repaint();
    const long systemAfter = testsupport::GuiResourceCount(), after = testsupport::GdiObjectsHeld();
    // Where the system keeps no count (Wine answers 0), the handle table's free room tells instead.
    std::printf(
        "GDI objects over 10000 repaints of the info panel and the tool strip: GetGuiResources %ld -> %ld; "
        "%s %ld -> %ld\n",
        systemBefore, systemAfter, systemBefore ? "the same count" : "free GDI handle slots",
        systemBefore ? before : -before, systemBefore ? after : -after);
    ReleaseCapture();  // the held button comes up without acting
    EXPECT_EQ(systemAfter, systemBefore);
    EXPECT_EQ(after, before);
}

}  // namespace
