// The modeless find and replace dialogs, answered by the test while the application's loop runs.
#include <gtest/gtest.h>

#include <memory>

#include "framework/dialogs/find_dialog.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/framework/dialogs/dialog_driver.h"
#include "tests/support/window_picture.h"

namespace {

using controlstest::PumpUntil;
using dialogtest::DialogScript;

constexpr int FindWhatEdit = 0x480;
constexpr int ReplaceWithEdit = 0x481;
constexpr int ReplaceButton = 0x400;
constexpr int ReplaceAllButton = 0x401;

// What the dialog's events saw.
class Recorder : public TObject {
public:
    struct Press {
        std::string findText;
        std::string replaceText;
        TFindOptions options;
    };
    std::vector<Press> finds;
    std::vector<Press> replaces;
    int closes = 0;
    bool closeFromFind = false;

    void Find(TObject* sender)
    {
        auto* dialog = static_cast<TFindDialog*>(sender);
        finds.push_back({dialog->FindText(), dialog->ReplaceText(), dialog->Options()});
        if (closeFromFind) {
            dialog->CloseDialog();
            handleAfterClose = dialog->DialogHandle();
        }
    }
    void Replace(TObject* sender)
    {
        auto* dialog = static_cast<TFindDialog*>(sender);
        replaces.push_back({dialog->FindText(), dialog->ReplaceText(), dialog->Options()});
    }
    void Close(TObject*) { ++closes; }
    HWND handleAfterClose = nullptr;
};

class FindDialogs : public testing::Test {
protected:
    void SetUp() override { form.reset(controlstest::MakeShownForm()); }

    template <class D>
    std::unique_ptr<D> Make()
    {
        auto dialog = std::make_unique<D>(nullptr);
        dialog->OnFind = TNotifyEvent(&recorder, &Recorder::Find);
        dialog->OnReplace = TNotifyEvent(&recorder, &Recorder::Replace);
        dialog->OnClose = TNotifyEvent(&recorder, &Recorder::Close);
        return dialog;
    }

    // Runs the loop until the script finished and `done` holds.
    testing::AssertionResult RunScript(DialogScript& script, const std::function<bool()>& done)
    {
        bool finished = PumpUntil([&] { return script.Finished() && done(); }, 20000);
        if (!script.Failure().empty())
            return testing::AssertionFailure() << script.Failure();
        if (!finished)
            return testing::AssertionFailure() << "the dialog's events did not arrive";
        return testing::AssertionSuccess();
    }

    void CloseAndWait(TFindDialog& dialog)
    {
        dialog.CloseDialog();
        ASSERT_TRUE(PumpUntil([&] { return !dialog.DialogHandle() && dialog.Handle() == nullptr; }))
            << "the dialog did not close";
    }

    std::unique_ptr<controlstest::TTestForm> form;
    Recorder recorder;
};

TEST_F(FindDialogs, FindNextReportsTheTypedTextAndTheOptionsAsSet)
{
    auto dialog = Make<TFindDialog>();
    dialog->SetOptions({frDown, frMatchCase});
    ASSERT_TRUE(dialog->Execute());
    DialogScript script;
    script.Start({script.Find("検索"), script.Type(FindWhatEdit, "日本語abc"), script.Press(IDOK)});
    ASSERT_TRUE(RunScript(script, [&] { return recorder.finds.size() == 1; }));
    EXPECT_EQ(recorder.finds[0].findText, "日本語abc");
    EXPECT_EQ(recorder.finds[0].options, TFindOptions({frDown, frFindNext, frMatchCase}));
    CloseAndWait(*dialog);
    EXPECT_EQ(recorder.closes, 1);
}

TEST_F(FindDialogs, ReplaceAndReplaceAllFireOnReplaceWithTheirOwnFlag)
{
    auto dialog = Make<TReplaceDialog>();
    dialog->SetFindText("old");
    ASSERT_TRUE(dialog->Execute());
    DialogScript script;
    script.Start(
        {script.Find("文字列の置換"), script.Type(ReplaceWithEdit, "new"),
         DialogScript::Do("take a picture", [&] { testsupport::SaveWindowPicture(script.Dialog(), "replace_dialog"); }),
         script.Press(ReplaceButton), script.Press(ReplaceAllButton)});
    ASSERT_TRUE(RunScript(script, [&] { return recorder.replaces.size() == 2; }));
    EXPECT_TRUE(recorder.finds.empty());
    for (const auto& press : recorder.replaces) {
        EXPECT_EQ(press.findText, "old");
        EXPECT_EQ(press.replaceText, "new");
    }
    EXPECT_TRUE(recorder.replaces[0].options.Contains(frReplace));
    EXPECT_FALSE(recorder.replaces[0].options.Contains(frReplaceAll)) << "rebuilt at every press";
    EXPECT_TRUE(recorder.replaces[1].options.Contains(frReplaceAll));
    EXPECT_FALSE(recorder.replaces[1].options.Contains(frReplace));
    CloseAndWait(*dialog);
}

// Keys reach the modeless dialog through the application's loop: Tab moves between its controls and
// Escape closes it.
TEST_F(FindDialogs, TabAndEscapeWorkInsideTheDialogWhileTheLoopRuns)
{
    auto dialog = Make<TFindDialog>();
    ASSERT_TRUE(dialog->Execute());
    HWND window = dialog->DialogHandle();
    HWND edit = GetDlgItem(window, FindWhatEdit);
    ASSERT_TRUE(PumpUntil([&] { return dialogtest::FocusedWindow() == edit; })) << "the find box has the focus";
    ASSERT_TRUE(PumpUntil([&] { return Application->DialogHandle() == window; }))
        << "the active dialog takes the application's dialog keys";
    dialogtest::PressKey(window, VK_TAB);
    ASSERT_TRUE(PumpUntil([&] {
        HWND focus = dialogtest::FocusedWindow();
        return focus && focus != edit && GetParent(focus) == window;
    })) << "Tab moves to the dialog's next control";
    dialogtest::PressKey(window, VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return recorder.closes == 1; })) << "Escape closes the dialog";
    EXPECT_EQ(dialog->DialogHandle(), nullptr);
    EXPECT_EQ(Application->DialogHandle(), nullptr);
}

TEST_F(FindDialogs, FindTextKeepsAtMost255BytesCutAtACharacterBoundary)
{
    const std::string a254(254, 'a');
    struct Case {
        std::string given;
        std::string kept;
    } cases[] = {
        {std::string(255, 'x'), std::string(255, 'x')},
        {std::string(300, 'y'), std::string(255, 'y')},
        {a254 + "あ", a254},              // the double-byte character would end at byte 256
        {"b" + a254 + "あ", "b" + a254},  // 255 bytes with the character cut away
        {std::string(253, 'c') + "あ", std::string(253, 'c') + "あ"},
    };
    for (const Case& c : cases) {
        auto dialog = Make<TReplaceDialog>();
        dialog->SetFindText(c.given);
        dialog->SetReplaceText(c.given);
        EXPECT_EQ(dialog->FindText(), c.kept);
        EXPECT_EQ(dialog->ReplaceText(), c.kept);
        ASSERT_TRUE(dialog->Execute());
        DialogScript script;
        script.Start({script.Find("文字列の置換"), script.Press(IDOK)});
        std::size_t before = recorder.finds.size();
        ASSERT_TRUE(RunScript(script, [&] { return recorder.finds.size() == before + 1; }));
        EXPECT_EQ(recorder.finds.back().findText, c.kept) << "the dialog gives the text back whole";
        CloseAndWait(*dialog);
    }
}

// The fields take 255 characters, up to 510 bytes: every press reports what they hold, cut to the
// whole characters that fit in 255 bytes, never half of one.
TEST_F(FindDialogs, EveryPressReportsTheFieldsCutAtACharacterBoundary)
{
    std::string typed, kept;
    for (int i = 0; i < 200; ++i)
        typed += "漢";
    for (int i = 0; i < 127; ++i)
        kept += "漢";
    auto dialog = Make<TReplaceDialog>();
    ASSERT_TRUE(dialog->Execute());
    DialogScript script;
    script.Start({script.Find("文字列の置換"), script.Type(FindWhatEdit, typed), script.Type(ReplaceWithEdit, typed),
                  script.Press(ReplaceButton), script.Press(ReplaceAllButton), script.Press(IDOK)});
    ASSERT_TRUE(RunScript(script, [&] { return recorder.replaces.size() == 2 && recorder.finds.size() == 1; }));
    recorder.replaces.push_back(recorder.finds[0]);
    for (const auto& press : recorder.replaces) {
        EXPECT_EQ(press.findText, kept);
        EXPECT_EQ(press.replaceText, kept);
    }
    CloseAndWait(*dialog);
}

TEST_F(FindDialogs, OpensOnceCentredAndAgainWhereItWasClosed)
{
    auto dialog = Make<TFindDialog>();
    EXPECT_EQ(dialog->DialogPos().x, -1);
    EXPECT_EQ(dialog->DialogPos().y, -1);
    ASSERT_TRUE(dialog->Execute());
    HWND first = dialog->DialogHandle();
    EXPECT_TRUE(dialog->Execute()) << "a second Execute brings the open one forward";
    EXPECT_EQ(dialog->DialogHandle(), first);
    EXPECT_EQ(dialogtest::CountDialogWindows("検索"), 1);

    RECT bounds{}, area{};
    GetWindowRect(first, &bounds);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromWindow(form->WindowHandle(), MONITOR_DEFAULTTONEAREST), &info);
    area = info.rcMonitor;
    EXPECT_EQ(bounds.left, area.left + (area.right - area.left - (bounds.right - bounds.left)) / 2);
    EXPECT_EQ(bounds.top, area.top + (area.bottom - area.top - (bounds.bottom - bounds.top)) / 3);

    SetWindowPos(first, nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CloseAndWait(*dialog);
    EXPECT_EQ(dialog->DialogPos().x, 37);
    EXPECT_EQ(dialog->DialogPos().y, 41);
    ASSERT_TRUE(dialog->Execute());
    GetWindowRect(dialog->DialogHandle(), &bounds);
    EXPECT_EQ(bounds.left, 37);
    EXPECT_EQ(bounds.top, 41);
    CloseAndWait(*dialog);
}

TEST_F(FindDialogs, ClosingFromItsOwnFindHandlerCompletesAfterTheHandler)
{
    auto dialog = Make<TFindDialog>();
    dialog->SetFindText("x");
    recorder.closeFromFind = true;
    ASSERT_TRUE(dialog->Execute());
    HWND window = dialog->DialogHandle();
    DialogScript script;
    script.Start({script.Find("検索"), script.Press(IDOK)});
    ASSERT_TRUE(RunScript(script, [&] { return recorder.closes == 1; }));
    EXPECT_EQ(recorder.handleAfterClose, window) << "still open while the handler runs";
    EXPECT_EQ(dialog->DialogHandle(), nullptr);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(FindDialogs, FreeingAnOpenDialogClosesItsWindow)
{
    auto dialog = Make<TFindDialog>();
    ASSERT_TRUE(dialog->Execute());
    HWND window = dialog->DialogHandle();
    dialog.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(recorder.closes, 1);
    controlstest::PumpPending();
}

}  // namespace
