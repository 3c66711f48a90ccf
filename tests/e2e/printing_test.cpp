// Printing as a user meets it: 印刷(&P) prints the memo's lines through the print dialog onto the test
// environment's PDF printer, with the margins, line spacing and page breaks of the layout; an empty
// document or a cancelled dialog prints nothing; the printer setup's choice holds for the next print;
// without a printer both commands report it.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/disk_files.h"
#include "tests/e2e/user_input.h"
#include "tests/e2e/velmora_process.h"
#include "tests/support/printed_pdf.h"

namespace {

using testsupport::PrintedPdf;

constexpr int kLandscape = 0x421;  // the orientation button of the printer setup dialog
constexpr int kDpi = 100;          // pages are rendered at this resolution to be looked at

// The page layout the editor must use, worked out here from the printer itself: a margin of a
// twentieth of the printable area, lines of the default 9-point font's height with 10 dots between.
struct Layout {
    int left = 0, top = 0;  // in rendered pixels from the paper's corner
    double pitch = 0;       // from one line's top to the next one's, in rendered pixels
    int linesPerPage = 0;
    double tab = 0;  // from one tab stop to the next: eight average character widths, in rendered pixels
};

Layout ExpectedLayout()
{
    Layout layout;
    const std::string printer = testsupport::Environment("VELMORA_PRINTER");
    HDC dc = CreateICA(nullptr, printer.c_str(), nullptr, nullptr);
    if (!dc)
        return layout;
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    const int width = GetDeviceCaps(dc, HORZRES), height = GetDeviceCaps(dc, VERTRES);
    HFONT font = CreateFontA(
        -MulDiv(9, dpiY, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "ＭＳ Ｐゴシック");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, "印", 2, &extent);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteObject(font);
    const int usable = height - 2 * (height / 20);
    layout.linesPerPage = usable / (extent.cy + 10);
    layout.left = (width / 20 + GetDeviceCaps(dc, PHYSICALOFFSETX)) * kDpi / dpiX;
    layout.top = (height / 20 + GetDeviceCaps(dc, PHYSICALOFFSETY)) * kDpi / dpiY;
    layout.pitch = (extent.cy + 10) * static_cast<double>(kDpi) / dpiY;
    layout.tab = 8 * metrics.tmAveCharWidth * static_cast<double>(kDpi) / dpiX;
    DeleteDC(dc);
    return layout;
}

// The smallest rectangle holding every dark pixel of a rendered page (empty: a blank page).
RECT Ink(const testsupport::Picture& page)
{
    RECT ink{page.width, page.height, 0, 0};
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if ((page.At(x, y) & 0xFF) < 128) {
                ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                       std::max<LONG>(ink.bottom, y + 1)};
            }
    return ink.right > ink.left ? ink : RECT{};
}

std::string Lines(int count, const std::string& text)
{
    std::string lines;
    for (int i = 1; i <= count; ++i)
        lines += std::to_string(i) + " " + text + "\r\n";
    return lines;
}

class Printing : public testing::Test {
protected:
    // Starts the program on a file holding `text` (none: an unnamed document).
    void Launch(const std::string& text)
    {
        std::string arguments;
        if (!text.empty()) {
            const std::string path = folder_.File("doc.txt");
            ASSERT_TRUE(e2e::WriteFileBytes(path, text));
            arguments = "\"" + path + "\"";
        }
        velmora_ = std::make_unique<e2e::VelmoraProcess>();
        ASSERT_TRUE(velmora_->Start(arguments));
        main_ = velmora_->WaitForMainWindow();
        ASSERT_NE(main_, nullptr) << "no main window";
        memo_ = velmora_->Memo();
        const std::string shown = text.empty() ? "\r\n" : text;
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(memo_) == shown; })) << "the memo shows the document";
    }
    // Chooses a command of the file menu and answers the dialog it opens with `button`.
    bool Answer(const char* letters, const std::string& title, int button, int choice = 0)
    {
        if (!e2e::ChooseMenu(main_, letters))
            return false;
        HWND dialog = velmora_->WaitForDialog(title);
        if (!dialog)
            return false;
        EXPECT_FALSE(IsWindowEnabled(main_)) << title << " is modal";
        if (choice)
            SendMessageA(GetDlgItem(dialog, choice), BM_CLICK, 0, 0);
        return e2e::ClickButton(dialog, button) && e2e::WaitUntil([&] { return !IsWindow(dialog); });
    }
    // Prints through the print dialog and waits for the job's PDF.
    PrintedPdf Print()
    {
        const std::set<std::string> before = testsupport::PrintedPdfs();
        if (!Answer("FP", "印刷", IDOK))
            return {};
        return testsupport::WaitForPdf("", 60, before);
    }
    // Types a character: once the memo holds it, every command chosen before it has run, and none
    // of them left a modal dialog open.
    bool Mark() { return e2e::TypeText(main_, L"x"); }

    e2e::ScratchFolder folder_;
    std::unique_ptr<e2e::VelmoraProcess> velmora_;  // one run of the program at a time
    HWND main_ = nullptr;
    HWND memo_ = nullptr;
};

TEST_F(Printing, TheDocumentPrintsLineByLineWithItsMarginsAndPageBreaks)
{
    const Layout layout = ExpectedLayout();
    ASSERT_GT(layout.linesPerPage, 10) << "the test's printer cannot be measured";
    const int n = layout.linesPerPage;
    std::string longLine;
    for (int i = 0; i < 600; ++i)
        longLine += "折り返す words ";
    struct Case {
        const char* what;
        std::string text;  // empty: a fresh window's memo, one line break
        const char* view;  // a view command chosen before printing, or none
        int pages;         // 0: as many as the memo's wrapped rows need
        int pageLooked;    // the page whose first line must sit at the margins; 0: a blank page
        int lastRow;       // the row of that page whose line is the last one on it
        const char* picture;
        int indent = 0;  // tab stops before the leftmost ink
    } cases[] = {
        {"a short document", "印刷の試験 ABC 表示\r\n\r\n空行の次の行\tタブ\r\n\r\n", nullptr, 1, 1, 3,
         "printed-document"},
        {"an untouched fresh window", "", nullptr, 1, 0, 0, "printed-fresh-window"},
        {"two full pages", Lines(2 * n, "行目"), nullptr, 2, 2, n, "printed-page-2-of-2"},
        {"one line more", Lines(2 * n + 1, "行目"), nullptr, 3, 3, 1, "printed-page-3-of-3"},
        {"a long line wrapped on screen", longLine + "\r\n", nullptr, 0, 1, n, "printed-wrapped-line"},
        {"the same line without wrapping", longLine + "\r\n", "VN", 1, 1, 1, "printed-unwrapped-line"},
        {"columns after tabs", "\t品名\t数量\t備考\r\n\tりんご\t12\t赤\r\n\t\t二段下げ\tABC\r\n", nullptr, 1, 1, 3,
         "printed-tabs", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Launch(c.text);
        if (c.view) {
            ASSERT_TRUE(e2e::ChooseMenu(main_, c.view));
        }
        int pages = c.pages;
        if (!pages) {
            const LRESULT rows = SendMessageA(memo_, EM_GETLINECOUNT, 0, 0);
            ASSERT_GT(rows, n) << "the line wraps onto more rows than a page holds";
            pages = static_cast<int>((rows + n - 1) / n);
        }
        const PrintedPdf pdf = Print();
        ASSERT_FALSE(pdf.path.empty()) << "no PDF arrived";
        EXPECT_EQ(pdf.pages, pages);
        EXPECT_LT(pdf.width, pdf.height) << "upright paper";
        const RECT ink = Ink(testsupport::RenderPage(pdf, std::max(c.pageLooked, 1), kDpi, c.picture));
        if (!c.pageLooked) {
            EXPECT_EQ(ink.right, 0) << "the page is blank";
            continue;
        }
        // A tab moves on to the next tab stop from the margin; the device draws no box for it.
        EXPECT_GE(ink.left, layout.left + c.indent * layout.tab - 1);
        EXPECT_LE(ink.left, layout.left + c.indent * layout.tab + 4);
        EXPECT_GE(ink.top, layout.top);
        EXPECT_LE(ink.top, layout.top + layout.pitch / 2);
        // A blank line inside the text takes a line's height; a trailing one is not printed.
        EXPECT_GT(ink.bottom, layout.top + (c.lastRow - 1) * layout.pitch) << "rows of ink: fewer than " << c.lastRow;
        EXPECT_LE(ink.bottom, layout.top + c.lastRow * layout.pitch) << "rows of ink: more than " << c.lastRow;
    }
}

TEST_F(Printing, AnEmptyDocumentOrACancelledDialogPrintsNothing)
{
    Launch("文書\r\n");
    const std::set<std::string> before = testsupport::PrintedPdfs();
    // Cancelled: the dialog closes and nothing is printed.
    ASSERT_TRUE(Answer("FP", "印刷", IDCANCEL));
    // Emptied through the edit menu: printing opens no dialog, so the marker typed after it lands in the memo.
    ASSERT_TRUE(e2e::ChooseMenu(main_, "E") && e2e::PressKey(main_, VK_DOWN) && e2e::PressKey(main_, VK_RETURN));
    ASSERT_TRUE(e2e::ChooseMenu(main_, "ET"));
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(memo_).empty(); }));
    ASSERT_TRUE(e2e::ChooseMenu(main_, "FP") && Mark());
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::TextOf(memo_) == "x"; })) << "the memo holds " << e2e::TextOf(memo_);
    EXPECT_EQ(velmora_->WaitForDialog("", 500), nullptr) << "no dialog and no message";
    // The queue prints in order: the next job's PDF is the only new one.
    const PrintedPdf pdf = Print();
    ASSERT_FALSE(pdf.path.empty());
    EXPECT_EQ(pdf.pages, 1);
    std::set<std::string> now = testsupport::PrintedPdfs();
    EXPECT_EQ(now.size(), before.size() + 1) << "only the confirmed print made a job";
}

TEST_F(Printing, ThePrinterSetupChoiceHoldsForTheNextPrint)
{
    Launch("横向きの用紙\r\n");
    ASSERT_TRUE(Answer("FC", "印刷設定", IDOK, kLandscape));
    const PrintedPdf pdf = Print();
    ASSERT_FALSE(pdf.path.empty()) << "no PDF arrived";
    EXPECT_GT(pdf.width, pdf.height) << "landscape paper";
    EXPECT_EQ(pdf.pages, 1);
}

// Run with the environment's second prefix, which sees no printer at all.
TEST_F(Printing, WithoutAPrinterBothCommandsReportThatThereIsNone)
{
    const char* commands[] = {"FP", "FC"};
    for (const char* letters : commands) {
        SCOPED_TRACE(letters);
        Launch("文書\r\n");
        ASSERT_TRUE(e2e::ChooseMenu(main_, letters));
        HWND box = velmora_->WaitForDialog("Velmora");
        ASSERT_NE(box, nullptr) << "no error box";
        EXPECT_EQ(e2e::TextOf(GetDlgItem(box, 0xFFFF)), "デフォルト プリンタが存在しません.");
        ASSERT_TRUE(e2e::ClickButton(box, IDOK));
        EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(box) && IsWindowEnabled(main_); }));
        EXPECT_TRUE(velmora_->Running()) << "the program goes on";
        EXPECT_EQ(e2e::TextOf(memo_), "文書\r\n");
    }
}

}  // namespace
