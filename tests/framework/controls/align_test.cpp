// Alignment of children (top and bottom bars, a client area, anchors) through resizes, and scaling.
#include <gtest/gtest.h>

#include <memory>

#include "tests/framework/controls/controls_test_support.h"

using namespace controlstest;

namespace {

std::string Bounds(const TControl* c)
{
    return std::to_string(c->Left()) + "," + std::to_string(c->Top()) + " " + std::to_string(c->Width()) + "x" +
           std::to_string(c->Height());
}

// The window's real position agrees with the object's.
std::string WindowBounds(TWinControl* c)
{
    RECT r;
    GetWindowRect(c->WindowHandle(), &r);
    MapWindowPoints(nullptr, GetParent(c->WindowHandle()), reinterpret_cast<POINT*>(&r), 2);
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

template <class T = TLoggingControl>
T* Child(TWinControl* parent, TAlign align, int x, int y, int w, int h)
{
    auto* c = new T(parent);
    c->SetBounds(x, y, w, h);
    c->SetAlign(align);
    c->SetParent(parent);
    return c;
}

TEST(Alignment, BarsKeepTheirHeightsThroughAResizeAndTheClientControlGetsTheRest)
{
    std::unique_ptr<TTestForm> form(MakeShownForm(300, 200));
    auto* memo = Child<TTestEdit>(form.get(), alClient, 0, 0, 10, 10);
    auto* status = Child(form.get(), alBottom, 0, 0, 50, 20);
    auto* bar = Child(form.get(), alTop, 0, 0, 50, 30);

    EXPECT_EQ(Bounds(bar), "0,0 300x30");
    EXPECT_EQ(Bounds(status), "0,180 300x20");
    EXPECT_EQ(Bounds(memo), "0,30 300x150");
    EXPECT_EQ(WindowBounds(memo), "0,30 300x150");

    form->SetClientWidth(420);
    form->SetClientHeight(333);
    PumpPending();
    EXPECT_EQ(Bounds(bar), "0,0 420x30");
    EXPECT_EQ(Bounds(status), "0,313 420x20");
    EXPECT_EQ(Bounds(memo), "0,30 420x283");
    EXPECT_EQ(WindowBounds(status), "0,313 420x20");

    // Resizing by the window itself (as a user drags the frame) does the same.
    RECT outer;
    GetWindowRect(form->WindowHandle(), &outer);
    SetWindowPos(form->WindowHandle(), nullptr, 0, 0, outer.right - outer.left - 100, outer.bottom - outer.top - 100,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPending();
    EXPECT_EQ(Bounds(status), "0,213 320x20");
    EXPECT_EQ(Bounds(memo), "0,30 320x183");

    // A bar that is hidden leaves its room to the client control.
    bar->SetVisible(false);
    EXPECT_EQ(Bounds(memo), "0,0 320x213");
}

TEST(Alignment, ControlsOfOneGroupAreStackedInTheOrderOfTheirPositions)
{
    std::unique_ptr<TTestForm> form(MakeShownForm(300, 200));
    form->DisableAlign();
    auto* lower = Child(form.get(), alTop, 0, 50, 10, 20);
    auto* upper = Child(form.get(), alTop, 0, 10, 10, 25);
    auto* left1 = Child(form.get(), alLeft, 40, 0, 30, 10);
    auto* left2 = Child(form.get(), alLeft, 5, 0, 15, 10);
    auto* right = Child(form.get(), alRight, 0, 0, 12, 10);
    EXPECT_EQ(Bounds(upper), "0,10 10x25");  // nothing moves while alignment is held
    form->EnableAlign();

    EXPECT_EQ(Bounds(upper), "0,0 300x25");
    EXPECT_EQ(Bounds(lower), "0,25 300x20");
    EXPECT_EQ(Bounds(left2), "0,45 15x155");
    EXPECT_EQ(Bounds(left1), "15,45 30x155");
    EXPECT_EQ(Bounds(right), "288,45 12x155");

    // The control whose change caused the realignment goes first among equals: moved to the
    // top it comes before the one already there.
    lower->SetTop(0);
    EXPECT_EQ(Bounds(lower), "0,0 300x20");
    EXPECT_EQ(Bounds(upper), "0,20 300x25");
}

TEST(Alignment, AnchorsKeepDistancesToTheEdgesOrTheCentresProportion)
{
    std::unique_ptr<TTestForm> form(MakeShownForm(300, 200));
    auto* rightBottom = Child(form.get(), alNone, 250, 150, 40, 30);
    rightBottom->SetAnchors({akRight, akBottom});
    auto* stretched = Child(form.get(), alNone, 10, 10, 100, 20);
    stretched->SetAnchors({akLeft, akTop, akRight});
    auto* floating = Child(form.get(), alNone, 130, 90, 40, 20);  // centre 150,100
    floating->SetAnchors({});
    auto* plain = Child(form.get(), alNone, 5, 5, 10, 10);

    form->SetClientWidth(600);
    form->SetClientHeight(400);
    PumpPending();
    EXPECT_EQ(Bounds(rightBottom), "550,350 40x30");
    EXPECT_EQ(Bounds(stretched), "10,10 400x20");
    EXPECT_EQ(Bounds(floating), "280,190 40x20");
    EXPECT_EQ(Bounds(plain), "5,5 10x10");
}

TEST(Alignment, ConstraintsThatRefuseASizeMoveTheRemainingRectangleBack)
{
    std::unique_ptr<TTestForm> form(MakeShownForm(300, 200));
    auto* top = Child(form.get(), alTop, 0, 0, 10, 30);
    top->Constraints()->SetMaxWidth(100);
    auto* client = Child(form.get(), alClient, 0, 0, 10, 10);
    client->Constraints()->SetMaxHeight(120);
    form->Realign();
    EXPECT_EQ(Bounds(top), "0,0 100x30");
    EXPECT_EQ(Bounds(client), "0,30 300x120");
}

TEST(Scaling, ChangeScaleScalesBoundsAndFontsOfChildrenThatDoNotUseTheirParentsFont)
{
    std::unique_ptr<TTestForm> form(MakeShownForm(400, 300));
    auto* panel = Child(form.get(), alNone, 10, 20, 100, 50);
    auto* inner = Child(panel, alNone, 3, 4, 11, 13);
    panel->Font()->SetSize(10);
    int innerSize = inner->Font()->Size();
    ASSERT_TRUE(inner->ParentFont());
    ASSERT_EQ(innerSize, 10);

    form->ScaleControls(3, 2);

    EXPECT_EQ(Bounds(panel), "15,30 150x75");
    EXPECT_EQ(Bounds(inner), "5,6 16x20");  // right edge 14 → 21, bottom 17 → 26 (rounded)
    EXPECT_EQ(panel->Font()->Size(), 15);
    EXPECT_EQ(inner->Font()->Size(), 15);  // took its parent's scaled font, not scaled twice
    form->ScaleControls(1, 1);             // a ratio of one changes nothing
    EXPECT_EQ(Bounds(panel), "15,30 150x75");
}

}  // namespace

namespace {

TEST(AutoSize, AnAutoSizingControlFitsAroundItsVisibleChildren)
{
    std::unique_ptr<TTestForm> form(MakeShownForm(400, 300));
    auto* panel = Child(form.get(), alNone, 10, 10, 50, 50);
    Child(panel, alNone, 5, 5, 100, 20);
    auto* distant = Child(panel, alNone, 30, 60, 40, 40);
    panel->SetAutoSize(true);
    EXPECT_EQ(panel->ClientWidth(), 105);
    EXPECT_EQ(panel->ClientHeight(), 100);
    distant->SetVisible(false);
    EXPECT_EQ(panel->ClientHeight(), 25);
}

}  // namespace
