// Search and replace over the memo's bytes. The commands come with their own work; until then the
// menu items, dialog buttons and tool buttons do nothing.
#include "app/main_form.h"

void TForm1::N3Click(TObject*) {}

void TForm1::N14Click(TObject*) {}

void TForm1::FindDialog1Find(TObject*) {}

void TForm1::ReplaceDialog1Find(TObject*) {}

void TForm1::ReplaceDialog1Replace(TObject*) {}

void TForm1::Action1Execute(TObject*) {}

void TForm1::Action2Execute(TObject*) {}
