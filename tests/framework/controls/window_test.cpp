// Window life: creation on demand with the parent first, controls on a system window class,
// finding a control by its window, the text with and without a window, and re-creation.
#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/window_proc.h"
#include "framework/core/exceptions.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/support/message_of.h"

using namespace controlstest;

namespace {

// Component state, component style, control state and control style are sets of their own: asking
// one for an element of another does not compile.
template <class E>
concept ComponentStateElement = requires(TControl& c, E e)
{
    c.HasState(e);
};
template <class Set, class E>
concept SetOf = requires(Set s, E e)
{
    s.Contains(e);
};
static_assert(ComponentStateElement<TComponentStateElement>);
static_assert(!ComponentStateElement<TControlStateElement> && !ComponentStateElement<TControlStyleElement>);
static_assert(!ComponentStateElement<int>);
static_assert(!SetOf<TControlState, TComponentStateElement> && !SetOf<TControlStyle, TControlStateElement>);
static_assert(!SetOf<TComponentStyle, TComponentStateElement>);

TEST(WindowCreation, ReadingAChildsHandleCreatesTheParentsWindowFirst)
{
    std::vector<std::string> log;
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* panel = new TLoggingControl(form.get(), &log);
    panel->SetName("Panel");
    auto* inner = new TLoggingControl(form.get(), &log);
    inner->SetName("Inner");
    inner->SetParent(panel);  // the panel has no parent yet, so no window either
    panel->SetVisible(false);
    panel->SetParent(form.get());
    EXPECT_FALSE(panel->HandleAllocated());
    EXPECT_FALSE(inner->HandleAllocated());

    HWND innerWindow = inner->Handle();

    ASSERT_EQ(log, (std::vector<std::string>{"Panel", "Inner"}));
    EXPECT_EQ(GetParent(innerWindow), panel->WindowHandle());
    EXPECT_EQ(GetParent(panel->WindowHandle()), form->WindowHandle());
    // Each window finds its object through its property; a child without an id gets its handle as id.
    EXPECT_EQ(FindControl(innerWindow), inner);
    EXPECT_EQ(FindControl(panel->WindowHandle()), panel);
    EXPECT_EQ(GetWindowLongPtrA(innerWindow, GWLP_ID), reinterpret_cast<LONG_PTR>(innerWindow));
    EXPECT_EQ(SendMessageA(innerWindow, ObjectInstanceMessage(), 0, 0), reinterpret_cast<LRESULT>(inner));
    // The window class is named after the object's class.
    char className[64] = {};
    GetClassNameA(innerWindow, className, sizeof className);
    EXPECT_STREQ(className, "TLoggingControl");
}

TEST(WindowCreation, AWindowedControlWithoutAParentWindowRaises)
{
    TLoggingControl orphan(nullptr);
    orphan.SetName("Orphan");
    EXPECT_EQ(MessageOf<EInvalidOperation>([&] { orphan.HandleNeeded(); }),
              "コントロール 'Orphan' は親ウィンドウを持っていません");
    EXPECT_FALSE(orphan.HandleAllocated());
}

TEST(WindowCreation, ShowingAParentCreatesTheWindowsOfItsVisibleChildrenInListOrder)
{
    std::vector<std::string> log;
    auto* form = new TTestForm(nullptr);
    std::unique_ptr<TTestForm> owner(form);
    auto* first = new TLoggingControl(form, &log);
    first->SetName("First");
    first->SetParent(form);
    auto* hidden = new TLoggingControl(form, &log);
    hidden->SetName("Hidden");
    hidden->SetVisible(false);
    hidden->SetParent(form);
    auto* second = new TLoggingControl(form, &log);
    second->SetName("Second");
    second->SetParent(form);
    EXPECT_TRUE(log.empty());

    form->SetVisible(true);

    EXPECT_EQ(log, (std::vector<std::string>{"First", "Second"}));
    EXPECT_TRUE(first->Showing());
    EXPECT_FALSE(hidden->Showing());
    EXPECT_TRUE(IsWindowVisible(second->WindowHandle()));
    // A later window goes above its earlier siblings: z-order follows the child list.
    EXPECT_EQ(GetWindow(form->WindowHandle(), GW_CHILD), second->WindowHandle());

    hidden->SetVisible(true);
    EXPECT_TRUE(hidden->Showing());
    EXPECT_TRUE(IsWindowVisible(hidden->WindowHandle()));
    first->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(first->WindowHandle()));
}

TEST(WindowCreation, AControlOnTheSystemEditClassPassesUnhandledMessagesToTheEditWindow)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* edit = new TTestEdit(form.get());
    edit->SetBounds(10, 10, 200, 24);
    edit->SetText("前もって");  // kept in the object while there is no window
    edit->SetParent(form.get());
    ASSERT_TRUE(edit->HandleAllocated());

    EXPECT_EQ(WindowTextOf(edit->WindowHandle()), "前もって");
    WNDCLASSA system{};
    ASSERT_TRUE(GetClassInfoA(nullptr, "EDIT", &system));
    EXPECT_EQ(edit->DefWndProc(), system.lpfnWndProc);
    // Messages only the edit window knows reach it through the framework's default handler.
    SendMessageA(edit->WindowHandle(), EM_SETSEL, 0, -1);
    DWORD start = 0, end = 0;
    SendMessageA(edit->WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);  // Wine's edit window counts characters (see the platform notes)
    EXPECT_EQ(edit->PerformMessage(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS, DLGC_WANTCHARS);
}

TEST(WindowText, ControlsKeepTheirTextWithAndWithoutAWindow)
{
    TTestGraphic label(nullptr);
    label.SetText("表示");  // 95 5C 8E A6: a second byte that is a backslash
    EXPECT_EQ(label.Text(), "表示");
    EXPECT_EQ(label.TextLength(), 4);
    char small[3] = {};
    EXPECT_EQ(label.PerformMessage(WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 2);
    EXPECT_STREQ(small, "表");

    std::unique_ptr<TTestForm> form(MakeShownForm());
    int changes = 0;
    struct Counter : TWinControl {
        int* changes;
        Counter(TComponent* owner, int* c) : TWinControl(owner), changes(c) {}
        void Dispatch(TMessage& m) override
        {
            if (m.Msg == CMSG_TEXTCHANGED)
                ++*changes;
            TWinControl::Dispatch(m);
        }
    };
    auto* control = new Counter(form.get(), &changes);
    control->SetParent(form.get());
    control->SetText("一行目");
    EXPECT_EQ(WindowTextOf(control->WindowHandle()), "一行目");
    control->SetText("一行目");  // unchanged: nothing happens
    EXPECT_EQ(changes, 1);
    SetWindowTextA(control->WindowHandle(), "外から");
    EXPECT_EQ(control->Text(), "外から");
}

TEST(WindowText, RenamingAControlWhoseCaptionIsItsNameRenamesTheCaption)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* control = new TLoggingControl(form.get());
    control->SetName("Button1");
    control->SetText("Button1");
    control->SetName("OkButton");
    EXPECT_EQ(control->Text(), "OkButton");
    control->SetText("決定");
    control->SetName("Other");
    EXPECT_EQ(control->Text(), "決定");
}

TEST(Recreation, RecreatingAWindowKeepsItsTextAndTheFocus)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* edit = new TTestEdit(form.get());
    edit->SetBounds(10, 10, 200, 24);
    edit->SetParent(form.get());
    auto* other = new TTestEdit(form.get());
    other->SetBounds(10, 40, 200, 24);
    other->SetParent(form.get());
    int enters = 0;
    struct Counter : TObject {
        int* n;
        explicit Counter(int* c) : n(c) {}
        void Count(TObject*) { ++*n; }
    } counter(&enters);
    edit->OnEnter = TNotifyEvent(&counter, &Counter::Count);
    edit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
    ASSERT_EQ(enters, 1);
    SendMessageA(edit->WindowHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("保存する文章"));
    HWND oldWindow = edit->WindowHandle();

    edit->RecreateWnd();

    ASSERT_TRUE(edit->HandleAllocated());
    EXPECT_NE(edit->WindowHandle(), oldWindow);
    EXPECT_FALSE(IsWindow(oldWindow));
    EXPECT_EQ(WindowTextOf(edit->WindowHandle()), "保存する文章");
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(form->ActiveControl(), edit);
    EXPECT_TRUE(IsWindowVisible(edit->WindowHandle()));
    // The window keeps its place among its siblings.
    EXPECT_EQ(GetWindow(edit->WindowHandle(), GW_HWNDPREV), other->WindowHandle());

    // Without the focus it stays without.
    other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return other->Focused(); }));
    edit->RecreateWnd();
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(WindowTextOf(edit->WindowHandle()), "保存する文章");
}

TEST(Recreation, DeletingAWindowedChildTakesItOutOfItsParent)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* first = new TTestEdit(form.get());
    first->SetParent(form.get());
    auto* second = new TTestEdit(form.get());
    second->SetParent(form.get());
    second->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return second->Focused(); }));
    HWND window = second->WindowHandle();
    delete second;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(form->ControlCount(), 1);
    EXPECT_EQ(form->Controls(0), first);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_EQ(form->FindNextControl(nullptr, true, true, false), first);
    EXPECT_EQ(first->TabOrder(), 0);
}

TEST(Recreation, DestroyingAFormDestroysItsChildrenLastFirstWhoeverOwnsThem)
{
    auto* form = MakeShownForm();
    TLoggingControl* kept = new TLoggingControl(nullptr);  // not owned by the form
    kept->SetParent(form);
    HWND keptWindow = kept->Handle();
    HWND formWindow = form->WindowHandle();
    delete form;  // destroys `kept` too
    EXPECT_FALSE(IsWindow(keptWindow));
    EXPECT_FALSE(IsWindow(formWindow));
    EXPECT_EQ(FindControl(keptWindow), nullptr);
}

TEST(ControlFont, AWindowGetsItsFontAndChildrenFollowTheirParentsFontAndColour)
{
    std::unique_ptr<TTestForm> owner(MakeShownForm());
    TTestForm& form = *owner;
    auto* child = new TTestEdit(&form);
    child->SetParent(&form);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(child->WindowHandle(), WM_GETFONT, 0, 0)), child->Font()->Handle());
    form.Font()->SetSize(20);
    form.SetColor(clYellow);
    EXPECT_EQ(child->Font()->Size(), 20);
    EXPECT_EQ(child->Color(), clYellow);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(child->WindowHandle(), WM_GETFONT, 0, 0)), child->Font()->Handle());
    child->SetColor(clRed);  // its own colour from now on
    form.SetColor(clBlue);
    EXPECT_EQ(child->Color(), clRed);
    EXPECT_FALSE(child->ParentColor());
}

class TPainted : public TTestGraphic {
public:
    using TTestGraphic::TTestGraphic;
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        RECT r{0, 0, Width(), Height()};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(PaintDC(), &r, red);
        DeleteObject(red);
    }
};

TEST(Painting, ANonWindowedChildPaintsInItsParentsWindowAtItsOwnPlace)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* painted = new TPainted(form.get());
    painted->SetBounds(40, 30, 20, 10);
    painted->SetParent(form.get());
    form->Update();
    ASSERT_GE(painted->paints, 1);
    HDC dc = GetDC(form->WindowHandle());
    EXPECT_EQ(GetPixel(dc, 41, 31), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 59, 39), RGB(255, 0, 0));
    EXPECT_NE(GetPixel(dc, 61, 31), RGB(255, 0, 0));  // clipped to its bounds
    EXPECT_NE(GetPixel(dc, 39, 31), RGB(255, 0, 0));
    ReleaseDC(form->WindowHandle(), dc);

    int before = painted->paints;
    painted->Invalidate();
    form->Update();
    EXPECT_EQ(painted->paints, before + 1);
    painted->SetVisible(false);
    form->Update();
    dc = GetDC(form->WindowHandle());
    EXPECT_NE(GetPixel(dc, 41, 31), RGB(255, 0, 0));  // its area was repainted without it
    ReleaseDC(form->WindowHandle(), dc);
}

}  // namespace

namespace {

// The window's bounds in its parent's client area (on the screen for a top-level window).
std::string OuterBounds(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

TEST(Bounds, BoundsSetWhileAFormIsMinimisedAreWhereItIsRestored)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    ShowWindow(form->WindowHandle(), SW_MINIMIZE);
    PumpPending();
    ASSERT_TRUE(IsIconic(form->WindowHandle()));
    form->SetBounds(120, 130, 350, 260);
    EXPECT_TRUE(IsIconic(form->WindowHandle()));
    ShowWindow(form->WindowHandle(), SW_RESTORE);
    PumpPending();
    EXPECT_EQ(OuterBounds(form->WindowHandle()), "120,130 350x260");
    EXPECT_EQ(form->Left(), 120);
    EXPECT_EQ(form->Width(), 350);
}

TEST(Bounds, ConstraintsAlsoHoldForSizesTheSystemSets)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* child = new TLoggingControl(form.get());
    child->SetBounds(0, 0, 50, 50);
    child->SetParent(form.get());
    child->Constraints()->SetMaxWidth(80);
    child->Constraints()->SetMinHeight(40);
    // As a user dragging a frame, or another program, would size the window.
    SetWindowPos(child->WindowHandle(), nullptr, 0, 0, 200, 10, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(OuterBounds(child->WindowHandle()), "0,0 80x40");
    EXPECT_EQ(child->Width(), 80);
    EXPECT_EQ(child->Height(), 40);

    // A minimised form keeps the system's small size and gets its constrained size back.
    form->Constraints()->SetMinWidth(450);
    EXPECT_EQ(form->Width(), 450);
    ShowWindow(form->WindowHandle(), SW_MINIMIZE);
    PumpPending();
    RECT iconic;
    GetWindowRect(form->WindowHandle(), &iconic);
    EXPECT_LT(iconic.right - iconic.left, 450);
    ShowWindow(form->WindowHandle(), SW_RESTORE);
    PumpPending();
    EXPECT_EQ(form->Width(), 450);
}

bool releasedFormGone = false;

class TReleasedForm : public TTestForm {
public:
    using TTestForm::TTestForm;
    ~TReleasedForm() override { releasedFormGone = true; }
};

TEST(ReleaseForm, AFormWithoutAWindowIsFreedFromTheLoopToo)
{
    releasedFormGone = false;
    auto* form = new TReleasedForm(nullptr);
    ASSERT_FALSE(form->HandleAllocated());
    form->ReleaseForm();
    EXPECT_FALSE(releasedFormGone);  // not before the handler that asked for it has returned
    EXPECT_TRUE(PumpUntil([] { return releasedFormGone; }));
}

TEST(HostedControl, AControlInAForeignWindowShowsThereTakesTheFocusAndMovesWithItsWindow)
{
    auto plainWindow = [] {
        return CreateWindowExA(
            0, "STATIC", "", WS_POPUP | WS_VISIBLE, 50, 50, 200, 100, nullptr, nullptr, nullptr, nullptr);
    };
    HWND first = plainWindow(), second = plainWindow();
    std::unique_ptr<TWinControl> hosted(TWinControl::CreateParented(first));
    ASSERT_TRUE(hosted->HandleAllocated());  // showing in its host from the start
    HWND window = hosted->WindowHandle();
    EXPECT_EQ(GetParent(window), first);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(hosted->Showing());
    hosted->SetFocus();  // no form: the system focus directly
    EXPECT_EQ(GetFocus(), window);

    hosted->SetParentWindow(second);  // the same window moves to the other host
    EXPECT_EQ(hosted->WindowHandle(), window);
    EXPECT_EQ(GetParent(window), second);
    EXPECT_TRUE(IsWindowVisible(window));

    hosted->SetParentWindow(nullptr);  // without a host it has no window
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(hosted->HandleAllocated());
    DestroyWindow(first);
    DestroyWindow(second);
}

}  // namespace
