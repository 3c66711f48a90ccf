// Mouse messages become events: a click only when the button goes up inside, double clicks,
// the capture while a button is down, and non-windowed children served through their parent.
#include <gtest/gtest.h>

#include <memory>

#include "tests/framework/controls/controls_test_support.h"

using namespace controlstest;

namespace {

struct MouseLog : TObject {
    std::vector<std::string> events;
    void Click(TObject*) { events.push_back("click"); }
    void DblClick(TObject*) { events.push_back("dblclick"); }
    void Down(TObject*, TMouseButton button, TShiftState shift, int x, int y)
    {
        events.push_back("down " + std::to_string(button) + (shift.Contains(ssDouble) ? " double" : "") + " " +
                         std::to_string(x) + "," + std::to_string(y));
    }
    void Up(TObject*, TMouseButton button, TShiftState, int x, int y)
    {
        events.push_back("up " + std::to_string(button) + " " + std::to_string(x) + "," + std::to_string(y));
    }
    void Watch(TControl* control)
    {
        control->OnClick = TNotifyEvent(this, &MouseLog::Click);
        control->OnDblClick = TNotifyEvent(this, &MouseLog::DblClick);
        control->OnMouseDown = TMouseEvent(this, &MouseLog::Down);
        control->OnMouseUp = TMouseEvent(this, &MouseLog::Up);
    }
};

class MouseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.reset(MakeShownForm());
        box = new TLoggingControl(form.get());
        box->SetBounds(20, 20, 100, 50);
        box->SetParent(form.get());
        log.Watch(box);
    }

    void Send(HWND window, UINT message, WPARAM keys, int x, int y)
    {
        PostMessageA(window, message, keys, MAKELPARAM(x, y));
        PumpPending();
    }

    MouseLog log;
    std::unique_ptr<TTestForm> form;
    TLoggingControl* box = nullptr;
};

TEST_F(MouseTest, AClickFiresOnlyWhenTheButtonGoesUpInside)
{
    HWND window = box->WindowHandle();
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
    EXPECT_EQ(GetCapture(), window);  // the control holds the mouse while the button is down
    Send(window, WM_LBUTTONUP, 0, 7, 8);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(log.events, (std::vector<std::string>{"down 0 5,6", "click", "up 0 7,8"}));

    log.events.clear();
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
    Send(window, WM_LBUTTONUP, 0, 150, 8);  // released outside (the capture brings it here)
    EXPECT_EQ(log.events, (std::vector<std::string>{"down 0 5,6", "up 0 150,8"}));

    log.events.clear();
    Send(window, WM_RBUTTONDOWN, MK_RBUTTON, 1, 2);
    Send(window, WM_RBUTTONUP, 0, 1, 2);
    EXPECT_EQ(log.events, (std::vector<std::string>{"down 1 1,2", "up 1 1,2"}));
}

TEST_F(MouseTest, ADoubleClickFiresOnDblClickAndAMouseDownMarkedDouble)
{
    HWND window = box->WindowHandle();
    Send(window, WM_LBUTTONDBLCLK, MK_LBUTTON, 3, 4);
    Send(window, WM_LBUTTONUP, 0, 3, 4);
    EXPECT_EQ(log.events, (std::vector<std::string>{"dblclick", "down 0 double 3,4", "up 0 3,4"}));

    // Without the double-click style the second press is a plain press.
    box->SetControlStyle(box->ControlStyle() - TControlStyle{csDoubleClicks});
    log.events.clear();
    Send(window, WM_LBUTTONDBLCLK, MK_LBUTTON, 3, 4);
    Send(window, WM_LBUTTONUP, 0, 3, 4);
    EXPECT_EQ(log.events, (std::vector<std::string>{"down 0 3,4", "click", "up 0 3,4"}));
}

TEST_F(MouseTest, CancelModeEndsAPressWithoutAClick)
{
    HWND window = box->WindowHandle();
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
    SendMessageA(window, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(log.events, (std::vector<std::string>{"down 0 5,6", "up 0 -1,-1"}));
}

TEST_F(MouseTest, ANonWindowedChildGetsItsParentsMouseMessagesInItsOwnCoordinates)
{
    MouseLog childLog;
    auto* graphic = new TTestGraphic(form.get());
    graphic->SetBounds(150, 40, 60, 30);
    graphic->SetParent(form.get());
    childLog.Watch(graphic);
    HWND window = form->WindowHandle();

    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, 155, 42);
    EXPECT_EQ(GetCapture(), window);  // the parent's window holds the capture for it
    EXPECT_TRUE(graphic->MouseCapture());
    Send(window, WM_LBUTTONUP, 0, 300, 100);  // outside the child: still its message, no click
    EXPECT_EQ(childLog.events, (std::vector<std::string>{"down 0 5,2", "up 0 150,60"}));
    EXPECT_FALSE(graphic->MouseCapture());

    childLog.events.clear();
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, 160, 50);
    Send(window, WM_LBUTTONUP, 0, 161, 51);
    EXPECT_EQ(childLog.events, (std::vector<std::string>{"down 0 10,10", "click", "up 0 11,11"}));

    // A hidden child no longer catches the mouse; the form gets the press itself.
    MouseLog formLog;
    formLog.Watch(form.get());
    graphic->SetVisible(false);
    childLog.events.clear();
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, 160, 50);
    Send(window, WM_LBUTTONUP, 0, 160, 50);
    EXPECT_TRUE(childLog.events.empty());
    EXPECT_EQ(formLog.events.front(), "down 0 160,50");
}

TEST_F(MouseTest, TheClickOfALinkedActionExecutesTheAction)
{
    struct Executed : TObject {
        int count = 0;
        void Run(TObject*) { ++count; }
    } executed;
    TBasicAction action(nullptr);
    action.SetOnExecute(TNotifyEvent(&executed, &Executed::Run));
    box->OnClick = {};
    box->SetAction(&action);
    HWND window = box->WindowHandle();
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
    Send(window, WM_LBUTTONUP, 0, 5, 6);
    EXPECT_EQ(executed.count, 1);
    EXPECT_EQ(action.ActionComponent(), box);
    box->SetAction(nullptr);
}

}  // namespace
