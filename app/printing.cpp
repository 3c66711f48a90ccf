// Printing the document: the memo's lines one below the other in the printer's default font, with
// a margin of a twentieth of the printable area, a fixed gap between lines and a new page whenever
// the next line would not fit; and the printer setup dialog.
#include "app/main_form.h"
#include "framework/controls/memo.h"
#include "framework/dialogs/print_dialog.h"
#include "framework/dialogs/printer.h"

namespace {

// The gap between two printed lines, in printer dots whatever the printer's resolution.
constexpr int kLineGap = 10;

// Where the lines of a page go, in printer dots.
struct PageLayout {
    int left;
    int top;
    int usableHeight;
};

PageLayout LayoutOf(TPrinter& printer)
{
    const int width = printer.PrintableWidth();
    const int height = printer.PrintableHeight();
    return {width / 20, height / 20, height - 2 * (height / 20)};
}

// The lines are read afresh for each one printed: the window stays responsive while the spooler
// works, and what the memo holds then is what is printed.
void PrintLines(TStrings& lines, TPrinter& printer)
{
    const PageLayout page = LayoutOf(printer);
    TPrinterCanvas* canvas = printer.Canvas();
    printer.StartPrintJob();
    try {
        int y = 0;
        for (int i = 0; i < lines.Count(); ++i) {
            const std::string line = lines.Get(i);
            // Some systems measure an empty text as 0 high; a blank line keeps the height of a line.
            const int height = canvas->TextHeight(line.empty() ? " " : line);
            // A line taller than the page still goes on an empty page rather than pushing blank ones.
            if (y > 0 && y + height + kLineGap > page.usableHeight) {
                printer.StartNextPage();
                y = 0;
            }
            canvas->TextOut(page.left, page.top + y, line);
            y += height + kLineGap;
        }
    } catch (...) {
        // A job left open would refuse every later print until the program ends.
        if (printer.JobActive())
            printer.AbortPrintJob();
        throw;
    }
    printer.FinishPrintJob();
}

}  // namespace

void TForm1::P2Click(TObject*)
{
    if (Memo1->Lines()->Text().empty())
        return;
    if (!PrintDialog1->Execute())
        return;
    PrintLines(*Memo1->Lines(), *GlobalPrinter());
}

// The printer, paper and orientation chosen here are the printer's settings for the next print.
void TForm1::N2Click(TObject*) { PrinterSetupDialog1->Execute(); }
