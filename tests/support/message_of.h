// The message of the exception an action raises, for checks of error texts.
#pragma once

#include <string>

// The message of the E that `action` raises; "(no exception)" when it raises none.
template <class E, class F>
std::string MessageOf(F action)
{
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    return "(no exception)";
}
