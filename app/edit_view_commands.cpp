// The edit and view commands: undo, select all, the clipboard, the font, wrapping, the background
// colour and the about box. The commands come with their own work; until then the menu items do
// nothing.
#include "app/main_form.h"

void TForm1::U1Click(TObject*) {}

void TForm1::N4Click(TObject*) {}

void TForm1::H1Click(TObject*) {}

void TForm1::C1Click(TObject*) {}

void TForm1::P1Click(TObject*) {}

void TForm1::N8Click(TObject*) {}

void TForm1::N9Click(TObject*) {}

void TForm1::N10Click(TObject*) {}

void TForm1::N11Click(TObject*) {}

void TForm1::C2Click(TObject*) {}
