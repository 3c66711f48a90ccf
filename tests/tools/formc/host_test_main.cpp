// Runs every HOST_TEST of the program and reports the failures.
#include "tests/tools/formc/host_check.h"

int main()
{
    for (const hostcheck::Test& test : hostcheck::Registry()) {
        const int before = hostcheck::FailureCount();
        test.run();
        std::printf("%s %s\n", hostcheck::FailureCount() == before ? "ok  " : "FAIL", test.name);
    }
    std::printf("%d failure(s)\n", hostcheck::FailureCount());
    return hostcheck::FailureCount() == 0 ? 0 : 1;
}
