// The document's files: new, open, overwrite save, save as, dropped files and the close prompt, with
// the questions and notices they show and the save through the save dialog that several share.
#include "app/document_storage.h"
#include "app/main_form.h"
#include "framework/controls/memo.h"
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

void TForm1::N13Click(TObject*)
{
    if (Memo1->TextModified()) {
        switch (AskAboutUnsavedText(SAskSaveBeforeNew)) {
        case mrCancel: return;
        case mrYes: SaveThroughDialog(); break;
        default: break;
        }
    }
    // An empty memo is left as it is, modified flag and all.
    Memo1->SetText("");
    CurrentFileName.clear();
    ShowDocumentPath();
}

void TForm1::O1Click(TObject*) { OpenDocument(); }

void TForm1::Action4Execute(TObject*) { OpenDocument(); }

void TForm1::N1Click(TObject*) { OverwriteDocument(); }

void TForm1::Action3Execute(TObject*) { OverwriteDocument(); }

void TForm1::S1Click(TObject*)
{
    SaveDialog1->SetFileName(CurrentFileName);
    if (!SaveDialog1->Execute()) {
        Tell(SSaveAsCancelled);
        return;
    }
    SaveDocumentAs(SaveDialog1->FileName());
}

void TForm1::FormClose(TObject*, TCloseAction& action)
{
    if (!Memo1->TextModified())
        return;
    switch (AskAboutUnsavedText(SAskSaveBeforeClose)) {
    case mrYes:
        // A failed save leaves this handler by its error, and the window stays open.
        SaveThroughDialog();
        break;
    case mrNo: action = caHide; break;
    default: action = caNone; break;
    }
}

void TForm1::FilesDropped(HDROP drop)
{
    DropRelease release(drop);
    if (Memo1->TextModified()) {
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
        TakeDocumentFile(platform::DroppedFileName(drop, i, DroppedNameBufferSize));
    }
}

void TForm1::OpenDocument()
{
    if (Memo1->TextModified()) {
        switch (AskAboutUnsavedText(SAskSaveBeforeOpen)) {
        case mrCancel: return;
        case mrYes:
            SaveDialog1->SetFileName(CurrentFileName);
            if (SaveDialog1->Execute()) {
                SaveDocumentAs(SaveDialog1->FileName());
                Tell(SSavedNowOpen);
            } else {
                Tell(SSaveStoppedNowOpen);
            }
            break;
        default: Tell(SOpenWithoutSaving); break;
        }
    }
    if (!OpenDialog1->Execute())
        return;
    TakeDocumentFile(OpenDialog1->FileName());
}

void TForm1::OverwriteDocument()
{
    if (Memo1->TextLength() == 0) {
        Tell(SNoTextToSave);
        return;
    }
    if (CurrentFileName.empty()) {
        Tell(SNoFileName);
        return;
    }
    SaveDocument(*Memo1->Lines(), CurrentFileName);
    Memo1->SetTextModified(false);
    Tell(SOverwriteSaved);
}

void TForm1::SaveThroughDialog()
{
    SaveDialog1->SetFileName(CurrentFileName);
    // Cancelled, the dialog keeps the name it was given, and the text is saved there.
    static_cast<void>(SaveDialog1->Execute());
    SaveDocumentAs(SaveDialog1->FileName());
}

void TForm1::SaveDocumentAs(const std::string& fileName)
{
    // The document takes the name once its text is there: a failed save leaves it tied to its file.
    SaveDocument(*Memo1->Lines(), fileName);
    CurrentFileName = fileName;
    Memo1->SetTextModified(false);
}

void TForm1::TakeDocumentFile(const std::string& fileName)
{
    // Read first: a file that cannot be read leaves the memo, its flag and the document's name as
    // they were, so no later save writes the old text over the file that failed to load.
    LoadDocument(*Memo1->Lines(), fileName);
    Memo1->SetTextModified(false);
    CurrentFileName = fileName;
    ShowDocumentCaption();
    ShowDocumentPath();
}
