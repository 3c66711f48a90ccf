// TForm1: its published members, its start from the command line, the document shown in the caption
// and the status bar when the memo is entered, and the window's own message dispatch.
#include "app/main_form.h"

#include "app/document.h"
#include "app/document_name.h"
#include "framework/controls/memo.h"
#include "framework/controls/panel.h"
#include "framework/controls/status_bar.h"
#include "framework/core/class_info.h"
#include "framework/dialogs/color_dialog.h"
#include "framework/dialogs/find_dialog.h"
#include "framework/dialogs/font_dialog.h"
#include "framework/dialogs/open_dialog.h"
#include "framework/dialogs/print_dialog.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/action_bar.h"
#include "framework/menus/action_manager.h"
#include "framework/menus/actions.h"
#include "framework/menus/menu.h"
#include "framework/menus/menu_item.h"
#include "platform/module.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner) : TForm(owner) {}

TForm1::~TForm1() = default;

const TClassInfo& TForm1::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TForm1, TForm>("TForm1")
            .Field("StatusBar1", &TForm1::StatusBar1)
            .Field("MainMenu1", &TForm1::MainMenu1)
            .Field("F1", &TForm1::F1)
            .Field("O1", &TForm1::O1)
            .Field("S1", &TForm1::S1)
            .Field("PrinterSetupDialog1", &TForm1::PrinterSetupDialog1)
            .Field("PrintDialog1", &TForm1::PrintDialog1)
            .Field("SaveDialog1", &TForm1::SaveDialog1)
            .Field("OpenDialog1", &TForm1::OpenDialog1)
            .Field("X1", &TForm1::X1)
            .Field("E1", &TForm1::E1)
            .Field("T1", &TForm1::T1)
            .Field("C1", &TForm1::C1)
            .Field("P1", &TForm1::P1)
            .Field("N1", &TForm1::N1)
            .Field("P2", &TForm1::P2)
            .Field("N2", &TForm1::N2)
            .Field("U1", &TForm1::U1)
            .Field("N3", &TForm1::N3)
            .Field("FindDialog1", &TForm1::FindDialog1)
            .Field("N4", &TForm1::N4)
            .Field("ReplaceDialog1", &TForm1::ReplaceDialog1)
            .Field("N7", &TForm1::N7)
            .Field("N8", &TForm1::N8)
            .Field("N9", &TForm1::N9)
            .Field("FontDialog1", &TForm1::FontDialog1)
            .Field("N10", &TForm1::N10)
            .Field("N11", &TForm1::N11)
            .Field("N12", &TForm1::N12)
            .Field("N13", &TForm1::N13)
            .Field("ColorDialog1", &TForm1::ColorDialog1)
            .Field("C2", &TForm1::C2)
            .Field("Panel1", &TForm1::Panel1)
            .Field("Memo1", &TForm1::Memo1)
            .Field("ImageList1", &TForm1::ImageList1)
            .Field("ActionManager1", &TForm1::ActionManager1)
            .Field("ActionMainMenuBar1", &TForm1::ActionMainMenuBar1)
            .Field("Action1", &TForm1::Action1)
            .Field("N14", &TForm1::N14)
            .Field("Action2", &TForm1::Action2)
            .Field("Action3", &TForm1::Action3)
            .Field("Action4", &TForm1::Action4)
            .Method("FormCreate", &TForm1::FormCreate)
            .Method("Memo1Enter", &TForm1::Memo1Enter)
            .Method("O1Click", &TForm1::O1Click)
            .Method("S1Click", &TForm1::S1Click)
            .Method("H1Click", &TForm1::H1Click)
            .Method("C1Click", &TForm1::C1Click)
            .Method("P1Click", &TForm1::P1Click)
            .Method("FormClose", &TForm1::FormClose)
            .Method("X1Click", &TForm1::X1Click)
            .Method("N1Click", &TForm1::N1Click)
            .Method("P2Click", &TForm1::P2Click)
            .Method("N2Click", &TForm1::N2Click)
            .Method("U1Click", &TForm1::U1Click)
            .Method("FindDialog1Find", &TForm1::FindDialog1Find)
            .Method("N4Click", &TForm1::N4Click)
            .Method("ReplaceDialog1Find", &TForm1::ReplaceDialog1Find)
            .Method("ReplaceDialog1Replace", &TForm1::ReplaceDialog1Replace)
            .Method("N8Click", &TForm1::N8Click)
            .Method("N9Click", &TForm1::N9Click)
            .Method("N10Click", &TForm1::N10Click)
            .Method("N11Click", &TForm1::N11Click)
            .Method("N13Click", &TForm1::N13Click)
            .Method("C2Click", &TForm1::C2Click)
            .Method("Memo1MouseDown", &TForm1::Memo1MouseDown)
            .Method("Memo1KeyUp", &TForm1::Memo1KeyUp)
            .Method("Action1Execute", &TForm1::Action1Execute)
            .Method("N14Click", &TForm1::N14Click)
            .Method("N3Click", &TForm1::N3Click)
            .Method("Action2Execute", &TForm1::Action2Execute)
            .Method("Action3Execute", &TForm1::Action3Execute)
            .Method("Action4Execute", &TForm1::Action4Execute)
            .Build();
    return info;
}

void TForm1::FormCreate(TObject*)
{
    document_ = std::make_unique<TDocument>(
        *Memo1, TDocument::View{[this](const std::string& title) { ShowDocumentTitle(title); },
                                [this](const std::string& path) { ShowDocumentPath(path); }});
    // The info panel's place lies on the tool strip: it shows over it, and the strip's buttons go
    // round it.
    Panel1->BringToFront();
    platform::AcceptDroppedFiles(Handle(), true);
    // The file is read when the memo is first entered.
    document_->ExpectFile(FileNameFromCommandLine(platform::CommandLine(), platform::ModuleFileName().size()));
}

void TForm1::Memo1Enter(TObject*)
{
    Search.Stop();
    document_->Refresh();
}

void TForm1::X1Click(TObject*) { CloseForm(); }

void TForm1::ShowDocumentTitle(const std::string& title) { SetCaption(MainCaption(title)); }

void TForm1::ShowDocumentPath(const std::string& path) { StatusBar1->Panels()->Items(spPath)->SetText(path); }

void TForm1::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_DROPFILES: OpenDroppedFiles(reinterpret_cast<HDROP>(m.WParam)); break;
    case WM_QUERYENDSESSION:
        // A save that fails leaves by its error: the session is refused.
        m.Result = FALSE;
        if (AllowEndOfSession())
            TForm::Dispatch(m);
        break;
    case CMSG_DIALOGKEY: CMDialogKey(m); break;
    default: TForm::Dispatch(m); break;
    }
}

void TForm1::CMDialogKey(TMessage& m)
{
    TKeyMsg key(m);
    switch (key.CharCode()) {
    case VK_LEFT:
    case VK_UP:
        PerformMessage(WM_NEXTDLGCTL, 1, 0);
        key.SetCharCode(0);
        break;
    case VK_RIGHT:
    case VK_DOWN: key.SetCharCode(VK_TAB); break;
    }
    TForm::Dispatch(m);
}
