// The caret's place in the status bar: line and byte column of the selection's start, counted from 1
// in the lines the memo shows (a wrapped row is a line of its own), after each key released and each
// button pressed in the memo.
#include <string>

#include "app/main_form.h"
#include "framework/controls/memo.h"
#include "framework/controls/status_bar.h"

void TForm1::Memo1KeyUp(TObject*, std::uint16_t&, TShiftState) { ShowCaretPosition(); }

void TForm1::Memo1MouseDown(TObject*, TMouseButton, TShiftState, int, int) { ShowCaretPosition(); }

void TForm1::ShowCaretPosition()
{
    const int start = Memo1->SelectionStart();
    const auto line = Memo1->PerformMessage(EM_LINEFROMCHAR, static_cast<std::uintptr_t>(start), 0);
    const auto lineStart = Memo1->PerformMessage(EM_LINEINDEX, static_cast<std::uintptr_t>(line), 0);
    TStatusPanels* panels = StatusBar1->Panels();
    panels->Items(spLine)->SetText(std::to_string(line + 1));
    panels->Items(spLineLabel)->SetText("行");
    panels->Items(spColumn)->SetText(std::to_string(start - lineStart + 1));
    panels->Items(spColumnLabel)->SetText("桁");
}
