// TForm1: the editor's main window, built from its form resource "TFORM1". It holds the document
// state that every command shares, the search state, and the handlers its resource binds by name.
#pragma once

#include <cstdint>
#include <string>

#include "app/search_session.h"
#include "framework/controls/form.h"
#include "platform/shell.h"

class TAction;
class TActionMainMenuBar;
class TActionManager;
class TColorDialog;
class TFindDialog;
class TFontDialog;
class TImageList;
class TMainMenu;
class TMemo;
class TMenuItem;
class TOpenDialog;
class TPanel;
class TPrintDialog;
class TPrinterSetupDialog;
class TReplaceDialog;
class TSaveDialog;
class TStatusBar;

class TForm1 : public TForm {
    DECLARE_CLASS(TForm1)
public:
    explicit TForm1(TComponent* owner) : TForm(owner) {}

    // The components of the resource, bound by name when the window is built.
    TStatusBar* StatusBar1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* F1 = nullptr;
    TMenuItem* O1 = nullptr;
    TMenuItem* S1 = nullptr;
    TPrinterSetupDialog* PrinterSetupDialog1 = nullptr;
    TPrintDialog* PrintDialog1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TMenuItem* X1 = nullptr;
    TMenuItem* E1 = nullptr;
    TMenuItem* T1 = nullptr;
    TMenuItem* C1 = nullptr;
    TMenuItem* P1 = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* P2 = nullptr;
    TMenuItem* N2 = nullptr;
    TMenuItem* U1 = nullptr;
    TMenuItem* N3 = nullptr;
    TFindDialog* FindDialog1 = nullptr;
    TMenuItem* N4 = nullptr;
    TReplaceDialog* ReplaceDialog1 = nullptr;
    TMenuItem* N7 = nullptr;
    TMenuItem* N8 = nullptr;
    TMenuItem* N9 = nullptr;
    TFontDialog* FontDialog1 = nullptr;
    TMenuItem* N10 = nullptr;
    TMenuItem* N11 = nullptr;
    TMenuItem* N12 = nullptr;
    TMenuItem* N13 = nullptr;
    TColorDialog* ColorDialog1 = nullptr;
    TMenuItem* C2 = nullptr;
    TPanel* Panel1 = nullptr;
    TMemo* Memo1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TActionManager* ActionManager1 = nullptr;
    TActionMainMenuBar* ActionMainMenuBar1 = nullptr;
    TAction* Action1 = nullptr;
    TMenuItem* N14 = nullptr;
    TAction* Action2 = nullptr;
    TAction* Action3 = nullptr;
    TAction* Action4 = nullptr;

    // The document: the full path of its file (empty: it has none) and that file's title, which
    // exists only to make the caption. Whether the text has unsaved changes is the memo's flag.
    std::string CurrentFileName;
    std::string CurrentFileTitle;

    // The search and replace under way in the memo.
    TSearchSession Search;

    // The window's own start: dropped files accepted, the file named on the command line taken.
    void FormCreate(TObject* sender);
    // The memo became the focused control: the document's file is read into it, unless that would
    // replace unsaved text; the caption and the path panel show the document.
    void Memo1Enter(TObject* sender);
    void X1Click(TObject* sender);

    // The document's files.
    void N13Click(TObject* sender);
    void O1Click(TObject* sender);
    void N1Click(TObject* sender);
    void S1Click(TObject* sender);
    void Action3Execute(TObject* sender);
    void Action4Execute(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    // Files dropped on the window from the shell (WM_DROPFILES).
    void FilesDropped(HDROP drop);

    // The caret's line and byte column in the status bar.
    void Memo1KeyUp(TObject* sender, std::uint16_t& key, TShiftState shift);
    void Memo1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

    // Search and replace.
    void N3Click(TObject* sender);
    void N14Click(TObject* sender);
    void FindDialog1Find(TObject* sender);
    void ReplaceDialog1Find(TObject* sender);
    void ReplaceDialog1Replace(TObject* sender);
    void Action1Execute(TObject* sender);
    void Action2Execute(TObject* sender);

    // Printing.
    void P2Click(TObject* sender);
    void N2Click(TObject* sender);

    // The edit and view commands.
    void U1Click(TObject* sender);
    void N4Click(TObject* sender);
    void H1Click(TObject* sender);
    void C1Click(TObject* sender);
    void P1Click(TObject* sender);
    void N8Click(TObject* sender);
    void N9Click(TObject* sender);
    void N10Click(TObject* sender);
    void N11Click(TObject* sender);
    void C2Click(TObject* sender);

    // Dropped files and the arrow keys are the window's own, before the framework's handling.
    void Dispatch(TMessage& message) override;

private:
    // The caption rule: the title recomputed from CurrentFileName, then the caption made of it.
    void ShowDocumentCaption();
    // Panel 4 of the status bar: the document's full path.
    void ShowDocumentPath();
    // Open and overwrite save, which a menu item and a tool button each run.
    void OpenDocument();
    void OverwriteDocument();
    // The save dialog shows the document's name; the text is saved under whatever name the dialog
    // holds when it closes (the same name when it was cancelled).
    void SaveThroughDialog();
    // The memo's text saved to `fileName`, which becomes the document's name.
    void SaveDocumentAs(const std::string& fileName);
    // The memo shows the file `fileName`, the document's name, caption and path panel with it.
    void TakeDocumentFile(const std::string& fileName);
    // Left and up move the focus back a tab stop; right and down become Tab.
    void CMDialogKey(TMessage& message);
    void ShowCaretPosition();
};

// The main window, made by the program entry.
extern TForm1* Form1;
