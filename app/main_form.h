// TForm1: the editor's main window, built from its form resource "TFORM1". It holds the document that
// every command shares, the search state, and the handlers its resource binds by name, each a call to
// the command it stands for.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/search_session.h"
#include "framework/controls/form.h"
#include "platform/shell.h"

class TAction;
class TActionMainMenuBar;
class TActionManager;
class TColorDialog;
class TDocument;
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

// The panels of the status bar, left to right.
enum TMainStatusPanel { spLine, spLineLabel, spColumn, spColumnLabel, spPath };

class TForm1 : public TForm {
    DECLARE_CLASS(TForm1)
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

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

    // The document in the memo: its file, and its reads and writes. Made as the window is created.
    TDocument& Document() { return *document_; }

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

    // Dropped files, the end of the session and the arrow keys are the window's own, before the
    // framework's handling.
    void Dispatch(TMessage& message) override;

private:
    // ---- The document's commands (document_files.cpp) ----
    void NewDocument();
    // Open: from the menu and from the tool strip.
    void OpenDocument();
    // Overwrite save: from the menu and from the tool strip.
    void OverwriteDocument();
    void SaveDocumentUnderNewName();
    // Files dropped on the window from the shell (WM_DROPFILES), read one after another.
    void OpenDroppedFiles(HDROP drop);
    // The close prompt for unsaved text: the close action to take.
    TCloseAction AskBeforeClosing();
    // The system asks whether the session may end (WM_QUERYENDSESSION): the close prompt, and true
    // when the text is saved or let go.
    bool AllowEndOfSession();
    // The save dialog shows the document's name; the text is saved under whatever name the dialog
    // holds when it closes (the document's own name when it was cancelled).
    void SaveThroughDialog();

    // ---- Printing (printing.cpp) ----
    void PrintDocument();
    void ChoosePrinter();

    // ---- The view (edit_view_commands.cpp) ----
    void ChooseMemoFont();
    void StopWrapping();
    void WrapAtRightEdge();
    void ChooseBackgroundColour();

    // What the window shows of the document: the caption, and the path panel.
    void ShowDocumentTitle(const std::string& title);
    void ShowDocumentPath(const std::string& path);
    // Left and up move the focus back a tab stop; right and down become Tab.
    void CMDialogKey(TMessage& message);
    void ShowCaretPosition();

    std::unique_ptr<TDocument> document_;
};

// The main window, made by the program entry.
extern TForm1* Form1;
