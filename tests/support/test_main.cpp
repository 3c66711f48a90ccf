// Entry of every test program: refuses to run outside the Japanese code page the tests assume.
#include <cstdio>

#include <gtest/gtest.h>

#include "platform/locale.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (platform::AnsiCodePage() != 932) {
        std::fprintf(
            stderr, "The tests need the ANSI code page 932 (LANG=ja_JP.UTF-8); it is %u.\n", platform::AnsiCodePage());
        return 2;
    }
    return RUN_ALL_TESTS();
}
