// A form whose children lie beyond its client area: the scroll bars show exactly when the children
// do not fit, their messages move the children, and a control that gets the focus is scrolled in.
#include <gtest/gtest.h>

#include <memory>

#include "tests/framework/controls/controls_test_support.h"
#include "tests/support/window_picture.h"

using namespace controlstest;

namespace {

bool BarShown(HWND window, int bar)
{
    return (GetWindowLongA(window, GWL_STYLE) & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

// The top of a child's window within its parent's client area, as the system has it.
int WindowTop(TWinControl* control)
{
    RECT r{};
    GetWindowRect(control->WindowHandle(), &r);
    POINT corner{r.left, r.top};
    ScreenToClient(control->Parent()->WindowHandle(), &corner);
    return corner.y;
}

TTestEdit* AddEdit(TWinControl* parent, int left, int top)
{
    auto* edit = new TTestEdit(parent);
    edit->SetBounds(left, top, 100, 24);
    edit->SetParent(parent);
    return edit;
}

}  // namespace

TEST(FormScrolling, TheBarsShowExactlyWhenTheChildrenDoNotFit)
{
    ApplicationGuard guard;
    struct Case {
        const char* what;
        int left, top;
        bool horizontal, vertical;
    };
    // The client area is 300 x 200; the edit is 100 x 24.
    const Case cases[] = {
        {"inside", 10, 10, false, false},
        {"below", 10, 400, false, true},
        {"to the right", 500, 10, true, false},
        {"both ways", 500, 400, true, true},
        {"the vertical bar leaves too little width", 190, 185, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<TTestForm> form(MakeShownForm(300, 200));
        AddEdit(form.get(), c.left, c.top);
        PumpPending();
        EXPECT_EQ(BarShown(form->WindowHandle(), SB_HORZ), c.horizontal);
        EXPECT_EQ(BarShown(form->WindowHandle(), SB_VERT), c.vertical);
        EXPECT_EQ(form->HorzScrollBar()->Range(), c.left + 100);
        EXPECT_EQ(form->VertScrollBar()->Range(), c.top + 24);
    }
}

TEST(FormScrolling, ScrollMessagesMoveTheChildrenWithinTheRange)
{
    ApplicationGuard guard;
    std::unique_ptr<TTestForm> form(MakeShownForm(300, 200));
    TTestEdit* edit = AddEdit(form.get(), 10, 400);
    PumpPending();
    ASSERT_TRUE(BarShown(form->WindowHandle(), SB_VERT));
    // Range 424 over a client height of 200: positions 0 to 224; an arrow click scrolls 8 pixels.
    struct Step {
        const char* what;
        int code, thumb, position;
    };
    const Step steps[] = {
        {"line down", SB_LINEDOWN, 0, 8},
        {"page down", SB_PAGEDOWN, 0, 208},
        {"page down past the end", SB_PAGEDOWN, 0, 224},
        {"line up", SB_LINEUP, 0, 216},
        {"box dragged without tracking", SB_THUMBTRACK, 50, 216},
        {"box let go", SB_THUMBPOSITION, 50, 50},
        {"bottom", SB_BOTTOM, 0, 224},
        {"top", SB_TOP, 0, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        SendMessageA(form->WindowHandle(), WM_VSCROLL, MAKEWPARAM(s.code, s.thumb), 0);
        EXPECT_EQ(form->VertScrollBar()->Position(), s.position);
        EXPECT_EQ(GetScrollPos(form->WindowHandle(), SB_VERT), s.position);
        EXPECT_EQ(edit->Top(), 400 - s.position);
        EXPECT_EQ(WindowTop(edit), 400 - s.position);
    }
    // A turn of the wheel towards the user scrolls down by the system's wheel lines.
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    SendMessageA(form->WindowHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(WindowTop(edit), 400 - 8 * static_cast<int>(lines));

    // Without AutoScroll (and no range set by hand) the content goes back and the bar away.
    edit->SetText("スクロールした先");
    form->VertScrollBar()->SetPosition(form->VertScrollBar()->MaxPosition());
    form->Repaint();
    EXPECT_TRUE(testsupport::SaveWindowPicture(form->WindowHandle(), "form_scrolled"));
    form->SetAutoScroll(false);
    EXPECT_FALSE(BarShown(form->WindowHandle(), SB_VERT));
    EXPECT_EQ(WindowTop(edit), 400);
    // A range set by hand shows the bar again and keeps AutoScroll off.
    form->SetAutoScroll(true);
    form->VertScrollBar()->SetRange(1000);
    EXPECT_FALSE(form->AutoScroll());
    EXPECT_TRUE(BarShown(form->WindowHandle(), SB_VERT));
    SendMessageA(form->WindowHandle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(WindowTop(edit), 400 - (1000 - form->ClientHeight()));
}

// The form tells itself of each focus change, also when the focused control stays the same.
class TFocusCountForm : public TTestForm {
    DECLARE_TEST_CLASS(TFocusCountForm, TTestForm)
public:
    explicit TFocusCountForm(TComponent* owner) : TTestForm(owner) {}
    std::vector<std::intptr_t> focusChanges;
    void Dispatch(TMessage& m) override
    {
        if (m.Msg == CMSG_FOCUSCHANGED)
            focusChanges.push_back(m.LParam);
        TTestForm::Dispatch(m);
    }
};

TEST(FormScrolling, AControlThatGetsTheFocusIsScrolledIntoViewAndTheFormTold)
{
    ApplicationGuard guard;
    auto form = std::make_unique<TFocusCountForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
    form->SetVisible(true);
    form->SetClientHeight(200);
    TTestEdit* top = AddEdit(form.get(), 10, 10);
    TTestEdit* below = AddEdit(form.get(), 10, 400);
    PumpPending();
    SetForegroundWindow(form->WindowHandle());
    top->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return top->Focused(); }));

    form->focusChanges.clear();
    below->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return below->Focused(); }));
    EXPECT_GT(form->VertScrollBar()->Position(), 0);
    EXPECT_GE(WindowTop(below), 0);
    EXPECT_LE(WindowTop(below) + below->Height(), form->ClientHeight());

    // A focus change that keeps the focused control (the form's window got the focus back) tells
    // the form all the same.
    auto self = reinterpret_cast<std::intptr_t>(below);
    EXPECT_TRUE(form->SetFocusedControl(below));
    EXPECT_EQ(form->focusChanges, (std::vector<std::intptr_t>{self, self}));
}
