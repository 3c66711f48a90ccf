// Printing the document: the memo's lines one below the other in the printer's default font, with
// a margin of a twentieth of the printable area, tab stops every eight average character widths, a
// fixed gap between lines and a new page whenever the next line would not fit; and the printer setup
// dialog.
#include <algorithm>

#include "app/main_form.h"
#include "framework/core/double_byte.h"
#include "framework/controls/memo.h"
#include "framework/dialogs/print_dialog.h"
#include "framework/dialogs/printer.h"

namespace {

// The gap between two printed lines, in printer dots whatever the printer's resolution.
constexpr int kLineGap = 10;
// A tab moves on to the next multiple of this many average character widths from the margin.
constexpr int kTabColumns = 8;

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

// Draws `line` with its top left corner at (left, top): the runs between tabs one after another, each
// tab moving on to the next multiple of `tabWidth` from the left edge. The device has no glyph for a
// tab: drawn as it is, it would print a box.
void DrawLine(TCanvas& canvas, int left, int top, int tabWidth, const std::string& line)
{
    int x = left;
    for (std::size_t from = 0;;) {
        const std::size_t tab = dbcs::FindChar(line, '\t', from);
        const std::string run = line.substr(from, tab == dbcs::npos ? tab : tab - from);
        if (!run.empty()) {
            canvas.TextOut(x, top, run);
            x += canvas.TextWidth(run);
        }
        if (tab == dbcs::npos)
            return;
        x = left + ((x - left) / tabWidth + 1) * tabWidth;
        from = tab + 1;
    }
}

// The lines are read afresh for each one printed: the window stays responsive while the spooler
// works, and what the memo holds then is what is printed.
void PrintLines(TStrings& lines, TPrinter& printer)
{
    const PageLayout page = LayoutOf(printer);
    TPrinterCanvas* canvas = printer.Canvas();
    printer.StartPrintJob();
    try {
        const int tabWidth = kTabColumns * std::max(canvas->AverageCharWidth(), 1);
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
            DrawLine(*canvas, page.left, page.top + y, tabWidth, line);
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

void TForm1::P2Click(TObject*) { PrintDocument(); }

void TForm1::N2Click(TObject*) { ChoosePrinter(); }

void TForm1::PrintDocument()
{
    if (Memo1->Lines()->Text().empty())
        return;
    if (!PrintDialog1->Execute())
        return;
    PrintLines(*Memo1->Lines(), *GlobalPrinter());
}

// The printer, paper and orientation chosen here are the printer's settings for the next print.
void TForm1::ChoosePrinter() { PrinterSetupDialog1->Execute(); }
