// TControl: the base of everything visible. Bounds, alignment, font and colour, text, visibility,
// and the translation of window messages into OnClick, OnMouseDown and the other events.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/controls/control_types.h"
#include "framework/controls/drag.h"
#include "framework/controls/messages.h"
#include "framework/core/action.h"
#include "framework/core/component.h"
#include "framework/core/event.h"
#include "framework/graphics/color.h"
#include "framework/graphics/font.h"
#include "framework/menus/actions.h"
#include "platform/win32.h"

class TWinControl;
class TCustomForm;
class TControl;
class TPopupMenu;

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
using TWndMethod = TEvent<TMessage&>;

// Connects a control to its action: the control follows the action's caption, enabled state,
// hint, visibility and help context while they agree, and the action executes when it is clicked.
class TControlActionLink : public TActionLink {
    DECLARE_CLASS(TControlActionLink)
public:
    explicit TControlActionLink(TControl* client);

    bool IsCaptionLinked() override;
    bool IsEnabledLinked() override;
    bool IsHelpContextLinked() override;
    bool IsHintLinked() override;
    bool IsVisibleLinked() override;
    bool IsOnExecuteLinked() override;
    void SetCaption(const std::string& value) override;
    void SetEnabled(bool value) override;
    void SetHelpContext(int value) override;
    void SetHint(const std::string& value) override;
    void SetVisible(bool value) override;
    void SetOnExecute(const TNotifyEvent& value) override;

private:
    TControl* client_;
};

class TControl : public TComponent {
    DECLARE_CLASS(TControl)
    friend class TWinControl;

public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // The tree
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    // Puts the control above its siblings of its kind (windowed or not).
    void BringToFront();
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    // Bounds, relative to the parent's client area
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);
    // One call moves and sizes; the property setters call it.
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
    virtual RECT ClientRect() const;
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    // The client area's origin in screen coordinates.
    virtual POINT ClientOrigin() const;
    POINT ScreenToClient(POINT point) const;
    POINT ClientToScreen(POINT point) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors value);
    // A control that auto-sizes fits itself to its content (a windowed one: to its children).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TSizeConstraints* Constraints() const { return constraints_.get(); }
    void SetConstraints(TSizeConstraints* value) { constraints_->Assign(value); }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    void Show();
    void Hide();
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* value) { font_->Assign(value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool value);
    // True when the system reads right to left and the control asks for it.
    bool UseRightToLeftReading() const;
    // True when the system reads right to left and the control aligns that way too.
    bool UseRightToLeftAlignment() const;
    // DrawText flags for this control's reading order: left and right swapped for a right-to-left
    // alignment, DT_RTLREADING for right-to-left reading.
    UINT DrawTextBiDiModeFlags(UINT flags) const;

    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode value) { dragMode_ = value; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }

    // Dragging (drag.h). BeginDrag starts a drag of this control at once (a press on a control with
    // automatic drag calls it); EndDrag ends it, dropping it on the control under the cursor when
    // `drop` is true and that control accepted it.
    void BeginDrag();
    void EndDrag(bool drop);
    bool Dragging() const;
    // The drag's steps on the control under the cursor and on the control dragged.
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);
    virtual void DoEndDrag(TObject* target, int x, int y);

    // The text: kept in the control while it has no window, in the window afterwards.
    std::string Text() const;
    void SetText(const std::string& value);
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& value) { SetText(value); }
    int TextLength() const;

    TBasicAction* Action() const;
    void SetAction(TBasicAction* action);
    // The context menu shown on WM_CONTEXTMENU; its shortcuts work while the control has the focus.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* value);
    TControlActionLink* ActionLink() const { return actionLink_.get(); }
    // Lets the linked action update this control.
    virtual void InitiateAction();

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState value) { controlState_ = value; }
    TScalingFlags ScalingFlags() const { return scalingFlags_; }

    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // Builds a message record and passes it to the window procedure directly (no queue).
    std::intptr_t PerformMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

    // Painting requests
    virtual void Invalidate();
    virtual void Update();  // NOLINT(bugprone-virtual-near-miss): repaints now; not TComponent::Updated
    virtual void Repaint();

    // Scaling by new/old (called by forms after loading).
    virtual void ChangeScale(int multiplier, int divider);
    // Asks the parent to realign (with this control as the cause).
    virtual void RequestAlign();
    // Remembers the distances and proportions its anchors keep.
    void UpdateAnchorRules();

    void SetName(const std::string& newName) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    // Reads the control's record; while it lasts the control is in the reading state, and what the
    // record sets is remembered for scaling.
    void ReadState(TReader& reader) override;

    // The replaceable window procedure; initially WndProc.
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& message);
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnResize;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;

protected:
    // Overridable steps
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Resize();
    virtual void VisibleChanging() {}
    virtual void AdjustSize() {}
    virtual bool DoMouseWheel(TShiftState shift, int delta, POINT mousePos);
    virtual void ActionChange(TObject* sender, bool checkDefaults);

    void InvalidateControl(bool isVisible, bool isOpaque);
    void SendCancelMode(TControl* sender);

    // Message handlers
    void WMLButtonDown(TMessage& m);
    void WMLButtonDblClk(TMessage& m);
    void WMLButtonUp(TMessage& m);
    void WMRButtonDown(TMessage& m);
    void WMRButtonDblClk(TMessage& m);
    void WMRButtonUp(TMessage& m);
    void WMMButtonDown(TMessage& m);
    void WMMButtonDblClk(TMessage& m);
    void WMMButtonUp(TMessage& m);
    void WMNCLButtonDown(TMessage& m);
    void WMMouseMove(TMessage& m);
    void WMMouseWheel(TMessage& m);
    void WMCancelMode(TMessage& m);
    void WMWindowPosChanged(TMessage& m);
    void WMContextMenu(TMessage& m);
    void CMHintShow(TMessage& m);
    void CMVisibleChanged(TMessage& m);
    void CMEnabledChanged(TMessage& m);
    void CMColorChanged(TMessage& m);
    void CMFontChanged(TMessage& m);
    void CMParentColorChanged(TMessage& m);
    void CMParentFontChanged(TMessage& m);
    void CMParentShowHintChanged(TMessage& m);
    void CMParentBiDiModeChanged(TMessage& m);

    // The parent's values taken over when the control uses them.
    void TakeOverParentValues();
    void FontChanged(TObject* sender);

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState controlState_;
    TScalingFlags scalingFlags_;
    std::string text_;
    POINT anchorRules_{0, 0};
    POINT originalParentSize_{0, 0};
    bool anchorMove_ = false;

private:
    void DoMouseDown(TMessage& m, TMouseButton button, TShiftState shift);
    void DoMouseUp(TMessage& m, TMouseButton button);
    POINT MousePoint(const TMessage& m) const;
    void ConstraintsChanged(TObject* sender);

    TAlign align_ = alNone;
    bool autoSize_ = false;
    TAnchors anchors_{akLeft, akTop};
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool parentColor_ = true;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TBiDiMode biDiMode_ = bdLeftToRight;
    bool parentBiDiMode_ = true;
    std::string hint_;
    TCursor cursor_ = crDefault;
    TDragMode dragMode_ = dmManual;
    int helpContext_ = 0;
    std::unique_ptr<TSizeConstraints> constraints_;
    std::unique_ptr<TControlActionLink> actionLink_;
    TPopupMenu* popupMenu_ = nullptr;
};

// The form that holds `control` (none when it is not on a form); a form is its own.
TCustomForm* GetParentForm(const TControl* control);

// The control the mouse is captured for: a non-windowed one whose parent holds the capture, or the
// framework control of the capture window.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

// The control under a screen point: the framework window there, or a non-windowed child of it.
TControl* FindDragTarget(POINT pos, bool allowDisabled);
