// The printer on the real spooler: the default printer of the test environment is a CUPS queue
// that writes PDF files into BUILD/printed; the tests print through it and look at what arrived.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "framework/controls/application.h"
#include "framework/dialogs/printer.h"
#include "tests/support/printed_pdf.h"

using testsupport::DosPath;
using testsupport::Environment;
using testsupport::RenderPage;
using testsupport::WaitForPdf;

namespace {

std::string UniqueTitle(const char* what)
{
    return std::string("velmora_") + what + "_" + std::to_string(GetTickCount64());
}

// Runs `action` and returns the message of the EPrinter it raises ("" when it raises none).
template <class Action>
std::string PrinterError(Action action)
{
    try {
        action();
    } catch (const EPrinter& e) {
        return e.Message();
    }
    return "";
}

TEST(Printer, TheDefaultPrinterIsChosenOnFirstUseFromThePrinterList)
{
    TPrinter printer;
    EXPECT_EQ(printer.HandleState(), TPrinterHandleState::NoHandle);
    EXPECT_GT(printer.PrintableWidth(), 0);  // chooses the default printer first
    EXPECT_EQ(printer.HandleState(), TPrinterHandleState::InfoContext);
    ASSERT_GE(printer.SelectedPrinter(), 0);
    EXPECT_EQ(printer.PrinterList()->Get(printer.SelectedPrinter()), Environment("VELMORA_PRINTER"));
    std::string device, driver, port;
    HGLOBAL mode = nullptr;
    printer.GetDevice(device, driver, port, mode);
    EXPECT_EQ(device, Environment("VELMORA_PRINTER"));
    EXPECT_NE(mode, nullptr);
    EXPECT_GT(printer.PrintableHeight(), printer.PrintableWidth());  // A4 upright
    EXPECT_EQ(GlobalPrinter(), GlobalPrinter());
}

TEST(Printer, EachOperationRefusesToRunInTheWrongJobState)
{
    TPrinter printer;
    struct Case {
        const char* operation;
        bool duringJob;
        std::function<void()> run;
        const char* message;
    } cases[] = {
        {"StartNextPage", false, [&] { printer.StartNextPage(); }, "プリンタに印刷できる状態ではありません"},
        {"FinishPrintJob", false, [&] { printer.FinishPrintJob(); }, "プリンタに印刷できる状態ではありません"},
        {"drawing", false, [&] { printer.Canvas()->TextOut(0, 0, "x"); }, "プリンタに印刷できる状態ではありません"},
        {"StartPrintJob", true, [&] { printer.StartPrintJob(); }, "現在印刷中です"},
        {"SetCopyCount", true, [&] { printer.SetCopyCount(5); }, "現在印刷中です"},
        {"SetDevice", true, [&] { printer.SetDevice("x", "", "", nullptr); }, "現在印刷中です"},
    };
    int copies = printer.CopyCount();
    for (const Case& c : cases) {
        if (c.duringJob)
            printer.StartPrintJob();
        EXPECT_EQ(PrinterError(c.run), c.message) << c.operation;
        EXPECT_EQ(printer.JobActive(), c.duringJob) << c.operation;
        if (c.duringJob)
            printer.AbortPrintJob();
    }
    EXPECT_EQ(printer.CopyCount(), copies);
}

TEST(Printer, ATwoPageJobOfJapaneseTextReachesThePdfQueue)
{
    TPrinter printer;
    printer.SetJobTitle(UniqueTitle("two_pages"));
    TPrinterCanvas* canvas = printer.Canvas();
    int lineHeight = canvas->TextHeight("日本語");
    EXPECT_EQ(canvas->Font()->PixelsPerInch(), GetDeviceCaps(printer.DeviceHandle(), LOGPIXELSY));
    EXPECT_EQ(canvas->Font()->Size(), 9);  // the point size stays on the printer's resolution

    printer.StartPrintJob();
    EXPECT_EQ(printer.PageCounter(), 1);
    int left = printer.PrintableWidth() / 20, top = printer.PrintableHeight() / 20;
    const char* lines[] = {
        "Velmora 印刷の試験 (1 ページ目)", "いろはにほへと　ちりぬるを", "表示・ソ・十・能 (2 バイト目が 5C の文字)"};
    int y = top;
    for (const char* line : lines) {
        canvas->TextOut(left, y, line);
        y += lineHeight + 10;
    }
    canvas->Font()->SetSize(24);
    canvas->Font()->SetStyle({fsBold});
    canvas->TextOut(left, y, "大きな文字");
    printer.StartNextPage();
    EXPECT_EQ(printer.PageCounter(), 2);
    canvas->TextOut(left, top, "2 ページ目: 終わり");
    printer.FinishPrintJob();
    EXPECT_FALSE(printer.JobActive());
    EXPECT_EQ(printer.PageCounter(), 0);
    EXPECT_EQ(printer.HandleState(), TPrinterHandleState::DrawContext);  // kept after the job
    EXPECT_GT(printer.PrintableWidth(), 0);

    testsupport::PrintedPdf pdf = WaitForPdf(printer.JobTitle(), 60);
    ASSERT_FALSE(pdf.path.empty())
        << "no PDF of " << printer.JobTitle() << " arrived in " << Environment("VELMORA_PRINTED");
    EXPECT_EQ(pdf.pages, 2);
    EXPECT_GT(RenderPage(pdf, 1, 100, "printed-first-page").width, 0);
}

TEST(Printer, AnAbortedJobLeavesNoOpenJobAndTheNextJobPrints)
{
    TPrinter printer;
    std::string aborted = UniqueTitle("aborted");
    printer.SetJobTitle(aborted);
    printer.StartPrintJob();
    printer.Canvas()->TextOut(100, 100, "取り消される文書");
    printer.AbortPrintJob();
    EXPECT_FALSE(printer.JobActive());
    EXPECT_EQ(printer.PageCounter(), 0);

    printer.SetJobTitle(UniqueTitle("after_abort"));
    printer.StartPrintJob();
    printer.Canvas()->TextOut(100, 100, "次の文書");
    printer.FinishPrintJob();
    testsupport::PrintedPdf pdf = WaitForPdf(printer.JobTitle(), 60);
    ASSERT_FALSE(pdf.path.empty());
    EXPECT_EQ(pdf.pages, 1);
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(DosPath(Environment("VELMORA_PRINTED") + "/*" + aborted + "*").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "the aborted job was printed: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

// The job under way ends behind the printer's back (EndDoc on its device context, as when the spooler
// gives up on it): the next page or the end of the document fails, and that must not look printed.
TEST(Printer, APageOrDocumentTheSpoolerRefusesEndsTheJobWithThePrintersErrorAndTheNextJobPrints)
{
    struct Case {
        const char* what;
        std::function<void(TPrinter&)> step;
    } cases[] = {
        {"the next page", [](TPrinter& printer) { printer.StartNextPage(); }},
        {"the end of the document", [](TPrinter& printer) { printer.FinishPrintJob(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TPrinter printer;
        printer.SetJobTitle(UniqueTitle("refused"));
        printer.StartPrintJob();
        printer.Canvas()->TextOut(100, 100, "断られる文書");
        ASSERT_GT(EndDoc(printer.DeviceHandle()), 0);
        EXPECT_EQ(PrinterError([&] { c.step(printer); }), "プリンタに印刷できる状態ではありません");
        EXPECT_FALSE(printer.JobActive());
        EXPECT_EQ(printer.PageCounter(), 0);

        printer.SetJobTitle(UniqueTitle("after_refusal"));
        printer.StartPrintJob();
        printer.Canvas()->TextOut(100, 100, "次の文書");
        printer.FinishPrintJob();
        EXPECT_EQ(WaitForPdf(printer.JobTitle(), 60).pages, 1);
    }
}

TEST(Printer, WhileTheSpoolerWorksTheProgramHandlesMessagesAndASecondJobIsRefused)
{
    struct Handler : TObject {
        TPrinter* printer;
        std::string refused;
        void Message(MSG& msg, bool& handled)
        {
            if (msg.message != WM_APP + 14)
                return;
            handled = true;
            refused = PrinterError([&] { printer->StartPrintJob(); });
        }
    } handler;
    TPrinter printer;
    handler.printer = &printer;
    Application->OnAppMessage = TMessageEvent(&handler, &Handler::Message);
    printer.SetJobTitle(UniqueTitle("responsive"));
    PostThreadMessageA(GetCurrentThreadId(), WM_APP + 14, 0, 0);
    printer.StartPrintJob();  // the spooler asks the abort procedure as the first page starts
    printer.Canvas()->TextOut(100, 100, "印刷中にメッセージを処理する");
    printer.FinishPrintJob();
    Application->OnAppMessage = {};
    EXPECT_EQ(handler.refused, "現在印刷中です");
}

TEST(Printer, ChangingTheCopyCountOrThePrinterDropsTheHandle)
{
    TPrinter printer;
    int copies = printer.CopyCount();
    ASSERT_GT(printer.PrintableWidth(), 0);
    printer.SetCopyCount(copies + 2);
    EXPECT_EQ(printer.HandleState(), TPrinterHandleState::NoHandle);
    EXPECT_EQ(printer.CopyCount(), copies + 2);

    // A printer that is not in the list is added under "device. port" and becomes current.
    int listed = printer.PrinterList()->Count();
    printer.SetDevice("Velmora Nowhere", "", "LPT9:", nullptr);
    EXPECT_EQ(printer.PrinterList()->Count(), listed + 1);
    EXPECT_EQ(printer.PrinterList()->Get(printer.SelectedPrinter()), "Velmora Nowhere. LPT9:");
    EXPECT_EQ(PrinterError([&] { printer.PrintableWidth(); }), "選択したプリンタは有効ではありません");
    EXPECT_EQ(PrinterError([&] { printer.CopyCount(); }), "選択されたプリンタではサポートされていない機能です");
}

// Run in an environment without any printer (see tests/framework/dialogs/CMakeLists.txt).
TEST(NoPrinter, OperationsThatNeedAPrinterRaiseTheNoDefaultPrinterError)
{
    TPrinter printer;
    EXPECT_EQ(printer.PrinterList()->Count(), 0);
    for (auto operation :
         {+[](TPrinter& p) { p.PrintableWidth(); }, +[](TPrinter& p) { p.StartPrintJob(); },
          +[](TPrinter& p) { p.CopyCount(); }, +[](TPrinter& p) { p.Canvas()->TextHeight("x"); }})
        EXPECT_EQ(PrinterError([&] { operation(printer); }), "デフォルト プリンタが存在しません");
    EXPECT_FALSE(printer.JobActive());
}

}  // namespace
