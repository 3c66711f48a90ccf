// The document's files: new, open, overwrite save, save as, dropped files, the close prompt and the
// end of the session, with the questions and notices they show and the save through the save dialog
// that several share. The document itself reads, writes and names; these commands ask and tell.
#include "app/document.h"
#include "app/main_form.h"
#include "framework/controls/message_dialog.h"
#include "framework/core/exceptions.h"
#include "framework/dialogs/open_dialog.h"

namespace {

// Dropped names are read into a buffer of this many bytes, the terminating zero included.
constexpr unsigned DroppedNameBufferSize = 1024;

// Asks about unsaved text: はい, いいえ or キャンセル (also Esc and the close box).
TModalResult AskAboutUnsavedText(unsigned message)
{
    return ShowMessageDialog(LoadResString(message), dkConfirmation, mbYesNoCancel, 0);
}

void Tell(unsigned message) { ShowNotice(LoadResString(message)); }

// The shell's memory for a drop goes back when the handler is done with it, also after an error.
class DropRelease {
public:
    explicit DropRelease(HDROP drop) : drop_(drop) {}
    ~DropRelease() { platform::FinishDrop(drop_); }
    DropRelease(const DropRelease&) = delete;
    DropRelease& operator=(const DropRelease&) = delete;

private:
    HDROP drop_;
};

}  // namespace

void TForm1::N13Click(TObject*) { NewDocument(); }

void TForm1::O1Click(TObject*) { OpenDocument(); }

void TForm1::Action4Execute(TObject*) { OpenDocument(); }

void TForm1::N1Click(TObject*) { OverwriteDocument(); }

void TForm1::Action3Execute(TObject*) { OverwriteDocument(); }

void TForm1::S1Click(TObject*) { SaveDocumentUnderNewName(); }

void TForm1::FormClose(TObject*, TCloseAction& action) { action = AskBeforeClosing(); }

void TForm1::NewDocument()
{
    if (document_->Modified()) {
        switch (AskAboutUnsavedText(SAskSaveBeforeNew)) {
        case mrCancel: return;
        case mrYes: SaveThroughDialog(); break;
        default: break;
        }
    }
    document_->Clear();
}

void TForm1::OpenDocument()
{
    if (document_->Modified()) {
        switch (AskAboutUnsavedText(SAskSaveBeforeOpen)) {
        case mrCancel: return;
        case mrYes:
            SaveDialog1->SetFileName(document_->FileName());
            if (SaveDialog1->Execute()) {
                document_->SaveAs(SaveDialog1->FileName());
                Tell(SSavedNowOpen);
            } else {
                Tell(SSaveStoppedNowOpen);
            }
            break;
        default: Tell(SOpenWithoutSaving); break;
        }
    }
    if (OpenDialog1->Execute())
        document_->Open(OpenDialog1->FileName());
}

void TForm1::OverwriteDocument()
{
    if (document_->Empty()) {
        Tell(SNoTextToSave);
        return;
    }
    // A file named on the command line that could not be read is no name to save under.
    if (document_->FileName().empty()) {
        Tell(SNoFileName);
        return;
    }
    document_->Save();
    Tell(SOverwriteSaved);
}

void TForm1::SaveDocumentUnderNewName()
{
    SaveDialog1->SetFileName(document_->FileName());
    if (!SaveDialog1->Execute()) {
        Tell(SSaveAsCancelled);
        return;
    }
    document_->SaveAs(SaveDialog1->FileName());
}

void TForm1::OpenDroppedFiles(HDROP drop)
{
    DropRelease release(drop);
    if (document_->Modified()) {
        switch (AskAboutUnsavedText(SAskSaveBeforeDrop)) {
        case mrCancel: return;
        case mrYes: SaveThroughDialog(); break;
        default: break;
        }
    }
    const unsigned count = platform::DroppedFileCount(drop);
    for (unsigned i = 0; i < count; ++i) {
        // A name too long for the buffer would come cut short, naming another file or none: it is
        // refused whole instead.
        const unsigned length = platform::DroppedFileNameLength(drop, i);
        if (length >= DroppedNameBufferSize)
            throw EFOpenError(SFOpenError, {platform::DroppedFileName(drop, i, length + 1)});
        document_->Open(platform::DroppedFileName(drop, i, DroppedNameBufferSize));
    }
}

TCloseAction TForm1::AskBeforeClosing()
{
    if (!document_->Modified())
        return caHide;
    switch (AskAboutUnsavedText(SAskSaveBeforeClose)) {
    case mrYes:
        // A failed save leaves by its error, and the window stays open.
        SaveThroughDialog();
        return caHide;
    case mrNo: return caHide;
    default: return caNone;
    }
}

bool TForm1::AllowEndOfSession() { return AskBeforeClosing() != caNone; }

void TForm1::SaveThroughDialog()
{
    SaveDialog1->SetFileName(document_->FileName());
    // Cancelled, the dialog keeps the name it was given, and the text is saved there.
    static_cast<void>(SaveDialog1->Execute());
    document_->SaveAs(SaveDialog1->FileName());
}
