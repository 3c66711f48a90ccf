// The system's common dialogs.
#include "platform/common_dialogs.h"

#include <commctrl.h>
#include <dlgs.h>

#include <cstring>

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

bool AddFileNameChoices(HWND dialog, const std::vector<std::string>& names)
{
    HWND box = ::GetDlgItem(dialog, cmb13);
    char className[32] = {};
    if (!box || !::GetClassNameA(box, className, sizeof className))
        return false;
    bool extended = std::strcmp(className, WC_COMBOBOXEXA) == 0;
    for (const std::string& name : names) {
        if (extended) {
            COMBOBOXEXITEMA item{};
            item.mask = CBEIF_TEXT;
            item.iItem = -1;  // at the end
            item.pszText = const_cast<char*>(name.c_str());
            ::SendMessageA(box, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        } else {
            ::SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
    }
    return true;
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
