// Search and replace over the memo's bytes. A search is set up in the find or replace dialog, whose
// Find Next finds the first occurrence and closes the dialog; the tool strip's find next and replace
// and find carry it on, always forward and never round from the top.
//
// While a search is under way (MatchEnd > 0) SearchRest holds the text after MatchEnd as it was when
// the copy was taken: what the user types meanwhile is not searched, but what is found is selected
// where the memo holds it now. With Replaced 0 the occurrence [MatchEnd - FindLen, MatchEnd) is
// selected and not yet replaced; with Replaced 1 MatchEnd ends a replacement (after a Replace All)
// and nothing is selected to replace, so the commands that replace behave as when no search is under
// way. Every command that replaces first checks that the memo still holds the occurrence there.
#include "app/main_form.h"
#include "app/text_search.h"
#include "framework/controls/memo.h"
#include "framework/controls/message_dialog.h"
#include "framework/core/double_byte.h"
#include "framework/core/exceptions.h"
#include "framework/dialogs/find_dialog.h"
#include "resources/string_ids.h"

namespace {

int Length(const std::string& text) { return static_cast<int>(text.size()); }

void Notice(unsigned message) { ShowNotice(LoadResString(message)); }

bool Confirmed(unsigned message)
{
    return ShowMessageDialog(LoadResString(message), dkConfirmation, mbOKCancel, 0) == mrOk;
}

// The search as the dialog sets it up: its find text, folded unless Match case is on.
void TakeFindText(TForm1& form, const TFindDialog& dialog)
{
    form.MatchCase = dialog.Options().Contains(frMatchCase) ? 1 : 0;
    form.FindKey = form.MatchCase ? dialog.FindText() : dbcs::AsciiLower(dialog.FindText());
    form.FindLen = Length(form.FindKey);
}

void TakeReplaceText(TForm1& form)
{
    form.FromReplaceDialog = 1;
    form.ReplaceWith = form.ReplaceDialog1->ReplaceText();
    TakeFindText(form, *form.ReplaceDialog1);
}

// No search under way: the next one starts from a fresh copy of the memo's text.
void ResetSearch(TForm1& form)
{
    form.MatchEnd = 0;
    form.Replaced = 0;
    form.SearchRest = form.Memo1->Text();
}

// Moves MatchEnd past the next occurrence in SearchRest and cuts SearchRest after it; false when
// there is none, which changes nothing. Text typed in the memo since the copy was taken is not
// searched, but the occurrence is selected where the memo holds it now, never at stale offsets.
bool FindOccurrence(TForm1& form)
{
    textsearch::TCopyOccurrence found{};
    if (!textsearch::FindInCopy(form.Memo1->Text(), static_cast<std::size_t>(form.MatchEnd), form.SearchRest,
                                form.FindKey, form.MatchCase != 0, found))
        return false;
    form.SearchRest.erase(0, found.InCopy + form.FindKey.size());
    form.MatchEnd = static_cast<int>(found.InText + form.FindKey.size());
    return true;
}

void Select(TForm1& form, int start, int length)
{
    form.Memo1->SetFocus();
    form.Memo1->SetSelectionStart(start);
    // Setting the length scrolls the caret into view.
    form.Memo1->SetSelectionLength(length);
}

void SelectOccurrence(TForm1& form)
{
    Select(form, form.MatchEnd - form.FindLen, form.FindLen);
    form.Replaced = 0;
}

void EndSearch(TForm1& form)
{
    ResetSearch(form);
    Notice(SSearchEnded);
}

// Finds and selects the next occurrence, or ends the search.
void FindNext(TForm1& form)
{
    if (FindOccurrence(form))
        SelectOccurrence(form);
    else
        EndSearch(form);
}

// Selects the occurrence to replace; false when there is none to act on: no search, nothing selected
// since a Replace All, or the memo no longer holding the find text there (edited meanwhile, or the
// find text changed in the dialog).
bool SelectOccurrenceToReplace(TForm1& form)
{
    if (form.MatchEnd == 0 || form.Replaced != 0 || form.MatchEnd < form.FindLen)
        return false;
    Select(form, form.MatchEnd - form.FindLen, form.FindLen);
    const std::string selected = form.Memo1->SelectedText();
    return Length(selected) == form.FindLen &&
           textsearch::IsOccurrenceAt(selected, 0, form.FindKey, form.MatchCase != 0);
}

// Replaces the selected occurrence; MatchEnd then ends the replacement.
void ReplaceSelected(TForm1& form)
{
    form.ReplaceLen = Length(form.ReplaceWith);
    form.Memo1->SetSelectedText(form.ReplaceWith);
    form.MatchEnd += form.ReplaceLen - form.FindLen;
}

void ReplaceAll(TForm1& form)
{
    const bool confirmed = Confirmed(SReplaceAllConfirm);
    ResetSearch(form);
    if (!confirmed)
        return;
    const std::string text = form.SearchRest;
    const textsearch::TReplacedSpan span =
        textsearch::ReplaceAll(text, form.FindKey, form.ReplaceWith, form.MatchCase != 0);
    form.ReplaceLen = Length(form.ReplaceWith);
    if (span.Count > 0) {
        // One replacement of the span that changed: the edit window takes it in one step, however
        // many occurrences there were.
        Select(form, static_cast<int>(span.First), static_cast<int>(span.End - span.First));
        form.Memo1->SetSelectedText(span.Text);
        form.MatchEnd = static_cast<int>(span.First + span.Text.size());
        form.Replaced = 1;
        form.SearchRest = text.substr(span.End);
    }
    Notice(SReplaceAllDone);
}

}  // namespace

void TForm1::N3Click(TObject*)
{
    ResetSearch(*this);
    FindDialog1->Execute();
}

void TForm1::N14Click(TObject*)
{
    ResetSearch(*this);
    ReplaceDialog1->Execute();
}

void TForm1::FindDialog1Find(TObject*)
{
    FromReplaceDialog = 0;
    if (MatchEnd == 0)
        SearchRest = Memo1->Text();
    TakeFindText(*this, *FindDialog1);
    FindNext(*this);
    FindDialog1->CloseDialog();
}

void TForm1::ReplaceDialog1Find(TObject*)
{
    TakeReplaceText(*this);
    // The memo may have been edited while the dialog was open: a new search reads it afresh.
    if (MatchEnd == 0)
        SearchRest = Memo1->Text();
    FindNext(*this);
    ReplaceDialog1->CloseDialog();
}

void TForm1::ReplaceDialog1Replace(TObject*)
{
    TakeReplaceText(*this);
    if (ReplaceDialog1->Options().Contains(frReplaceAll)) {
        ReplaceAll(*this);
        return;
    }
    if (!SelectOccurrenceToReplace(*this)) {
        Notice(SFindFirstInDialog);
        ResetSearch(*this);
        ReplaceDialog1->Execute();
        return;
    }
    ReplaceSelected(*this);
    Replaced = 1;
    Notice(SReplacedOne);
    FindNext(*this);
    if (MatchEnd != 0)
        ReplaceDialog1->CloseDialog();
    else
        ReplaceDialog1->Execute();
}

void TForm1::Action1Execute(TObject*)
{
    if (MatchEnd == 0) {
        Notice(SFindNotSetUp);
        return;
    }
    FindLen = Length(FindKey);
    FindNext(*this);
}

void TForm1::Action2Execute(TObject*)
{
    if (MatchEnd != 0 && FromReplaceDialog == 0) {
        Notice(SReplaceNotSetUp);
        return;
    }
    FindLen = Length(FindKey);
    if (!SelectOccurrenceToReplace(*this)) {
        ResetSearch(*this);
        Notice(SReplaceNotStarted);
        return;
    }
    const int start = MatchEnd - FindLen;
    const std::string old = Memo1->SelectedText();
    ReplaceSelected(*this);
    Replaced = 1;
    if (!Confirmed(SKeepReplacement)) {
        // Put the found bytes back; the search goes on after them.
        Select(*this, start, ReplaceLen);
        Memo1->SetSelectedText(old);
        MatchEnd = start + FindLen;
    }
    FindNext(*this);
}
