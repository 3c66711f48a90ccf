// TCustomPanel and TPanel: a windowed control that draws an outer and an inner bevel, a border in
// its colour between them, and its caption centred vertically; children sit inside the bevels.
#pragma once

#include "framework/controls/custom_control.h"
#include "framework/controls/form.h"

class TCustomPanel : public TCustomControl {
    DECLARE_CLASS(TCustomPanel)
public:
    explicit TCustomPanel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel value);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    // A frame in the panel's colour between the two bevels.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    // bsSingle gives the window a border (a sunken client edge in the three-dimensional look).
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    // The whole panel is painted again after every change of its size.
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { fullRepaint_ = value; }

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    // Less the border and each bevel that is drawn.
    void AdjustClientRect(RECT& rect) const override;
    void Paint() override;

private:
    // The space the border and the bevels take from each edge.
    int FrameWidth() const;
    void FrameChanged();

    TAlignment alignment_ = taCenter;
    TPanelBevel bevelInner_ = bvNone;
    TPanelBevel bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TFormBorderStyle borderStyle_ = bsNone;
    bool fullRepaint_ = true;
};

class TPanel : public TCustomPanel {
    DECLARE_CLASS(TPanel)
public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};
