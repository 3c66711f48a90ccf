// Panels, labels, images and buttons under Wine: bevels, captions and label texts seen in the
// window's pixels, auto size, breaking of long words, the picture's rectangle, the modal result
// of a button before its OnClick, Enter and Escape, and all four read from a form resource.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/button.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/panel.h"
#include "framework/core/class_info.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/framework/controls/modal_script.h"
#include "tests/support/window_picture.h"

using namespace controlstest;
using testsupport::CaptureClient;
using testsupport::Picture;

namespace {

class TAboutProbe : public TForm {
    DECLARE_CLASS(TAboutProbe)
public:
    explicit TAboutProbe(TComponent* owner) : TForm(owner) {}
    TPanel* Panel1 = nullptr;
    TImage* ProgramIcon = nullptr;
    TLabel* ProductName = nullptr;
    TLabel* Version = nullptr;
    TLabel* Comments = nullptr;
    TButton* OKButton = nullptr;
};

}  // namespace

const TClassInfo& TAboutProbe::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TAboutProbe, TForm>("TAboutProbe")
            .Field("Panel1", &TAboutProbe::Panel1)
            .Field("ProgramIcon", &TAboutProbe::ProgramIcon)
            .Field("ProductName", &TAboutProbe::ProductName)
            .Field("Version", &TAboutProbe::Version)
            .Field("Comments", &TAboutProbe::Comments)
            .Field("OKButton", &TAboutProbe::OKButton)
            .Build();
    return info;
}

namespace {

COLORREF System(int index) { return GetSysColor(index); }

// The rows of `area` that hold at least one pixel of `color`: first and last, or -1, -1.
std::pair<int, int> RowsWith(const Picture& pixels, const RECT& area, COLORREF color)
{
    std::pair<int, int> rows{-1, -1};
    for (int y = area.top; y < area.bottom; ++y)
        if (CountOf(pixels, {area.left, y, area.right, y + 1}, color) > 0) {
            if (rows.first < 0)
                rows.first = y;
            rows.second = y;
        }
    return rows;
}

SIZE TextSize(TFont* font, const std::string& text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font->Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

void Show(TWinControl* control)
{
    control->Repaint();
    PumpPending();
}

}  // namespace

TEST(Panel, DrawsARaisedOuterAndALoweredInnerBevelAndItsCaptionWithChildrenInside)
{
    std::unique_ptr<TTestForm> form(MakeShownForm(300, 120));
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 200, 60);
    panel->SetBevelInner(bvLowered);
    panel->Font()->SetColor(clRed);
    panel->SetCaption("Velmora");

    auto* child = new TTestGraphic(form.get());
    child->SetParent(panel);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), (RECT{2, 2, 198, 58})) << "two pixels in from each edge";
    delete child;

    Show(panel);
    Picture p = CaptureClient(panel->Handle());
    ASSERT_EQ(p.width, 200);
    const COLORREF light = System(COLOR_BTNHIGHLIGHT), dark = System(COLOR_BTNSHADOW);
    struct Pixel {
        const char* where;
        int x, y;
        COLORREF color;
    };
    const Pixel frame[] = {
        {"outer top left", 0, 0, light},       {"outer top", 100, 0, light},          {"outer left", 0, 30, light},
        {"outer bottom right", 199, 59, dark}, {"outer bottom", 100, 59, dark},       {"outer right", 199, 30, dark},
        {"inner top left", 1, 1, dark},        {"inner top", 100, 1, dark},           {"inner bottom", 100, 58, light},
        {"inner right", 198, 30, light},       {"face", 5, 5, System(COLOR_BTNFACE)},
    };
    for (const Pixel& f : frame)
        EXPECT_EQ(ColorAt(p, f.x, f.y), f.color) << f.where;
    // The caption: red, centred, within the height of a "W" in the middle of the panel.
    int textHeight = TextSize(panel->Font(), "W").cy;
    auto [first, last] = RowsWith(p, {0, 0, 200, 60}, RGB(255, 0, 0));
    EXPECT_GE(first, (60 - textHeight) / 2);
    EXPECT_LT(last, (60 - textHeight) / 2 + textHeight);
    int left = 200, right = 0;
    for (int x = 0; x < 200; ++x)
        if (CountOf(p, {x, 0, x + 1, 60}, RGB(255, 0, 0)) > 0) {
            left = std::min(left, x);
            right = x;
        }
    EXPECT_LE(std::abs(left - (199 - right)), 2) << "centred: " << left << " to " << right;
}

TEST(Label, PaintsItsCaptionPlainLaidOutOrEmbossedWhenDisabled)
{
    std::unique_ptr<TTestForm> form(MakeShownForm(300, 120));
    struct Case {
        const char* what;
        bool enabled;
        TTextLayout layout;
    };
    const Case cases[] = {{"at the top", true, tlTop}, {"at the bottom", true, tlBottom}, {"disabled", false, tlTop}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto label = std::make_unique<TLabel>(form.get());
        label->SetParent(form.get());
        label->SetAutoSize(false);
        label->SetBounds(10, 10, 200, 60);
        label->Font()->SetColor(clRed);
        label->Font()->SetHeight(-16);
        label->SetCaption("Velmora &Label");
        label->SetLayout(c.layout);
        label->SetEnabled(c.enabled);
        form->Repaint();
        PumpPending();
        Picture p = CaptureClient(form->WindowHandle());
        RECT area{10, 10, 210, 70};
        int textHeight = TextSize(label->Font(), "Velmora Label").cy;
        if (c.enabled) {
            auto [first, last] = RowsWith(p, area, RGB(255, 0, 0));
            ASSERT_GE(first, 0) << "the text shows";
            int top = c.layout == tlTop ? 10 : 70 - textHeight;
            EXPECT_GE(first, top);
            EXPECT_LT(last, top + textHeight);
        } else {
            EXPECT_EQ(CountOf(p, area, RGB(255, 0, 0)), 0) << "not in its font colour";
            auto highlight = RowsWith(p, area, System(COLOR_BTNHIGHLIGHT));
            auto shadow = RowsWith(p, area, System(COLOR_BTNSHADOW));
            ASSERT_GE(shadow.first, 0);
            EXPECT_EQ(highlight.second, shadow.second + 1) << "the highlight one pixel lower";
        }
    }
}

TEST(Label, AutoSizeFitsTheCaptionKeepingARightAlignedLabelsRightEdge)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    TLabel label(form.get());
    EXPECT_EQ(label.Width(), 65);
    EXPECT_EQ(label.Height(), 17);
    label.SetParent(form.get());
    SIZE line = TextSize(label.Font(), "Velmora");
    struct Case {
        const char* caption;
        TAlignment alignment;
        bool showAccelChar;
        int right;  // where the right edge must be (0: left edge at 100)
        SIZE size;
    };
    const Case cases[] = {
        {"Velmora", taLeftJustify, true, 0, line},
        {"&Velmora", taLeftJustify, true, 0, line},
        {"&", taLeftJustify, true, 0, {TextSize(label.Font(), " ").cx, line.cy}},
        {"", taLeftJustify, true, 0, {TextSize(label.Font(), " ").cx, line.cy}},
        {"&&", taLeftJustify, false, 0, TextSize(label.Font(), "&&")},
        {"Velmora", taRightJustify, true, 300, line},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.caption + "\"");
        label.SetCaption("x");
        label.SetAlignment(c.alignment);
        label.SetShowAccelChar(c.showAccelChar);
        label.SetBounds(c.right ? c.right - 50 : 100, 10, 50, 10);
        label.SetCaption(c.caption);
        EXPECT_EQ(label.Width(), c.size.cx);
        EXPECT_EQ(label.Height(), c.size.cy);
        if (c.right)
            EXPECT_EQ(label.Left() + label.Width(), c.right);
        else
            EXPECT_EQ(label.Left(), 100);
    }
}

TEST(Label, ALongWordBreaksBetweenWholeCharacters)
{
    auto width = [](std::string_view piece) { return static_cast<int>(piece.size()); };  // one per byte
    struct Case {
        const char* text;
        int width;
        bool accelChars;
        const char* broken;
    };
    const Case cases[] = {
        {"short words stay", 6, true, "short words stay"},
        {"abcdefgh ij", 3, true, "abc\r\ndef\r\ngh ij"},
        {"日本語の文章", 5, true, "日本\r\n語の\r\n文章"},
        {"a表示b", 3, true, "a表\r\n示b"},  // 表 and 示 end in 0x5C and 0x A6: never cut
        {"ab&cd", 3, true, "ab\r\n&cd"},
        {"ab&cd", 3, false, "ab&\r\ncd"},
        {"あいう", 1, true, "あ\r\nい\r\nう"},  // wider than the line: one character each
    };
    for (const Case& c : cases)
        EXPECT_EQ(BreakOverlongWords(c.text, c.width, c.accelChars, width), c.broken) << c.text;
}

TEST(Image, PlacesThePictureByStretchProportionalAndCentre)
{
    TImage image(nullptr);
    EXPECT_EQ(image.Width(), 105);
    EXPECT_EQ(image.Height(), 105);
    image.Picture()->Icon()->SetHandle(LoadIconA(nullptr, IDI_QUESTION), false);
    ASSERT_EQ(image.Picture()->Width(), 32);
    struct Case {
        const char* what;
        int width, height;
        bool stretch, proportional, center;
        RECT rect;
    };
    const Case cases[] = {
        {"own size at the top left", 105, 105, false, false, false, {0, 0, 32, 32}},
        {"centred", 105, 105, false, false, true, {36, 36, 68, 68}},
        {"stretched", 41, 41, true, false, false, {0, 0, 41, 41}},
        {"stretched out of proportion", 100, 50, true, false, false, {0, 0, 100, 50}},
        {"stretched in proportion, centred", 100, 50, true, true, true, {25, 0, 75, 50}},
        {"proportional, larger than the control", 20, 10, false, true, false, {0, 0, 10, 10}},
        {"proportional, smaller than the control", 105, 105, false, true, false, {0, 0, 32, 32}},
    };
    for (const Case& c : cases) {
        image.SetBounds(0, 0, c.width, c.height);
        image.SetStretch(c.stretch);
        image.SetProportional(c.proportional);
        image.SetCenter(c.center);
        EXPECT_EQ(image.DestRect(), c.rect) << c.what;
    }
}

TEST(Button, AClickSetsTheFormsModalResultBeforeOnClickAndEnterAndEscapePressTheirButtons)
{
    struct Clicks : TObject {
        std::vector<std::string> seen;
        void Click(TObject* sender)
        {
            auto* button = static_cast<TButton*>(sender);
            seen.push_back(button->Name() + " sees " + std::to_string(GetParentForm(button)->ModalResult()));
        }
    } clicks;
    struct KeyUps : TObject {
        bool escape = false;
        void Up(TObject*, std::uint16_t& key, TShiftState) { escape = escape || key == VK_ESCAPE; }
    } ups;
    auto press = [](WORD key) { return [key](TCustomForm&) { SendKeys({{key, true}, {key, false}}); }; };
    auto afterEscape = [&ups](TCustomForm&) { return ups.escape; };
    struct Case {
        const char* what;
        bool withCancel;
        std::vector<ModalScript::Step> steps;
        TModalResult expected;
        std::vector<std::string> seen;
    };
    const Case cases[] = {
        {"clicked",
         false,
         {{"click", [](TCustomForm& f) { SendMessageA(ChildWindow(f, "OK"), BM_CLICK, 0, 0); }}},
         mrOk,
         {"OK sees 1"}},
        {"Escape does nothing without a cancel button, Enter presses the default one",
         false,
         {{"Escape", press(VK_ESCAPE)}, {"Enter", press(VK_RETURN), afterEscape}},
         mrOk,
         {"OK sees 1"}},
        {"Escape presses the cancel button", true, {{"Escape", press(VK_ESCAPE)}}, mrCancel, {"Stop sees 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clicks.seen.clear();
        ups.escape = false;
        auto form = std::make_unique<TTestForm>(nullptr);
        form->SetKeyPreview(true);
        form->OnKeyUp = TKeyEvent(&ups, &KeyUps::Up);
        auto* ok = new TButton(form.get());
        ok->SetName("OK");
        ok->SetParent(form.get());
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        ok->OnClick = TNotifyEvent(&clicks, &Clicks::Click);
        if (c.withCancel) {
            auto* stop = new TButton(form.get());
            stop->SetName("Stop");
            stop->SetParent(form.get());
            stop->SetLeft(100);
            stop->SetCancel(true);
            stop->SetModalResult(mrCancel);
            stop->OnClick = TNotifyEvent(&clicks, &Clicks::Click);
        }
        ModalScript script(c.steps);
        EXPECT_EQ(form->ShowFormModal(), c.expected);
        EXPECT_EQ(script.Stall(), "");
        EXPECT_EQ(clicks.seen, c.seen);
    }
}

TEST(SmallControls, AFormResourceBuildsThemAsTheAboutBoxStoresThem)
{
    std::unique_ptr<TAboutProbe> form(CreateComponent<TAboutProbe>(Application));
    ASSERT_TRUE(form->Panel1 && form->ProgramIcon && form->ProductName && form->Comments && form->OKButton);
    EXPECT_EQ(form->Panel1->BevelInner(), bvRaised);
    EXPECT_EQ(form->Panel1->BevelOuter(), bvLowered);
    EXPECT_EQ(form->ProgramIcon->Parent(), form->Panel1);
    EXPECT_EQ(form->ProgramIcon->Picture()->Width(), 32);
    EXPECT_EQ(form->ProgramIcon->DestRect(), (RECT{0, 0, 41, 41}));
    EXPECT_EQ(form->ProductName->Width(), TextSize(form->ProductName->Font(), "Velmora").cx) << "auto sized";
    EXPECT_EQ(form->OKButton->Caption(), "OK");
    EXPECT_TRUE(form->OKButton->Default());
    EXPECT_EQ(form->OKButton->ModalResult(), mrOk);

    ModalScript script(
        {{"picture, then Enter",
          [](TCustomForm& f) {
              EXPECT_TRUE(testsupport::SaveWindowPicture(f.WindowHandle(), "about_box_controls"));
              SendKeys({{VK_RETURN, true}, {VK_RETURN, false}});
          },
          ShownOnScreen}});
    EXPECT_EQ(form->ShowFormModal(), mrOk);
    EXPECT_EQ(script.Stall(), "");
}
