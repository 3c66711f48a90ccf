// Forms as a program meets them: built from their resources and scaled, shown and placed, shown
// modally, closed by their actions, tabbed through in their stored order, and damaged resources
// refused without leaving anything behind.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

#include "framework/core/class_info.h"
#include "framework/core/fixups.h"
#include "framework/core/form_loading.h"
#include "framework/core/memory_stream.h"
#include "framework/core/resource_stream.h"
#include "framework/controls/screen.h"
#include "framework/graphics/graphics_object.h"
#include "platform/module.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/window_picture.h"

using namespace controlstest;

namespace {

// The focus messages the probes received, in order ("enter Edit3", "exit Panel1").
std::vector<std::string>& FocusJournal()
{
    static std::vector<std::string> journal;
    return journal;
}

void Journal(TMessage& m, TComponent* control)
{
    if (m.Msg == CMSG_ENTER || m.Msg == CMSG_EXIT)
        FocusJournal().push_back((m.Msg == CMSG_ENTER ? "enter " : "exit ") + control->Name());
}

class TProbeEdit : public TTestEdit {
    DECLARE_CLASS(TProbeEdit)
public:
    explicit TProbeEdit(TComponent* owner) : TTestEdit(owner) {}
    void Dispatch(TMessage& m) override
    {
        Journal(m, this);
        TTestEdit::Dispatch(m);
    }
};

class TProbePanel : public TWinControl {
    DECLARE_CLASS(TProbePanel)
public:
    explicit TProbePanel(TComponent* owner) : TWinControl(owner) { controlStyle_.Include(csAcceptsControls); }
    void Dispatch(TMessage& m) override
    {
        Journal(m, this);
        TWinControl::Dispatch(m);
    }
};

const TClassInfo& TProbeEdit::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TProbeEdit, TTestEdit>("TProbeEdit").Build();
    return info;
}

const TClassInfo& TProbePanel::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TProbePanel, TWinControl>("TProbePanel").Build();
    return info;
}

class TLifeForm : public TForm {
    DECLARE_CLASS(TLifeForm)
public:
    explicit TLifeForm(TComponent* owner) : TForm(owner) {}
    TProbeEdit* Edit1 = nullptr;
    TProbeEdit* Edit2 = nullptr;
    TProbeEdit* Edit3 = nullptr;
    TProbeEdit* Edit4 = nullptr;
    TProbePanel* Panel1 = nullptr;
    std::vector<std::string> events;
    static inline bool failCreate = false;

    void FormCreate(TObject*)
    {
        events.push_back(
            std::string("create, shown ") + (HandleAllocated() && IsWindowVisible(WindowHandle()) ? "yes" : "no") +
            ", Edit1 " + (Edit1 ? "read" : "missing"));
        if (failCreate)
            throw EInvalidOperation("作成中の失敗");
    }
    void FormShow(TObject*) { events.push_back("show"); }
};

const TClassInfo& TLifeForm::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TLifeForm, TForm>("TLifeForm")
            .Field("Edit1", &TLifeForm::Edit1)
            .Field("Edit2", &TLifeForm::Edit2)
            .Field("Edit3", &TLifeForm::Edit3)
            .Field("Edit4", &TLifeForm::Edit4)
            .Field("Panel1", &TLifeForm::Panel1)
            .Method("FormCreate", &TLifeForm::FormCreate)
            .Method("FormShow", &TLifeForm::FormShow)
            .Build();
    return info;
}

// A form class with one resource and a box to see how it was scaled.
// NOLINTBEGIN(bugprone-macro-parentheses): Name is a class name, which takes no parentheses.
#define SIMPLE_FORM(Name)                                                                                    \
    class Name : public TForm {                                                                              \
        DECLARE_CLASS(Name)                                                                                  \
    public:                                                                                                  \
        explicit Name(TComponent* owner) : TForm(owner) {}                                                   \
        TProbeEdit* Box = nullptr;                                                                           \
        TProbeEdit* Edit1 = nullptr;                                                                         \
    };                                                                                                       \
    const TClassInfo& Name::StaticClass()                                                                    \
    {                                                                                                        \
        static const TClassInfo info =                                                                       \
            TClassBuilder<Name, TForm>(#Name).Field("Box", &Name::Box).Field("Edit1", &Name::Edit1).Build(); \
        return info;                                                                                         \
    }
// NOLINTEND(bugprone-macro-parentheses)
SIMPLE_FORM(TScaleForm)
SIMPLE_FORM(TPlacedForm)
SIMPLE_FORM(TDefaultForm)
SIMPLE_FORM(TRefFormA)
SIMPLE_FORM(TRefFormB)
SIMPLE_FORM(TMissingForm)

// A form that reads the resource it is told to, or bytes given to it, as its own.
class TDamageForm : public TForm {
    DECLARE_CLASS(TDamageForm)
public:
    explicit TDamageForm(TComponent* owner) : TForm(owner) {}
    TProbeEdit* Edit1 = nullptr;
    TTestGraphic* Label1 = nullptr;
    static inline std::string resource;
    static inline const std::string* bytes = nullptr;

protected:
    bool ReadFormResources() override
    {
        if (!bytes)
            return ReadComponentRes(resource, nullptr, this);
        TMemoryStream stream;
        stream.Write(bytes->data(), static_cast<std::int32_t>(bytes->size()));
        stream.SetPosition(0);
        stream.ReadComponent(this);
        return true;
    }
};

const TClassInfo& TDamageForm::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TDamageForm, TForm>("TDamageForm")
            .Field("Edit1", &TDamageForm::Edit1)
            .Field("Label1", &TDamageForm::Label1)
            .Build();
    return info;
}

// Collects what the application reports instead of showing it.
// Runs `step` for each message the test posts to its own thread with `id`.
struct PostedSteps : TObject {
    std::function<void(WPARAM)> step;
    explicit PostedSteps(std::function<void(WPARAM)> s) : step(std::move(s))
    {
        Application->OnAppMessage = TMessageEvent(this, &PostedSteps::Look);
    }
    ~PostedSteps() override { Application->OnAppMessage = {}; }
    void Look(MSG& msg, bool& handled)
    {
        if (msg.hwnd || msg.message != WM_APP + 1)
            return;
        handled = true;
        step(msg.wParam);
    }
    static void Post(WPARAM which) { PostThreadMessageA(GetCurrentThreadId(), WM_APP + 1, which, 0); }
};

TEST(FormCreation, TheResourceIsReadThenOnCreateFiresThenTheFormShowsAsStored)
{
    for (bool fail : {false, true}) {
        SCOPED_TRACE(fail ? "OnCreate raises" : "OnCreate returns");
        Reports reports;
        TLifeForm::failCreate = fail;
        std::unique_ptr<TLifeForm> form(CreateComponent<TLifeForm>(Application));
        TLifeForm::failCreate = false;
        EXPECT_EQ(form->events, (std::vector<std::string>{"create, shown no, Edit1 read", "show"}));
        EXPECT_EQ(reports.messages, fail ? std::vector<std::string>{"作成中の失敗"} : std::vector<std::string>{});
        ASSERT_TRUE(form->HandleAllocated());
        EXPECT_TRUE(IsWindowVisible(form->WindowHandle()));
        EXPECT_EQ(form->ActiveControl(), form->Edit2);  // read, and taken again after loading
        EXPECT_EQ(form->Caption(), "Life");
        // While a form shows, the application window stands for the program on the task bar.
        RECT app{};
        GetWindowRect(Application->WindowHandle(), &app);
        EXPECT_TRUE(IsWindowVisible(Application->WindowHandle()));
        EXPECT_EQ(app.right - app.left, 0);
        form.reset();
        EXPECT_FALSE(IsWindowVisible(Application->WindowHandle()));
    }
}

TEST(FormCreation, TabAndShiftTabFollowTheStoredTabOrderWithExitAndEnterAlongThePath)
{
    std::unique_ptr<TLifeForm> form(CreateComponent<TLifeForm>(Application));
    SetForegroundWindow(form->WindowHandle());
    ASSERT_TRUE(PumpUntil([&] { return form->Edit2->Focused(); })) << "the stored active control gets the focus";
    // Stored as Edit1 2, Edit2 1, Edit3 0 in record order: the panel's tab order is Edit3 Edit2 Edit1.
    EXPECT_EQ(form->Edit3->TabOrder(), 0);
    EXPECT_EQ(form->Edit2->TabOrder(), 1);
    EXPECT_EQ(form->Edit1->TabOrder(), 2);

    struct Move {
        bool shift;
        TProbeEdit* TLifeForm::*to;
        std::vector<std::string> journal;
    };
    const Move moves[] = {
        {false, &TLifeForm::Edit1, {"exit Edit2", "enter Edit1"}},
        {false, &TLifeForm::Edit4, {"exit Edit1", "exit Panel1", "enter Edit4"}},
        {false, &TLifeForm::Edit3, {"exit Edit4", "enter Panel1", "enter Edit3"}},
        {true, &TLifeForm::Edit4, {"exit Edit3", "exit Panel1", "enter Edit4"}},
        {true, &TLifeForm::Edit1, {"exit Edit4", "enter Panel1", "enter Edit1"}},
    };
    for (const Move& move : moves) {
        FocusJournal().clear();
        TProbeEdit* target = form.get()->*move.to;
        if (move.shift)
            SendKeys({{VK_SHIFT, true}, {VK_TAB, true}, {VK_TAB, false}, {VK_SHIFT, false}});
        else
            SendKeys({{VK_TAB, true}, {VK_TAB, false}});
        ASSERT_TRUE(PumpUntil([&] { return target->Focused(); })) << "Tab to " << target->Name();
        PumpPending();
        EXPECT_EQ(FocusJournal(), move.journal) << "to " << target->Name();
    }
}

// Shows the scaling form with a text in its box and keeps a picture of it.
void ShowForPicture(TScaleForm* form, const char* name)
{
    form->Box->SetText("Velmora 0123");
    form->ShowForm();
    form->Repaint();
    PumpPending();
    EXPECT_TRUE(testsupport::SaveWindowPicture(form->WindowHandle(), name));
    form->HideForm();
}

// At 120 pixels per inch (a child process started with that setting, see below).
TEST(ScaleChild, At120PixelsPerInchTheFontAndChildrenGrowByTheTextHeight)
{
    if (!GetEnvironmentVariableA("VELMORA_FORMS_120PPI_CHILD", nullptr, 0))
        GTEST_SKIP() << "runs only as the child of FormScaling.ScalesAt120AndNotAt96";
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 120);
    HFONT font = CreateFontA(-16, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    HGDIOBJ old = SelectObject(screen, font);
    SIZE zero{};
    GetTextExtentPoint32A(screen, "0", 1, &zero);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    int h = zero.cy;
    ASSERT_NE(h, 16);

    std::unique_ptr<TScaleForm> form(CreateComponent<TScaleForm>(Application));
    EXPECT_EQ(form->Font()->Height(), -16);  // -13 * 120 / 96
    EXPECT_EQ(form->PixelsPerInch(), 120);
    auto scale = [&](int v) { return MulDiv(v, h, 16); };
    EXPECT_EQ(form->Box->Left(), scale(16));
    EXPECT_EQ(form->Box->Top(), scale(32));
    EXPECT_EQ(form->Box->Width(), scale(16 + 160) - scale(16));
    EXPECT_EQ(form->Box->Height(), scale(32 + 48) - scale(32));
    EXPECT_EQ(form->ClientWidth(), scale(400));
    EXPECT_EQ(form->ClientHeight(), scale(300));
    ShowForPicture(form.get(), "form_scaled_120ppi");
}

TEST(FormScaling, ScalesAt120AndNotAt96)
{
    std::unique_ptr<TScaleForm> form(CreateComponent<TScaleForm>(Application));
    ASSERT_EQ(ScreenPixelsPerInch(), 96);
    EXPECT_EQ(form->Font()->Height(), -13);
    EXPECT_EQ(form->Box->BoundsRect().left, 16);
    EXPECT_EQ(form->Box->BoundsRect().top, 32);
    EXPECT_EQ(form->Box->Width(), 160);
    EXPECT_EQ(form->Box->Height(), 48);
    EXPECT_EQ(form->ClientWidth(), 400);
    EXPECT_EQ(form->ClientHeight(), 300);
    form->HandleNeeded();
    EXPECT_EQ(form->ClientWidth(), 400) << "the window's real client area is the stored one";
    ShowForPicture(form.get(), "form_scaled_96ppi");

    // The same program at 120 pixels per inch: the setting counts for processes started after it.
    HKEY desktop = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(
            HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &desktop, nullptr),
        ERROR_SUCCESS);
    DWORD ppi = 120;
    RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ppi), sizeof ppi);
    struct Undo {
        HKEY key;
        ~Undo()
        {
            RegDeleteValueA(key, "LogPixels");
            RegCloseKey(key);
        }
    } undo{desktop};
    EXPECT_EQ(RunChildTests("ScaleChild.*", "VELMORA_FORMS_120PPI_CHILD"), 0u)
        << "the child's checks at 120 pixels per inch failed";
}

TEST(FormPlacement, ScreenCenterAppliesOnlyAtTheFirstShowing)
{
    std::unique_ptr<TPlacedForm> form(CreateComponent<TPlacedForm>(Application));
    form->ShowForm();
    RECT r{};
    GetWindowRect(form->WindowHandle(), &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 300) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 200) / 2);
    EXPECT_EQ(form->Position(), poDesigned);

    form->SetBounds(10, 20, 300, 200);
    form->HideForm();
    form->ShowForm();
    GetWindowRect(form->WindowHandle(), &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
}

TEST(FormPlacement, DefaultPositionTakesTheSystemsBounds)
{
    std::unique_ptr<TDefaultForm> form(CreateComponent<TDefaultForm>(Application));
    EXPECT_EQ(form->Width(), 111);
    form->HandleNeeded();
    HWND reference = CreateWindowExA(
        0, "STATIC", "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
        nullptr, nullptr, nullptr);
    RECT expected{};
    GetWindowRect(reference, &expected);
    DestroyWindow(reference);
    RECT real{};
    GetWindowRect(form->WindowHandle(), &real);
    EXPECT_EQ(form->BoundsRect().right - form->BoundsRect().left, real.right - real.left);
    EXPECT_EQ(real.right - real.left, expected.right - expected.left);
    EXPECT_EQ(real.bottom - real.top, expected.bottom - expected.top);
    EXPECT_NE(real.right - real.left, 111) << "the stored size gave way to the system's";
}

TEST(FormClosing, TheCloseActionDecidesWhatHappensToAShownForm)
{
    struct Case {
        bool refuse;
        TCloseAction action;
        bool closeFires, visible, minimized, freed;
    };
    const Case cases[] = {
        {true, caHide, false, true, false, false},  {false, caNone, true, true, false, false},
        {false, caHide, true, false, false, false}, {false, caMinimize, true, true, true, false},
        {false, caFree, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.action) + (c.refuse ? 10 : 0));
        struct Closer : TObject {
            const Case* c;
            int closes = 0, destroys = 0;
            void Query(TObject*, bool& can) { can = !c->refuse; }
            void Close(TObject*, TCloseAction& action)
            {
                ++closes;
                EXPECT_EQ(action, caHide);
                action = c->action;
            }
            void Destroy(TObject*) { ++destroys; }
        } closer;
        closer.c = &c;
        auto* form = new TTestForm(nullptr);
        form->OnCloseQuery = TCloseQueryEvent(&closer, &Closer::Query);
        form->OnClose = TCloseEvent(&closer, &Closer::Close);
        form->OnDestroy = TNotifyEvent(&closer, &Closer::Destroy);
        form->ShowForm();
        HWND window = form->WindowHandle();
        SendMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(closer.closes, c.closeFires ? 1 : 0);
        if (c.freed) {
            EXPECT_TRUE(IsWindow(window)) << "freed later, from the loop";
            ASSERT_TRUE(PumpUntil([&] { return !IsWindow(window); })) << "the released form goes";
            EXPECT_EQ(closer.destroys, 1);
            continue;
        }
        PumpPending();
        EXPECT_EQ(IsWindowVisible(window) != 0, c.visible);
        EXPECT_EQ(form->WindowState() == wsMinimized, c.minimized);
        delete form;
    }
}

TEST(FormClosing, ThePrimaryFormEndsTheLoopUnlessItsOnCloseKeepsItOpen)
{
    struct Closer : TObject {
        TCloseAction action = caNone;
        void Close(TObject*, TCloseAction& a) { a = action; }
    } closer;
    TTestForm* form = nullptr;
    Application->CreateAppForm(form);
    form->OnClose = TCloseEvent(&closer, &Closer::Close);
    bool stayedUp = false;
    PostedSteps steps([&](WPARAM which) {
        if (which == 1) {
            PostMessageA(form->WindowHandle(), WM_CLOSE, 0, 0);  // kept open
            PostedSteps::Post(2);
        } else {
            stayedUp = IsWindowVisible(form->WindowHandle()) && !Application->QuitRequested();
            closer.action = caHide;
            PostMessageA(form->WindowHandle(), WM_CLOSE, 0, 0);
        }
    });
    PostedSteps::Post(1);
    Application->RunLoop();
    EXPECT_TRUE(stayedUp);
    EXPECT_TRUE(Application->QuitRequested());
    Application->SetQuitRequested(false);
    delete form;
}

class ModalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        other.reset(MakeShownForm());
        form = std::make_unique<TTestForm>(nullptr);
        form->SetBounds(150, 150, 300, 200);
    }
    std::unique_ptr<TTestForm> other;
    std::unique_ptr<TTestForm> form;
};

TEST_F(ModalTest, KeepOpenFromOnCloseSetsModalResultBackAndTheLoopGoesOn)
{
    struct Closer : TObject {
        int closes = 0;
        void Close(TObject*, TCloseAction& a)
        {
            if (++closes == 1)
                a = caNone;
        }
    } closer;
    form->OnClose = TCloseEvent(&closer, &Closer::Close);
    bool otherDisabled = false, stillUp = false;
    PostedSteps steps([&](WPARAM which) {
        if (which == 1) {
            otherDisabled = !IsWindowEnabled(other->WindowHandle());
            form->SetModalResult(mrOk);
            PostedSteps::Post(2);
        } else {
            stillUp = IsWindowVisible(form->WindowHandle()) && form->ModalResult() == mrNone;
            form->SetModalResult(mrYes);
        }
    });
    PostedSteps::Post(1);
    EXPECT_EQ(form->ShowFormModal(), mrYes);
    EXPECT_TRUE(otherDisabled);
    EXPECT_TRUE(stillUp);
    EXPECT_EQ(closer.closes, 2);
    EXPECT_FALSE(IsWindowVisible(form->WindowHandle()));
    EXPECT_TRUE(IsWindowEnabled(other->WindowHandle())) << "the other windows are enabled again";
    EXPECT_FALSE(form->FormState().Contains(fsModal));
}

TEST_F(ModalTest, AnExceptionInALoopStepIsReportedOnceAndTheLoopGoesOn)
{
    struct Raiser : TObject {
        int updates = 0;
        bool raiseInMessage = false;
        void Update(TObject*)
        {
            if (++updates == 1)
                throw EInvalidOperation("更新に失敗");
        }
        void Message(MSG& msg, bool&)
        {
            if (raiseInMessage && msg.message == WM_APP + 2) {
                raiseInMessage = false;
                throw EInvalidOperation("メッセージで失敗");
            }
        }
    };
    for (bool inMessage : {false, true}) {
        SCOPED_TRACE(inMessage ? "a message filter raises" : "an action update raises");
        Raiser raiser;
        auto* edit = new TTestEdit(form.get());
        edit->SetParent(form.get());
        auto* action = new TBasicAction(form.get());
        if (!inMessage) {
            action->OnUpdate = TNotifyEvent(&raiser, &Raiser::Update);
            edit->SetAction(action);
        }
        Reports reports;
        reports.then = [&] { form->SetModalResult(mrOk); };
        if (inMessage) {
            raiser.raiseInMessage = true;
            Application->OnAppMessage = TMessageEvent(&raiser, &Raiser::Message);
            PostThreadMessageA(GetCurrentThreadId(), WM_APP + 2, 0, 0);
        }
        EXPECT_EQ(form->ShowFormModal(), mrOk);
        Application->OnAppMessage = {};
        EXPECT_EQ(reports.messages, std::vector<std::string>{inMessage ? "メッセージで失敗" : "更新に失敗"});
        delete edit;
        delete action;
    }
}

TEST_F(ModalTest, TheFormsErrorsCarryTheirMessages)
{
    struct Case {
        const char* what;
        std::function<void(TTestForm*)> act;
        const char* message;
    };
    const Case cases[] = {
        {"a visible form shown modally",
         [](TTestForm* f) {
             f->ShowForm();
             f->ShowFormModal();
         },
         "表示されているウィンドウをモーダルにすることはできません"},
        {"a hidden form focused", [](TTestForm* f) { f->FocusForm(); },
         "無効/非表示ウィンドウにはフォーカスを設定できません"},
        {"a control of another form made active",
         [this](TTestForm* f) {
             auto* foreign = new TTestEdit(other.get());
             foreign->SetParent(other.get());
             f->SetActiveControl(foreign);
         },
         "無効/非表示ウィンドウにはフォーカスを設定できません"},
        {"an MDI child without a frame",
         [](TTestForm* f) {
             f->SetFormStyle(fsMDIChild);
             f->HandleNeeded();
         },
         "フォームが作成できません。有効な MDI フォームがありません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TTestForm subject(nullptr);
        try {
            c.act(&subject);
            ADD_FAILURE() << "no exception";
        } catch (const EInvalidOperation& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    // Inside OnShow a change of visibility is refused; the error is reported and the form stays.
    struct Flip : TObject {
        void Show(TObject* sender) { static_cast<TCustomForm*>(sender)->HideForm(); }
    } flip;
    Reports reports;
    form->OnShow = TNotifyEvent(&flip, &Flip::Show);
    form->ShowForm();
    EXPECT_EQ(reports.messages, std::vector<std::string>{"OnShow/OnHide イベントの処理中は表示状態の変更はできません"});
    EXPECT_TRUE(IsWindowVisible(form->WindowHandle()));
}

TEST(FormWindowState, TheStateFollowsTheWindowAndChangesIt)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    form->SetWindowState(wsMaximized);
    EXPECT_TRUE(IsZoomed(form->WindowHandle()));
    ShowWindow(form->WindowHandle(), SW_MINIMIZE);
    EXPECT_EQ(form->WindowState(), wsMinimized);
    ShowWindow(form->WindowHandle(), SW_RESTORE);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    form->SetWindowState(wsNormal);
    EXPECT_FALSE(IsZoomed(form->WindowHandle()));
}

class DamagedForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The one-time statics (class descriptions, fonts, messages) come into being before counting.
        for (const char* resource : {"TDamageWrongClass", "TDamageGood"}) {
            TDamageForm::resource = resource;
            Build();
        }
        TMissingForm::StaticClass();
        formsBefore_ = Screen->CustomFormCount();
        liveBefore_ = testsupport::LiveAllocations();
    }
    void TearDown() override
    {
        TDamageForm::bytes = nullptr;
        EXPECT_EQ(Screen->CustomFormCount(), formsBefore_);
        EXPECT_EQ(GlobalFixupCount(), 0);
        EXPECT_EQ(testsupport::LiveAllocations(), liveBefore_) << "a damaged form left memory behind";
    }
    // Makes the form as the application makes its forms; the message of the refusal, if any.
    static std::string Build()
    {
        TDamageForm* form = nullptr;
        try {
            Application->CreateAppForm(form);
        } catch (const Exception& e) {
            EXPECT_EQ(form, nullptr) << "the reference is emptied";
            return e.Message();
        }
        delete form;
        return "";
    }
    int formsBefore_ = 0;
    std::size_t liveBefore_ = 0;
};

TEST_F(DamagedForm, EachDamageGivesTheReadersErrorAndTheFormIsFreed)
{
    const std::pair<const char*, const char*> cases[] = {
        {"TDamageGood", ""},
        {"TDamageWrongClass", "DamageForm.ActiveControl の読み込み中のエラー : 不正なプロパティの値です"},
        {"TDamageNoFont", "Edit1.Font の読み込み中のエラー : nil を TFont に代入することはできません"},
    };
    for (auto [resource, message] : cases) {
        TDamageForm::resource = resource;
        EXPECT_EQ(Build(), message) << resource;
    }
    TMissingForm* missing = nullptr;
    try {
        Application->CreateAppForm(missing);
        ADD_FAILURE() << "a form without a resource was made";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "TMissingForm リソースが見つかりません");
    }
    EXPECT_EQ(missing, nullptr);
}

TEST_F(DamagedForm, RandomlyDamagedResourcesNeverCrashOrLeak)
{
    TResourceStream stream(platform::MainInstance(), "TDAMAGEGOOD", RT_RCDATA);
    std::string original(static_cast<std::size_t>(stream.Size()), '\0');
    stream.ReadBuffer(original.data(), static_cast<std::int32_t>(original.size()));
    std::mt19937 random(1107);
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        std::string bytes = original;
        std::size_t at = 4 + random() % (bytes.size() - 4);
        if (random() % 2)
            bytes[at] = static_cast<char>(random());
        else
            bytes.resize(at);
        TDamageForm::bytes = &bytes;
        if (!Build().empty())
            ++refused;
    }
    TDamageForm::bytes = nullptr;
    EXPECT_GT(refused, 100);
    EXPECT_EQ(Build(), "") << "an undamaged form still builds after them";
}

TEST(DamagedReference, AReferenceIntoAnotherFormIsReportedWithoutBreakingThatForm)
{
    Reports reports;
    std::unique_ptr<TRefFormA> a(CreateComponent<TRefFormA>(Application));
    EXPECT_EQ(GlobalFixupCount(), 1) << "the reference waits for the other form";
    std::unique_ptr<TRefFormB> b(CreateComponent<TRefFormB>(Application));
    ASSERT_NE(b->Edit1, nullptr) << "the other form is read whole";
    EXPECT_EQ(a->ActiveControl(), nullptr);
    EXPECT_EQ(reports.messages,
              std::vector<std::string>{
                  "RefFormA.ActiveControl の読み込み中のエラー : 無効/非表示ウィンドウにはフォーカスを設定できません"});
    EXPECT_EQ(GlobalFixupCount(), 0);
}

}  // namespace
