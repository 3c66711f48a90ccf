// The status bar over the system's window: the editor's five panels give the window its part edges
// and texts, a change reaches the window once at the next paint and only when something changed,
// the simple part, the size grip, and the bar's place at the bottom of a resized form.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

#include "framework/controls/status_bar.h"
#include "framework/core/class_info.h"
#include "framework/core/form_loading.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/support/test_class.h"

using namespace controlstest;

namespace {

class TStatusForm : public TForm {
    DECLARE_CLASS(TStatusForm)
public:
    explicit TStatusForm(TComponent* owner) : TForm(owner) {}
    TStatusBar* StatusBar1 = nullptr;
};

}  // namespace

const TClassInfo& TStatusForm::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TStatusForm, TForm>("TStatusForm").Field("StatusBar1", &TStatusForm::StatusBar1).Build();
    return info;
}

namespace {

std::vector<int> Parts(HWND bar)
{
    int edges[256] = {};
    int count = static_cast<int>(SendMessageA(bar, SB_GETPARTS, 256, reinterpret_cast<LPARAM>(edges)));
    return std::vector<int>(edges, edges + count);
}

struct PartText {
    std::string Text;
    unsigned Flags;
    bool operator==(const PartText&) const = default;
};

std::ostream& operator<<(std::ostream& out, const PartText& part)
{
    return out << '"' << part.Text << "\" flags " << std::hex << part.Flags;
}

PartText TextOfPart(HWND bar, int part)
{
    char buffer[512] = {};
    LRESULT answer = SendMessageA(bar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(buffer));
    return {buffer, static_cast<unsigned>(HIWORD(answer))};
}

// Records the texts sent to the bar's window, then lets them through.
struct SetTextRecorder : TObject {
    explicit SetTextRecorder(TControl* control) : control_(control), original_(control->WindowProc)
    {
        control->WindowProc = TWndMethod(this, &SetTextRecorder::Record);
    }
    ~SetTextRecorder() override { control_->WindowProc = original_; }
    void Record(TMessage& m)
    {
        if (m.Msg == SB_SETTEXTA)
            sent.emplace_back(static_cast<int>(m.WParam & 0xFF), reinterpret_cast<const char*>(m.LParam));
        original_(m);
    }
    std::vector<std::pair<int, std::string>> sent;

private:
    TControl* control_;
    TWndMethod original_;
};

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TStatusForm>(nullptr);
        ASSERT_TRUE(ReadComponentRes("TStatusForm", nullptr, form.get()));
        ASSERT_NE(form->StatusBar1, nullptr);
        bar = form->StatusBar1;
        form->SetVisible(true);
        PumpPending();
        ASSERT_TRUE(bar->HandleAllocated());
    }

    TStatusPanel* Panel(int index) { return bar->Panels()->Items(index); }

    std::unique_ptr<TStatusForm> form;
    TStatusBar* bar = nullptr;
};

TEST_F(StatusBarTest, TheEditorsPanelsGiveTheWindowItsPartEdgesAndTexts)
{
    const char* texts[] = {"12", "行", "345", "桁", "C:\\表\\a.txt"};
    for (int i = 0; i < 5; ++i)
        Panel(i)->SetText(texts[i]);
    PumpPending();
    HWND window = bar->WindowHandle();
    EXPECT_EQ(Parts(window), (std::vector<int>{47, 62, 98, 113, -1}));
    // Right-aligned texts come after two tabs, centred ones after one; the labels are Shift-JIS.
    const PartText expected[] = {
        {"\t\t12", 0},
        {"\t\x8d\x73", SBT_NOBORDERS},
        {"\t\t345", 0},
        {"\t\x8c\x85", SBT_NOBORDERS},
        {"C:\\\x95\x5c\\a.txt", 0},
    };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(TextOfPart(window, i), expected[i]) << "part " << i;

    // A wider first panel moves every later edge; the last part still reaches the right end.
    Panel(0)->SetWidth(60);
    Panel(4)->SetWidth(5);
    Panel(4)->SetBevel(pbRaised);
    PumpPending();
    EXPECT_EQ(Parts(window), (std::vector<int>{60, 75, 111, 126, -1}));
    EXPECT_EQ(TextOfPart(window, 4), (PartText{"C:\\\x95\x5c\\a.txt", SBT_POPOUT}));
}

TEST_F(StatusBarTest, AChangeReachesTheWindowOnceAtTheNextPaintAndAnEqualTextNotAtAll)
{
    Panel(0)->SetText("1");
    PumpPending();
    HWND window = bar->WindowHandle();
    SetTextRecorder recorder(bar);

    Panel(0)->SetText("1");
    RECT dirty{};
    EXPECT_FALSE(GetUpdateRect(window, &dirty, FALSE)) << "an equal text repaints nothing";
    PumpPending();
    EXPECT_TRUE(recorder.sent.empty());

    Panel(0)->SetText("2");
    Panel(0)->SetText("3");
    Panel(2)->SetText("9");
    Panel(0)->SetText("4");
    EXPECT_TRUE(recorder.sent.empty()) << "nothing is sent before the paint";
    PumpPending();
    std::vector<std::pair<int, std::string>> once{{0, "\t\t4"}, {2, "\t\t9"}};
    EXPECT_EQ(recorder.sent, once);
}

TEST_F(StatusBarTest, ABarWithoutPanelsHasOnePartWithEmptyText)
{
    Panel(0)->SetText("1");
    PumpPending();
    bar->Panels()->Clear();
    PumpPending();
    HWND window = bar->WindowHandle();
    EXPECT_EQ(Parts(window), (std::vector<int>{-1}));
    EXPECT_EQ(TextOfPart(window, 0), (PartText{"", 0}));
}

TEST_F(StatusBarTest, TheSimplePanelShowsTheSimpleTextAndGoesBackToTheParts)
{
    HWND window = bar->WindowHandle();
    bar->SetSimpleText("準備完了");
    bar->SetSimplePanel(true);
    PumpPending();
    EXPECT_TRUE(SendMessageA(window, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(TextOfPart(window, 0).Text, "\x8f\x80\x94\xf5\x8a\xae\x97\xb9");
    EXPECT_EQ(GetWindowTextLengthA(window), 8) << "the window's text is the simple text";

    bar->SetSimplePanel(false);
    Panel(1)->SetText("行");
    PumpPending();
    EXPECT_FALSE(SendMessageA(window, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(Parts(window), (std::vector<int>{47, 62, 98, 113, -1}));
    EXPECT_EQ(TextOfPart(window, 1).Text, "\t\x8d\x73");
}

TEST_F(StatusBarTest, AnOwnerDrawnPanelIsDrawnByOnDrawPanelOnTheBarsCanvas)
{
    struct Painter : TObject {
        std::vector<int> drawn;
        void Draw(TCustomStatusBar* bar, TStatusPanel* panel, const RECT& r)
        {
            drawn.push_back(panel->Index());
            bar->Canvas()->Brush()->SetColor(clRed);
            bar->Canvas()->FillRect(r);
        }
    } painter;
    bar->OnDrawPanel = TDrawPanelEvent(&painter, &Painter::Draw);
    Panel(2)->SetStyle(psOwnerDraw);
    PumpPending();
    UpdateWindow(bar->WindowHandle());
    ASSERT_FALSE(painter.drawn.empty());
    EXPECT_EQ(std::count(painter.drawn.begin(), painter.drawn.end(), 2), static_cast<long>(painter.drawn.size()))
        << "only the owner-drawn part";
    RECT part{};
    SendMessageA(bar->WindowHandle(), SB_GETRECT, 2, reinterpret_cast<LPARAM>(&part));
    HDC dc = GetDC(bar->WindowHandle());
    EXPECT_EQ(GetPixel(dc, (part.left + part.right) / 2, (part.top + part.bottom) / 2), RGB(255, 0, 0));
    ReleaseDC(bar->WindowHandle(), dc);
}

// Panel classes of a caller's own: a panel with more to it, and an item that is no panel.
class TNamedPanel : public TStatusPanel {
    DECLARE_TEST_CLASS(TNamedPanel, TStatusPanel)
};
class TNotAPanel : public TCollectionItem {
    DECLARE_TEST_CLASS(TNotAPanel, TCollectionItem)
};

TEST_F(StatusBarTest, OnCreatePanelClassChoosesTheClassOfEveryNewPanel)
{
    struct Chooser : TObject {
        TStatusPanelClass chosen = TCollectionItemClass::Of<TNamedPanel>();
        int asked = 0;
        void Choose(TCustomStatusBar*, TStatusPanelClass& panelClass)
        {
            ++asked;
            EXPECT_EQ(panelClass.Info, &TStatusPanel::StaticClass()) << "offered the plain panel first";
            panelClass = chosen;
        }
    } chooser;
    bar->OnCreatePanelClass = TCreatePanelClassEvent(&chooser, &Chooser::Choose);
    int before = bar->Panels()->Count();
    EXPECT_NE(dynamic_cast<TNamedPanel*>(bar->Panels()->Add()), nullptr);
    EXPECT_EQ(bar->Panels()->Count(), before + 1);

    TStatusPanels copied(bar);  // panels copied in are made new, of the chosen class too
    copied.Add()->SetText("一");
    copied.Add()->SetText("二");
    bar->SetPanels(&copied);
    ASSERT_EQ(bar->Panels()->Count(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_NE(dynamic_cast<TNamedPanel*>(Panel(i)), nullptr) << i;
    EXPECT_EQ(Parts(bar->WindowHandle()).size(), 2u);
    EXPECT_EQ(chooser.asked, 1 + 2 + 2);

    chooser.chosen = TCollectionItemClass::Of<TNotAPanel>();
    EXPECT_THROW(bar->Panels()->Add(), EListError);
    EXPECT_EQ(bar->Panels()->Count(), 2) << "a class that is no panel's adds nothing";
}

TEST_F(StatusBarTest, TheBarStaysAtTheBottomWithItsHeightWhenTheFormIsResized)
{
    const SIZE clients[] = {{640, 480}, {300, 120}, {420, 240}};
    for (SIZE client : clients) {
        form->SetClientWidth(client.cx);
        form->SetClientHeight(client.cy);
        PumpPending();
        RECT r = bar->BoundsRect();
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, client.cy - 19);
        EXPECT_EQ(r.right, client.cx);
        EXPECT_EQ(r.bottom, client.cy);
        RECT window{};
        GetWindowRect(bar->WindowHandle(), &window);
        MapWindowPoints(nullptr, form->WindowHandle(), reinterpret_cast<POINT*>(&window), 2);
        EXPECT_EQ(window.top, client.cy - 19) << "the system's window sits where the bar says";
        EXPECT_EQ(window.bottom - window.top, 19);
    }
}

TEST_F(StatusBarTest, TheGripShowsOnlyInTheBottomRightCornerOfASizeableForm)
{
    auto hasGrip = [&] { return (GetWindowLongA(bar->WindowHandle(), GWL_STYLE) & SBARS_SIZEGRIP) != 0; };
    EXPECT_TRUE(bar->SizeGripValid());
    EXPECT_TRUE(hasGrip());

    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, 200, 19);  // away from the corner: the window is made again without the grip
    PumpPending();
    EXPECT_FALSE(bar->SizeGripValid());
    EXPECT_FALSE(hasGrip());

    bar->SetAlign(alBottom);
    PumpPending();
    EXPECT_TRUE(hasGrip()) << "back in the corner";
    bar->SetSizeGrip(false);
    PumpPending();
    EXPECT_FALSE(hasGrip()) << "a grip not wished for";
    EXPECT_EQ(Parts(bar->WindowHandle()), (std::vector<int>{47, 62, 98, 113, -1})) << "a new window gets the parts";
}

}  // namespace
