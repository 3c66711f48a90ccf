// The search session's commands, and the copy of the memo's text they search.
#include "app/search_session.h"

#include <vector>

#include "framework/controls/custom_edit.h"
#include "framework/core/double_byte.h"
#include "resources/string_ids.h"

namespace {

int AsInt(std::size_t value) { return static_cast<int>(value); }

// Replace All puts one replacement per occurrence into the memo, or one span from the first to the
// last, or the whole text anew, whichever costs the edit window least. One replacement costs about as
// much as moving the window's whole text once; a span costs about as much per byte as moving a few
// hundred bytes, since the window lays its lines out again, and twice as much per byte as the whole
// text written anew.
constexpr std::uint64_t kSpanCostPerByte = 400;
// The occurrences whose offsets one scan keeps: enough for every Replace All that puts them in one
// at a time into a text of any size, so that it scans the text once.
constexpr std::size_t kOffsetsKeptBySurvey = 1024;

// The text with every occurrence replaced.
std::string WithEveryOccurrenceReplaced(
    const std::string& text, const textsearch::TFindKey& key, const std::string& with)
{
    textsearch::TReplacedSpan span = textsearch::ReplaceAll(text, key, with);
    span.Text.insert(0, text, 0, span.First);
    span.Text.append(text, span.End);
    return std::move(span.Text);
}

bool ReplacesOneByOne(const textsearch::TOccurrenceSpan& survey, std::size_t textSize, std::size_t spanSize)
{
    return std::uint64_t{survey.Count} * textSize <= std::uint64_t{spanSize} * kSpanCostPerByte;
}

}  // namespace

void TSearchSession::Stop()
{
    matchEnd_ = 0;
    replaced_ = false;
    restAt_ = 0;
    stale_ = std::string();
    placement_.reset();
}

void TSearchSession::TakeTerms(const TSearchTerms& terms, bool fromReplaceDialog)
{
    key_.emplace(terms.Key, terms.MatchCase);
    replaceWith_ = terms.Replacement;
    fromReplaceDialog_ = fromReplaceDialog;
}

// ---- The copy of the memo's text ----

void TSearchSession::FollowMemo(const TSearchHost& host)
{
    TCustomEdit& memo = host.Memo();
    const std::uint32_t revision = memo.TextRevision();
    if (textOf_ == &memo && textRevision_ == revision)
        return;
    if (matchEnd_ == 0 || textOf_ != &memo) {
        text_ = memo.Text();
        textOf_ = &memo;
        textRevision_ = revision;
        return;
    }
    // Edited during the search: the rest stays as it was, placed in the text as it is now.
    std::string rest = placement_ ? stale_.substr(staleFrom_) : text_.substr(restAt_);
    text_ = memo.Text();
    textRevision_ = revision;
    const textsearch::TCopyPlacement placement(text_, matchEnd_, rest);
    if (placement.IsTextEnd()) {
        restAt_ = text_.size() - rest.size();
        stale_ = std::string();
        placement_.reset();
        return;
    }
    stale_ = std::move(rest);
    staleFrom_ = placedFrom_ = 0;
    shift_ = 0;
    placement_ = placement;
}

void TSearchSession::StartOver(const TSearchHost& host)
{
    Stop();
    FollowMemo(host);
}

void TSearchSession::ReplaceInMemo(
    const TSearchHost& host, std::size_t start, std::size_t length, const std::string& with)
{
    TCustomEdit& memo = host.Memo();
    const bool followed = textOf_ == &memo && textRevision_ == memo.TextRevision();
    memo.SetFocus();
    memo.SelectRange(AsInt(start), AsInt(length));
    memo.SetSelectedText(with);
    // The copy takes the same change, unless the window did other than asked (then it is read again).
    if (!followed || memo.SelectionStart() != AsInt(start + with.size()))
        return;
    text_.replace(start, length, with);
    textRevision_ = memo.TextRevision();
    const auto moved = static_cast<std::ptrdiff_t>(with.size()) - static_cast<std::ptrdiff_t>(length);
    if (placement_)
        shift_ += moved;
    else if (restAt_ >= start + length)
        restAt_ = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(restAt_) + moved);
    else  // the user's edits made the rest reach into the replaced bytes: a replacement is never searched
        restAt_ = start + with.size();
}

// ---- Finding ----

bool TSearchSession::FindOccurrence()
{
    const std::size_t size = key_->Size();
    if (!placement_) {
        const std::size_t at = key_->FindIn(text_, restAt_);
        if (at == textsearch::npos)
            return false;
        matchEnd_ = restAt_ = at + size;
        return true;
    }
    const std::string_view rest = std::string_view(stale_).substr(staleFrom_);
    for (std::size_t at = key_->FindIn(rest); at != textsearch::npos;
         at = key_->FindIn(rest, dbcs::NextChar(rest, at))) {
        const std::size_t placed = placement_->Place(staleFrom_ - placedFrom_ + at, size);
        if (placed == textsearch::npos)
            continue;
        const auto inText = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(placed) + shift_);
        if (!key_->IsAt(text_, inText))
            continue;
        staleFrom_ += at + size;
        matchEnd_ = inText + size;
        if (placement_->EndsText(staleFrom_ - placedFrom_)) {
            // What is left of the rest is the text's end again: the copy serves as the rest.
            restAt_ = text_.size() - (rest.size() - at - size);
            stale_ = std::string();
            placement_.reset();
        }
        return true;
    }
    return false;
}

void TSearchSession::Select(const TSearchHost& host, std::size_t start, std::size_t length)
{
    TCustomEdit& memo = host.Memo();
    memo.SetFocus();
    memo.SetSelectionStart(AsInt(start));
    // Setting the length scrolls the caret into view.
    memo.SetSelectionLength(AsInt(length));
}

void TSearchSession::EndSearch(const TSearchHost& host)
{
    Stop();
    host.Notice(SSearchEnded);
}

void TSearchSession::FindAndSelect(const TSearchHost& host)
{
    FollowMemo(host);
    if (!FindOccurrence()) {
        EndSearch(host);
        return;
    }
    Select(host, matchEnd_ - key_->Size(), key_->Size());
    replaced_ = false;
}

bool TSearchSession::SelectOccurrenceToReplace(const TSearchHost& host)
{
    if (matchEnd_ == 0 || replaced_ || !key_ || matchEnd_ < key_->Size())
        return false;
    FollowMemo(host);
    const std::size_t start = matchEnd_ - key_->Size();
    if (!key_->IsAt(text_, start))
        return false;
    Select(host, start, key_->Size());
    return true;
}

// ---- Replacing ----

void TSearchSession::ReplaceAll(const TSearchHost& host)
{
    const bool confirmed = host.Confirmed(SReplaceAllConfirm);
    StartOver(host);
    if (!confirmed)
        return;
    std::vector<std::size_t> found;
    const textsearch::TOccurrenceSpan survey =
        textsearch::SurveyOccurrences(text_, *key_, &found, kOffsetsKeptBySurvey);
    if (survey.Count > 0) {
        const std::size_t spanSize =
            survey.End - survey.First + survey.Count * replaceWith_.size() - survey.Count * key_->Size();
        if (ReplacesOneByOne(survey, text_.size(), spanSize)) {
            if (found.size() < survey.Count) {
                found.clear();
                textsearch::SurveyOccurrences(text_, *key_, &found, survey.Count);
            }
            // From the last to the first, so that the offsets found stay where they are.
            for (auto at = found.rbegin(); at != found.rend(); ++at)
                ReplaceInMemo(host, *at, key_->Size(), replaceWith_);
            Select(host, survey.First + spanSize, 0);
        } else if (2 * spanSize < text_.size() + spanSize - (survey.End - survey.First)) {
            const textsearch::TReplacedSpan span = textsearch::ReplaceAll(text_, *key_, replaceWith_);
            ReplaceInMemo(host, span.First, span.End - span.First, span.Text);
        } else {
            // Most of the text changes: the window takes it whole for less than the span.
            ReplaceInMemo(host, 0, text_.size(), WithEveryOccurrenceReplaced(text_, *key_, replaceWith_));
            Select(host, survey.First + spanSize, 0);
        }
        matchEnd_ = restAt_ = survey.First + spanSize;
        replaced_ = true;
    }
    host.Notice(SReplaceAllDone);
}

TDialogAfter TSearchSession::ReplaceFromDialog(const TSearchHost& host, const TSearchTerms& terms, bool all)
{
    TakeTerms(terms, true);
    if (all) {
        ReplaceAll(host);
        return daStays;
    }
    if (!SelectOccurrenceToReplace(host)) {
        host.Notice(SFindFirstInDialog);
        Stop();
        return daComesToFront;
    }
    const std::size_t start = matchEnd_ - key_->Size();
    ReplaceInMemo(host, start, key_->Size(), replaceWith_);
    matchEnd_ = start + replaceWith_.size();
    replaced_ = true;
    host.Notice(SReplacedOne);
    FindAndSelect(host);
    return matchEnd_ != 0 ? daCloses : daComesToFront;
}

void TSearchSession::ReplaceAndFind(const TSearchHost& host)
{
    if (matchEnd_ != 0 && !fromReplaceDialog_) {
        host.Notice(SReplaceNotSetUp);
        return;
    }
    if (!SelectOccurrenceToReplace(host)) {
        Stop();
        host.Notice(SReplaceNotStarted);
        return;
    }
    const std::size_t start = matchEnd_ - key_->Size();
    const std::string old = text_.substr(start, key_->Size());
    ReplaceInMemo(host, start, old.size(), replaceWith_);
    matchEnd_ = start + replaceWith_.size();
    replaced_ = true;
    if (!host.Confirmed(SKeepReplacement)) {
        // The found bytes go back, where the memo still holds the replacement; the search goes on
        // after them.
        FollowMemo(host);
        if (text_.compare(start, replaceWith_.size(), replaceWith_) == 0 && dbcs::IsCharBoundary(text_, start)) {
            ReplaceInMemo(host, start, replaceWith_.size(), old);
            matchEnd_ = start + old.size();
        }
    }
    FindAndSelect(host);
}

// ---- The dialogs' Find Next and the tool strip's find next ----

TDialogAfter TSearchSession::FindFromDialog(const TSearchHost& host, const TSearchTerms& terms, bool fromReplaceDialog)
{
    TakeTerms(terms, fromReplaceDialog);
    // The memo may have been edited while the dialog was open: a new search reads it afresh.
    if (matchEnd_ == 0)
        StartOver(host);
    FindAndSelect(host);
    return daCloses;
}

TDialogAfter TSearchSession::FindFromFindDialog(const TSearchHost& host, const TSearchTerms& terms)
{
    return FindFromDialog(host, terms, false);
}

TDialogAfter TSearchSession::FindFromReplaceDialog(const TSearchHost& host, const TSearchTerms& terms)
{
    return FindFromDialog(host, terms, true);
}

void TSearchSession::FindNext(const TSearchHost& host)
{
    if (matchEnd_ == 0) {
        host.Notice(SFindNotSetUp);
        return;
    }
    FindAndSelect(host);
}
