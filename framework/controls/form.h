// TCustomForm and TForm: a top-level window owned by the application window, which keeps its
// active control and carries out the focus changes of its controls (OnEnter/OnExit), moves the
// focus on dialog keys, previews keys, and closes (the primary form by ending the application).
#pragma once

#include <string>

#include "framework/controls/win_control.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const TTypeInfo& TypeInfoFor(TFormBorderStyle*);

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
const TTypeInfo& TypeInfoFor(TBorderIcon*);

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
const TTypeInfo& TypeInfoFor(TWindowState*);

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
const TTypeInfo& TypeInfoFor(TFormStyle*);

enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;
using TShortCutEvent = TEvent<TMessage&, bool&>;

class TCustomForm : public TWinControl {
    DECLARE_CLASS(TCustomForm)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Makes `control` the active control and gives the form the focus when it is not active.
    void FocusControl(TWinControl* control);
    // Called when `control` (or one of its children) loses the ability to keep the focus.
    void DefocusControl(TWinControl* control, bool removing);
    // The focus change a windowed control asks for when it receives the focus: OnExit and OnEnter
    // along the path, activation of the form. False when a handler moved the focus elsewhere.
    bool SetFocusedControl(TWinControl* control);
    TWinControl* FocusedControl() const { return focusedControl_; }
    bool Active() const { return active_; }
    void SetFocus() override;
    bool CanFocus() const override;

    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value);
    // Records a state without applying it to the window (a start-up show command does this).
    void StoreWindowState(TWindowState value) { windowState_ = value; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value) { formStyle_ = value; }
    // The MDI client window of an MDI frame (none: this framework makes no MDI frames yet).
    HWND ClientHandle() const { return nullptr; }

    void ShowForm();
    void HideForm();
    // The close protocol: OnCloseQuery, OnClose, then hide, minimise, free or end the application.
    void CloseForm();
    bool QueryClose();
    // Frees the form from the message loop, after the current handler returned.
    void ReleaseForm();

    // The child-key hook of the form (it takes none).
    virtual bool WantChildKey(TControl* child, TMessage& message);
    // OnShortCut; the menus and action lists of the form join here.
    virtual bool IsShortCut(TMessage& message);
    // Asks the active control to leave any mouse mode (a mouse press on `sender` began).
    void SendCancelMode(TControl* sender);
    // Lets the form's actions, and those of its showing controls, update.
    virtual void UpdateActions();

    void Dispatch(TMessage& message) override;
    void WndProc(TMessage& message) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

protected:
    friend class TWinControl;
    void CreateParams(TCreateParams& params) override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);

private:
    void SetWindowFocus();
    void SetActive(bool value);
    void CMActivate(TMessage& m);
    void CMDeactivate(TMessage& m);
    void CMDialogKey(TMessage& m);
    void CMShowingChanged(TMessage& m);
    void CMRelease(TMessage& m);
    void CMActionMessage(TMessage& m);
    void WMActivate(TMessage& m);
    void WMClose(TMessage& m);
    void WMSysCommand(TMessage& m);
    void WMSize(TMessage& m);
    // Sends a focus message to `control`; false when a handler moved the focus meanwhile.
    bool SendFocusMessage(TWinControl* control, std::uint32_t message);

    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    bool active_ = false;
    bool keyPreview_ = false;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TWindowState windowState_ = wsNormal;
    TFormStyle formStyle_ = fsNormal;
};

class TForm : public TCustomForm {
    DECLARE_CLASS(TForm)
public:
    explicit TForm(TComponent* owner);
};

// Raised by a focus change each time it starts, so that a change can tell whether a handler
// started another one meanwhile.
extern int FocusCount;
