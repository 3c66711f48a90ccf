// Entry of every test program: refuses to run outside the Japanese code page the tests assume, and
// fails the running test when any code deletes a GDI object still selected into a device context.
#include <cstdio>

#include <gtest/gtest.h>

#include "platform/gdi.h"
#include "platform/locale.h"

namespace {

// Windows refuses such a delete and the object leaks; Wine would carry it out later and hide it.
void FailSelectedDelete(HGDIOBJ object, HDC dc)
{
    ADD_FAILURE() << "GDI object " << object << " (kind " << GetObjectType(object)
                  << ") was deleted while still selected into device context " << dc;
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (platform::AnsiCodePage() != 932) {
        std::fprintf(
            stderr, "The tests need the ANSI code page 932 (LANG=ja_JP.UTF-8); it is %u.\n", platform::AnsiCodePage());
        return 2;
    }
    platform::SetRefusedDeleteHook(FailSelectedDelete);
    return RUN_ALL_TESTS();
}
