// Search and replace in a memo holding a large Shift-JIS text, the way the editor's commands run
// them, each figure against a floor measured in the same run: find next between neighbouring
// occurrences at 20 MB against the same at 1 MB; a search that finds nothing against a plain byte
// search of the same bytes; Replace All of two occurrences at the ends of 20 MB against two single
// replacements; Replace All of thousands in 2 MB against writing the result into a plain edit
// window; switching wrapping against loading the text; and the memory the process took at its peak.
//   search_bench.exe DOCUMENT [SCRATCH_FOLDER]
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

#include <psapi.h>

#include "app/search_session.h"
#include "app/text_search.h"
#include "bench/bench_support.h"
#include "framework/controls/form.h"
#include "framework/controls/memo.h"
#include "framework/core/exceptions.h"

namespace {

[[noreturn]] void Fail(const std::string& what) { bench::Fail("search_bench", what); }

// The document's first `megabytes`, ending after a whole line.
std::string Leading(const std::string& document, double megabytes)
{
    const auto size = static_cast<std::size_t>(megabytes * 1024 * 1024);
    if (document.size() <= size)
        return document;
    return document.substr(0, document.rfind("\r\n", size) + 2);
}

double Megabytes(std::size_t bytes) { return static_cast<double>(bytes) / (1024 * 1024); }

template <class Work>
double MedianSeconds(int rounds, Work work)
{
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        const double start = bench::Now();
        work();
        times.push_back(bench::Now() - start);
    }
    return bench::Median(times);
}

template <class Work>
double Seconds(Work work)
{
    return MedianSeconds(1, work);
}

double PeakWorkingSetMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return Megabytes(counters.PeakWorkingSetSize);
}

// The editor's window for the session: its memo; every question answered OK, every notice counted.
class TBenchHost : public TSearchHost {
public:
    explicit TBenchHost(TMemo& memo) : memo_(memo) {}
    TCustomEdit& Memo() const override { return memo_; }
    void Notice(unsigned) const override { ++notices; }
    bool Confirmed(unsigned) const override { return true; }
    mutable int notices = 0;

private:
    TMemo& memo_;
};

// A memo as the editor has it (wrapping, a vertical scroll bar) on a shown window.
struct TEditor {
    TEditor() : form(std::make_unique<TForm>(nullptr))
    {
        form->SetBounds(0, 0, 840, 600);
        form->SetVisible(true);
        memo = new TMemo(form.get());
        memo->SetBounds(0, 0, 800, 560);
        memo->SetScrollBars(ssVertical);
        memo->SetParent(form.get());
    }
    double Load(const std::string& text)
    {
        memo->Lines()->Clear();
        return Seconds([&] { memo->Lines()->SetText(text); });
    }

    std::unique_ptr<TForm> form;
    TMemo* memo;
};

const std::string kNeighbours = "検索";  // one word in twenty of the document

struct TStep {
    double Step;    // find next from one occurrence of a frequent word to the next (median)
    double Select;  // selecting the next occurrence in the memo, found beforehand (median)
};

TStep FindNextStep(TSearchSession& session, const TBenchHost& host, TMemo& memo, const std::string& text)
{
    session.FindFromFindDialog(host, {kNeighbours, "", true});
    const double step = MedianSeconds(100, [&] {
        session.FindNext(host);
        if (session.MatchEnd() == 0)
            Fail("find next found nothing");
    });
    const textsearch::TFindKey key(kNeighbours, true);
    std::size_t at = session.MatchEnd();
    const double select = MedianSeconds(100, [&] {
        at = key.FindIn(text, at);
        memo.SetFocus();
        memo.SetSelectionStart(static_cast<int>(at));
        memo.SetSelectionLength(static_cast<int>(kNeighbours.size()));
        at += kNeighbours.size();
    });
    return {step, select};
}

void NotFoundScans(TSearchSession& session, const TBenchHost& host, const std::string& text)
{
    const struct {
        const char* what;
        std::string key;
    } keys[] = {{"存在しない語", "存在しない語"}, {"zvelmora", "zvelmora"}};
    std::printf("  a search that finds nothing in %.0f MB, against a plain byte search of the same bytes:\n",
                Megabytes(text.size()));
    for (const auto& k : keys) {
        const double floor = MedianSeconds(5, [&] {
            if (std::string_view(text).find(k.key) != std::string_view::npos)
                Fail("the absent key is in the text");
        });
        for (const bool matchCase : {true, false}) {
            const int ended = host.notices;
            const double scan = MedianSeconds(5, [&] { session.FindFromFindDialog(host, {k.key, "", matchCase}); });
            if (host.notices != ended + 5 || session.MatchEnd() != 0)
                Fail(std::string("found: ") + k.what);
            std::printf("    %-14s %-13s %7.1f ms   plain search %7.1f ms   %.2fx\n", k.what,
                        matchCase ? "Match case" : "folded", scan * 1e3, floor * 1e3, scan / floor);
        }
    }
}

// Replace All of the two occurrences at the text's ends, against replacing them one at a time.
void SparseReplaceAll(TSearchSession& session, const TBenchHost& host, TMemo& memo, const std::string& marker,
                      const std::string& with, std::size_t textSize)
{
    const double all = Seconds([&] { session.ReplaceFromDialog(host, {marker, with, true}, true); });
    if (session.MatchEnd() != textSize)
        Fail("Replace All did not end after the last replacement");
    const std::size_t last = textSize - with.size();
    const double singles = Seconds([&] {
        for (const std::size_t at : {last, std::size_t{0}}) {
            memo.SetSelectionStart(static_cast<int>(at));
            memo.SetSelectionLength(static_cast<int>(with.size()));
            memo.SetSelectedText(marker);
        }
    });
    std::printf(
        "  Replace All of 2 occurrences at the ends of %.0f MB: %.3f s; two single replacements %.3f s: %.2fx\n",
        Megabytes(textSize), all, singles, all / singles);
}

// Replace All of many occurrences in a smaller text, against the result written whole into a
// plain edit window.
void DenseReplaceAll(TEditor& editor, const std::string& text)
{
    const std::string key = "表示", with = "表示する";
    editor.Load(text);
    TBenchHost host(*editor.memo);
    TSearchSession session;
    const textsearch::TReplacedSpan span = textsearch::ReplaceAll(text, key, with, true);
    const std::string after = text.substr(0, span.First) + span.Text + text.substr(span.End);
    const double all = Seconds([&] { session.ReplaceFromDialog(host, {key, with, true}, true); });
    if (editor.memo->Text() != after)
        Fail("the memo does not hold the replaced text");
    HWND plain = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 0, 0, 800, 560,
        editor.form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(plain, WM_SETFONT, reinterpret_cast<WPARAM>(editor.memo->Font()->Handle()), 0);
    const double write = Seconds([&] { SetWindowTextA(plain, after.c_str()); });
    DestroyWindow(plain);
    const double memoWrite = editor.Load(after);
    std::printf(
        "  Replace All of %d occurrences in %.0f MB: %.2f s; the result written into a plain edit window "
        "%.2f s: %.2fx (into the memo: %.2f s)\n",
        span.Count, Megabytes(text.size()), all, write, all / write, memoWrite);
}

// Replace All over one long line of characters whose both bytes are lead bytes (＝ is 0x81 0x81): every
// byte is a match candidate, and where a character starts is known only from the line's start.
void LongLeadByteLine(double megabytes)
{
    std::string line;
    while (line.size() < static_cast<std::size_t>(megabytes * 1024 * 1024))
        line += "＝";
    textsearch::TReplacedSpan span;
    const double seconds = MedianSeconds(3, [&] { span = textsearch::ReplaceAll(line, "＝", "=", true); });
    if (span.Count != static_cast<int>(line.size() / 2))
        Fail("not every ＝ replaced");
    std::printf(
        "  Replace All of every 0x81 0x81 in one line of %.0f MB (the text only): %.1f ms\n", megabytes, seconds * 1e3);
}

void Run(const std::string& document)
{
    LongLeadByteLine(1);
    TEditor editor;
    {
        const std::string small = Leading(document, 1), large = Leading(document, 20);
        editor.Load(small);
        TBenchHost host(*editor.memo);
        TSearchSession session;
        const TStep atSmall = FindNextStep(session, host, *editor.memo, small);
        editor.Load(large);
        TBenchHost bigHost(*editor.memo);
        TSearchSession big;
        const TStep atLarge = FindNextStep(big, bigHost, *editor.memo, large);
        std::printf(
            "search_bench: find next between neighbouring occurrences: %.2f ms at 20 MB, %.2f ms at 1 MB: "
            "%.2fx\n  (selecting the next occurrence in the memo alone: %.2f ms at 20 MB, %.2f ms at 1 MB)\n",
            atLarge.Step * 1e3, atSmall.Step * 1e3, atLarge.Step / atSmall.Step, atLarge.Select * 1e3,
            atSmall.Select * 1e3);
    }
    DenseReplaceAll(editor, Leading(document, 2));

    // The 20 MB document with a marker at each end; the session reads the memo once, at its first step.
    const std::string marker = "＃＃", with = "＊＊";
    const std::string text = marker + "\r\n" + Leading(document, 20) + marker;
    const double load = editor.Load(text);
    const double afterLoad = PeakWorkingSetMegabytes();
    TBenchHost host(*editor.memo);
    TSearchSession session;
    const double first = Seconds([&] { session.FindFromFindDialog(host, {marker, "", true}); });
    session.Stop();
    std::printf("  %.0f MB loaded in %.1f s; the first search step, which reads the memo's text, %.2f s\n",
                Megabytes(text.size()), load, first);
    NotFoundScans(session, host, text);
    SparseReplaceAll(session, host, *editor.memo, marker, with, text.size());
    std::printf("  peak working set: %.0f MB after the load, %.0f MB after Replace All\n", afterLoad,
                PeakWorkingSetMegabytes());
    std::fflush(stdout);

    const double off = Seconds([&] { editor.memo->SetWordWrap(false); });
    const double on = Seconds([&] { editor.memo->SetWordWrap(true); });
    std::printf("  switching wrapping at %.0f MB: off %.1f s, on %.1f s; on against the load (wrapping): %.2fx\n",
                Megabytes(text.size()), off, on, on / load);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: search_bench DOCUMENT [SCRATCH_FOLDER]\n");
        return 2;
    }
    // Each figure shows as soon as it is measured: the whole run takes minutes.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    try {
        Run(bench::ReadWholeFile("search_bench", argv[1]));
    } catch (const Exception& e) {
        Fail(std::string(e.ClassName()) + ": " + e.Message());
    }
    return 0;
}
