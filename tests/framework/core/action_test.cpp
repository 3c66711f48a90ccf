// Actions and their links: execute and update events, clients told of changes, the action component.
#include <gtest/gtest.h>

#include "framework/core/action.h"
#include "tests/framework/core/test_components.h"

namespace {

class TCountingLink : public TBasicActionLink {
public:
    using TBasicActionLink::TBasicActionLink;
    void SetOnExecute(const TNotifyEvent& value) override { pushed = value; }
    TNotifyEvent pushed;
};

TEST(Action, ExecuteAndUpdateAnswerWhetherTheirEventIsSet)
{
    TTestForm form(nullptr);
    TBasicAction action(nullptr);
    EXPECT_FALSE(action.Execute());
    EXPECT_FALSE(action.Update());
    action.SetOnExecute(TNotifyEvent(&form, &TTestForm::Button1Click));
    EXPECT_TRUE(action.Execute());
    ASSERT_EQ(form.clicks.size(), 1u);
    EXPECT_EQ(form.clicks[0], &action);
    action.OnUpdate = TNotifyEvent(&form, &TTestForm::Button1Click);
    EXPECT_TRUE(action.Update());
}

TEST(Action, SettingTheExecuteEventReachesEveryClientLink)
{
    TTestForm form(nullptr);
    TBasicAction action(nullptr);
    TCountingLink link(nullptr);
    link.SetAction(&action);
    EXPECT_EQ(action.ClientCount(), 1);
    TNotifyEvent handler(&form, &TTestForm::Button1Click);
    action.SetOnExecute(handler);
    EXPECT_EQ(link.pushed, handler);
}

TEST(Action, LinkExecuteRecordsTheComponentUntilItGoesAway)
{
    TTestForm form(nullptr);
    auto* action = new TBasicAction(nullptr);
    action->SetOnExecute(TNotifyEvent(&form, &TTestForm::Button1Click));
    TCountingLink link(nullptr);
    link.SetAction(action);
    auto* button = new TProbe(&form);
    EXPECT_TRUE(link.Execute(button));
    EXPECT_EQ(action->ActionComponent(), button);
    delete button;
    EXPECT_EQ(action->ActionComponent(), nullptr);
    delete action;
    EXPECT_EQ(link.Action(), nullptr) << "destroying the action unregisters its links";
    EXPECT_FALSE(link.Execute(nullptr));
}

TEST(Action, DestroyingALinkUnregistersIt)
{
    TBasicAction action(nullptr);
    {
        TCountingLink link(nullptr);
        link.SetAction(&action);
        EXPECT_EQ(action.ClientCount(), 1);
    }
    EXPECT_EQ(action.ClientCount(), 0);
}

}  // namespace
