// Writes whole Shift-JIS texts of 1, 5 and 20 MB with realistic line lengths into a memo and, in the
// same run, into a plain edit window with SetWindowTextA, wrapping on and off; prints both times and
// their ratio. Then reads the selection of a memo holding 5 MB, with the caret at its end.
//   memo_bench.exe DOCUMENT SCRATCH_FOLDER [selection]
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
        // "selection" as the third argument measures the selection reads only.
        const bool writes = argc < 4 || std::string(argv[3]) != "selection";
        for (const auto& size : sizes) {
            if (!writes)
                break;
            const std::string text = Sample(document, size.megabytes);
            for (bool wrap : {false, true})
                CompareWrites(*memo, form->Handle(), text, size.megabytes, wrap, size.rounds);
            OwnWork(text, size.megabytes);
        }
        SelectionReads(*memo, form->Handle(), Sample(document, 5));
    } catch (const Exception& e) {
        Fail(std::string(e.ClassName()) + ": " + e.Message());
    }
    return 0;
}
