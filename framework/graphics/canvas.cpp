// TCanvas: a device context with its font, pen and brush, selected into it on demand.
#include "framework/graphics/canvas.h"

#include <algorithm>

#include "framework/core/class_info.h"
#include "framework/core/exceptions.h"
#include "platform/gdi.h"

namespace {

// Every canvas of the process, for palette changes.
struct CanvasList {
    std::mutex lock;
    std::vector<TCanvas*> canvases;
};

// Never destroyed: canvases of global objects may outlive every other static.
CanvasList& Canvases()
{
    static CanvasList* list = new CanvasList;
    return *list;
}

}  // namespace

const TClassInfo& TCanvas::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCanvas, TPersistent>("TCanvas")
            .Property("Brush", &TCanvas::Brush, &TCanvas::SetBrush)
            .Property("CopyMode", &TCanvas::CopyMode, &TCanvas::SetCopyMode)
            .Property("Font", &TCanvas::Font, &TCanvas::SetFont)
            .Property("Pen", &TCanvas::Pen, &TCanvas::SetPen)
            .Build();
    return info;
}

TCanvas::TCanvas() : font_(new TFont), pen_(new TPen), brush_(new TBrush)
{
    font_->OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
    font_->SetOwnerLock(&lock_);
    pen_->OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
    pen_->SetOwnerLock(&lock_);
    brush_->OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
    brush_->SetOwnerLock(&lock_);
    CanvasList& list = Canvases();
    std::lock_guard<std::mutex> guard(list.lock);
    list.canvases.push_back(this);
}

TCanvas::~TCanvas()
{
    {
        CanvasList& list = Canvases();
        std::lock_guard<std::mutex> guard(list.lock);
        list.canvases.erase(std::find(list.canvases.begin(), list.canvases.end(), this));
    }
    SetHandle(nullptr);
    delete font_;
    delete pen_;
    delete brush_;
}

HDC TCanvas::Handle()
{
    Changing();
    RequiredState(csAllValid);
    return handle_;
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == handle_)
        return;
    if (handle_) {
        DeselectHandles();
        penPos_ = platform::CurrentPosition(handle_);
        handle_ = nullptr;
        state_.Exclude(csHandleValid);
    }
    if (dc) {
        state_.Include(csHandleValid);
        handle_ = dc;
        platform::MoveTo(handle_, penPos_.x, penPos_.y);
    }
}

void TCanvas::RequiredState(TCanvasState required)
{
    TCanvasState needed = required - state_;
    if (needed.Empty())
        return;
    if (needed.Contains(csHandleValid)) {
        CreateHandle();
        if (!handle_)
            throw EInvalidOperation(SNoCanvasHandle);
    }
    if (needed.Contains(csFontValid))
        SelectFont();
    if (needed.Contains(csPenValid))
        SelectPen();
    if (needed.Contains(csBrushValid))
        SelectBrush();
    state_ = state_ | needed;
}

void TCanvas::SelectFont()
{
    platform::SelectObject(handle_, font_->Handle());
    platform::SetTextColor(handle_, ColorToRGB(font_->Color()));
}

void TCanvas::SelectPen()
{
    platform::SelectObject(handle_, pen_->Handle());
    platform::SetRasterMode(handle_, pen_->RasterMode());
}

void TCanvas::SelectBrush()
{
    HBRUSH brush = brush_->Handle();
    platform::UnrealizeObject(brush);
    platform::SelectObject(handle_, brush);
    COLORREF color = ColorToRGB(brush_->Color());
    if (brush_->Style() == bsSolid) {
        platform::SetBackColor(handle_, color);
        platform::SetBackMode(handle_, OPAQUE);
    } else {
        platform::SetBackColor(handle_, ~color);
        platform::SetBackMode(handle_, TRANSPARENT);
    }
}

void TCanvas::DeselectHandles()
{
    if (!handle_ || (state_ & TCanvasState{csFontValid, csPenValid, csBrushValid}).Empty())
        return;
    platform::SelectObject(handle_, platform::StockObject(BLACK_PEN));
    platform::SelectObject(handle_, platform::StockObject(HOLLOW_BRUSH));
    platform::SelectObject(handle_, platform::StockObject(SYSTEM_FONT));
    state_ = state_ - TCanvasState{csFontValid, csPenValid, csBrushValid};
}

void TCanvas::FontChanged(TObject*)
{
    if (state_.Contains(csFontValid)) {
        state_.Exclude(csFontValid);
        platform::SelectObject(handle_, platform::StockObject(SYSTEM_FONT));
    }
}

void TCanvas::PenChanged(TObject*)
{
    if (state_.Contains(csPenValid)) {
        state_.Exclude(csPenValid);
        platform::SelectObject(handle_, platform::StockObject(BLACK_PEN));
    }
}

void TCanvas::BrushChanged(TObject*)
{
    if (state_.Contains(csBrushValid)) {
        state_.Exclude(csBrushValid);
        platform::SelectObject(handle_, platform::StockObject(HOLLOW_BRUSH));
    }
}

void TCanvas::Changing()
{
    if (OnChanging)
        OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange)
        OnChange(this);
}

POINT TCanvas::PenPos()
{
    RequiredState({csHandleValid});
    return platform::CurrentPosition(handle_);
}

void TCanvas::SetPenPos(POINT pos) { MoveTo(pos.x, pos.y); }

TCanvasOrientation TCanvas::CanvasOrientation()
{
    RequiredState({csHandleValid});
    return (platform::Layout(handle_) & LAYOUT_RTL) ? coRightToLeft : coLeftToRight;
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    if (CanvasOrientation() == coRightToLeft)
        x += TextWidth(text) + 1;
    platform::ExtTextOut(handle_, x, y, textFlags_, nullptr, text);
    MoveTo(x + TextWidth(text), y);
    Changed();
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text)
{
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    UINT options = ETO_CLIPPED | textFlags_;
    if (brush_->Style() != bsClear)
        options |= ETO_OPAQUE;
    if (CanvasOrientation() == coRightToLeft)
        x += TextWidth(text) + 1;
    platform::ExtTextOut(handle_, x, y, options, &rect, text);
    Changed();
}

SIZE TCanvas::TextExtent(const std::string& text)
{
    RequiredState({csHandleValid, csFontValid});
    SIZE size{0, 0};
    platform::TextExtent(handle_, text, size);
    return size;
}

int TCanvas::AverageCharWidth()
{
    RequiredState({csHandleValid, csFontValid});
    return platform::AverageCharWidth(handle_);
}

void TCanvas::MoveTo(int x, int y)
{
    RequiredState({csHandleValid});
    platform::MoveTo(handle_, x, y);
}

void TCanvas::LineTo(int x, int y)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    platform::LineTo(handle_, x, y);
    Changed();
}

void TCanvas::Rectangle(const RECT& rect)
{
    Changing();
    RequiredState(csAllValid - TCanvasState{csFontValid});
    platform::Rectangle(handle_, rect);
    Changed();
}

void TCanvas::RoundRect(const RECT& rect, int cornerWidth, int cornerHeight)
{
    Changing();
    RequiredState(csAllValid - TCanvasState{csFontValid});
    platform::RoundRect(handle_, rect, cornerWidth, cornerHeight);
    Changed();
}

void TCanvas::Ellipse(const RECT& rect)
{
    Changing();
    RequiredState(csAllValid - TCanvasState{csFontValid});
    platform::Ellipse(handle_, rect);
    Changed();
}

void TCanvas::Polyline(const std::vector<POINT>& points)
{
    Changing();
    RequiredState(csAllValid - TCanvasState{csFontValid});
    platform::Polyline(handle_, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Polygon(const std::vector<POINT>& points)
{
    Changing();
    RequiredState(csAllValid - TCanvasState{csFontValid});
    platform::Polygon(handle_, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::FillRect(const RECT& rect)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    platform::FillRect(handle_, rect, brush_->Handle());
    Changed();
}

void TCanvas::FrameRect(const RECT& rect)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    platform::FrameRect(handle_, rect, brush_->Handle());
    Changed();
}

TColor TCanvas::Pixel(int x, int y)
{
    RequiredState({csHandleValid});
    return static_cast<TColor>(platform::Pixel(handle_, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    Changing();
    RequiredState({csHandleValid, csPenValid});
    platform::SetPixel(handle_, x, y, ColorToRGB(color));
    Changed();
}

void TCanvas::CopyRect(const RECT& to, TCanvas& source, const RECT& from)
{
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    source.RequiredState({csHandleValid, csFontValid, csBrushValid});
    platform::StretchBlt(handle_, to, source.handle_, from, copyMode_);
    Changed();
}

void TCanvas::Lock()
{
    lock_.lock();
    ++lockCount_;
}

void TCanvas::Unlock()
{
    --lockCount_;
    lock_.unlock();
}

bool TCanvas::TryLock()
{
    if (!lock_.try_lock())
        return false;
    if (lockCount_ > 0) {  // held further up on this thread
        lock_.unlock();
        return false;
    }
    ++lockCount_;
    return true;
}

void PaletteChanged()
{
    CanvasList& list = Canvases();
    std::lock_guard<std::mutex> guard(list.lock);
    for (TCanvas* canvas : list.canvases) {
        canvas->Lock();
        canvas->DeselectHandles();
    }
    TPen::DropSystemColorHandles();
    TBrush::DropSystemColorHandles();
    for (TCanvas* canvas : list.canvases)
        canvas->Unlock();
}

int CanvasCount()
{
    CanvasList& list = Canvases();
    std::lock_guard<std::mutex> guard(list.lock);
    return static_cast<int>(list.canvases.size());
}
