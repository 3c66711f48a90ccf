// Menus over real native menus: what the system shows for the items, commands and drop-downs coming
// back as clicks, the automatic passes, menu characters, shortcut keys, the form's Menu, and popups.
#include <gtest/gtest.h>

#include <memory>

#include "framework/menus/command_pool.h"
#include "framework/menus/hotkeys.h"
#include "tests/support/window_picture.h"
#include "tests/framework/menus/menus_test_support.h"

using namespace controlstest;
using namespace menustest;

namespace {

class MenuBar : public testing::Test {
protected:
    void SetUp() override
    {
        form.reset(MakeShownForm());
        form->SetName("Form");
        menu = new TMainMenu(form.get());  // becomes the form's Menu: it has none yet
        menu->SetName("MainMenu1");
    }
    void TearDown() override { UseOlderMenuCalls = false; }

    HWND Window() { return form->WindowHandle(); }
    HMENU Bar() { return GetMenu(Window()); }
    TMenuItem* Add(TMenuItem* parent, const char* name, const std::string& caption)
    {
        return AddItem(form.get(), parent, name, caption, &log);
    }
    // What the system sends before it shows a drop-down.
    void Open(TMenuItem* item)
    {
        SendMessageA(Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(item->Handle()), 0);
    }

    std::unique_ptr<TTestForm> form;
    TMainMenu* menu = nullptr;
    EventLog log;
};

TEST_F(MenuBar, NativeEntriesMirrorTheItemsOnBothFillingPaths)
{
    for (bool older : {false, true}) {
        SCOPED_TRACE(older ? "calls of systems before version 4" : "MENUITEMINFO");
        UseOlderMenuCalls = older;
        TMenuItem* file = Add(menu->Items(), "F1", "ファイル(&F)");
        file->SetShortCut(scCtrl | 'F');
        Add(file, "O1", "開く(&O)")->SetShortCut(scCtrl | 'O');
        Add(file, "N5", "-");
        TMenuItem* dashes = Add(file, "N12", "----------------");
        Add(file, "D1", "無効(&D)")->SetEnabled(false);
        Add(file, "K1", "チェック(&K)")->SetChecked(true);
        Add(menu->Items(), "N3", "検索(&S)")->SetShortCut(scCtrl | 'S');

        EXPECT_EQ(TextsOf(Bar()), (std::vector<std::string>{"ファイル(&F)", "検索(&S)"}))
            << "menu-bar entries never show shortcut text";
        std::vector<Entry> entries = EntriesOf(file->Handle());
        ASSERT_EQ(entries.size(), 5u);
        EXPECT_EQ(EntriesOf(Bar())[0].subMenu, file->Handle());
        struct Expected {
            std::string text;
            UINT type, state;
        } expected[] = {
            {"開く(&O)\tCtrl+O", MFT_STRING, 0},
            {"", MFT_SEPARATOR, 0},
            {"----------------", MFT_STRING, 0},
            {"無効(&D)", MFT_STRING, MFS_GRAYED},
            {"チェック(&K)", MFT_STRING, MFS_CHECKED}};
        for (std::size_t i = 0; i < entries.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(entries[i].type & MFT_SEPARATOR, expected[i].type);
            if (!(expected[i].type & MFT_SEPARATOR)) {  // the system gives separators states of its own
                EXPECT_EQ(entries[i].text, expected[i].text);
                EXPECT_EQ(entries[i].state & (MFS_GRAYED | MFS_CHECKED), expected[i].state);
            }
        }

        SendMessageA(Window(), WM_COMMAND, dashes->Command(), 0);
        EXPECT_EQ(log.events, std::vector<std::string>{"N12"}) << "sixteen hyphens make an ordinary item";
        log.events.clear();
        menu->Items()->Clear();
        EXPECT_EQ(GetMenuItemCount(Bar()), 0);
    }
}

TEST_F(MenuBar, OpeningADropDownClicksItsItemAndGivesFreeHotkeys)
{
    struct Case {
        const char* name;
        std::vector<std::string> captions, shown;
    } cases[] = {
        {"the editor's Edit menu",
         {"元に戻す(&U)", "全て選択", "切り取り(&T)", "コピー(&C)", "貼り付け(&P)"},
         {"元に戻す(&U)", "全て選択(&Z)", "切り取り(&T)", "コピー(&C)", "貼り付け(&P)"}},
        {"two siblings marked &S", {"&Save", "&Send"}, {"&Save", "S&end"}},
        {"double-byte captions", {"印刷...", "&Print", "表示"}, {"印刷(&Z)...", "&Print", "表示(&Y)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMenuItem* dropDown = Add(menu->Items(), "E1", "編集(&E)");
        for (std::size_t i = 0; i < c.captions.size(); ++i)
            Add(dropDown, ("I" + std::to_string(i)).c_str(), c.captions[i]);
        Open(dropDown);
        EXPECT_EQ(log.events, std::vector<std::string>{"E1"}) << "the drop-down's own OnClick runs first";
        EXPECT_EQ(TextsOf(dropDown->Handle()), c.shown);
        log.events.clear();
        menu->Items()->Clear();
    }
}

TEST_F(MenuBar, RedundantSeparatorsAreHiddenAndComeBack)
{
    TMenuItem* dropDown = Add(menu->Items(), "V1", "表示(&V)");
    int n = 0;
    for (const char* caption : {"-", "&A", "-", "-", "&B", "-"})
        Add(dropDown, ("S" + std::to_string(n++)).c_str(), caption);
    Open(dropDown);
    EXPECT_EQ(TextsOf(dropDown->Handle()), (std::vector<std::string>{"&A", "-", "&B"}));
    dropDown->Items(4)->SetVisible(false);
    EXPECT_EQ(TextsOf(dropDown->Handle()), std::vector<std::string>{"&A"});
    dropDown->Items(4)->SetVisible(true);
    EXPECT_EQ(TextsOf(dropDown->Handle()), (std::vector<std::string>{"&A", "-", "&B"}));
}

TEST_F(MenuBar, MenuCharactersExecuteSelectOrClose)
{
    menu->SetAutoHotkeys(TMenuAutoFlag::maManual);  // keep the shared hotkeys
    TMenuItem* dropDown = Add(menu->Items(), "E1", "編集(&E)");
    int n = 0;
    for (const char* caption : {"&Copy", "&Cut", "&Delete", "&Paste", "Zoom", "&Xtra", "&Clear"})
        Add(dropDown, ("M" + std::to_string(n++)).c_str(), caption);
    dropDown->Items(2)->SetEnabled(false);
    dropDown->Items(5)->SetEnabled(false);
    HMENU handle = dropDown->Handle();
    struct Case {
        char typed;
        int highlighted;
        LRESULT answer;
    } cases[] = {
        {'p', -1, MAKELRESULT(3, 2)},                // one enabled entry: execute it
        {'z', -1, MAKELRESULT(4, 2)},                // no hotkey matches: the initial letter does
        {'c', -1, MAKELRESULT(0, 3)},                // shared: select the first
        {'C', 0, MAKELRESULT(1, 3)},                 // shared: select the next after the highlighted one
        {'c', 1, MAKELRESULT(6, 3)},                 // ... and the next again
        {'c', 6, MAKELRESULT(0, 3)},                 // ... and round to the first
        {'d', -1, MAKELRESULT(0, 1)},                // only a disabled entry: close
        {'x', -1, MAKELRESULT(0, 1)}, {'q', -1, 0},  // nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("typed ") + c.typed + " highlighted " + std::to_string(c.highlighted));
        for (int i = 0; i < GetMenuItemCount(handle); ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_STATE;
            GetMenuItemInfoA(handle, i, TRUE, &info);
            info.fState = i == c.highlighted ? info.fState | MFS_HILITE : info.fState & ~MFS_HILITE;
            SetMenuItemInfoA(handle, i, TRUE, &info);
        }
        LRESULT answer = SendMessageA(
            Window(), WM_MENUCHAR, MAKEWPARAM(static_cast<BYTE>(c.typed), MF_POPUP), reinterpret_cast<LPARAM>(handle));
        EXPECT_EQ(answer, c.answer);
    }
}

TEST_F(MenuBar, ShortcutKeysClickTheAncestorsFirstEvenWhenTheyRebuildTheSubmenu)
{
    TMenuItem* file = Add(menu->Items(), "F1", "ファイル(&F)");
    TMenuItem* recent = Add(file, "R1", "最近(&R)");
    Add(recent, "K1", "一番目(&1)")->SetShortCut(scCtrl | 'K');
    SetForegroundWindow(Window());
    PressChord({VK_CONTROL, 'K'});
    ASSERT_TRUE(PumpUntil([&] { return log.events.size() == 3; })) << "waited for three clicks";
    EXPECT_EQ(log.events, (std::vector<std::string>{"F1", "R1", "K1"}));

    // The submenu's own click makes its items anew; the new item with the shortcut is the one clicked.
    struct Rebuilder : TObject {
        TMenuItem* recent;
        EventLog* log;
        void Rebuild(TObject*)
        {
            recent->Clear();
            AddItem(recent->Owner(), recent, "K2", "新しい(&1)", log)->SetShortCut(scCtrl | 'K');
        }
    };
    Rebuilder rebuilder;
    rebuilder.recent = recent;
    rebuilder.log = &log;
    recent->OnClick = TNotifyEvent(&rebuilder, &Rebuilder::Rebuild);
    log.events.clear();
    PressChord({VK_CONTROL, 'K'});
    ASSERT_TRUE(PumpUntil([&] { return log.events.size() == 2; })) << "waited for the clicks";
    EXPECT_EQ(log.events, (std::vector<std::string>{"F1", "K2"}));
}

TEST_F(MenuBar, AltAndALetterOpensTheMenuBarItemThroughTheKeyboard)
{
    Add(Add(menu->Items(), "F1", "ファイル(&F)"), "O1", "開く(&O)");
    TMenuItem* edit = Add(menu->Items(), "E1", "編集(&E)");
    int n = 0;
    for (const char* caption : {"元に戻す(&U)", "全て選択", "切り取り(&T)", "コピー(&C)", "貼り付け(&P)"})
        Add(edit, ("U" + std::to_string(n++)).c_str(), caption);
    struct Picture : TObject {
        HWND window;
        bool taken = false;
        void Opened(TObject*)
        {
            CloseMenusSoon([this] { taken = testsupport::SaveWindowPicture(window, "menu_edit_dropdown"); });
        }
    } picture;
    picture.window = Window();
    edit->OnClick = TNotifyEvent(&picture, &Picture::Opened);
    SetForegroundWindow(Window());
    PressChord({VK_MENU, 'E'});
    ASSERT_TRUE(PumpUntil([&] { return picture.taken; })) << "waited for the Edit drop-down to open";
    EXPECT_EQ(TextsOf(edit->Handle())[1], "全て選択(&Z)");
}

TEST(MenuKeys, AltAndALetterInAFormWithoutAMenuOpensThePrimaryFormsMenu)
{
    TTestForm* primary = nullptr;
    Application->CreateAppForm(primary);
    std::unique_ptr<TTestForm> primaryOwner(primary);
    primary->SetName("Primary");
    primary->SetVisible(true);
    auto* menu = new TMainMenu(primary);
    EventLog log;
    TMenuItem* file = AddItem(primary, menu->Items(), "F1", "ファイル(&F)");
    AddItem(primary, file, "O1", "開く(&O)");
    file->OnClick = TNotifyEvent(&log, &EventLog::Opened);

    std::unique_ptr<TTestForm> other(MakeShownForm());
    SetForegroundWindow(other->WindowHandle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other->WindowHandle(); }));
    PressChord({VK_MENU, 'F'});
    ASSERT_TRUE(PumpUntil([&] { return !log.events.empty(); })) << "waited for the primary form's File menu";
    EXPECT_EQ(log.events, std::vector<std::string>{"F1"});
}

TEST_F(MenuBar, DeletingAnItemWhileItsDropDownIsOpenIsSafe)
{
    Add(Add(menu->Items(), "F1", "ファイル(&F)"), "O1", "開く(&O)");
    TMenuItem* edit = Add(menu->Items(), "E1", "編集(&E)");
    Add(edit, "U1", "元に戻す(&U)");
    static TMenuItem* doomed;
    static bool deleted;
    doomed = edit;
    deleted = false;
    struct Deleter : TObject {
        void Opened(TObject*) { SetTimer(nullptr, 0, 50, &Deleter::Fire); }
        static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(nullptr, id);
            if (deleted)
                return;
            delete doomed;  // while its drop-down is on the screen
            deleted = true;
        }
    } deleter;
    edit->OnClick = TNotifyEvent(&deleter, &Deleter::Opened);
    SetForegroundWindow(Window());
    PressChord({VK_MENU, 'E'});
    ASSERT_TRUE(PumpUntil([&] { return deleted; })) << "waited for the item to go";
    ASSERT_TRUE(PumpUntil([&] { return TextsOf(Bar()) == std::vector<std::string>{"ファイル(&F)"}; }))
        << "the bar lost the entry";
    SendMessageA(Window(), WM_COMMAND, menu->Items()->Items(0)->Items(0)->Command(), 0);
    EXPECT_EQ(log.events, std::vector<std::string>{"O1"}) << "the menu goes on working";
}

TEST_F(MenuBar, TheFormAttachesDetachesAndFollowsItsMenu)
{
    TMenuItem* file = Add(menu->Items(), "F1", "ファイル(&F)");
    EXPECT_EQ(form->Menu(), menu);
    EXPECT_EQ(Bar(), menu->Handle());
    file->SetCaption("書類(&D)");
    EXPECT_EQ(TextsOf(Bar()), std::vector<std::string>{"書類(&D)"}) << "the bar follows a caption change";

    std::unique_ptr<TTestForm> other(MakeShownForm());
    try {
        other->SetMenu(menu);
        FAIL() << "a menu used by another form was accepted";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "メニュー 'MainMenu1' は既に他のフォームで使われています");
    }
    form->SetMenu(nullptr);
    EXPECT_EQ(Bar(), nullptr);
    other->SetMenu(menu);
    EXPECT_EQ(GetMenu(other->WindowHandle()), menu->Handle());
    delete menu;
    EXPECT_EQ(other->Menu(), nullptr);
    EXPECT_EQ(GetMenu(other->WindowHandle()), nullptr);
}

TEST(MenuTree, InsertionRulesAndTheirErrors)
{
    TMainMenu menu(nullptr);
    TMenuItem* root = menu.Items();
    auto expectMenuError = [](auto action, const char* message) {
        try {
            action();
            ADD_FAILURE() << "no EMenuError for: " << message;
        } catch (const EMenuError& e) {
            EXPECT_EQ(e.Message(), message);
        }
    };
    auto* a = new TMenuItem(nullptr);
    auto* b = new TMenuItem(nullptr);
    a->SetGroupIndex(3);
    root->Add(a);
    root->Add(b);
    EXPECT_EQ(b->GroupIndex(), 3) << "raised to its predecessor's";
    auto* c = new TMenuItem(nullptr);
    c->SetGroupIndex(5);
    root->Insert(0, c);
    EXPECT_EQ(a->GroupIndex(), 5);
    EXPECT_EQ(b->GroupIndex(), 5) << "later siblings raised to the inserted item's";
    expectMenuError([&] { root->Add(a); }, "メニューを二度追加しました");
    expectMenuError([&] { b->Items(0); }, "メニューインデックスが範囲を越えました");
    expectMenuError([&] { b->SetGroupIndex(4); },
                    "GroupIndex は直前のメニューアイテムの GroupIndex より小さくすることができません");
    EXPECT_THROW(root->Items(3), EListError);
}

TEST(MenuTree, CommandNumbersAreGivenBackWhenItemsGo)
{
    int before = commandpool::InUse();
    std::uint16_t lowest = 0;
    {
        TMenuItem probe(nullptr);
        lowest = probe.Command();
    }
    for (int i = 0; i < 100000; ++i) {
        TMenuItem item(nullptr);
        ASSERT_EQ(item.Command(), lowest) << "at item " << i;
    }
    EXPECT_EQ(commandpool::InUse(), before);
}

TEST(MenuTexts, CaptionsAndShortcutTexts)
{
    struct Hotkey {
        const char* caption;
        const char* hotkey;
        const char* removed;
    } hotkeys[] = {
        {"&File", "F", "File"},       {"Save &As", "A", "Save As"}, {"A&&B", "", "A&&B"},
        {"&A&B", "B", "AB"},          {"開く(&O)", "O", "開く"},    {"表示(&V)...", "V", "表示..."},
        {"ソ&表", "表", "ソ表"},      {"end&", "", "end"},          {"", "", ""},
        {"R&&D(&&)", "", "R&&D(&&)"},
    };
    for (const Hotkey& h : hotkeys) {
        SCOPED_TRACE(h.caption);
        EXPECT_EQ(HotkeyOf(h.caption), h.hotkey);
        EXPECT_EQ(RemoveHotkey(h.caption, true), h.removed);
    }
    EXPECT_EQ(RemoveHotkey("開く(&O)", false), "開く(O)") << "outside a far-east locale only the marker goes";
    EXPECT_EQ(ShownCaption("R&&D(&S)", true), "R&D") << "as the menu shows it";
    EXPECT_TRUE(SameCaption("開く(&O)", "開く", true));
    EXPECT_TRUE(SameCaption("&save", "SAVE", false));
    std::vector<std::string> western{"&Save", "&Send", "Open"};
    EXPECT_TRUE(AssignAutomaticHotkeys(western, false));
    EXPECT_EQ(western, (std::vector<std::string>{"&Save", "S&end", "&Open"}));
    // A literal "&&" is no marker: it stays, and the caption that loses its "&S" takes R.
    std::vector<std::string> literal{"&Save", "R&&D &Save"};
    EXPECT_TRUE(AssignAutomaticHotkeys(literal, false));
    EXPECT_EQ(literal, (std::vector<std::string>{"&Save", "&R&&D Save"}));

    struct Text {
        TShortCut shortCut;
        const char* text;
    } texts[] = {
        {scCtrl | 'S', "Ctrl+S"},
        {scShift | scCtrl | VK_F5, "Shift+Ctrl+F5"},
        {scAlt | VK_DELETE, "Alt+Del"},
        {VK_BACK, "BkSp"},
        {VK_TAB, "Tab"},
        {VK_RETURN, "Enter"},
        {VK_ESCAPE, "Esc"},
        {VK_SPACE, "Space"},
        {VK_NEXT, "PgDn"},
        {VK_DOWN, "Down"},
        {VK_INSERT, "Ins"},
        {VK_NUMPAD7, "7"},
        {scCtrl | '0', "Ctrl+0"},
        {VK_F24, "F24"},
    };
    for (const Text& t : texts) {
        SCOPED_TRACE(t.text);
        EXPECT_EQ(ShortcutDisplayText(t.shortCut), t.text);
        if (t.shortCut != VK_NUMPAD7) {  // the pad's digits read back as the main row's
            EXPECT_EQ(ShortcutFromDisplayText(t.text), t.shortCut);
        }
    }
    EXPECT_EQ(ShortcutFromDisplayText("^s"), scCtrl | 'S');
    EXPECT_EQ(ShortcutFromDisplayText("alt+ctrl+del"), scCtrl | scAlt | VK_DELETE);
    EXPECT_EQ(ShortcutFromDisplayText("Ctrl+"), scNone);
    EXPECT_EQ(ShortcutFromDisplayText("Ctrl+Nothing"), scNone);
    EXPECT_EQ(MakeShortCut(0x100, {ssCtrl}), scNone);
}

TEST(PopupMenus, AControlShowsItsPopupAndTakesItsShortcuts)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* edit = new TTestEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 100, 24);
    auto* popup = new TPopupMenu(form.get());
    EventLog log;
    AddItem(form.get(), popup->Items(), "C1", "コピー(&C)", &log);
    AddItem(form.get(), popup->Items(), "P1", "貼り付け(&P)", &log)->SetShortCut(scCtrl | 'J');
    edit->SetPopupMenu(popup);
    struct Chooser : TObject {
        static void CALLBACK Choose(HWND, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(nullptr, id);
            PressChord({VK_DOWN});
            PressChord({VK_DOWN});
            PressChord({VK_RETURN});
        }
        void Shown(TObject*) { SetTimer(nullptr, 0, 100, &Chooser::Choose); }
    } chooser;
    popup->OnPopup = TNotifyEvent(&chooser, &Chooser::Shown);
    SetForegroundWindow(form->WindowHandle());
    edit->SetFocus();
    SendMessageA(
        edit->WindowHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit->WindowHandle()), MAKELPARAM(-1, -1));
    ASSERT_TRUE(PumpUntil([&] { return !log.events.empty(); })) << "waited for the choice";
    EXPECT_EQ(log.events, std::vector<std::string>{"P1"});
    EXPECT_EQ(popup->PopupComponent(), edit);

    log.events.clear();
    PressChord({VK_CONTROL, 'J'});
    ASSERT_TRUE(PumpUntil([&] { return !log.events.empty(); })) << "waited for the popup's shortcut";
    EXPECT_EQ(log.events, std::vector<std::string>{"P1"});
}

}  // namespace
