// TScrollingWinControl and its TControlScrollBar: a windowed control whose children can lie beyond
// its client area, with the window's own scroll bars to bring them in. With AutoScroll on, each
// bar's range follows the extent of the children; scrolling moves the children.
#pragma once

#include "framework/controls/win_control.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
const TTypeInfo& TypeInfoFor(TScrollBarKind*);

class TScrollingWinControl;

// One of the two scroll bars of a scrolling control. Range is the size of the scrolled content in
// pixels; the bar shows while it is visible and the range exceeds the client area. Position is how
// far the content is scrolled, from 0 to range − client size.
class TControlScrollBar : public TPersistent {
    DECLARE_CLASS(TControlScrollBar)
public:
    TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind);
    void Assign(const TPersistent* source) override;

    TScrollBarKind Kind() const { return kind_; }
    int Range() const { return range_; }
    void SetRange(int value);
    int Position() const { return position_; }
    // Scrolls the children by the difference; kept within 0 and the largest position.
    void SetPosition(int value);
    // Pixels per click on an arrow, and per line of a turn of the mouse wheel.
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value > 0 ? value : 1; }
    // Room left after the farthest child when the range is computed.
    int Margin() const { return margin_; }
    void SetMargin(int value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // Whether dragging the scroll box scrolls at once, or only when it is let go.
    bool Tracking() const { return tracking_; }
    void SetTracking(bool value) { tracking_ = value; }
    // The bar is shown now.
    bool IsScrollBarVisible() const;
    // The client size along the bar, and the largest position it allows.
    int ClientSize() const;
    int MaxPosition() const;

private:
    friend class TScrollingWinControl;
    // Answers one WM_HSCROLL or WM_VSCROLL of the window's own bar.
    void ScrollMessage(int code, int thumbPosition);
    // Brings the range and position to the window's bar.
    void Update();
    // The range set from the children, which unlike a set range does not turn AutoScroll off.
    void SetCalculatedRange(int value);

    TScrollingWinControl* control_;
    TScrollBarKind kind_;
    int range_ = 0;
    int position_ = 0;
    int increment_ = 8;
    int margin_ = 0;
    bool visible_ = true;
    bool tracking_ = false;
};

class TScrollingWinControl : public TWinControl {
    DECLARE_CLASS(TScrollingWinControl)
public:
    explicit TScrollingWinControl(TComponent* owner);
    ~TScrollingWinControl() override;

    TControlScrollBar* HorzScrollBar() const { return horzScrollBar_.get(); }
    void SetHorzScrollBar(TControlScrollBar* value) { horzScrollBar_->Assign(value); }
    TControlScrollBar* VertScrollBar() const { return vertScrollBar_.get(); }
    void SetVertScrollBar(TControlScrollBar* value) { vertScrollBar_->Assign(value); }
    // The ranges follow the children's extent; setting a range by hand turns it off.
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value);

    // Moves every child by `deltaX`, `deltaY` and repaints the client area.
    void ScrollBy(int deltaX, int deltaY);
    // Scrolls so that `control`, a descendant, lies inside the client area (as much as fits).
    void ScrollInView(TControl* control);
    // Scales the ranges set by hand by `multiplier` / `divider` (a form being scaled at load).
    void ScaleScrollBars(int multiplier, int divider);
    // Recomputes the ranges from the children (AutoScroll) and brings both bars up to date.
    void UpdateScrollBars();

    void Dispatch(TMessage& message) override;

protected:
    void CreateWnd() override;
    void AlignControls(TControl* control, RECT& rect) override;
    // Aligned children are placed in the scrolled content, not the visible client area.
    void AdjustClientRect(RECT& rect) const override;
    bool DoMouseWheel(TShiftState shift, int delta, POINT mousePos) override;

private:
    friend class TControlScrollBar;
    void CalcAutoRange();
    void WMScroll(TMessage& m);

    std::unique_ptr<TControlScrollBar> horzScrollBar_;
    std::unique_ptr<TControlScrollBar> vertScrollBar_;
    bool autoScroll_ = true;
    bool updatingScrollBars_ = false;
};
