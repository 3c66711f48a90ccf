// The edit and view commands: undo, select all and the clipboard forward to the memo; the font, the
// wrapping mode and the background colour change how the memo looks; the about box shows modally.
#include "app/about_box.h"
#include "app/main_form.h"
#include "framework/controls/memo.h"
#include "framework/dialogs/color_dialog.h"
#include "framework/dialogs/font_dialog.h"

void TForm1::U1Click(TObject*) { Memo1->UndoEdit(); }

void TForm1::N4Click(TObject*) { Memo1->SelectAllText(); }

void TForm1::H1Click(TObject*) { Memo1->CutSelection(); }

void TForm1::C1Click(TObject*) { Memo1->CopySelectedText(); }

void TForm1::P1Click(TObject*) { Memo1->PasteClipboard(); }

void TForm1::N8Click(TObject*) { ChooseMemoFont(); }

void TForm1::N9Click(TObject*) { AboutBox->ShowFormModal(); }

void TForm1::N10Click(TObject*) { StopWrapping(); }

void TForm1::N11Click(TObject*) { WrapAtRightEdge(); }

void TForm1::C2Click(TObject*) { ChooseBackgroundColour(); }

// The dialog always opens on the memo's font, also after an earlier cancel left another one in it.
void TForm1::ChooseMemoFont()
{
    FontDialog1->SetFont(Memo1->Font());
    if (FontDialog1->Execute())
        Memo1->SetFont(FontDialog1->Font());
}

void TForm1::StopWrapping() { Memo1->SetWordWrapAndScrollBars(false, ssBoth); }

// Wrapping a text the wrapping window cannot take raises the memo's error; the mode then stays.
void TForm1::WrapAtRightEdge() { Memo1->SetWordWrapAndScrollBars(true, ssVertical); }

// The dialog opens on the last colour confirmed in it, not on the memo's; the font keeps its colour.
void TForm1::ChooseBackgroundColour()
{
    if (ColorDialog1->Execute())
        Memo1->SetColor(ColorDialog1->Color());
}
