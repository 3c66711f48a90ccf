// TWinControl: a control with a real window, child controls, the keyboard and the focus.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/control.h"
#include "framework/graphics/brush.h"
#include "platform/ime.h"

using TKeyEvent = TEvent<TObject*, std::uint16_t&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char&>;

// What each class fills in before its window is made.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    WNDCLASSA WindowClass{};
    char WinClassName[64] = {};
};

class TWinControl : public TControl {
    DECLARE_CLASS(TWinControl)
public:
    explicit TWinControl(TComponent* owner);
    // A control hosted in a foreign window.
    static TWinControl* CreateParented(HWND parentWindow);
    ~TWinControl() override;

    // The window, made on first use (the parent's first).
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    HWND WindowHandle() const { return handle_; }
    void HandleNeeded() { Handle(); }
    HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(HWND value);
    void CreateHandle();
    void DestroyHandle();
    // Makes the window again with fresh parameters, keeping its text and focus.
    void RecreateWnd();
    // The procedure unhandled messages go to (the window class's own).
    WNDPROC DefWndProc() const { return defWndProc_; }

    // Children: non-windowed first, then windowed, each list in z-order.
    int ControlCount() const { return static_cast<int>(controls_.size() + winControls_.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(const TControl* control) const;
    TControl* ControlAtPos(POINT pos, bool allowDisabled, bool allowWinControls = false) const;
    void InsertControl(TControl* control);
    // Puts a child above its siblings of its kind: last in its list and, windowed, its window on top.
    void MoveToFront(TControl* control);
    void RemoveControl(TControl* control);
    void Broadcast(TMessage& message);
    void NotifyControls(std::uint32_t message);

    // Tab order. A tab order read from a resource is kept aside until the parent's whole record is
    // in, since the siblings that follow it are not there yet.
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // The windowed descendants in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool value);
    TBrush* Brush() const { return brush_.get(); }
    TImeMode ImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode value) { imeMode_ = value; }
    const std::string& ImeName() const { return imeName_; }
    void SetImeName(const std::string& value) { imeName_ = value; }

    // Visible and every parent up to a form or a parent window showing.
    bool Showing() const { return showing_; }
    void UpdateShowing();
    void UpdateControlState();

    // Focus
    virtual void SetFocus();
    virtual bool CanFocus() const;
    bool Focused() const;

    // Alignment
    void DisableAlign();
    void EnableAlign();
    void Realign();
    void AlignControl(TControl* control);
    bool AlignDisabled() const { return alignLevel_ != 0; }

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    POINT ClientOrigin() const override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    void ChangeScale(int multiplier, int divider) override;
    // Scales the children only (a form scales its children after loading).
    void ScaleControls(int multiplier, int divider);
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    // Reads the record, then puts the children read with it into their stored tab order.
    void ReadState(TReader& reader) override;

    // The main handler: every message of the window arrives here and goes to WindowProc; an
    // exception goes to the application's report, and the message counts as handled.
    void MainWndProc(TMessage& message);
    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // Paints the non-windowed children (from `first` on) into `dc`.
    void PaintControls(HDC dc, TControl* first);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    // Window creation steps
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    // For destructors: destroys the window and, should that fail, unhooks it from this object.
    void DestroyWindowWhileDestroying() noexcept;
    // Builds this control on a system window class (copies its class record).
    void CreateSubClass(TCreateParams& params, const char* className);
    // Reads the window's real bounds back.
    void UpdateBounds();

    virtual void AlignControls(TControl* control, RECT& rect);
    // Fits the control around its visible children (those not filling the client area).
    void AdjustSize() override;
    // The client rectangle less any border the control reserves for itself.
    virtual void AdjustClientRect(RECT& rect) const { (void)rect; }
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    virtual void KeyUp(std::uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void PaintWindow(HDC dc);
    void PaintHandler(TMessage& m);
    // True when the key was taken by a popup menu, the form's shortcuts or the application.
    virtual bool IsMenuKey(TMessage& m);
    // Gives the focus away when the control (or one of its children) has it and goes away.
    void RemoveFocus(bool removing);

    // The form's key preview, then OnKeyDown/OnKeyUp/OnKeyPress; true when the key was taken.
    bool DoKeyDown(TMessage& m);
    bool DoKeyUp(TMessage& m);
    bool DoKeyPress(TMessage& m);

    // Message handlers
    void WMPaint(TMessage& m);
    void WMCommand(TMessage& m);
    void WMNotify(TMessage& m);
    // Scroll, owner-draw and list-key messages go to the control they concern, like commands.
    void ReflectToWindow(HWND control, TMessage& m);
    void WMMeasureItem(TMessage& m);
    void WMEraseBkgnd(TMessage& m);
    void WMWindowPosChanging(TMessage& m);
    void WMWindowPosChanged(TMessage& m);
    void WMSize(TMessage& m);
    void WMMove(TMessage& m);
    void WMSetCursor(TMessage& m);
    void WMKeyDown(TMessage& m);
    void WMKeyUp(TMessage& m);
    void WMChar(TMessage& m);
    void WMSetFocus(TMessage& m);
    void WMKillFocus(TMessage& m);
    void WMNCDestroy(TMessage& m);
    void WMContextMenu(TMessage& m);
    void WMSysCommand(TMessage& m);
    void CNKeyDown(TMessage& m);
    void CNKeyUp(TMessage& m);
    void CNChar(TMessage& m);
    void CNSysKeyDown(TMessage& m);
    void CNSysChar(TMessage& m);
    void CMEnter(TMessage& m);
    void CMExit(TMessage& m);
    void CMVisibleChanged(TMessage& m);
    void CMEnabledChanged(TMessage& m);
    void CMColorChanged(TMessage& m);
    void CMFontChanged(TMessage& m);
    void CMShowingChanged(TMessage& m);
    void CMRecreateWnd(TMessage& m);
    void CMInvalidate(TMessage& m);
    void CMChildKey(TMessage& m);
    void CMCtl3DChanged(TMessage& m);
    void CMParentCtl3DChanged(TMessage& m);

    HWND handle_ = nullptr;
    HWND parentWindow_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    bool showing_ = false;

private:
    friend LRESULT CALLBACK InitWndProc(HWND, UINT, WPARAM, LPARAM);
    void AttachHandle(HWND window);
    bool IsControlMouseMsg(TMessage& m);
    bool DoControlMsg(HWND control, TMessage& m);
    HWND PrecedingWindow(const TWinControl* control) const;
    void InsertTab(TWinControl* control);
    void MoveInTabList(int value);
    void FixupTabList();
    void DoAlign(TAlign align, TControl* control, RECT& rect);
    void PlaceByAnchors(TControl* control, TAlign align, const RECT& client);
    void ImeEnter();
    void ImeExit();

    std::vector<TControl*> controls_;        // non-windowed children
    std::vector<TWinControl*> winControls_;  // windowed children
    std::vector<TWinControl*> tabList_;
    int storedTabOrder_ = -1;  // read from a resource, applied once the parent's record is in
    bool tabStop_ = false;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    std::unique_ptr<TBrush> brush_;
    int alignLevel_ = 0;
    TImeMode imeMode_ = imDontCare;
    std::string imeName_;
    HIMC savedImeContext_ = nullptr;
};
