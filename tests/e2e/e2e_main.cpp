// Entry of the end-to-end tests: takes --velmora=PATH (the program under test) before GoogleTest's flags.
// Started with --driver-target, the same exe is instead the small program the driver's own tests drive.
#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "tests/e2e/driver_target.h"
#include "tests/e2e/velmora_process.h"

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], e2e::kDriverTargetFlag) == 0)
        return e2e::RunDriverTarget();
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--velmora=", 10) == 0)
            e2e::SetVelmoraPath(argv[i] + 10);
    if (e2e::VelmoraPath().empty()) {
        std::fprintf(stderr, "usage: e2e_tests --velmora=PATH_OF_VELMORA_EXE [gtest flags]\n");
        return 2;
    }
    return RUN_ALL_TESTS();
}
