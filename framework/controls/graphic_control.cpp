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
    // The parent's painting context, not a cached one: the canvas is locked so that it keeps it.
    struct PaintingOn {
        TGraphicControl& control;
        PaintingOn(TGraphicControl& c, HDC dc) : control(c)
        {
            control.canvas_->Lock();
            control.canvas_->SetHandle(dc);
            control.paintDC_ = dc;
        }
        ~PaintingOn()
        {
            control.paintDC_ = nullptr;
            control.canvas_->SetHandle(nullptr);
            control.canvas_->Unlock();
        }
    } painting(*this, dc);
    Paint();
}
