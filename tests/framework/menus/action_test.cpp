// Actions: the execute and update chains through the list, the application and the forms,
// AutoCheck, suspended lists, the idle update, shortcut keys, and the clients that follow them.
#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/button.h"
#include "framework/graphics/bitmap_file.h"
#include "framework/graphics/image_list.h"
#include "tests/framework/menus/menus_test_support.h"

using namespace controlstest;
using namespace menustest;

namespace {

struct Recorder : TObject {
    std::vector<std::string> events;
    TAction* action = nullptr;
    bool checkedWhenRun = false;
    bool listHandles = false;
    bool applicationHandles = false;
    void Execute(TObject*)
    {
        events.push_back("action");
        checkedWhenRun = action->Checked();
    }
    void ListExecute(TBasicAction*, bool& handled)
    {
        events.push_back("list");
        handled = listHandles;
    }
    void ApplicationExecute(TBasicAction*, bool& handled)
    {
        events.push_back("application");
        handled = applicationHandles;
    }
};

class Actions : public testing::Test {
protected:
    void SetUp() override
    {
        form.reset(MakeShownForm());
        form->SetName("Form");
        list = new TActionList(form.get());
        action = MakeAction("Action1", true);
        recorder.action = action;
    }
    void TearDown() override { Application->OnActionExecute = {}; }

    TAction* MakeAction(const char* name, bool withHandler)
    {
        auto* a = new TAction(form.get());
        a->SetName(name);
        a->SetActionList(list);
        if (withHandler)
            a->SetOnExecute(TNotifyEvent(&recorder, &Recorder::Execute));
        return a;
    }
    // One idle step of the application, woken by a timer message when it waits.
    void IdleStep()
    {
        UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
        Application->IdleStep();
        KillTimer(nullptr, timer);
        PumpPending();
    }

    std::unique_ptr<TTestForm> form;
    TActionList* list = nullptr;
    TAction* action = nullptr;
    Recorder recorder;
};

TEST_F(Actions, AutoCheckTogglesCheckedBeforeTheHandlerRuns)
{
    action->SetAutoCheck(true);
    EXPECT_TRUE(action->Execute());
    EXPECT_TRUE(recorder.checkedWhenRun);
    EXPECT_TRUE(action->Execute());
    EXPECT_FALSE(recorder.checkedWhenRun);
    EXPECT_FALSE(action->Checked());
}

TEST_F(Actions, TheExecuteChainStopsAtTheFirstThatHandlesIt)
{
    list->OnExecute = TActionEvent(&recorder, &Recorder::ListExecute);
    Application->OnActionExecute = TActionEvent(&recorder, &Recorder::ApplicationExecute);
    struct Case {
        const char* name;
        bool listHandles, applicationHandles;
        std::vector<std::string> events;
    } cases[] = {
        {"the list's OnExecute sets Handled", true, false, {"list"}},
        {"the application's sets it", false, true, {"list", "application"}},
        {"nobody but the action's own handler", false, false, {"list", "application", "action"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.events.clear();
        recorder.listHandles = c.listHandles;
        recorder.applicationHandles = c.applicationHandles;
        EXPECT_TRUE(action->Execute());
        EXPECT_EQ(recorder.events, c.events);
    }
}

TEST_F(Actions, ASuspendedListRefusesAndOnlyStoresEnabled)
{
    auto* item = AddItem(form.get(), (new TMainMenu(form.get()))->Items(), "S1", "");
    item->SetAction(action);
    list->SetState(asSuspended);
    EXPECT_FALSE(action->Execute());
    EXPECT_TRUE(recorder.events.empty());
    action->SetEnabled(false);
    EXPECT_FALSE(action->Enabled());
    EXPECT_TRUE(item->Enabled()) << "clients are not told while the list is suspended";
    list->SetState(asSuspendedEnabled);
    EXPECT_TRUE(action->Enabled());
    action->SetEnabled(false);
    EXPECT_TRUE(action->Enabled()) << "a list suspended enabled keeps its actions enabled";
    EXPECT_FALSE(action->Execute());
}

// What was stored while the list was suspended reaches the menu items and buttons on resuming.
TEST_F(Actions, ResumingTellsTheClientsTheEnabledStoredMeanwhile)
{
    auto* item = AddItem(form.get(), (new TMainMenu(form.get()))->Items(), "S1", "");
    item->SetAction(action);
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetAction(action);
    for (bool enabled : {false, true}) {
        SCOPED_TRACE(enabled ? "enabled meanwhile" : "disabled meanwhile");
        list->SetState(asSuspended);
        action->SetEnabled(enabled);
        EXPECT_NE(item->Enabled(), enabled);
        list->SetState(asNormal);
        EXPECT_EQ(item->Enabled(), enabled);
        EXPECT_EQ(button->Enabled(), enabled);
        EXPECT_EQ(IsWindowEnabled(button->Handle()) != FALSE, enabled) << "its window follows";
    }
}

TEST_F(Actions, TheIdleStepDisablesAnActionWithoutAHandler)
{
    TAction* orphan = MakeAction("Action2", false);
    auto* menu = dynamic_cast<TMainMenu*>(form->Menu()) ? form->Menu() : new TMainMenu(form.get());
    AddItem(form.get(), menu->Items(), "A1", "")->SetAction(action);
    AddItem(form.get(), menu->Items(), "A2", "")->SetAction(orphan);
    action->SetCaption("保存(&S)");
    orphan->SetCaption("孤児(&O)");
    IdleStep();
    EXPECT_TRUE(action->Enabled());
    EXPECT_FALSE(orphan->Enabled());
    HMENU bar = GetMenu(form->WindowHandle());
    EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION) & MF_GRAYED, 0u);
    EXPECT_NE(GetMenuState(bar, 1, MF_BYPOSITION) & MF_GRAYED, 0u) << "its menu item shows it";
}

TEST_F(Actions, AMenuItemFollowsItsActionAndExecutesIt)
{
    action->SetCaption("上書き保存(&S)");
    action->SetShortCut(scCtrl | 'S');
    auto* menu = new TMainMenu(form.get());
    TMenuItem* file = AddItem(form.get(), menu->Items(), "F1", "ファイル(&F)");
    TMenuItem* item = AddItem(form.get(), file, "N1", "");
    item->SetAction(action);
    EXPECT_EQ(item->Caption(), "上書き保存(&S)");
    EXPECT_EQ(TextsOf(file->Handle()), std::vector<std::string>{"上書き保存(&S)\tCtrl+S"});

    action->SetEnabled(false);
    EXPECT_FALSE(item->Enabled());
    EXPECT_NE(GetMenuState(file->Handle(), 0, MF_BYPOSITION) & MF_GRAYED, 0u);
    action->SetEnabled(true);
    action->SetCaption("保存(&S)");
    EXPECT_EQ(TextsOf(file->Handle()), std::vector<std::string>{"保存(&S)\tCtrl+S"});
    item->SetCaption("別の名前(&B)");
    action->SetCaption("新しい名前");
    EXPECT_EQ(item->Caption(), "別の名前(&B)") << "a caption of its own is kept";

    SendMessageA(form->WindowHandle(), WM_COMMAND, item->Command(), 0);
    EXPECT_EQ(recorder.events, std::vector<std::string>{"action"});
    EXPECT_EQ(action->ActionComponent(), item);
}

TEST_F(Actions, TheFormsShortcutCheckExecutesTheListsActions)
{
    action->SetShortCut(scCtrl | 'Q');
    action->SecondaryShortCuts()->Add("Ctrl+W");
    SetForegroundWindow(form->WindowHandle());
    PressChord({VK_CONTROL, 'Q'});
    PressChord({VK_CONTROL, 'W'});
    ASSERT_TRUE(PumpUntil([&] { return recorder.events.size() == 2; })) << "waited for two executions";
}

TEST_F(Actions, AControlsHintCarriesTheActionsShortcut)
{
    action->SetHint("上書き保存");
    action->SetShortCut(scCtrl | 'S');
    auto* edit = new TTestEdit(form.get());
    edit->SetParent(form.get());
    edit->SetAction(action);
    EXPECT_EQ(edit->Hint(), "上書き保存");
    THintInfo info;
    info.HintStr = edit->Hint();
    EXPECT_EQ(edit->PerformMessage(CMSG_HINTSHOW, 0, reinterpret_cast<std::intptr_t>(&info)), 0);
    EXPECT_EQ(info.HintStr, "上書き保存 (Ctrl+S)");
}

TEST_F(Actions, TheListChangesWithItsImageList)
{
    auto* images = new TImageList(form.get());
    list->SetImages(images);
    struct Counter : TObject {
        int changes = 0;
        void Changed(TObject*) { ++changes; }
    } counter;
    list->OnChange = TNotifyEvent(&counter, &Counter::Changed);
    images->Add(TPixelImage{16, 16, std::vector<std::uint32_t>(16 * 16, 0xFF000000u)});
    EXPECT_EQ(counter.changes, 1);
    delete images;
    EXPECT_EQ(list->Images(), nullptr);
}

}  // namespace
