// Functions of the system libraries that only some commands need (the common dialogs, the print
// spooler), looked up on their first call instead of imported: loading those libraries is a good part
// of a start under Wine, and a program that never opens a dialog or prints never pays for it.
#pragma once

#include "platform/win32.h"

namespace platform {

// The address of `name` in the system library `library`, loaded on first use; null when either is
// missing. The library stays loaded for the rest of the program.
void* LibraryProcedure(const char* library, const char* name);

// `LibraryProcedure` with the declared type of the function, so that each call is checked as if it
// were imported: OnDemand<decltype(::PrintDlgA)>("comdlg32.dll", "PrintDlgA").
template <typename Function>
Function* OnDemand(const char* library, const char* name)
{
    return reinterpret_cast<Function*>(LibraryProcedure(library, name));
}

}  // namespace platform
