// TGraphicControl: a control without a window of its own.
#include "framework/controls/graphic_control.h"

#include "framework/core/class_info.h"

const TClassInfo& TGraphicControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TGraphicControl, TControl>("TGraphicControl").Build();
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(new TControlCanvas)
{
    canvas_->SetControl(this);
}

TGraphicControl::~TGraphicControl() { delete canvas_; }

void TGraphicControl::Dispatch(TMessage& m)
{
    if (m.Msg == WM_PAINT)
        WMPaint(m);
    else
        TControl::Dispatch(m);
}

void TGraphicControl::WMPaint(TMessage& m)
{
    auto dc = reinterpret_cast<HDC>(m.WParam);
    if (!dc)
        return;
    // The parent's painting context, not a cached one.
    TCanvasLoan loan(*canvas_, dc);
    paintDC_ = dc;
    struct Forget {
        HDC& dc;
        ~Forget() { dc = nullptr; }
    } forget{paintDC_};
    Paint();
}
