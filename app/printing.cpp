// Printing the document line by line. The commands come with their own work; until then the menu
// items do nothing.
#include "app/main_form.h"

void TForm1::P2Click(TObject*) {}

void TForm1::N2Click(TObject*) {}
