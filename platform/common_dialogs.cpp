// The system's common dialogs.
#include "platform/common_dialogs.h"

#include "platform/on_demand.h"

namespace platform {

namespace {

constexpr const char* Library = "comdlg32.dll";

}  // namespace

bool GetOpenFileName(OPENFILENAMEA& record)
{
    static auto* const call = OnDemand<decltype(::GetOpenFileNameA)>(Library, "GetOpenFileNameA");
    return call && call(&record) != FALSE;
}

bool GetSaveFileName(OPENFILENAMEA& record)
{
    static auto* const call = OnDemand<decltype(::GetSaveFileNameA)>(Library, "GetSaveFileNameA");
    return call && call(&record) != FALSE;
}

bool ChooseColor(CHOOSECOLORA& record)
{
    static auto* const call = OnDemand<decltype(::ChooseColorA)>(Library, "ChooseColorA");
    return call && call(&record) != FALSE;
}

bool ChooseFont(CHOOSEFONTA& record)
{
    static auto* const call = OnDemand<decltype(::ChooseFontA)>(Library, "ChooseFontA");
    return call && call(&record) != FALSE;
}

bool PrintDialog(PRINTDLGA& record)
{
    static auto* const call = OnDemand<decltype(::PrintDlgA)>(Library, "PrintDlgA");
    return call && call(&record) != FALSE;
}

// Without the library no dialog could start, which is what the initialisation error says.
DWORD CommonDialogError()
{
    static auto* const call = OnDemand<decltype(::CommDlgExtendedError)>(Library, "CommDlgExtendedError");
    return call ? call() : CDERR_INITIALIZATION;
}

HWND FindText(FINDREPLACEA& record)
{
    static auto* const call = OnDemand<decltype(::FindTextA)>(Library, "FindTextA");
    return call ? call(&record) : nullptr;
}

HWND ReplaceText(FINDREPLACEA& record)
{
    static auto* const call = OnDemand<decltype(::ReplaceTextA)>(Library, "ReplaceTextA");
    return call ? call(&record) : nullptr;
}

}  // namespace platform
