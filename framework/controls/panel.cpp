// TCustomPanel and TPanel: window parameters, bevels and border, the caption and the client area.
#include "framework/controls/panel.h"

#include "framework/core/class_info.h"
#include "platform/gdi.h"
#include "platform/screen.h"

const TClassInfo& TCustomPanel::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomPanel, TCustomControl>("TCustomPanel").Build();
    return info;
}

const TClassInfo& TPanel::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPanel, TCustomPanel>("TPanel")
            .Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment)
            .Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner)
            .Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter)
            .Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
            .Property("BorderStyle", &TPanel::BorderStyle, &TPanel::SetBorderStyle)
            .Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth)
            .Property("Caption", &TPanel::Caption, &TPanel::SetCaption)
            .Property("FullRepaint", &TPanel::FullRepaint, &TPanel::SetFullRepaint)
            .Build();
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks};
    SetBounds(left_, top_, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    if (borderStyle_ == bsSingle) {
        bool newStyle = (platform::SystemVersion() & 0xFF) > 3;
        if (newStyle && Ctl3D())
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
    // The panel repaints itself on resizing (FullRepaint), not its window class.
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

// ---- Properties ----

void TCustomPanel::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel value)
{
    if (value == bevelInner_)
        return;
    bevelInner_ = value;
    FrameChanged();
}

void TCustomPanel::SetBevelOuter(TPanelBevel value)
{
    if (value == bevelOuter_)
        return;
    bevelOuter_ = value;
    FrameChanged();
}

void TCustomPanel::SetBevelWidth(int value)
{
    if (value == bevelWidth_)
        return;
    bevelWidth_ = value;
    FrameChanged();
}

void TCustomPanel::SetBorderWidth(int value)
{
    if (value == borderWidth_)
        return;
    borderWidth_ = value;
    FrameChanged();
}

void TCustomPanel::SetBorderStyle(TFormBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

// The children move in or out with the frame.
void TCustomPanel::FrameChanged()
{
    Realign();
    Invalidate();
}

int TCustomPanel::FrameWidth() const
{
    int width = borderWidth_;
    if (bevelOuter_ != bvNone)
        width += bevelWidth_;
    if (bevelInner_ != bvNone)
        width += bevelWidth_;
    return width;
}

void TCustomPanel::AdjustClientRect(RECT& rect) const
{
    int frame = FrameWidth();
    rect = {rect.left + frame, rect.top + frame, rect.right - frame, rect.bottom - frame};
}

// ---- Painting ----

namespace {

// A three-dimensional frame of `width` pixels just inside `rect`, light at the top and left and dark
// at the bottom and right; `rect` shrinks by the frame.
void Frame3D(TCanvas& canvas, RECT& rect, TColor topLeft, TColor bottomRight, int width)
{
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetStyle(psSolid);
    for (; width > 0; --width) {
        int right = rect.right - 1, bottom = rect.bottom - 1;
        canvas.Pen()->SetColor(topLeft);
        canvas.Polyline({{rect.left, bottom}, {rect.left, rect.top}, {right, rect.top}});
        canvas.Pen()->SetColor(bottomRight);
        canvas.Polyline({{right, rect.top}, {right, bottom}, {rect.left - 1, bottom}});
        rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
}

void Bevel(TCanvas& canvas, RECT& rect, TPanelBevel bevel, TColor panelColor, int width)
{
    switch (bevel) {
    case bvNone: break;
    case bvRaised: Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, width); break;
    case bvLowered: Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, width); break;
    case bvSpace: Frame3D(canvas, rect, panelColor, panelColor, width); break;
    }
}

}  // namespace

void TCustomPanel::Paint()
{
    TCanvas& canvas = *Canvas();
    RECT rect = ClientRect();
    Bevel(canvas, rect, bevelOuter_, Color(), bevelWidth_);
    Frame3D(canvas, rect, Color(), Color(), borderWidth_);
    Bevel(canvas, rect, bevelInner_, Color(), bevelWidth_);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(rect);

    std::string caption = Caption();
    if (caption.empty())
        return;
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetFont(Font());
    int textHeight = canvas.TextHeight("W");
    rect.top = (rect.top + rect.bottom - textHeight) / 2;
    rect.bottom = rect.top + textHeight;
    static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT format = DrawTextBiDiModeFlags(DT_EXPANDTABS | DT_VCENTER | alignments[alignment_]);
    platform::DrawText(canvas.Handle(), caption, rect, format);
}

void TCustomPanel::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CMSG_TEXTCHANGED:
        TCustomControl::Dispatch(m);
        Invalidate();
        break;
    case CMSG_CTL3DCHANGED:
        TCustomControl::Dispatch(m);
        if (borderStyle_ == bsSingle)
            RecreateWnd();
        break;
    case WM_SIZE:
        TCustomControl::Dispatch(m);
        if (fullRepaint_)
            Invalidate();
        break;
    default: TCustomControl::Dispatch(m); break;
    }
}
