// Writes whole Shift-JIS texts of 1, 5 and 20 MB with realistic line lengths into a memo and, in the
// same run, into a plain edit window with SetWindowTextA, wrapping on and off; prints both times and
// their ratio. Then reads the selection of a memo holding 5 MB, with the caret at its end.
//   memo_bench.exe DOCUMENT SCRATCH_FOLDER
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/controls/application.h"
#include "framework/controls/form.h"
#include "framework/controls/memo.h"
#include "framework/core/exceptions.h"

namespace {

double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "memo_bench: %s\n", what.c_str());
    std::exit(1);
}

std::string ReadWhole(const std::string& path)
{
    HANDLE file = CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        Fail("cannot open " + path);
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD done = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) || done != bytes.size())
        Fail("cannot read " + path);
    CloseHandle(file);
    return bytes;
}

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

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
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
        const double start = Now();
        if (!SetWindowTextA(window_, text.c_str()))
            Fail("the edit window refused the text");
        return Now() - start;
    }
    double ReadSelection()
    {
        DWORD start = 0, end = 0;
        const double begin = Now();
        SendMessageA(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return Now() - begin;
    }
    HWND Window() const { return window_; }

private:
    HWND window_;
};

double MemoWrite(TMemo& memo, const std::string& text)
{
    memo.Lines()->Clear();
    const double start = Now();
    memo.Lines()->SetText(text);
    return Now() - start;
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
    const double plainMedian = Median(plainTimes), memoMedian = Median(memoTimes);
    std::printf("  %4.0f MB, wrapping %-3s: SetWindowTextA %7.2f s   memo %7.2f s   memo takes %.3fx (median of %d)\n",
                megabytes, wrap ? "on" : "off", plainMedian, memoMedian, memoMedian / plainMedian, rounds);
    std::fflush(stdout);
}

void SelectionReads(TMemo& memo, HWND parent, const std::string& text)
{
    memo.SetWordWrap(true);
    MemoWrite(memo, text);
    const int end = static_cast<int>(text.size());
    memo.SetSelectionStart(end);
    std::vector<double> reads;
    for (int i = 0; i < 200; ++i) {
        const double start = Now();
        const int position = memo.SelectionStart();
        reads.push_back(Now() - start);
        if (position != end)
            Fail("SelectionStart at the end reads " + std::to_string(position));
    }
    // After a character typed at the end the text the positions were walked over has changed.
    std::vector<double> afterTyping;
    for (int i = 0; i < 20; ++i) {
        SendMessageW(memo.Handle(), WM_CHAR, L'字', 1);
        const double start = Now();
        const int position = memo.SelectionStart();
        afterTyping.push_back(Now() - start);
        if (position != end + 2 * (i + 1))
            Fail("SelectionStart after typing reads " + std::to_string(position));
    }
    PlainEdit plain(parent, true, memo.Font()->Handle());
    plain.Write(text);
    SendMessageA(plain.Window(), EM_SETSEL, text.size(), text.size());
    std::vector<double> plainReads;
    for (int i = 0; i < 200; ++i)
        plainReads.push_back(plain.ReadSelection());
    std::printf(
        "  SelectionStart at the end of %.0f MB: %.1f us (EM_GETSEL of the plain window %.1f us); after a "
        "character typed at the end %.0f us\n",
        static_cast<double>(text.size()) / (1024 * 1024), Median(reads) * 1e6, Median(plainReads) * 1e6,
        Median(afterTyping) * 1e6);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: memo_bench DOCUMENT [SCRATCH_FOLDER]\n");
        return 2;
    }
    const std::string document = ReadWhole(argv[1]);
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
        for (const auto& size : sizes) {
            const std::string text = Sample(document, size.megabytes);
            for (bool wrap : {false, true})
                CompareWrites(*memo, form->Handle(), text, size.megabytes, wrap, size.rounds);
        }
        SelectionReads(*memo, form->Handle(), Sample(document, 5));
    } catch (const Exception& e) {
        Fail(std::string(e.ClassName()) + ": " + e.Message());
    }
    return 0;
}
