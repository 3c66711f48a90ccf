// TCustomMemo and TMemo: the multi-line edit that holds the editor's document. Lines wrap or scroll,
// Enter and Tab go into the text as told, and the line list reads and writes the window's lines.
#pragma once

#include <memory>

#include "framework/controls/custom_edit.h"
#include "framework/core/strings.h"

class TMemoStrings;

class TCustomMemo : public TCustomEdit {
    DECLARE_CLASS(TCustomMemo)
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    // The text as lines; assigning a list copies its lines.
    TStrings* Lines() const;
    void SetLines(TStrings* value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    // Switching wrapping on raises EInvalidOperation, and keeps it off, for a text the wrapping window
    // could not take.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    // Both at once, re-creating the window once when either changes (a switch of the wrapping mode
    // lays the whole text out again).
    void SetWordWrapAndScrollBars(bool wordWrap, TScrollStyle scrollBars);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }

    // What the form resource's lines put into the memo does not count as a change.
    void Loaded() override;
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void KeyPress(char& key) override;
    bool WrapsLines() const override { return wordWrap_; }

private:
    void WMGetDlgCode(TMessage& m);

    std::unique_ptr<TMemoStrings> lines_;
    TAlignment alignment_ = taLeftJustify;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
};

// The memo of form resources: publishes its properties.
class TMemo : public TCustomMemo {
    DECLARE_CLASS(TMemo)
public:
    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};
