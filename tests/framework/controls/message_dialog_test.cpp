// Message dialogs under Wine: the answers of their buttons and keys, the layout in dialog units,
// the notice, wrapping of a long message, and Ctrl+C putting the dialog's text on the clipboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/controls/button.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/message_dialog.h"
#include "framework/controls/screen.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/framework/controls/modal_script.h"
#include "tests/support/window_picture.h"

using namespace controlstest;

namespace {

using Step = ModalScript::Step;
using KeyStrokes = std::vector<std::pair<WORD, bool>>;

KeyStrokes Stroke(WORD key, std::vector<WORD> held = {})
{
    KeyStrokes keys;
    for (WORD h : held)
        keys.push_back({h, true});
    keys.push_back({key, true});
    keys.push_back({key, false});
    for (auto h = held.rbegin(); h != held.rend(); ++h)
        keys.push_back({*h, false});
    return keys;
}

// The keys the dialog has seen released (it previews every key).
struct KeyUps : TObject {
    std::vector<std::uint16_t> keys;
    void Up(TObject*, std::uint16_t& key, TShiftState) { keys.push_back(key); }
    bool Seen(std::uint16_t key) const { return std::find(keys.begin(), keys.end(), key) != keys.end(); }
};

Step Press(std::string what, const KeyStrokes& keys, KeyUps* watch = nullptr, WORD after = 0)
{
    Step step{std::move(what), [keys, watch](TCustomForm& form) {
                  if (watch)
                      form.OnKeyUp = TKeyEvent(watch, &KeyUps::Up);
                  SendKeys(keys);
              }};
    if (after)
        step.ready = [watch, after](TCustomForm&) { return watch->Seen(after); };
    return step;
}

Step Click(const std::string& button)
{
    return {
        "click " + button, [button](TCustomForm& form) { SendMessageA(ChildWindow(form, button), BM_CLICK, 0, 0); }};
}

Step CloseBox(KeyUps* watch, WORD after)
{
    return {"the close box", [](TCustomForm& form) { SendMessageA(form.WindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
            [watch, after](TCustomForm&) { return watch->Seen(after); }};
}

struct FreeForm {
    void operator()(TComponent* c) const { FreeComponent(c); }
};
using DialogPtr = std::unique_ptr<TMessageForm, FreeForm>;

std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return "(clipboard not opened)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void SetClipboard(const std::string& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

// The dialog units of the message font, measured here apart from the dialog.
struct DialogUnits {
    int average, height;
    DialogUnits()
    {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
        HFONT font = CreateFontIndirectA(&metrics.lfMessageFont);
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        DeleteObject(font);
        average = size.cx / 52;
        height = size.cy;
    }
    int X(int units) const { return MulDiv(units, average, 4); }
    int Y(int units) const { return MulDiv(units, height, 8); }
};

const char* const Question = "テキストが編集されています\n保存しますか";

}  // namespace

TEST(MessageDialog, AnswersWithTheModalResultOfTheButtonOrKeyPressed)
{
    KeyUps ups;
    struct Help : TObject {
        std::vector<std::intptr_t> contexts;
        void Show(std::uint16_t, std::intptr_t context, bool&) { contexts.push_back(context); }
    } help;
    Application->OnAppHelp = THelpEvent(&help, &Help::Show);
    auto helpShown = [&help](TCustomForm&) { return !help.contexts.empty(); };
    struct Case {
        const char* what;
        TMessageDialogButtons buttons;
        std::vector<Step> steps;
        TModalResult expected;
        std::vector<std::intptr_t> help = {};
    };
    const Case cases[] = {
        {"はい clicked", mbYesNoCancel, {Click("Yes")}, mrYes},
        {"いいえ clicked", mbYesNoCancel, {Click("No")}, mrNo},
        {"キャンセル clicked", mbYesNoCancel, {Click("Cancel")}, mrCancel},
        {"Enter: はい is the default", mbYesNoCancel, {Press("Enter", Stroke(VK_RETURN))}, mrYes},
        {"Escape", mbYesNoCancel, {Press("Escape", Stroke(VK_ESCAPE))}, mrCancel},
        {"Y without Alt", mbYesNoCancel, {Press("Y", Stroke('Y'))}, mrYes},
        {"N without Alt", mbYesNoCancel, {Press("N", Stroke('N'))}, mrNo},
        {"Alt+N", mbYesNoCancel, {Press("Alt+N", Stroke('N', {VK_MENU}))}, mrNo},
        {"Tab to いいえ, then Enter presses the focused button",
         mbYesNoCancel,
         {Press("Tab", Stroke(VK_TAB), &ups), Press("Enter", Stroke(VK_RETURN), &ups, VK_TAB)},
         mrNo},
        {"Ctrl+Enter and Shift+Escape press nothing",
         mbYesNoCancel,
         {Press("Ctrl+Enter", Stroke(VK_RETURN, {VK_CONTROL}), &ups),
          Press("Shift+Escape", Stroke(VK_ESCAPE, {VK_SHIFT}), &ups, VK_RETURN),
          Press("Escape", Stroke(VK_ESCAPE), &ups, VK_SHIFT)},
         mrCancel},
        {"OK and Cancel: Enter gives OK", mbOKCancel, {Press("Enter", Stroke(VK_RETURN))}, mrOk},
        {"OK and Cancel: Escape", mbOKCancel, {Press("Escape", Stroke(VK_ESCAPE))}, mrCancel},
        {"no buttons: Escape does nothing, the close box ends it",
         {},
         {Press("Escape", Stroke(VK_ESCAPE), &ups), CloseBox(&ups, VK_ESCAPE)},
         mrCancel},
        {"ヘルプ asks for help on the dialog's context and leaves the dialog open",
         {mbOK, mbHelp},
         {Click("Help"), {"click OK after the help", Click("OK").act, helpShown}},
         mrOk,
         {5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ups.keys.clear();
        help.contexts.clear();
        ModalScript script(c.steps);
        EXPECT_EQ(ShowMessageDialog(Question, dkConfirmation, c.buttons, 5), c.expected);
        EXPECT_EQ(script.Stall(), "");
        EXPECT_EQ(help.contexts, c.help);
    }
    Application->OnAppHelp = {};
}

TEST(MessageDialog, LaysOutTheIconTheTextAndAnEvenlySpacedRowOfButtonsInDialogUnits)
{
    DialogUnits du;
    DialogPtr form(BuildMessageDialog(Question, dkConfirmation, mbYesNoCancel));
    EXPECT_EQ(form->Caption(), "確認");
    EXPECT_FALSE(form->Visible());

    auto* image = dynamic_cast<TImage*>(form->FindComponent("Image"));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->BoundsRect(), (RECT{du.X(8), du.Y(8), du.X(8) + 32, du.Y(8) + 32}));
    EXPECT_EQ(dynamic_cast<TIcon*>(image->Picture()->Graphic())->Handle(), LoadIconA(nullptr, IDI_QUESTION));
    TLabel* label = form->MessageLabel();
    ASSERT_EQ(label, form->FindComponent("Message"));
    EXPECT_EQ(label->Caption(), Question);
    EXPECT_TRUE(label->WordWrap());
    EXPECT_EQ(label->Left(), du.X(8) + 32 + du.X(10));
    EXPECT_EQ(label->Top(), du.Y(8));
    EXPECT_EQ(label->Height(), 2 * du.height) << "two lines";

    struct Expected {
        const char* name;
        const char* caption;
        TModalResult result;
        bool isDefault, isCancel;
    };
    const Expected expected[] = {
        {"Yes", "はい(&Y)", mrYes, true, false},
        {"No", "いいえ(&N)", mrNo, false, false},
        {"Cancel", "キャンセル", mrCancel, false, true},
    };
    std::vector<TButton*> buttons;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* button = dynamic_cast<TButton*>(form->Components(i)))
            buttons.push_back(button);
    ASSERT_EQ(buttons.size(), std::size(expected));
    int rowTop = std::max(label->Height(), 32) + du.Y(8) + du.Y(10);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const Expected& e = expected[i];
        TButton* b = buttons[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(b->Name(), e.name);
        EXPECT_EQ(b->Caption(), e.caption);
        EXPECT_EQ(b->ModalResult(), e.result);
        EXPECT_EQ(b->Default(), e.isDefault);
        EXPECT_EQ(b->Cancel(), e.isCancel);
        EXPECT_EQ(b->Top(), rowTop);
        EXPECT_EQ(b->Height(), du.Y(14));
        EXPECT_EQ(b->Width(), buttons[0]->Width());
        EXPECT_GE(b->Width(), du.X(50));
        if (i > 0) {
            EXPECT_EQ(b->Left() - buttons[i - 1]->Left(), b->Width() + du.X(4)) << "evenly spaced";
        }
    }
    int rowLeft = buttons.front()->Left(), rowRight = buttons.back()->Left() + buttons.back()->Width();
    EXPECT_LE(std::abs(rowLeft - (form->ClientWidth() - rowRight)), 1) << "the row is centred";
    EXPECT_EQ(form->ClientWidth(), std::max(label->Left() + label->Width(), rowRight - rowLeft + du.X(8)) + du.X(8));
    EXPECT_EQ(form->ClientHeight(), rowTop + du.Y(14) + du.Y(8));
    EXPECT_EQ(form->Left(), Screen->Width() / 2 - form->Width() / 2);
    EXPECT_EQ(form->Top(), Screen->Height() / 2 - form->Height() / 2);

    form->ShowForm();
    ASSERT_TRUE(PumpUntil([&] { return ShownOnScreen(*form); })) << "the dialog on the screen";
    EXPECT_EQ(GetWindowLongA(buttons[0]->Handle(), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
    EXPECT_TRUE(testsupport::SaveWindowPicture(form->WindowHandle(), "message_dialog_question"));
}

TEST(MessageDialog, ANoticeShowsTheApplicationTitleNoIconAndAnOKButton)
{
    std::string caption, buttons;
    bool image = true;
    ModalScript script(
        {{"look at the notice, then Enter",
          [&](TCustomForm& form) {
              caption = form.Caption();
              image = form.FindComponent("Image") != nullptr;
              for (int i = 0; i < form.ComponentCount(); ++i)
                  if (auto* b = dynamic_cast<TButton*>(form.Components(i)))
                      buttons += b->Name() + (b->Default() ? " (default)" : "");
              EXPECT_TRUE(testsupport::SaveWindowPicture(form.WindowHandle(), "message_dialog_notice"));
              SendKeys(Stroke(VK_RETURN));
          },
          ShownOnScreen}});
    ShowNotice("検索文字列が見つかりません");
    EXPECT_EQ(script.Stall(), "");
    EXPECT_EQ(caption, Application->AppTitle());
    EXPECT_FALSE(image);
    EXPECT_EQ(buttons, "OK (default)");
}

TEST(MessageDialog, AMessageWiderThanHalfTheScreenWrapsAndTheDialogGrowsWithIt)
{
    std::string longMessage;
    for (int i = 0; i < 40; ++i)
        longMessage += "ファイルが見つかりません。";
    DialogPtr one(BuildMessageDialog("ファイルが見つかりません。", dkWarning, {mbOK}));
    DialogPtr many(BuildMessageDialog(longMessage, dkWarning, {mbOK}));
    TLabel* label = many->MessageLabel();
    EXPECT_LE(label->Width(), Screen->Width() / 2);
    EXPECT_GT(label->Width(), Screen->Width() / 2 - 30) << "the lines fill the text block";
    int lineHeight = one->MessageLabel()->Height();
    EXPECT_GE(label->Height(), 5 * lineHeight);
    EXPECT_EQ(label->Height() % lineHeight, 0) << "whole lines";
    EXPECT_EQ(many->ClientHeight() - one->ClientHeight(), label->Height() - std::max(lineHeight, 32));
    EXPECT_EQ(many->Caption(), "警告");
}

TEST(MessageDialog, CtrlCPutsTheDialogAsTextOnTheClipboardButNotCtrlShiftC)
{
    const std::string line = "---------------------------\r\n";
    const std::string copied = line + "確認\r\n" + line + "上書きしますか\r\n" + line + "OK   キャンセル   \r\n" + line;
    struct Case {
        const char* what;
        std::vector<WORD> held;
        bool clipboardBusy;
        std::string clipboard;
        std::vector<std::string> reports;
    };
    const Case cases[] = {
        {"Ctrl+C", {VK_CONTROL}, false, copied, {}},
        {"Ctrl+Shift+C", {VK_CONTROL, VK_SHIFT}, false, "before", {}},
        {"Ctrl+C while another program holds the clipboard open",
         {VK_CONTROL},
         true,
         "before",
         {"クリップボードを開くことができません"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetClipboard("before");
        // A window of another thread stands for the other program: it keeps the clipboard open.
        HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr), done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread holder;
        if (c.clipboardBusy) {
            holder = std::thread([&] {
                HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
                OpenClipboard(window);
                SetEvent(opened);
                WaitForSingleObject(done, 20000);
                CloseClipboard();
                DestroyWindow(window);
            });
            WaitForSingleObject(opened, 5000);
        }
        Reports reports;
        KeyUps ups;
        ModalScript script({Press("C", Stroke('C', c.held), &ups), Press("Escape", Stroke(VK_ESCAPE), &ups, 'C')});
        EXPECT_EQ(ShowMessageDialog("上書きしますか", dkConfirmation, mbOKCancel, 0), mrCancel);
        EXPECT_EQ(script.Stall(), "") << "the dialog stays up after the key";
        SetEvent(done);
        if (holder.joinable())
            holder.join();
        CloseHandle(opened);
        CloseHandle(done);
        EXPECT_EQ(ClipboardText(), c.clipboard);
        EXPECT_EQ(reports.messages, c.reports);
    }
}
