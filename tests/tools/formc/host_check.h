// A minimal test harness for host programs (the project's GoogleTest is built for Windows only).
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace hostcheck {

struct Test {
    const char* name;
    void (*run)();
};

inline std::vector<Test>& Registry()
{
    static std::vector<Test> tests;
    return tests;
}

inline int& FailureCount()
{
    static int count = 0;
    return count;
}

struct Registrar {
    Registrar(const char* name, void (*run)()) { Registry().push_back({name, run}); }
};

inline void ReportFailure(const char* file, int line, const std::string& message)
{
    ++FailureCount();
    std::fprintf(stderr, "%s:%d: %s\n", file, line, message.c_str());
}

// Byte strings print as hex, so that encodings can be compared by eye.
inline std::string Show(const std::string& bytes)
{
    std::string text;
    char hex[4];
    for (unsigned char c : bytes) {
        std::snprintf(hex, sizeof hex, "%02X ", c);
        text += hex;
    }
    return "[" + text + "]";
}

template <typename T>
std::string Show(const T& value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

}  // namespace hostcheck

#define HOST_TEST(name)                                             \
    static void name();                                             \
    static const hostcheck::Registrar name##Registrar(#name, name); \
    static void name()

#define CHECK(condition)                                                                  \
    do {                                                                                  \
        if (!(condition))                                                                 \
            hostcheck::ReportFailure(__FILE__, __LINE__, "CHECK(" #condition ") failed"); \
    } while (0)

#define CHECK_EQ(actual, expected, context)                                                                            \
    do {                                                                                                               \
        const auto actualValue = (actual);                                                                             \
        const auto expectedValue = (expected);                                                                         \
        if (!(actualValue == expectedValue))                                                                           \
            hostcheck::ReportFailure(                                                                                  \
                __FILE__, __LINE__,                                                                                    \
                std::string(#actual) + " for " + (context) + ": got " + hostcheck::Show(actualValue) + ", expected " + \
                    hostcheck::Show(expectedValue));                                                                   \
    } while (0)
