// TCustomForm and TForm: a top-level window built from its form resource and scaled to the screen.
// It is shown, hidden, shown modally and closed with its close actions, keeps its active control and
// carries out the focus changes of its controls (OnEnter/OnExit), moves the focus on dialog keys,
// previews keys and updates its actions at idle.
#pragma once

#include <memory>
#include <string>

#include "framework/controls/control_canvas.h"
#include "framework/controls/scrolling_win_control.h"
#include "framework/graphics/picture.h"

class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const TTypeInfo& TypeInfoFor(TFormBorderStyle*);

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
const TTypeInfo& TypeInfoFor(TBorderIcon*);

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
const TTypeInfo& TypeInfoFor(TWindowState*);

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
const TTypeInfo& TypeInfoFor(TFormStyle*);

// Where a form is placed when it is first shown; it becomes poDesigned afterwards.
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
const TTypeInfo& TypeInfoFor(TPosition*);

// The monitor a form moves to when it becomes visible.
enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
const TTypeInfo& TypeInfoFor(TDefaultMonitor*);

enum TPrintScale { poNone, poProportional, poPrintToFit };
const TTypeInfo& TypeInfoFor(TPrintScale*);

// What a form is going through, one flag each.
enum TFormStateElement {
    fsCreating,         // inside the resource load
    fsVisible,          // a Visible set during creation, applied after it
    fsShowing,          // inside OnShow or OnHide
    fsModal,            // inside the modal loop
    fsCreatedMDIChild,  // its window was made as an MDI child
    fsActivated         // an activation arrived while the form was being read
};
using TFormState = TSet<TFormStateElement>;

enum TCloseAction { caNone, caHide, caFree, caMinimize };

// The answer of a modal form: non-zero ends its modal loop.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;
using TShortCutEvent = TEvent<TMessage&, bool&>;

// Picks the constructor that builds a form in code, without a resource (message dialogs do).
struct TNoResource {};
inline constexpr TNoResource NoResource{};

class TCustomForm : public TScrollingWinControl {
    DECLARE_CLASS(TCustomForm)
public:
    // A form of a class below TForm reads the resources of its class chain once it is whole: make it
    // with TApplication::CreateAppForm or CreateComponent, which run that step (AfterConstruction).
    explicit TCustomForm(TComponent* owner);
    TCustomForm(TComponent* owner, TNoResource);
    ~TCustomForm() override;

    // Reads the form's resources, then fires OnCreate by OldCreateOrder and shows the form when the
    // resource asked for it. No resource for the class raises EResNotFound naming the class.
    void AfterConstruction() override;
    // Hides the form and fires OnDestroy (when OldCreateOrder is false) while it is still whole.
    void BeforeDestruction() override;

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
    // Gives the form the focus; a form that is not active and hidden or disabled raises.
    void FocusForm() { SetFocus(); }
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
    void SetFormStyle(TFormStyle value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TDefaultMonitor DefaultMonitor() const { return defaultMonitor_; }
    void SetDefaultMonitor(TDefaultMonitor value) { defaultMonitor_ = value; }
    TPrintScale PrintScale() const { return printScale_; }
    void SetPrintScale(TPrintScale value) { printScale_ = value; }
    // The MDI client window of an MDI frame (none: this framework makes no MDI frames).
    HWND ClientHandle() const { return nullptr; }
    TFormState FormState() const { return formState_; }

    // Design resolution and text height; 0 pixels per inch turns scaling at load time off.
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
    bool Scaled() const { return pixelsPerInch_ != 0; }
    void SetScaled(bool value);
    int TextHeight() const { return textHeight_; }
    void SetTextHeight(int value) { textHeight_ = value; }
    bool OldCreateOrder() const { return oldCreateOrder_; }
    void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }
    // While the form is read, the client size is kept aside and applied after scaling.
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    // Without a window the client area is what the frame of the window to be made leaves.
    RECT ClientRect() const override;

    // The window's icon; empty means the application's.
    TIcon* Icon() const { return icon_.get(); }
    void SetIcon(TIcon* value);
    // Draws in the form's window; inside OnPaint it holds the painting context.
    TCanvas* Canvas() const { return canvas_.get(); }

    // During creation Visible only records the wish; inside OnShow/OnHide a change raises.
    void SetVisible(bool value) override;
    void ShowForm();
    // Hides the form; a visible MDI child raises.
    void HideForm();
    // Shows the form and runs a nested loop until ModalResult is non-zero; a visible, disabled,
    // modal or MDI child form raises.
    TModalResult ShowFormModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    // The close protocol: OnCloseQuery, OnClose, then hide, minimise, free or end the application.
    void CloseForm();
    bool QueryClose();
    // Frees the form from the message loop, after the current handler returned.
    void ReleaseForm();

    // The window's menu bar, attached while the window exists (a bsDialog form shows none).
    // EInvalidOperation "メニュー '%s' は既に他のフォームで使われています" for a menu of another form.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* value);
    // Alt and a letter in a form without a menu bar of its own: forwarded to the application window,
    // which opens the primary form's menu. True when that took it.
    bool ForwardKeyMenu(TMessage& message);
    void Notification(TComponent* component, TOperation operation) override;

    // The child-key hook of the form (it takes none).
    virtual bool WantChildKey(TControl* child, TMessage& message);
    // OnShortCut; the main menu and the action lists of the form join here.
    virtual bool IsShortCut(TMessage& message);
    // Asks the active control to leave any mouse mode (a mouse press on `sender` began).
    void SendCancelMode(TControl* sender);
    // Lets the form's actions, and those of its showing controls, update.
    virtual void UpdateActions();

    void Loaded() override;
    void ReadState(TReader& reader) override;
    void DefineProperties(TFiler& filer) override;
    void Dispatch(TMessage& message) override;
    void WndProc(TMessage& message) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

protected:
    friend class TWinControl;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void PaintWindow(HDC dc) override;
    // Reads the resources of the class chain into the form; false when there is none.
    virtual bool ReadFormResources();
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);

private:
    void InitForm();
    void SendIcon();
    void IconChanged(TObject* sender);
    void ScaleAfterReading(int fontHeightBefore);
    void PlaceByPosition();
    void MoveToDefaultMonitor();
    void HideWindow();
    void CloseModal();
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
    void WMNextDlgCtl(TMessage& m);
    void WMQueryEndSession(TMessage& m);
    void WMSysCommand(TMessage& m);
    void WMSize(TMessage& m);
    void WMWindowPosChanging(TMessage& m);
    // The menu plumbing (form_menu.cpp): menu commands, drop-downs, menu characters and selections
    // reach the menu; the bar is attached to the window and follows the menu's changes.
    bool DispatchMenuMessage(TMessage& m);
    void AttachMenu();
    // An active form other than the primary one shows its menu's groups in the primary form's bar
    // when its menu asks for it (AutoMerge); `merge` false takes them out again.
    void MergeMenuIntoPrimary(bool merge);
    // The main menu's shortcuts, then those of every action list the form owns.
    bool MenuShortCut(TMessage& m);
    // Lets the visible items of the menu bar update from their actions.
    void UpdateMenuActions();
    // Sends a focus message to `control`; false when a handler moved the focus meanwhile.
    bool SendFocusMessage(TWinControl* control, std::uint32_t message);

    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    bool active_ = false;
    bool keyPreview_ = false;
    bool readsResource_ = true;
    bool unfinished_ = false;    // AfterConstruction failed before the form was whole
    bool preDestroyed_ = false;  // BeforeDestruction ran
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TWindowState windowState_ = wsNormal;
    TFormStyle formStyle_ = fsNormal;
    TPosition position_ = poDesigned;
    TDefaultMonitor defaultMonitor_ = dmActiveForm;
    TPrintScale printScale_ = poProportional;
    TFormState formState_;
    TModalResult modalResult_ = mrNone;
    int pixelsPerInch_;
    int textHeight_ = 0;
    int storedClientWidth_ = 0;
    int storedClientHeight_ = 0;
    bool oldCreateOrder_ = false;
    TMainMenu* menu_ = nullptr;
    std::unique_ptr<TIcon> icon_ = std::make_unique<TIcon>();
    std::unique_ptr<TControlCanvas> canvas_ = std::make_unique<TControlCanvas>();
};

class TForm : public TCustomForm {
    DECLARE_CLASS(TForm)
public:
    explicit TForm(TComponent* owner);
    TForm(TComponent* owner, TNoResource);
};

// Raised by a focus change each time it starts, so that a change can tell whether a handler
// started another one meanwhile.
extern int FocusCount;
