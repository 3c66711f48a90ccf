// TCustomControl: a windowed control that paints itself on its own canvas.
#include "framework/controls/custom_control.h"

#include "framework/core/class_info.h"

const TClassInfo& TCustomControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomControl, TWinControl>("TCustomControl").Build();
    return info;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(new TControlCanvas)
{
    canvas_->SetControl(this);
}

TCustomControl::~TCustomControl() { delete canvas_; }

void TCustomControl::Dispatch(TMessage& m)
{
    // The control paints itself even without children (a plain windowed control leaves that to
    // its window class).
    if (m.Msg == WM_PAINT)
        PaintHandler(m);
    else
        TWinControl::Dispatch(m);
}

void TCustomControl::PaintWindow(HDC dc)
{
    // The painting context, not a cached one.
    TCanvasLoan loan(*canvas_, dc);
    Paint();
}
