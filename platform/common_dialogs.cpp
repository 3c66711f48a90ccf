// The system's common dialogs.
#include "platform/common_dialogs.h"

namespace platform {

bool GetOpenFileName(OPENFILENAMEA& record) { return ::GetOpenFileNameA(&record) != FALSE; }

bool GetSaveFileName(OPENFILENAMEA& record) { return ::GetSaveFileNameA(&record) != FALSE; }

bool ChooseColor(CHOOSECOLORA& record) { return ::ChooseColorA(&record) != FALSE; }

bool ChooseFont(CHOOSEFONTA& record) { return ::ChooseFontA(&record) != FALSE; }

bool PrintDialog(PRINTDLGA& record) { return ::PrintDlgA(&record) != FALSE; }

DWORD CommonDialogError() { return ::CommDlgExtendedError(); }

HWND FindText(FINDREPLACEA& record) { return ::FindTextA(&record); }

HWND ReplaceText(FINDREPLACEA& record) { return ::ReplaceTextA(&record); }

}  // namespace platform
