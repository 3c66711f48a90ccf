// Writes whole Shift-JIS texts of 1, 5 and 20 MB with realistic line lengths into a memo and, in the
// same run, into a plain edit window with SetWindowTextA, wrapping on and off; prints both times and
// their ratio. Then reads the selection of a memo holding 5 MB, with the caret at its end; types a key
// at the start, middle and end of 20 MB in the memo and in a plain window holding the same text, and
// asks a position after the edit at the start; types into one unbroken wrapped line of growing length;
// and switches wrapping at 20 MB against one load of the same text.
//   memo_bench.exe DOCUMENT SCRATCH_FOLDER [parts: writes,selection,keys,line,toggle]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "bench/bench_support.h"
#include "framework/controls/application.h"
#include "framework/controls/form.h"
#include "framework/controls/edit_text_codec.h"
#include "framework/controls/memo.h"
#include "framework/controls/memo_strings.h"
#include "framework/core/exceptions.h"
#include "platform/edit.h"

namespace {

[[noreturn]] void Fail(const std::string& what) { bench::Fail("memo_bench", what); }

// About `megabytes` of the document's text in lines of tens to a few hundred bytes: runs of one to
// five of its lines joined into one.
std::string Sample(const std::string& document, double megabytes)
{
    const auto target = static_cast<std::size_t>(megabytes * 1024 * 1024);
    std::string text;
    text.reserve(target + 1024);
    std::size_t from = 0;
    unsigned seed = 7;
    while (text.size() < target) {
        seed = seed * 1103515245 + 12345;
        const int joined = 1 + static_cast<int>((seed >> 16) % 5);
        for (int i = 0; i < joined; ++i) {
            std::size_t end = document.find("\r\n", from);
            if (end == std::string::npos) {
                from = 0;
                end = document.find("\r\n");
            }
            text.append(document, from, end - from);
            from = end + 2;
        }
        text += "\r\n";
    }
    return text;
}

// The floor: the system's edit window of the memo's style and size, filled with SetWindowTextA.
class PlainEdit {
public:
    PlainEdit(HWND parent, bool wrap, HFONT font)
    {
        DWORD style = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
        if (!wrap)
            style |= ES_AUTOHSCROLL;
        window_ = CreateWindowExA(
            WS_EX_CLIENTEDGE, "EDIT", "", style, 0, 0, 800, 560, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!window_)
            Fail("cannot create an edit window");
        SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        // No length limit, as the memo has none: at the default one the window refuses every key.
        SendMessageA(window_, EM_LIMITTEXT, 0, 0);
    }
    ~PlainEdit() { DestroyWindow(window_); }
    double Write(const std::string& text)
    {
        SetWindowTextA(window_, "");
        const double start = bench::Now();
        if (!SetWindowTextA(window_, text.c_str()))
            Fail("the edit window refused the text");
        return bench::Now() - start;
    }
    double ReadSelection()
    {
        DWORD start = 0, end = 0;
        const double begin = bench::Now();
        SendMessageA(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return bench::Now() - begin;
    }
    HWND Window() const { return window_; }

private:
    HWND window_;
};

double MemoWrite(TMemo& memo, const std::string& text)
{
    memo.Lines()->Clear();
    const double start = bench::Now();
    memo.Lines()->SetText(text);
    return bench::Now() - start;
}

void CompareWrites(TMemo& memo, HWND parent, const std::string& text, double megabytes, bool wrap, int rounds)
{
    memo.SetWordWrap(wrap);
    PlainEdit plain(parent, wrap, memo.Font()->Handle());
    std::vector<double> plainTimes, memoTimes;
    for (int round = 0; round < rounds; ++round) {
        // Alternate the order so that neither side always runs on a warmer machine.
        if (round % 2 == 0) {
            plainTimes.push_back(plain.Write(text));
            memoTimes.push_back(MemoWrite(memo, text));
        } else {
            memoTimes.push_back(MemoWrite(memo, text));
            plainTimes.push_back(plain.Write(text));
        }
    }
    if (memo.Text() != text)
        Fail("the memo does not hold the text written");
    const double plainMedian = bench::Median(plainTimes), memoMedian = bench::Median(memoTimes);
    std::printf("  %4.0f MB, wrapping %-3s: SetWindowTextA %7.2f s   memo %7.2f s   memo takes %.3fx (median of %d)\n",
                megabytes, wrap ? "on" : "off", plainMedian, memoMedian, memoMedian / plainMedian, rounds);
    std::fflush(stdout);
}

// The memo's own work around a whole-text write, without the window: the line breaks made CR LF
// and, where the platform's edit window keeps UTF-16, the text put into the units it is given.
void OwnWork(const std::string& text, double megabytes)
{
    std::vector<double> normalise, encode;
    for (int round = 0; round < 3; ++round) {
        double start = bench::Now();
        const std::string normalized = NormalizeLineBreaks(text);
        normalise.push_back(bench::Now() - start);
        start = bench::Now();
        if (platform::EditCountsCharacters() && edittext::Encode(normalized).Units.empty() != normalized.empty())
            Fail("the text encodes to nothing");
        encode.push_back(bench::Now() - start);
    }
    std::printf("  %4.0f MB, the memo's own work: line breaks %.0f ms, units for the window %.0f ms\n", megabytes,
                bench::Median(normalise) * 1e3, bench::Median(encode) * 1e3);
}

// Reading the selection with the caret at the end of a text, then typing there: each character
// changes the text the remembered positions were walked over.
void SelectionReads(TMemo& memo, HWND parent, const std::string& text)
{
    memo.SetWordWrap(true);
    MemoWrite(memo, text);
    PlainEdit plain(parent, true, memo.Font()->Handle());
    plain.Write(text);
    const int end = static_cast<int>(text.size());
    memo.SetSelectionStart(end);
    SendMessageA(plain.Window(), EM_SETSEL, text.size(), text.size());
    std::vector<double> reads, plainReads;
    for (int i = 0; i < 200; ++i) {
        const double start = bench::Now();
        const int position = memo.SelectionStart();
        reads.push_back(bench::Now() - start);
        if (position != end)
            Fail("SelectionStart at the end reads " + std::to_string(position));
        plainReads.push_back(plain.ReadSelection());
    }
    // Each window types while it is the one showing, in turns.
    std::vector<double> plainTyping, memoTyping, memoReads;
    memo.SetSelectionLength(0);  // the caret in view, as typing brings it
    for (int i = 0; i < 20; ++i) {
        ShowWindow(memo.Handle(), SW_HIDE);
        ShowWindow(plain.Window(), SW_SHOW);
        double start = bench::Now();
        SendMessageW(plain.Window(), WM_CHAR, L'字', 1);
        plainTyping.push_back(bench::Now() - start);
        ShowWindow(plain.Window(), SW_HIDE);
        ShowWindow(memo.Handle(), SW_SHOW);
        start = bench::Now();
        SendMessageW(memo.Handle(), WM_CHAR, L'字', 1);
        memoTyping.push_back(bench::Now() - start);
        start = bench::Now();
        const int position = memo.SelectionStart();
        memoReads.push_back(bench::Now() - start);
        if (position != end + 2 * (i + 1))
            Fail("SelectionStart after typing reads " + std::to_string(position));
    }
    const double megabytes = static_cast<double>(text.size()) / (1024 * 1024);
    std::printf("  SelectionStart at the end of %.0f MB: %.1f us (EM_GETSEL of the plain window %.1f us)\n", megabytes,
                bench::Median(reads) * 1e6, bench::Median(plainReads) * 1e6);
    std::printf(
        "  a character typed at the end of %.0f MB: plain window %.1f ms, memo %.1f ms, then SelectionStart "
        "%.1f ms\n",
        megabytes, bench::Median(plainTyping) * 1e3, bench::Median(memoTyping) * 1e3, bench::Median(memoReads) * 1e3);
}

// The character offset of line `line` in the plain window and the byte offset in the memo.
struct Place {
    const char* name;
    WPARAM plain;
    int memo;
};

double TypeOnce(HWND window)
{
    const double start = bench::Now();
    SendMessageW(window, WM_CHAR, L'字', 1);
    return bench::Now() - start;
}

// A key typed at the start, middle and end of a text in the memo and in a plain window holding the
// same text, each typing while it is the one showing; then positions asked after an edit at the start.
void Keystrokes(TMemo& memo, HWND parent, const std::string& text, bool wrap)
{
    memo.SetWordWrap(wrap);
    MemoWrite(memo, text);
    PlainEdit plain(parent, wrap, memo.Font()->Handle());
    plain.Write(text);
    const auto lines = static_cast<WPARAM>(SendMessageA(plain.Window(), EM_GETLINECOUNT, 0, 0));
    const auto middle = static_cast<int>(memo.PerformMessage(EM_LINEINDEX, lines / 2, 0));
    const Place places[] = {
        {"start", 0, 0},
        {"middle", static_cast<WPARAM>(SendMessageA(plain.Window(), EM_LINEINDEX, lines / 2, 0)), middle},
        {"end", static_cast<WPARAM>(GetWindowTextLengthW(plain.Window())), static_cast<int>(text.size())},
    };
    const double megabytes = static_cast<double>(text.size()) / (1024 * 1024);
    for (const Place& place : places) {
        std::vector<double> plainKeys, memoKeys;
        for (int i = 0; i < 7; ++i) {
            ShowWindow(memo.Handle(), SW_HIDE);
            ShowWindow(plain.Window(), SW_SHOW);
            SendMessageW(plain.Window(), EM_SETSEL, place.plain, static_cast<LPARAM>(place.plain));
            plainKeys.push_back(TypeOnce(plain.Window()));
            ShowWindow(plain.Window(), SW_HIDE);
            ShowWindow(memo.Handle(), SW_SHOW);
            memo.SetSelectionStart(place.memo);
            memoKeys.push_back(TypeOnce(memo.Handle()));
        }
        const double plainMedian = bench::Median(plainKeys), memoMedian = bench::Median(memoKeys);
        std::printf(
            "  a key at the %-6s of %.0f MB, wrapping %-3s: plain window %6.1f ms   memo %6.1f ms   "
            "memo takes %.2fx (goal <= 1.1x)\n",
            place.name, megabytes, wrap ? "on" : "off", plainMedian * 1e3, memoMedian * 1e3, memoMedian / plainMedian);
        std::fflush(stdout);
    }
    // Positions after one character typed at the start: the line of a position near the end, the
    // text's length and the selection.
    std::vector<double> lineOf, length, plainLineOf;
    const int nearEnd = static_cast<int>(memo.TextLength()) - 10;
    for (int i = 0; i < 7; ++i) {
        memo.SetSelectionStart(0);
        TypeOnce(memo.Handle());
        double start = bench::Now();
        memo.PerformMessage(EM_LINEFROMCHAR, static_cast<std::uintptr_t>(nearEnd), 0);
        lineOf.push_back(bench::Now() - start);
        memo.SetSelectionStart(0);
        TypeOnce(memo.Handle());
        start = bench::Now();
        if (memo.TextLength() <= nearEnd)
            Fail("the memo's length went down");
        length.push_back(bench::Now() - start);
        SendMessageW(plain.Window(), EM_SETSEL, 0, 0);
        TypeOnce(plain.Window());
        start = bench::Now();
        SendMessageA(plain.Window(), EM_LINEFROMCHAR, places[2].plain - 10, 0);
        plainLineOf.push_back(bench::Now() - start);
    }
    std::printf(
        "  after a key at the start of %.0f MB, wrapping %-3s: EM_LINEFROMCHAR near the end %.2f ms, "
        "TextLength %.2f ms (goal <= 5 ms); the plain window's EM_LINEFROMCHAR %.2f ms\n",
        megabytes, wrap ? "on" : "off", bench::Median(lineOf) * 1e3, bench::Median(length) * 1e3,
        bench::Median(plainLineOf) * 1e3);
    std::fflush(stdout);
}

// A key near the start of one unbroken wrapped line, in a plain window: the window lays out the whole
// line again, at a cost growing with about the square of its length (kanji the most). The memo's
// longest wrapped line (12K units) keeps it below about half a second.
void WrappedLineKeys(TMemo& memo, HWND parent)
{
    PlainEdit plain(parent, true, memo.Font()->Handle());
    ShowWindow(memo.Handle(), SW_HIDE);
    const struct {
        const char* name;
        std::string unit;
        std::size_t units;
    } kinds[] = {{"letters", "x", 1}, {"kanji", "表", 1}, {"words", "ab cd ", 6}};
    for (const auto& kind : kinds)
        for (std::size_t length : {8u << 10, 12u << 10, 16u << 10}) {
            std::string line;
            for (std::size_t units = 0; units + kind.units <= length; units += kind.units)
                line += kind.unit;
            plain.Write(line);
            std::vector<double> keys;
            for (int i = 0; i < 3; ++i) {
                SendMessageW(plain.Window(), EM_SETSEL, 2, 2);
                keys.push_back(TypeOnce(plain.Window()));
            }
            std::printf("  a key near the start of one wrapped line of %zuK units of %s: %.2f s\n", length >> 10,
                        kind.name, bench::Median(keys));
            std::fflush(stdout);
        }
    ShowWindow(memo.Handle(), SW_SHOW);
}

// Switching wrapping as the editor's commands do, against one load of the same text in that mode.
void WrapToggles(TMemo& memo, const std::string& text)
{
    const double megabytes = static_cast<double>(text.size()) / (1024 * 1024);
    for (bool wrap : {true, false}) {
        memo.SetWordWrapAndScrollBars(!wrap, wrap ? ssBoth : ssVertical);
        MemoWrite(memo, "");
        memo.SetWordWrapAndScrollBars(wrap, wrap ? ssVertical : ssBoth);
        const double load = MemoWrite(memo, text);
        memo.SetWordWrapAndScrollBars(!wrap, wrap ? ssBoth : ssVertical);
        const double start = bench::Now();
        memo.SetWordWrapAndScrollBars(wrap, wrap ? ssVertical : ssBoth);
        const double toggle = bench::Now() - start;
        if (memo.Text() != text)
            Fail("the memo lost its text switching wrapping");
        std::printf("  wrapping switched %-3s at %.0f MB: %.2f s against one load %.2f s: %.2fx (goal <= 1.1x)\n",
                    wrap ? "on" : "off", megabytes, toggle, load, toggle / load);
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: memo_bench DOCUMENT [SCRATCH_FOLDER]\n");
        return 2;
    }
    const std::string document = bench::ReadWholeFile("memo_bench", argv[1]);
    try {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 840, 600);
        form->SetVisible(true);
        auto* memo = new TMemo(form.get());
        memo->SetBounds(0, 0, 800, 560);
        memo->SetScrollBars(ssVertical);
        memo->SetParent(form.get());
        std::printf("memo_bench: whole-text writes of Shift-JIS text, lines of tens to a few hundred bytes\n");
        const struct {
            double megabytes;
            int rounds;
        } sizes[] = {{1, 5}, {5, 3}, {20, 2}};
        // A third argument measures one part only.
        const std::string part = argc < 4 ? "" : argv[3];
        auto measures = [&](const char* name) { return part.empty() || part.find(name) != std::string::npos; };
        for (const auto& size : sizes) {
            if (!measures("writes"))
                break;
            const std::string text = Sample(document, size.megabytes);
            for (bool wrap : {false, true})
                CompareWrites(*memo, form->Handle(), text, size.megabytes, wrap, size.rounds);
            OwnWork(text, size.megabytes);
        }
        if (measures("selection"))
            SelectionReads(*memo, form->Handle(), Sample(document, 5));
        if (measures("keys")) {
            const std::string text = Sample(document, 20);
            for (bool wrap : {false, true})
                Keystrokes(*memo, form->Handle(), text, wrap);
        }
        if (measures("line"))
            WrappedLineKeys(*memo, form->Handle());
        if (measures("toggle"))
            WrapToggles(*memo, Sample(document, 20));
    } catch (const Exception& e) {
        Fail(std::string(e.ClassName()) + ": " + e.Message());
    }
    return 0;
}
