// Canvases select their font, pen and brush on demand, write and measure text, give their GDI
// objects back, and a control's canvas gives its device context back after the message.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "framework/controls/control_canvas.h"
#include "framework/controls/screen.h"
#include "framework/core/exceptions.h"
#include "framework/graphics/canvas.h"
#include "platform/gdi.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/support/gdi_objects.h"

namespace {

// A 24-bit bitmap of the given size in a memory device context, filled white.
class MemoryDC {
public:
    MemoryDC(int width, int height) : dc_(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~MemoryDC()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    int Count(const RECT& r, COLORREF color) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += GetPixel(dc_, x, y) == color;
        return n;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

TEST(Canvas, TextIsWrittenInTheFontColourOnTheBrushAndThePenMovesToItsEnd)
{
    struct Case {
        TBrushStyle brush;
        bool background;
    } cases[] = {{bsSolid, true}, {bsClear, false}};
    for (const Case& c : cases) {
        MemoryDC bitmap(200, 60);
        TCanvas canvas;
        canvas.SetHandle(bitmap.dc());
        canvas.Brush()->SetColor(clRed);
        canvas.Brush()->SetStyle(c.brush);
        canvas.Font()->SetColor(clBlue);
        canvas.Font()->SetSize(20);
        canvas.TextOut(10, 5, "■日本");
        SIZE extent = canvas.TextExtent("■日本");
        RECT cell{10, 5, 10 + extent.cx, 5 + extent.cy};
        EXPECT_GT(bitmap.Count(cell, RGB(0, 0, 255)), 0) << "brush style " << c.brush;
        EXPECT_EQ(bitmap.Count(cell, RGB(255, 0, 0)) > 0, c.background) << "brush style " << c.brush;
        EXPECT_EQ(bitmap.Count({cell.right + 1, 0, 200, 60}, RGB(255, 255, 255)), (200 - cell.right - 1) * 60);
        POINT pen = canvas.PenPos();
        EXPECT_EQ(pen.x, cell.right);
        EXPECT_EQ(pen.y, 5);
    }
}

TEST(Canvas, MeasuringGivesGdisExtentAndAnEmptyTextItsLineHeight)
{
    MemoryDC bitmap(10, 10);
    TCanvas canvas;
    canvas.SetHandle(bitmap.dc());
    canvas.Font()->SetSize(30);
    SIZE expected{};
    SelectObject(bitmap.dc(), canvas.Font()->Handle());
    GetTextExtentPoint32A(bitmap.dc(), "", 0, &expected);
    EXPECT_EQ(canvas.TextHeight(""), expected.cy);
    EXPECT_EQ(canvas.TextWidth(""), 0);
    EXPECT_EQ(canvas.TextWidth("ああ"), 2 * canvas.TextWidth("あ"));
}

TEST(Canvas, WithoutADeviceContextDrawingRaisesTheCanvasError)
{
    TCanvas plain;
    TControlCanvas withoutControl;
    for (TCanvas* canvas : {static_cast<TCanvas*>(&plain), static_cast<TCanvas*>(&withoutControl)}) {
        try {
            canvas->TextOut(0, 0, "x");
            ADD_FAILURE() << "text was written without a device context";
        } catch (const EInvalidOperation& e) {
            EXPECT_EQ(e.Message(), "Canvas に対する描画ができません");
        }
    }
}

TEST(Canvas, AChangedObjectLeavesTheContextAndTheNextDrawingSelectsItAgain)
{
    MemoryDC first(50, 50), second(50, 50);
    TCanvas canvas;
    canvas.SetHandle(first.dc());
    canvas.MoveTo(7, 9);
    canvas.TextOut(0, 0, "a");
    canvas.Rectangle({1, 1, 5, 5});
    EXPECT_EQ(GetCurrentObject(first.dc(), OBJ_FONT), canvas.Font()->Handle());
    EXPECT_EQ(GetCurrentObject(first.dc(), OBJ_PEN), canvas.Pen()->Handle());

    canvas.Font()->SetStyle({fsBold});
    canvas.Pen()->SetWidth(3);
    EXPECT_EQ(GetCurrentObject(first.dc(), OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetCurrentObject(first.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
    canvas.TextOut(0, 0, "a");
    EXPECT_EQ(GetCurrentObject(first.dc(), OBJ_FONT), canvas.Font()->Handle());

    // Another context: the objects leave the first, the pen position goes along.
    canvas.MoveTo(7, 9);
    canvas.SetHandle(second.dc());
    EXPECT_EQ(GetCurrentObject(first.dc(), OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetCurrentObject(first.dc(), OBJ_BRUSH), GetStockObject(HOLLOW_BRUSH));
    POINT pos = canvas.PenPos();
    EXPECT_EQ(pos.x, 7);
    EXPECT_EQ(pos.y, 9);
    canvas.SetHandle(nullptr);
}

TEST(Canvas, AHundredThousandObjectChangesLeaveTheProcesssGdiObjectsAsTheyWere)
{
    MemoryDC bitmap(40, 40);
    long before = testsupport::GdiObjectsHeld();
    int unmade = 0;
    {
        TCanvas canvas;
        canvas.SetHandle(bitmap.dc());
        for (int i = 0; i < 100000; ++i) {
            switch (i % 3) {
            case 0: canvas.Font()->SetHeight(-(8 + i % 50)); break;
            case 1: canvas.Pen()->SetWidth(1 + i % 9); break;
            default: canvas.Brush()->SetColor(static_cast<TColor>(i & 0xFFFFFF)); break;
            }
            canvas.TextOut(0, 0, "x");
            canvas.Rectangle({0, 0, 4, 4});
            unmade += !canvas.Font()->Handle() || !canvas.Pen()->Handle() || !canvas.Brush()->Handle();
        }
    }
    EXPECT_EQ(unmade, 0);
    EXPECT_EQ(testsupport::GdiObjectsHeld(), before);
}

// Windows refuses to delete an object still selected into a device context (and it leaks); the
// platform layer refuses it here too, so that a wrong order fails under Wine as well.
TEST(Canvas, AnObjectStillSelectedIsNotDeletedUntilItLeavesTheContext)
{
    static std::vector<HGDIOBJ> refused;
    refused.clear();
    platform::RefusedDeleteHook previous =
        platform::SetRefusedDeleteHook([](HGDIOBJ object, HDC) { refused.push_back(object); });
    long refusedBefore = platform::RefusedDeletes();
    MemoryDC bitmap(10, 10);
    LOGFONTA description{};
    description.lfHeight = -12;
    std::vector<HGDIOBJ> objects{
        CreatePen(PS_SOLID, 2, RGB(1, 2, 3)), CreateSolidBrush(RGB(4, 5, 6)), CreateFontIndirectA(&description)};
    for (HGDIOBJ object : objects) {
        SCOPED_TRACE(GetObjectType(object));
        HGDIOBJ old = platform::SelectObject(bitmap.dc(), object);
        EXPECT_FALSE(platform::DeleteObject(object));
        EXPECT_NE(GetObjectType(object), 0u) << "still there";
        platform::SelectObject(bitmap.dc(), old);
        EXPECT_TRUE(platform::DeleteObject(object));
        EXPECT_EQ(GetObjectType(object), 0u) << "gone once deselected";
    }
    platform::SetRefusedDeleteHook(previous);
    EXPECT_EQ(refused, objects);
    EXPECT_EQ(platform::RefusedDeletes() - refusedBefore, 3);
}

TEST(Canvas, ASystemColourChangeMakesBrushesAndPensOfSystemColoursAgain)
{
    TBrush brush;
    TPen pen;
    brush.SetColor(clBtnFace);
    pen.SetColor(clBtnFace);
    MemoryDC bitmap(10, 10);
    TCanvas canvas;
    canvas.SetHandle(bitmap.dc());
    canvas.Brush()->Assign(&brush);
    canvas.FillRect({0, 0, 10, 10});
    (void)pen.Handle();

    INT element = COLOR_BTNFACE;
    COLORREF old = GetSysColor(COLOR_BTNFACE), fresh = RGB(12, 34, 56);
    ASSERT_TRUE(SetSysColors(1, &element, &fresh));
    PaletteChanged();
    LOGBRUSH made{};
    LOGPEN madePen{};
    GetObjectA(brush.Handle(), sizeof made, &made);
    GetObjectA(pen.Handle(), sizeof madePen, &madePen);
    SetSysColors(1, &element, &old);
    EXPECT_EQ(made.lbColor, fresh);
    EXPECT_EQ(madePen.lopnColor, fresh);
    EXPECT_FALSE(canvas.State().Contains(csBrushValid));  // the old brush left the context first
    canvas.SetHandle(nullptr);
    PaletteChanged();
}

// A control that draws on its canvas while it handles a message.
class TDrawingControl : public TWinControl {
public:
    explicit TDrawingControl(TComponent* owner) : TWinControl(owner), canvas_(new TControlCanvas)
    {
        canvas_->SetControl(this);
    }
    ~TDrawingControl() override { delete canvas_; }
    bool heldWhileDrawing = false;
    TControlCanvas* canvas_;

    void Dispatch(TMessage& m) override
    {
        if (m.Msg == WM_USER + 7) {
            canvas_->TextOut(0, 0, "描画");
            heldWhileDrawing = canvas_->HandleAllocated();
            return;
        }
        TWinControl::Dispatch(m);
    }
};

TEST(ControlCanvas, TheCachedDeviceContextGoesBackAfterTheMessage)
{
    controlstest::TTestForm* form = controlstest::MakeShownForm();
    auto* control = new TDrawingControl(form);
    control->SetParent(form);
    control->SetBounds(0, 0, 100, 40);
    SendMessageA(control->Handle(), WM_USER + 7, 0, 0);
    EXPECT_TRUE(control->heldWhileDrawing);
    EXPECT_FALSE(control->canvas_->HandleAllocated());
    delete form;
}

TEST(Screen, TheFontNamesAreReadAgainWhenFontsChangeOrTheTaskbarComesBack)
{
    for (UINT message : {static_cast<UINT>(WM_FONTCHANGE), RegisterWindowMessageA("TaskbarCreated")}) {
        TStrings* fonts = Screen->Fonts();
        ASSERT_GT(fonts->Count(), 0);
        fonts->Add("no such font");
        SendMessageA(Application->WindowHandle(), message, 0, 0);
        EXPECT_EQ(Screen->Fonts()->IndexOf("no such font"), -1) << message;
        EXPECT_GE(Screen->Fonts()->IndexOf("ＭＳ Ｐゴシック"), 0) << message;
    }
}

}  // namespace
