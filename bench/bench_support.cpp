// What the benchmark programs share.
#include "bench/bench_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <windows.h>

namespace bench {

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

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Fail(const char* program, const std::string& what)
{
    std::fprintf(stderr, "%s: %s (error %lu)\n", program, what.c_str(), GetLastError());
    std::exit(1);
}

std::string ReadWholeFile(const char* program, const std::string& path)
{
    HANDLE file = CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        Fail(program, "cannot open " + path);
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD done = 0;
    const bool read =
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) && done == bytes.size();
    CloseHandle(file);
    if (!read)
        Fail(program, "cannot read " + path);
    return bytes;
}

}  // namespace bench
