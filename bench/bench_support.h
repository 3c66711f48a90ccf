// What the benchmark programs share: a precise clock, the median of timings, reading a whole file,
// and ending the run with a message.
#pragma once

#include <string>
#include <vector>

namespace bench {

// Seconds since some fixed point (QueryPerformanceCounter).
double Now();
double Median(std::vector<double> values);
// Prints "<program>: <what> (error <last system error>)" and ends the process with exit code 1.
[[noreturn]] void Fail(const char* program, const std::string& what);
// The file's bytes; Fail when it cannot be read.
std::string ReadWholeFile(const char* program, const std::string& path);

}  // namespace bench
