// The main window's search and replace commands: each hands its dialog's terms to the search
// session, and the session answers the user through this window's message boxes.
#include "app/main_form.h"
#include "framework/controls/memo.h"
#include "framework/controls/message_dialog.h"
#include "framework/core/exceptions.h"
#include "framework/dialogs/find_dialog.h"

namespace {

// The main window as the session's host: its memo and its message boxes.
class TFormSearchHost : public TSearchHost {
public:
    explicit TFormSearchHost(const TForm1& form) : form_(form) {}
    TCustomEdit& Memo() const override { return *form_.Memo1; }
    void Notice(unsigned message) const override { ShowNotice(LoadResString(message)); }
    bool Confirmed(unsigned message) const override
    {
        return ShowMessageDialog(LoadResString(message), dkConfirmation, mbOKCancel, 0) == mrOk;
    }

private:
    const TForm1& form_;
};

// What the dialog holds when its button is pressed.
TSearchTerms TermsOf(const TFindDialog& dialog)
{
    return {dialog.FindText(), dialog.ReplaceText(), dialog.Options().Contains(frMatchCase)};
}

void Follow(TFindDialog& dialog, TDialogAfter after)
{
    if (after == daCloses)
        dialog.CloseDialog();
    else if (after == daComesToFront)
        dialog.Execute();
}

}  // namespace

void TForm1::N3Click(TObject*)
{
    Search.Stop();
    FindDialog1->Execute();
}

void TForm1::N14Click(TObject*)
{
    Search.Stop();
    ReplaceDialog1->Execute();
}

void TForm1::FindDialog1Find(TObject*)
{
    Follow(*FindDialog1, Search.FindFromFindDialog(TFormSearchHost(*this), TermsOf(*FindDialog1)));
}

void TForm1::ReplaceDialog1Find(TObject*)
{
    Follow(*ReplaceDialog1, Search.FindFromReplaceDialog(TFormSearchHost(*this), TermsOf(*ReplaceDialog1)));
}

void TForm1::ReplaceDialog1Replace(TObject*)
{
    const bool all = ReplaceDialog1->Options().Contains(frReplaceAll);
    Follow(*ReplaceDialog1, Search.ReplaceFromDialog(TFormSearchHost(*this), TermsOf(*ReplaceDialog1), all));
}

void TForm1::Action1Execute(TObject*) { Search.FindNext(TFormSearchHost(*this)); }

void TForm1::Action2Execute(TObject*) { Search.ReplaceAndFind(TFormSearchHost(*this)); }
