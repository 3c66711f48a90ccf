// Loads and saves a large Shift-JIS document through a string list and, in the same run, copies it
// with plain whole-file ReadFile and WriteFile; prints both speeds in MB/s and their ratio.
//   text_file_bench.exe DOCUMENT SCRATCH_FOLDER [ROUNDS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <windows.h>

#include "bench/bench_support.h"
#include "framework/core/exceptions.h"
#include "framework/core/string_list.h"

namespace {

[[noreturn]] void Fail(const std::string& what) { bench::Fail("text_file_bench", what); }

std::string ReadWhole(const std::string& path) { return bench::ReadWholeFile("text_file_bench", path); }

struct Times {
    double read = 0;   // load
    double write = 0;  // save
    double total = 0;  // everything, releasing the memory included
};

// The floor: one ReadFile of the whole file into one block, one WriteFile of it.
Times PlainCopy(const std::string& from, const std::string& to)
{
    Times t;
    const double start = bench::Now();
    HANDLE in = CreateFileA(
        from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in == INVALID_HANDLE_VALUE)
        Fail("cannot open " + from);
    const DWORD size = GetFileSize(in, nullptr);
    char* buffer = static_cast<char*>(std::malloc(size));
    DWORD done = 0;
    if (!buffer || !ReadFile(in, buffer, size, &done, nullptr) || done != size)
        Fail("cannot read " + from);
    CloseHandle(in);
    const double read = bench::Now();
    HANDLE out = CreateFileA(
        to.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        Fail("cannot create " + to);
    if (!WriteFile(out, buffer, size, &done, nullptr) || done != size)
        Fail("cannot write " + to);
    CloseHandle(out);
    const double written = bench::Now();
    std::free(buffer);
    const double end = bench::Now();
    t.read = read - start;
    t.write = written - read;
    t.total = end - start;
    return t;
}

Times ListCopy(const std::string& from, const std::string& to, int* lines)
{
    Times t;
    const double start = bench::Now();
    double loaded = 0;
    double saved = 0;
    {
        TStringList list;
        list.LoadFromFile(from);
        loaded = bench::Now();
        list.SaveToFile(to);
        saved = bench::Now();
        *lines = list.Count();
    }
    const double end = bench::Now();
    t.read = loaded - start;
    t.write = saved - loaded;
    t.total = end - start;
    return t;
}

struct Series {
    std::vector<double> read, write, total;
    void Add(const Times& t)
    {
        read.push_back(t.read);
        write.push_back(t.write);
        total.push_back(t.total);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: text_file_bench DOCUMENT SCRATCH_FOLDER [ROUNDS]\n");
        return 2;
    }
    const std::string document = argv[1];
    const std::string scratch = argv[2];
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
    const std::string plainOut = scratch + "\\plain-copy.txt";
    const std::string listOut = scratch + "\\list-copy.txt";

    const std::string original = ReadWhole(document);
    const double megabytes = static_cast<double>(original.size()) / (1024.0 * 1024.0);

    try {
        Series plain;
        Series list;
        int lines = 0;
        ListCopy(document, listOut, &lines);  // warm-up: file cache, heap
        for (int round = 0; round < rounds; ++round) {
            // Alternate the order so that neither side always runs on a warmer machine.
            if (round % 2 == 0) {
                plain.Add(PlainCopy(document, plainOut));
                list.Add(ListCopy(document, listOut, &lines));
            } else {
                list.Add(ListCopy(document, listOut, &lines));
                plain.Add(PlainCopy(document, plainOut));
            }
        }
        if (ReadWhole(listOut) != original || ReadWhole(plainOut) != original)
            Fail("a copy differs from the document");

        auto rate = [&](const std::vector<double>& seconds) { return megabytes / bench::Median(seconds); };
        std::printf("text_file_bench: %.1f MB Shift-JIS, %d lines, median of %d rounds; copies are byte-identical\n",
                    megabytes, lines, rounds);
        std::printf("  plain ReadFile/WriteFile : read %7.1f MB/s  write %7.1f MB/s  copy %7.1f MB/s\n",
                    rate(plain.read), rate(plain.write), rate(plain.total));
        std::printf("  TStringList load/save    : load %7.1f MB/s  save  %7.1f MB/s  copy %7.1f MB/s\n",
                    rate(list.read), rate(list.write), rate(list.total));
        std::printf(
            "  string list takes %.2fx the time of the plain copy (load %.2fx, save %.2fx)\n",
            bench::Median(list.total) / bench::Median(plain.total),
            bench::Median(list.read) / bench::Median(plain.read),
            bench::Median(list.write) / bench::Median(plain.write));
    } catch (const Exception& e) {
        Fail(std::string(e.ClassName()) + ": " + e.Message());
    }
    DeleteFileA(plainOut.c_str());
    DeleteFileA(listOut.c_str());
    return 0;
}
