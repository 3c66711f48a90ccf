// TAboutBox: the about box, built entirely from its form resource "TABOUTBOX": the program's icon,
// name and version on a panel, and the OK button that closes it.
#pragma once

#include "framework/controls/form.h"

class TButton;
class TImage;
class TLabel;
class TPanel;

class TAboutBox : public TForm {
    DECLARE_CLASS(TAboutBox)
public:
    explicit TAboutBox(TComponent* owner) : TForm(owner) {}

    TPanel* Panel1 = nullptr;
    TImage* ProgramIcon = nullptr;
    TLabel* ProductName = nullptr;
    TLabel* Version = nullptr;
    TLabel* Comments = nullptr;
    TButton* OKButton = nullptr;
};

// The about box, made hidden with the main window and shown from the view menu.
extern TAboutBox* AboutBox;
