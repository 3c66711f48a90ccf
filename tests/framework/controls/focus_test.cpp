// Focus: the change a form carries out (OnExit up from the old control, OnEnter down to the new
// one), who can take the focus, and what is refused.
#include <gtest/gtest.h>

#include <memory>

#include "tests/framework/controls/controls_test_support.h"
#include "tests/support/message_of.h"

using namespace controlstest;

namespace {

struct FocusLog : TObject {
    std::vector<std::string> events;
    TWinControl* redirectOnExit = nullptr;
    void Enter(TObject* sender) { events.push_back("enter " + static_cast<TComponent*>(sender)->Name()); }
    void Exit(TObject* sender)
    {
        events.push_back("exit " + static_cast<TComponent*>(sender)->Name());
        if (redirectOnExit) {
            TWinControl* target = redirectOnExit;
            redirectOnExit = nullptr;
            target->SetFocus();
        }
    }
    void Watch(TWinControl* control)
    {
        control->OnEnter = TNotifyEvent(this, &FocusLog::Enter);
        control->OnExit = TNotifyEvent(this, &FocusLog::Exit);
    }
};

class FocusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.reset(MakeShownForm(400, 300));
        left = Make<TLoggingControl>("Left", form.get(), 0, 0, 190, 290);
        right = Make<TLoggingControl>("Right", form.get(), 200, 0, 190, 290);
        editA = Make<TTestEdit>("EditA", left, 10, 10, 150, 24);
        editB = Make<TTestEdit>("EditB", right, 10, 10, 150, 24);
        editC = Make<TTestEdit>("EditC", right, 10, 40, 150, 24);
    }

    template <class T>
    T* Make(const char* name, TWinControl* parent, int x, int y, int w, int h)
    {
        auto* control = new T(form.get());
        control->SetName(name);
        control->SetBounds(x, y, w, h);
        control->SetParent(parent);
        log.Watch(control);
        return control;
    }

    bool FocusAndWait(TWinControl* control)
    {
        control->SetFocus();
        return PumpUntil([&] { return control->Focused(); });
    }

    FocusLog log;
    std::unique_ptr<TTestForm> form;
    TLoggingControl* left = nullptr;
    TLoggingControl* right = nullptr;
    TTestEdit* editA = nullptr;
    TTestEdit* editB = nullptr;
    TTestEdit* editC = nullptr;
};

TEST_F(FocusTest, MovingTheFocusExitsUpToTheCommonParentAndEntersDownToTheNewControl)
{
    ASSERT_TRUE(FocusAndWait(editA));
    EXPECT_EQ(log.events, (std::vector<std::string>{"enter Left", "enter EditA"}));
    log.events.clear();

    ASSERT_TRUE(FocusAndWait(editB));
    EXPECT_EQ(log.events, (std::vector<std::string>{"exit EditA", "exit Left", "enter Right", "enter EditB"}));
    log.events.clear();

    ASSERT_TRUE(FocusAndWait(editC));  // same parent: only the two edits
    EXPECT_EQ(log.events, (std::vector<std::string>{"exit EditB", "enter EditC"}));
    EXPECT_EQ(form->ActiveControl(), editC);
    EXPECT_EQ(form->FocusedControl(), editC);
}

TEST_F(FocusTest, AnOnExitThatMovesTheFocusElsewhereStopsTheFirstChange)
{
    ASSERT_TRUE(FocusAndWait(editA));
    log.events.clear();
    log.redirectOnExit = editC;
    editB->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return editC->Focused(); }));
    PumpPending();
    // EditB never gets its OnEnter: the change towards it stopped when EditA's OnExit moved on.
    for (const std::string& e : log.events)
        EXPECT_NE(e, "enter EditB");
    EXPECT_EQ(log.events.back(), "enter EditC");
    EXPECT_EQ(form->ActiveControl(), editC);
}

TEST_F(FocusTest, OnlyVisibleEnabledControlsOnAFormCanTakeTheFocus)
{
    EXPECT_TRUE(editB->CanFocus());
    right->SetVisible(false);
    EXPECT_FALSE(editB->CanFocus());
    EXPECT_THROW(form->SetActiveControl(editB), EInvalidOperation);
    right->SetVisible(true);
    editB->SetEnabled(false);
    EXPECT_FALSE(editB->CanFocus());
    EXPECT_FALSE(IsWindowEnabled(editB->WindowHandle()));
    EXPECT_EQ(MessageOf<EInvalidOperation>([&] { editB->SetFocus(); }),
              "無効/非表示ウィンドウにはフォーカスを設定できません");

    TTestEdit loose(nullptr);  // no form, no parent window
    loose.SetName("Loose");
    EXPECT_FALSE(loose.CanFocus());
    EXPECT_EQ(
        MessageOf<EInvalidOperation>([&] { loose.SetFocus(); }), "コントロール 'Loose' は親ウィンドウを持っていません");
}

TEST_F(FocusTest, HidingTheFocusedControlsParentTakesItOutOfTheActiveControl)
{
    ASSERT_TRUE(FocusAndWait(editB));
    right->SetVisible(false);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    ASSERT_TRUE(FocusAndWait(editA));
    EXPECT_EQ(form->ActiveControl(), editA);
}

TEST_F(FocusTest, TheFocusGivenToTheFormGoesOnToItsActiveControl)
{
    ASSERT_TRUE(FocusAndWait(editB));
    log.events.clear();
    SetFocus(form->WindowHandle());
    EXPECT_EQ(GetFocus(), editB->WindowHandle());
    EXPECT_EQ(form->ActiveControl(), editB);
    EXPECT_TRUE(log.events.empty());  // it never left EditB
}

TEST_F(FocusTest, TheFormHearsOfEveryFocusChange)
{
    struct Watcher : TObject {
        std::vector<TObject*> changes;
    };
    class TWatchedForm : public TTestForm {
    public:
        using TTestForm::TTestForm;
        std::vector<std::intptr_t> changes;
        void Dispatch(TMessage& m) override
        {
            if (m.Msg == CMSG_FOCUSCHANGED)
                changes.push_back(m.LParam);
            TTestForm::Dispatch(m);
        }
    };
    std::unique_ptr<TWatchedForm> watched(new TWatchedForm(nullptr));
    watched->SetBounds(50, 50, 300, 200);
    watched->SetVisible(true);
    auto* edit = new TTestEdit(watched.get());
    edit->SetBounds(5, 5, 100, 24);
    edit->SetParent(watched.get());
    edit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
    ASSERT_FALSE(watched->changes.empty());
    EXPECT_EQ(watched->changes.back(), reinterpret_cast<std::intptr_t>(edit));
}

}  // namespace
