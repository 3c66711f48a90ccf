// TCustomEdit: a control over the system's edit window. Its window styles, the text and the modified
// flag (kept while the window is re-created), the selection, read-only and length limit, undo and the
// clipboard, and the change event. Positions and lengths are bytes of the ANSI code page; where the
// platform's edit window keeps UTF-16 and counts characters, a bridge makes it answer so.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "framework/controls/form.h"
#include "framework/controls/win_control.h"
#include "framework/controls/window_bevel.h"

class TEditBridge;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
const TTypeInfo& TypeInfoFor(TEditCharCase*);

// An edit's frame: bsNone or bsSingle.
using TBorderStyle = TFormBorderStyle;

class TCustomEdit : public TWinControl {
    DECLARE_CLASS(TCustomEdit)
public:
    explicit TCustomEdit(TComponent* owner);
    ~TCustomEdit() override;

    // Writing the text: nothing when it is equal; EInvalidOperation when the window refuses it, which
    // keeps its text.
    void SetText(const std::string& value);
    // EM_GETMODIFY while the window exists, else the flag kept for the next window.
    bool TextModified() const;
    void SetTextModified(bool value);
    // A count that moves on whenever the text may have changed (a key typed, a replacement, a new
    // text, the window made again), never otherwise: whoever keeps a copy of the text reads it again
    // only when this moved.
    std::uint32_t TextRevision() const { return textRevision_; }

    // The selection in bytes. Writing the start collapses the selection there; writing the length
    // selects from the start and scrolls the caret into view.
    int SelectionStart() const;
    void SetSelectionStart(int value);
    int SelectionLength() const;
    void SetSelectionLength(int value);
    // Selects [start, start + length) without scrolling it into view: for a replacement, which
    // scrolls to where it ends (scrolling first can cost the window as much as the replacement).
    void SelectRange(int start, int length);
    std::string SelectedText() const;
    // Replaces the selection; the replacement cannot be undone.
    void SetSelectedText(const std::string& value);

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool value);
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    // Select the whole text when a single-line edit is entered other than by a click.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }

    // Bevels around the window, between the system's frame and the text (none unless a kind is set).
    TBevelKind BevelKind() const { return bevel_.Kind; }
    void SetBevelKind(TBevelKind value);
    TBevelCut BevelInner() const { return bevel_.Inner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevel_.Outer; }
    void SetBevelOuter(TBevelCut value);
    TBevelEdges BevelEdges() const { return bevel_.Edges; }
    void SetBevelEdges(TBevelEdges value);
    int BevelWidth() const { return bevel_.Width; }
    void SetBevelWidth(int value);

    void UndoEdit();
    void CutSelection();
    void CopySelectedText();
    void PasteClipboard();
    void SelectAllText();
    void Clear();

    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void DestroyWnd() override;
    // Fits the height to the font (auto size, single frame).
    void AdjustSize() override;
    virtual void Change();
    // Whether the window wraps long lines at its right edge.
    virtual bool WrapsLines() const { return false; }
    // Whether the platform's edit window (wrapping lines as told) takes `text` without crashing or
    // freezing; the check raises EInvalidOperation when it does not.
    static bool WindowTakes(std::string_view text, bool wraps);
    static void CheckWindowTakes(std::string_view text, bool wraps);
    // True while the window is being made: its change notifications are ignored.
    bool Creating() const { return creating_; }

private:
    // While the window could not take the text back: the text is read from the memo's kept copy,
    // and a text the window takes ends that. True when answered.
    bool AnswerFromKeptText(TMessage& m);
    void CNCommand(TMessage& m);
    void CMTextChanged(TMessage& m);
    void CMEnter(TMessage& m);
    void WMContextMenu(TMessage& m);
    void WMSetFont(TMessage& m);
    void WMNCCalcSize(TMessage& m);
    void WMNCPaint(TMessage& m);
    // The bevels changed: the window lays out and draws its frame again.
    void BevelChanged();
    // Sends an edit message to the window, making it first.
    std::intptr_t SendEdit(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) const;
    void SelectionRange(int& start, int& end) const;

    int maxLength_ = 0;
    TBorderStyle borderStyle_ = bsSingle;
    char passwordChar_ = 0;
    bool readOnly_ = false;
    bool autoSelect_ = true;
    bool hideSelection_ = true;
    bool oemConvert_ = false;
    TEditCharCase charCase_ = ecNormal;
    TWindowBevel bevel_;
    bool creating_ = false;
    std::uint32_t textRevision_ = 0;
    bool savedModified_ = false;
    // The text kept while there was no window, on its way to the new one; or the text the new window
    // refused (textRefused_).
    std::string keptText_;
    bool textRefused_ = false;
    std::unique_ptr<TEditBridge> bridge_;
};
