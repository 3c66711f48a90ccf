// TGraphicControl: a control without a window of its own.
#include "framework/controls/graphic_control.h"

#include "framework/core/class_info.h"

const TClassInfo& TGraphicControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TGraphicControl, TControl>("TGraphicControl").Build();
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

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
    paintDC_ = dc;
    try {
        Paint();
    } catch (...) {
        paintDC_ = nullptr;
        throw;
    }
    paintDC_ = nullptr;
}
