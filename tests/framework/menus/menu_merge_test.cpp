// Menu merging over a real menu bar: another menu's items shown among a form's by GroupIndex,
// their commands and drop-downs reaching them, their changes shown, and the bar as it was after
// unmerging or when the merged menu goes away.
#include <gtest/gtest.h>

#include <memory>

#include "tests/framework/menus/menus_test_support.h"

using namespace controlstest;
using namespace menustest;

namespace {

class MenuMerge : public testing::Test {
protected:
    void SetUp() override
    {
        form.reset(MakeShownForm());
        form->SetName("Form");
        menu = new TMainMenu(form.get());
        other = new TMainMenu(nullptr);  // a second form's menu, attached to no window
        const std::uint8_t groups[] = {0, 1, 3, 9};
        for (std::size_t i = 0; i < ownBar.size(); ++i)
            AddItem(form.get(), menu->Items(), ("B" + std::to_string(i)).c_str(), ownBar[i])->SetGroupIndex(groups[i]);
    }
    void TearDown() override { delete other; }

    std::vector<std::string> Bar() { return TextsOf(GetMenu(form->WindowHandle())); }

    // The form's own bar, its groups 0, 1, 3 and 9.
    const std::vector<std::string> ownBar{"ファイル(&F)", "編集(&E)", "ウィンドウ(&W)", "ヘルプ(&H)"};
    std::unique_ptr<TTestForm> form;
    TMainMenu* menu = nullptr;
    TMainMenu* other = nullptr;
    EventLog log;
};

TEST_F(MenuMerge, TheMergedMenusGroupsReplaceTheSameGroupsAndUnmergingRestoresTheBar)
{
    struct Case {
        const char* name;
        std::vector<std::pair<std::uint8_t, const char*>> items;  // group, caption
        std::vector<std::string> bar;
    } cases[] = {
        {"a group of its own between two",
         {{2, "表示(&V)"}},
         {"ファイル(&F)", "編集(&E)", "表示(&V)", "ウィンドウ(&W)", "ヘルプ(&H)"}},
        {"two items replacing one group",
         {{1, "書式(&O)"}, {1, "検索(&S)"}},
         {"ファイル(&F)", "書式(&O)", "検索(&S)", "ウィンドウ(&W)", "ヘルプ(&H)"}},
        {"first and last",
         {{0, "文書(&D)"}, {12, "追加(&X)"}},
         {"文書(&D)", "編集(&E)", "ウィンドウ(&W)", "ヘルプ(&H)", "追加(&X)"}},
        {"nothing to show", {}, ownBar},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int n = 0;
        for (const auto& [group, caption] : c.items)
            AddItem(other, other->Items(), ("M" + std::to_string(n++)).c_str(), caption)->SetGroupIndex(group);
        menu->Merge(other);
        EXPECT_EQ(Bar(), c.bar);
        menu->Unmerge(other);
        EXPECT_EQ(Bar(), ownBar);
        other->Items()->Clear();
    }
}

TEST_F(MenuMerge, TheMergedItemsCommandsDropDownsAndChangesReachThem)
{
    TMenuItem* view = AddItem(other, other->Items(), "V1", "表示(&V)", &log);
    view->SetGroupIndex(2);
    TMenuItem* wrap = AddItem(other, view, "V2", "折り返し(&W)", &log);
    menu->Merge(other);
    HWND window = form->WindowHandle();
    const std::uint16_t wrapCommand = wrap->Command();

    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view->Handle()), 0);
    SendMessageA(window, WM_COMMAND, wrap->Command(), 0);
    EXPECT_EQ(log.events, (std::vector<std::string>{"V1", "V2"})) << "the drop-down opened, then the command";

    view->SetCaption("見る(&V)");
    EXPECT_EQ(Bar()[2], "見る(&V)") << "a merged item's change shows in the bar";

    delete other;
    other = nullptr;
    EXPECT_EQ(Bar(), ownBar) << "a merged menu that goes away leaves the bar";
    EXPECT_FALSE(menu->RouteCommand(wrapCommand)) << "nor are its commands found";
}

}  // namespace

TEST(MenuMergeBetweenForms, AnActiveFormsAutoMergeMenuJoinsThePrimaryFormsBarUntilItHides)
{
    TTestForm* primary = nullptr;
    Application->CreateAppForm(primary);
    std::unique_ptr<TTestForm> primaryOwner(primary);
    primary->SetName("Primary");
    primary->SetVisible(true);
    auto* bar = new TMainMenu(primary);
    AddItem(primary, bar->Items(), "F1", "ファイル(&F)");
    auto barTexts = [&] { return TextsOf(GetMenu(primary->WindowHandle())); };

    std::unique_ptr<TTestForm> other(MakeShownForm());
    auto* merging = new TMainMenu(other.get());
    AddItem(other.get(), merging->Items(), "V1", "表示(&V)")->SetGroupIndex(2);
    merging->SetAutoMerge(true);
    other->SetMenu(merging);
    SetForegroundWindow(primary->WindowHandle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == primary->WindowHandle(); }));
    EXPECT_EQ(barTexts(), std::vector<std::string>{"ファイル(&F)"});

    SetForegroundWindow(other->WindowHandle());
    EXPECT_TRUE(PumpUntil([&] {
        return barTexts() == std::vector<std::string>{"ファイル(&F)", "表示(&V)"};
    })) << "waited for the active form's menu in the primary form's bar";
    other->SetVisible(false);
    EXPECT_EQ(barTexts(), std::vector<std::string>{"ファイル(&F)"});
}
