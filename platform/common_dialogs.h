// The system's common dialogs: file, colour, font, print, find and replace.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"

#include <commdlg.h>

// The functions below carry the plain names; the ANSI entry points are called by name.
#undef GetOpenFileName
#undef GetSaveFileName
#undef ChooseColor
#undef ChooseFont
#undef FindText
#undef ReplaceText

namespace platform {

// Modal dialogs: true when the user confirmed; false when cancelled or failed (CommonDialogError tells).
bool GetOpenFileName(OPENFILENAMEA& record);
bool GetSaveFileName(OPENFILENAMEA& record);
bool ChooseColor(CHOOSECOLORA& record);
bool ChooseFont(CHOOSEFONTA& record);
bool PrintDialog(PRINTDLGA& record);  // PrintDlgA
// The reason the last common dialog returned false: 0 when the user cancelled (CommDlgExtendedError).
DWORD CommonDialogError();

// Puts `names` at the end of the drop-down list of a file dialog's file name box (cmb13: a
// ComboBoxEx32 or a plain combo box); false when the dialog has no such box.
bool AddFileNameChoices(HWND dialog, const std::vector<std::string>& names);

// Modeless dialogs: the dialog window, or null when the system could not make it.
HWND FindText(FINDREPLACEA& record);
HWND ReplaceText(FINDREPLACEA& record);

}  // namespace platform
