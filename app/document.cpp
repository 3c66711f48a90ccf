// TDocument: the document's name, and the reads and writes after which it changes.
#include "app/document.h"

#include "app/document_name.h"
#include "app/document_storage.h"
#include "framework/controls/memo.h"

TDocument::TDocument(TMemo& memo, View view) : memo_(memo), view_(std::move(view)) {}

bool TDocument::Modified() const { return memo_.TextModified(); }

bool TDocument::Empty() const { return memo_.TextLength() == 0; }

void TDocument::ExpectFile(const std::string& fileName)
{
    expected_ = fileName;
    ShowTitle(fileName);
}

void TDocument::Refresh()
{
    const std::string& file = expected_.empty() ? fileName_ : expected_;
    if (!file.empty() && !memo_.TextModified()) {
        LoadDocument(*memo_.Lines(), file);
        TakeName(file);
    }
    // A file that waits to be read is not yet shown: its error comes again at the next entry.
    if (expected_.empty()) {
        view_.showPath(fileName_);
        ShowTitle(fileName_);
    }
}

void TDocument::Open(const std::string& fileName)
{
    LoadDocument(*memo_.Lines(), fileName);
    memo_.SetTextModified(false);
    TakeName(fileName);
    ShowTitle(fileName_);
    view_.showPath(fileName_);
}

void TDocument::Save()
{
    SaveDocument(*memo_.Lines(), fileName_);
    memo_.SetTextModified(false);
}

void TDocument::SaveAs(const std::string& fileName)
{
    SaveDocument(*memo_.Lines(), fileName);
    TakeName(fileName);
    memo_.SetTextModified(false);
}

void TDocument::Clear()
{
    // An empty memo is left as it is, modified flag and all.
    memo_.SetText("");
    TakeName("");
    view_.showPath(fileName_);
}

void TDocument::TakeName(const std::string& fileName)
{
    fileName_ = fileName;
    expected_.clear();
}

void TDocument::ShowTitle(const std::string& fileName)
{
    title_ = FileTitle(fileName);
    view_.showTitle(title_);
}
