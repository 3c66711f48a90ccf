// Search and replace over a large Shift-JIS text. A search step (the working copy folded and searched)
// against a plain byte search of the same text, for a key found nowhere and for the backslash, whose
// every byte in the text is the second byte of 表, ソ or 能 and so turned away. Then Replace All in a
// memo against writing the replaced text into a plain edit window, and what replacing the
// occurrences one at a time would cost.
//   search_bench.exe DOCUMENT [SCRATCH_FOLDER]
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

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

void SearchSteps(const std::string& text)
{
    const double megabytes = static_cast<double>(text.size()) / (1024 * 1024);
    const std::string absent = "存在しない語";
    const double floor = MedianSeconds(5, [&] {
        if (std::string_view(text).find(absent) != std::string_view::npos)
            Fail("the absent key is in the text");
    });
    const struct {
        const char* what;
        std::string key;
        bool matchCase;
    } keys[] = {
        {"a key found nowhere, Match case", absent, true},
        {"a key found nowhere, folded", absent, false},
        {"a backslash, only second bytes", "\\", true},
    };
    std::printf("search_bench: one search step over %.0f MB; a plain byte search of it takes %.1f ms\n", megabytes,
                floor * 1e3);
    for (const auto& k : keys) {
        const double step = MedianSeconds(5, [&] {
            if (textsearch::FindOccurrence(text, k.key, k.matchCase) != textsearch::npos)
                Fail(std::string("found: ") + k.what);
        });
        std::printf("  %-34s %8.1f ms   %.2fx the plain search\n", k.what, step * 1e3, step / floor);
    }
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

void ReplaceAllInMemo(TMemo& memo, HWND parent, const std::string& text)
{
    const std::string key = "表示", with = "表示する";
    memo.Lines()->SetText(text);
    const std::string before = memo.Text();
    // What the Replace All command does: the new span worked out, then one replacement in the memo.
    const double start = bench::Now();
    const textsearch::TReplacedSpan span = textsearch::ReplaceAll(before, key, with, true);
    memo.SetSelectionStart(static_cast<int>(span.First));
    memo.SetSelectionLength(static_cast<int>(span.End - span.First));
    memo.SetSelectedText(span.Text);
    const double replaceAll = bench::Now() - start;
    const std::string after = before.substr(0, span.First) + span.Text + before.substr(span.End);
    if (memo.Text() != after)
        Fail("the memo does not hold the replaced text");

    // The floor: the replaced text written whole into the system's edit window.
    HWND plain = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 0, 0, 800, 560, parent,
        nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(plain, WM_SETFONT, reinterpret_cast<WPARAM>(memo.Font()->Handle()), 0);
    const double write = MedianSeconds(1, [&] { SetWindowTextA(plain, after.c_str()); });
    DestroyWindow(plain);

    // One occurrence at a time, as the memo's selection is replaced for each: a few, then scaled.
    memo.Lines()->SetText(text);
    const int sample = 20;
    const double oneByOne = MedianSeconds(sample, [&] {
        const std::size_t at = textsearch::FindOccurrence(memo.Text(), key, true);
        memo.SetSelectionStart(static_cast<int>(at));
        memo.SetSelectionLength(static_cast<int>(key.size()));
        memo.SetSelectedText(with);
    });
    const double megabytes = static_cast<double>(text.size()) / (1024 * 1024);
    std::printf(
        "search_bench: Replace All of %d occurrences in %.0f MB in a memo: %.2f s; the replaced text written\n"
        "  whole into a plain edit window: %.2f s (%.2fx); one at a time: %.0f ms each, %.0f s for all\n",
        span.Count, megabytes, replaceAll, write, replaceAll / write, oneByOne * 1e3, oneByOne * span.Count);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: search_bench DOCUMENT [SCRATCH_FOLDER]\n");
        return 2;
    }
    const std::string document = bench::ReadWholeFile("search_bench", argv[1]);
    try {
        SearchSteps(Leading(document, 20));
        LongLeadByteLine(1);
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 840, 600);
        form->SetVisible(true);
        auto* memo = new TMemo(form.get());
        memo->SetBounds(0, 0, 800, 560);
        memo->SetScrollBars(ssVertical);
        memo->SetParent(form.get());
        ReplaceAllInMemo(*memo, form->Handle(), Leading(document, 2));
    } catch (const Exception& e) {
        Fail(std::string(e.ClassName()) + ": " + e.Message());
    }
    return 0;
}
