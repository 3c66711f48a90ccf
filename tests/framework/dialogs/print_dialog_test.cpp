// The print and print setup dialogs over the test environment's printers, answered by the test.
#include <gtest/gtest.h>

#include <cstddef>

#include "framework/dialogs/device_mode.h"
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

// The copy handed to the dialog never reads past the block it comes from.
TEST(PrintDialogs, ADeviceModeIsCopiedOnlyWhenTheBlockHoldsWhatItClaims)
{
    struct Case {
        const char* what;
        SIZE_T blockSize;
        WORD dmSize, driverExtra;
        bool copied;
    } cases[] = {
        {"whole", sizeof(DEVMODEA) + 40, sizeof(DEVMODEA), 40, true},
        {"driver bytes beyond the block", sizeof(DEVMODEA) + 40, sizeof(DEVMODEA), 4000, false},
        {"a public part beyond the block", 60, sizeof(DEVMODEA), 0, false},
        {"too short to be one", offsetof(DEVMODEA, dmFields), 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, c.blockSize);
        auto* mode = static_cast<BYTE*>(GlobalLock(block));
        for (SIZE_T i = 0; i < c.blockSize; ++i)
            mode[i] = static_cast<BYTE>(i * 7);
        reinterpret_cast<DEVMODEA*>(mode)->dmSize = c.dmSize;
        if (c.blockSize > offsetof(DEVMODEA, dmDriverExtra))
            reinterpret_cast<DEVMODEA*>(mode)->dmDriverExtra = c.driverExtra;
        HGLOBAL copy = CopyDeviceMode(block);
        EXPECT_EQ(copy != nullptr, c.copied);
        if (copy) {
            ASSERT_EQ(GlobalSize(copy), static_cast<SIZE_T>(c.dmSize + c.driverExtra));
            EXPECT_EQ(memcmp(GlobalLock(copy), mode, c.dmSize + c.driverExtra), 0);
            GlobalUnlock(copy);
            GlobalFree(copy);
        }
        GlobalUnlock(block);
        GlobalFree(block);
    }
}

// A print dialog confirmed while a job is spooling hands its device mode block to a printer that
// refuses it: the printer frees the block rather than losing it, and stays as it was.
TEST(PrintDialogs, ADeviceModeRefusedWhileAJobSpoolsIsFreed)
{
    TPrinter* printer = GlobalPrinter();
    std::string before = CurrentPrinter();
    HGLOBAL handed = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEA));
    printer->SetJobTitle("velmora_refused_device");
    printer->StartPrintJob();
    std::string refused;
    try {
        printer->SetDevice(before, "", "", handed);
    } catch (const EPrinter& e) {
        refused = e.Message();
    }
    printer->AbortPrintJob();
    EXPECT_EQ(refused, "現在印刷中です");
    EXPECT_EQ(GlobalSize(handed), 0u) << "the refused block is freed";
    EXPECT_EQ(CurrentPrinter(), before);
}

}  // namespace
