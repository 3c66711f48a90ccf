// The document's files: new, open, overwrite save, save as, dropped files and the close prompt.
// The commands come with their own work; until then the menu items and tool buttons do nothing.
#include "app/main_form.h"

void TForm1::N13Click(TObject*) {}

void TForm1::O1Click(TObject*) {}

void TForm1::N1Click(TObject*) {}

void TForm1::S1Click(TObject*) {}

void TForm1::Action3Execute(TObject*) {}

void TForm1::Action4Execute(TObject*) {}

void TForm1::FormClose(TObject*, TCloseAction&) {}

void TForm1::FilesDropped(HDROP) {}
