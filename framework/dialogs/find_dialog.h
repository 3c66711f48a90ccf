// TFindDialog and TReplaceDialog: the system's modeless find and replace dialogs. Execute shows the
// dialog and returns at once; each button pressed later arrives as OnFind or OnReplace, with
// Options rebuilt from the dialog's state first.
#pragma once

#include <string>

#include "framework/controls/win_control.h"
#include "framework/core/set.h"
#include "framework/core/type_info.h"
#include "framework/dialogs/common_dialog.h"
#include "platform/common_dialogs.h"

enum TFindOption {
    frDown,
    frFindNext,
    frHideMatchCase,
    frHideWholeWord,
    frHideUpDown,
    frMatchCase,
    frDisableMatchCase,
    frDisableUpDown,
    frDisableWholeWord,
    frReplace,
    frReplaceAll,
    frWholeWord,
    frShowHelp
};
using TFindOptions = TSet<TFindOption>;
const TTypeInfo& TypeInfoFor(TFindOption*);

class TFindDialog;

// The invisible owner window of an open find dialog: it receives the dialog's "commdlg_FindReplace"
// messages and hands them to the dialog. Owned by the thread's first form; frees itself on release.
class TRedirectorWindow : public TWinControl {
    DECLARE_CLASS(TRedirectorWindow)
public:
    TRedirectorWindow(TFindDialog* dialog, HWND formWindow);
    // The dialog is gone: messages are no longer handed on.
    void DialogGone() { dialog_ = nullptr; }

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    TFindDialog* dialog_;
    HWND formWindow_;
};

class TFindDialog : public TCommonDialog {
    DECLARE_CLASS(TFindDialog)
public:
    explicit TFindDialog(TComponent* owner);
    ~TFindDialog() override;

    // Shows the dialog, or brings the open one to the top; false when the system could not make it.
    bool Execute() override;
    // Posts WM_CLOSE to the open dialog; the closing completes through the message loop.
    void CloseDialog();

    TFindOptions Options() const { return options_; }
    void SetOptions(TFindOptions value) { options_ = value; }
    // At most 255 bytes, cut at a character boundary.
    std::string FindText() const;
    void SetFindText(const std::string& value);
    std::string ReplaceText() const;
    void SetReplaceText(const std::string& value);
    // Screen position of the open dialog, else where it was when last closed ((-1, -1) before).
    POINT DialogPos() const;
    // The open dialog window, else null.
    HWND DialogHandle() const { return findHandle_; }

    TNotifyEvent OnFind;
    TNotifyEvent OnReplace;  // published by TReplaceDialog

protected:
    friend class TRedirectorWindow;
    // FindTextA here, ReplaceTextA for the replace dialog.
    virtual HWND CreateSystemDialog(FINDREPLACEA& record);
    bool MessageHook(TMessage& message) override;
    void WndProc(TMessage& message) override;
    virtual void DoFind();
    virtual void DoReplace();

private:
    static UINT_PTR CALLBACK FindReplaceHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FindReplaceWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static HWND FirstFormWindow();
    void ReleaseRedirector();
    // The find and replacement texts taken from the open dialog's fields.
    void TakeFieldTexts();

    TFindOptions options_{frDown};
    POINT position_{-1, -1};
    TRedirectorWindow* redirector_ = nullptr;
    HWND findHandle_ = nullptr;
    FINDREPLACEA record_{};
    char findText_[256] = {};
    char replaceText_[256] = {};
};

class TReplaceDialog : public TFindDialog {
    DECLARE_CLASS(TReplaceDialog)
public:
    explicit TReplaceDialog(TComponent* owner) : TFindDialog(owner) {}

protected:
    HWND CreateSystemDialog(FINDREPLACEA& record) override;
};
