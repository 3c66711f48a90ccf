// The print and print setup dialogs over the test environment's printers, answered by the test.
#include <gtest/gtest.h>

#include "framework/dialogs/print_dialog.h"
#include "framework/dialogs/printer.h"
#include "tests/framework/dialogs/dialog_driver.h"

namespace {

using dialogtest::DialogScript;

constexpr int PrintPrinterBox = 0x473, SetupPrinterBox = 0x470;
constexpr int CopiesEdit = 0x482, PagesButton = 0x422, FromEdit = 0x480, ToEdit = 0x481;

std::string CurrentPrinter()
{
    std::string device, driver, port;
    HGLOBAL mode = nullptr;
    GlobalPrinter()->GetDevice(device, driver, port, mode);
    return device;
}

// Chooses in the printer box a printer other than the shown one when the system has another (else
// the shown one), as a user's choice: the dialog hears of the new selection.
DialogScript::Step ChoosePrinter(DialogScript& script, int boxId, std::string& chosen)
{
    return DialogScript::Do("choose a printer", [&script, boxId, &chosen] {
        HWND box = dialogtest::DialogControl(script.Dialog(), boxId);
        LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
        LRESULT pick = (SendMessageA(box, CB_GETCURSEL, 0, 0) + 1) % (count > 0 ? count : 1);
        SendMessageA(box, CB_SETCURSEL, pick, 0);
        SendMessageA(script.Dialog(), WM_COMMAND, MAKEWPARAM(boxId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        chosen = dialogtest::ControlText(box);
    });
}

TEST(PrintDialogs, AConfirmedPrinterBecomesCurrentAndACancelledOneChangesNothing)
{
    ASSERT_FALSE(CurrentPrinter().empty()) << "the test environment has a printer";
    for (int button : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(button == IDOK ? "confirmed" : "cancelled");
        TPrintDialog dialog(nullptr);
        dialog.SetOptions({poPageNums});
        dialog.SetMinPage(1);
        dialog.SetMaxPage(9);
        dialog.SetFromPage(1);
        dialog.SetToPage(9);
        std::string before = CurrentPrinter(), chosen;
        DialogScript script;
        script.Start(
            {script.Find("印刷"),
             ChoosePrinter(script, PrintPrinterBox, chosen),
             script.Type(CopiesEdit, "3"),
             script.Press(PagesButton),
             {"the page range to be chosen",
              [&] { return IsDlgButtonChecked(script.Dialog(), PagesButton) == BST_CHECKED; }},
             script.Type(FromEdit, "2"),
             script.Type(ToEdit, "4"),
             script.Press(button),
             script.Closed()});
        bool confirmed = dialog.Execute();
        ASSERT_TRUE(script.Failure().empty()) << script.Failure();
        EXPECT_EQ(confirmed, button == IDOK);
        EXPECT_EQ(CurrentPrinter(), confirmed ? chosen : before);
        EXPECT_EQ(dialog.PrintRange(), confirmed ? prPageNums : prAllPages);
        EXPECT_EQ(dialog.FromPage(), confirmed ? 2 : 1);
        EXPECT_EQ(dialog.ToPage(), confirmed ? 4 : 9);
        if (confirmed) {
            EXPECT_EQ(dialog.Copies(), 3) << "from the dialog, or from the driver that keeps the count";
            EXPECT_EQ(GlobalPrinter()->CopyCount(), 3);
        }
    }
}

TEST(PrintDialogs, PrinterSetupMakesTheChosenPrinterCurrent)
{
    for (int button : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(button == IDOK ? "confirmed" : "cancelled");
        TPrinterSetupDialog dialog(nullptr);
        std::string before = CurrentPrinter(), chosen;
        DialogScript script;
        script.Start({script.Find("印刷設定"), ChoosePrinter(script, SetupPrinterBox, chosen), script.Press(button),
                      script.Closed()});
        bool confirmed = dialog.Execute();
        ASSERT_TRUE(script.Failure().empty()) << script.Failure();
        EXPECT_EQ(confirmed, button == IDOK);
        EXPECT_EQ(CurrentPrinter(), confirmed ? chosen : before);
    }
}

}  // namespace
