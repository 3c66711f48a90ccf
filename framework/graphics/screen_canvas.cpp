// TScreenCanvas: a canvas on the screen's device context.
#include "framework/graphics/screen_canvas.h"

#include "framework/core/class_info.h"
#include "platform/gdi.h"

const TClassInfo& TScreenCanvas::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TScreenCanvas, TCanvas>("TScreenCanvas").Build();
    return info;
}

TScreenCanvas::TScreenCanvas() : dc_(platform::WindowDC(nullptr))
{
    // Without a context the canvas has none, and drawing raises the canvas error.
    SetHandle(dc_);
}

TScreenCanvas::~TScreenCanvas()
{
    SetHandle(nullptr);
    if (dc_)
        platform::ReleaseWindowDC(nullptr, dc_);
}
