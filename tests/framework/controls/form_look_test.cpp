// How a form looks: the icon its window shows and the frame of a dialog, on a system with and
// without the newer window styles, and what OnPaint draws on the form's canvas.
#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/system_style.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/support/window_picture.h"

using namespace controlstest;

namespace {

HICON BigIcon(HWND window) { return reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0)); }

// Pins the system's style for the test, and puts back what the system says afterwards.
struct NewStyleGuard {
    explicit NewStyleGuard(bool value) { SetNewStyleControls(value); }
    ~NewStyleGuard() { SetNewStyleControls((GetVersion() & 0xFF) > 3); }
};

class TIconForm : public TForm {
    DECLARE_TEST_CLASS(TIconForm, TForm)
public:
    explicit TIconForm(TComponent* owner) : TForm(owner) {}
};

}  // namespace

// The frame and icon of each border style, on a system with and without the newer styles.
TEST(FormLook, TheWindowShowsTheFormsOwnIconAndADialogGetsTheFrameOfItsSystem)
{
    ApplicationGuard guard;
    struct Case {
        bool newStyle;
        TFormBorderStyle border;
        bool modalFrame, icon;
    };
    const Case cases[] = {
        {true, bsSizeable, false, true},
        {true, bsDialog, false, false},
        {false, bsDialog, true, false},
        {false, bsSingle, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.newStyle ? "newer styles, " : "older styles, ") + std::to_string(c.border));
        NewStyleGuard style(c.newStyle);
        TTestForm form(nullptr);
        form.SetBorderStyle(c.border);
        form.Icon()->SetHandle(LoadIconA(nullptr, IDI_QUESTION), false);
        form.HandleNeeded();
        EXPECT_EQ((GetWindowLongA(form.WindowHandle(), GWL_STYLE) & DS_MODALFRAME) != 0, c.modalFrame);
        EXPECT_EQ(BigIcon(form.WindowHandle()), c.icon ? form.Icon()->Handle() : nullptr);
        // A new icon reaches a window that exists already.
        TIcon other;
        other.SetHandle(LoadIconA(nullptr, IDI_WARNING), false);
        form.Icon()->Assign(&other);
        EXPECT_EQ(BigIcon(form.WindowHandle()), c.icon ? form.Icon()->Handle() : nullptr);
    }
    // The icon stored in the form's resource is the form's and its window's.
    std::unique_ptr<TIconForm> stored(CreateComponent<TIconForm>(Application));
    ASSERT_FALSE(stored->Icon()->Empty());
    EXPECT_EQ(stored->Icon()->Width(), GetSystemMetrics(SM_CXICON));
    stored->HandleNeeded();
    EXPECT_EQ(BigIcon(stored->WindowHandle()), stored->Icon()->Handle());
}

TEST(FormLook, OnPaintDrawsOnTheCanvasWhichHoldsThePaintingContextOnlyMeanwhile)
{
    ApplicationGuard guard;
    struct Painter : TObject {
        TCustomForm* form = nullptr;
        int paints = 0;
        HWND drawnOn = nullptr;
        void Paint(TObject*)
        {
            ++paints;
            TCanvas* canvas = form->Canvas();
            drawnOn = WindowFromDC(canvas->Handle());
            canvas->Brush()->SetColor(TColor(0x00C08040));
            canvas->FillRect({20, 20, 180, 80});
            canvas->Brush()->SetColor(clBtnFace);
            canvas->Font()->SetHeight(-16);
            canvas->TextOut(30, 100, "OnPaint の絵");
        }
    } painter;
    // A form without children of its own to paint still paints itself.
    std::unique_ptr<TTestForm> form(MakeShownForm(240, 160));
    painter.form = form.get();
    form->OnPaint = TNotifyEvent(&painter, &Painter::Paint);
    form->Repaint();
    EXPECT_GE(painter.paints, 1);
    EXPECT_EQ(painter.drawnOn, form->WindowHandle());
    EXPECT_FALSE(form->Canvas()->HandleAllocated()) << "the painting context went back with the paint";
    EXPECT_TRUE(testsupport::SaveWindowPicture(form->WindowHandle(), "form_on_paint"));
}
