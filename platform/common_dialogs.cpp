// The system's common dialogs and the movable memory blocks of the print dialog.
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

HGLOBAL GlobalAllocMovable(std::uint32_t size) { return ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size); }

void* GlobalLock(HGLOBAL block) { return block ? ::GlobalLock(block) : nullptr; }

void GlobalUnlock(HGLOBAL block)
{
    if (block)
        ::GlobalUnlock(block);
}

void GlobalFree(HGLOBAL block)
{
    if (block)
        ::GlobalFree(block);
}

std::uint32_t GlobalSize(HGLOBAL block) { return block ? static_cast<std::uint32_t>(::GlobalSize(block)) : 0; }

}  // namespace platform
