// TCommonDialog: the base of the wrappers around the system's common dialogs. It runs a dialog
// modally for the whole application, centres the dialog window and binds it to the object, so that
// the window's messages reach the object's own window procedure (OnShow, OnClose).
#pragma once

#include <functional>
#include <initializer_list>

#include "framework/core/component.h"
#include "framework/core/event.h"
#include "framework/core/object.h"
#include "platform/win32.h"

class TCommonDialog : public TComponent {
    DECLARE_CLASS(TCommonDialog)
public:
    explicit TCommonDialog(TComponent* owner);
    ~TCommonDialog() override;

    // Shows the dialog; true when the user confirmed it (the results are then in the properties).
    virtual bool Execute() = 0;

    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value) { ctl3D_ = value; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    // The dialog window while it is shown, else null.
    HWND Handle() const { return handle_; }

    TNotifyEvent OnClose;
    TNotifyEvent OnShow;

protected:
    // Messages of the bound dialog window. WM_INITDIALOG calls OnShow, WM_DESTROY calls OnClose
    // after the default processing, WM_NCDESTROY unbinds the window.
    virtual void WndProc(TMessage& message);
    // Messages that reach the application window while a modal dialog runs, and those the find
    // dialog's owner window receives; true when taken. Here: "commdlg_help" with a help context.
    virtual bool MessageHook(TMessage& message);
    // Calls `run` (the system function with its filled record) modally for the application: every
    // other window of the thread disabled, this dialog's message hook on the application window.
    // Afterwards, also on an exception, the floating-point state, windows and focus come back.
    virtual bool TaskModalDialog(const std::function<bool()>& run);
    // Hands the message to the window procedure that binding replaced.
    void DefaultHandler(TMessage& message) override;
    virtual void DoShow();
    virtual void DoClose();

    // The hook procedure given to every system dialog: on WM_INITDIALOG it centres the window and
    // binds it to the dialog in creation.
    static UINT_PTR CALLBACK DialogHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Marks `dialog` as the one whose window the next WM_INITDIALOG binds (one at a time).
    static void SetCreationDialog(TCommonDialog* dialog);
    // Makes `window` send its messages to the dialog in creation (the previous procedure is kept for
    // defaults), hands it the WM_INITDIALOG the system sent, and clears the creation mark.
    static void BindCreationDialog(HWND window, WPARAM wParam, LPARAM lParam);
    // True when the application's controls are drawn in the new style (the system is not older than
    // the fourth version): file dialogs then take the explorer style.
    static bool NewStyleControls();
    // Centres `window` on the monitor of the active form (or the main form, or the first monitor):
    // the middle horizontally, a third of the free height from the top.
    static void CentreWindow(HWND window);

private:
    static LRESULT CALLBACK BoundWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static TCommonDialog* TakeCreationDialog();
    void Bind(HWND window);
    void Unbind();
    void AppWindowHook(TMessage& message, bool& handled);

    bool ctl3D_ = true;
    WNDPROC defWndProc_ = nullptr;
    int helpContext_ = 0;
    HWND handle_ = nullptr;
};

// Registers dialog classes for form resources, in the class group of the controls. Each dialog's
// source file registers its own classes at start-up.
void RegisterDialogClasses(std::initializer_list<const TClassInfo*> classes);

// The registered messages of the common dialogs.
UINT HelpMessage();         // "commdlg_help"
UINT FindReplaceMessage();  // "commdlg_FindReplace"

// The dialogs' atom: the window property under which a procedure that subclasses a bound dialog
// window keeps the procedure it replaced.
ATOM DialogProcAtom();
