// TCanvas: a device context with its font, pen and brush, selected into it only when a drawing
// operation needs them; text output and measuring, lines and shapes. Every canvas is registered in
// one process-wide list, and each has a lock that also guards its font, pen and brush.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "framework/core/event.h"
#include "framework/core/persistent.h"
#include "framework/core/set.h"
#include "framework/graphics/brush.h"
#include "framework/graphics/font.h"
#include "framework/graphics/pen.h"
#include "platform/win32.h"

// What a canvas has made valid in its device context.
enum TCanvasStateFlag { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStateFlag>;
constexpr TCanvasState csAllValid{csHandleValid, csFontValid, csPenValid, csBrushValid};

enum TCanvasOrientation { coLeftToRight, coRightToLeft };

class TCanvas : public TPersistent {
    DECLARE_CLASS(TCanvas)
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The device context with font, pen and brush selected; fires the changing event first.
    HDC Handle();
    // Takes another device context (0: none); the objects leave the old one, the pen position stays.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return handle_ != nullptr; }
    TCanvasState State() const { return state_; }

    TFont* Font() const { return font_; }
    void SetFont(const TFont* font) { font_->Assign(font); }
    TPen* Pen() const { return pen_; }
    void SetPen(const TPen* pen) { pen_->Assign(pen); }
    TBrush* Brush() const { return brush_; }
    void SetBrush(const TBrush* brush) { brush_->Assign(brush); }
    POINT PenPos();
    void SetPenPos(POINT pos);
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD mode) { copyMode_ = mode; }
    // ExtTextOut options of every text written (ETO_RTLREADING and the like).
    UINT TextFlags() const { return textFlags_; }
    void SetTextFlags(UINT flags) { textFlags_ = flags; }
    TCanvasOrientation CanvasOrientation();

    // Text: written with its top left corner at (x, y) in the font's colour, on the brush colour
    // when the brush is solid; the pen moves to the end of the text.
    void TextOut(int x, int y, const std::string& text);
    // The same, clipped to `rect`.
    void TextRect(const RECT& rect, int x, int y, const std::string& text);
    // The text's extent in the font (GetTextExtentPoint32A); 0, 0 when GDI cannot tell.
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    // The font's average character width (0 when GDI cannot tell): the unit of tab stops.
    int AverageCharWidth();

    // Lines and shapes with the pen, filled with the brush.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(const RECT& rect);
    void RoundRect(const RECT& rect, int cornerWidth, int cornerHeight);
    void Ellipse(const RECT& rect);
    void Polyline(const std::vector<POINT>& points);
    void Polygon(const std::vector<POINT>& points);
    void FillRect(const RECT& rect);   // with the brush only
    void FrameRect(const RECT& rect);  // a one-pixel border in the brush
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    // Copies `source`'s rectangle onto this canvas's, stretched to fit, with CopyMode.
    void CopyRect(const RECT& to, TCanvas& source, const RECT& from);

    // Takes the objects out of the device context; the next drawing selects them again.
    void Refresh() { DeselectHandles(); }

    // The canvas's lock; it also guards the font, pen and brush. Locks nest on one thread.
    void Lock();
    void Unlock();
    // Takes the lock only when nobody holds it, this thread included.
    bool TryLock();
    int LockCount() const { return lockCount_; }

    // Around every drawing operation.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    // Gives the canvas its device context when it has none (a plain canvas has none to give).
    virtual void CreateHandle() {}
    virtual void Changing();
    virtual void Changed();
    // Makes the missing ones of `required` valid: the handle, then font, pen and brush.
    void RequiredState(TCanvasState required);
    void DeselectHandles();

private:
    friend void PaletteChanged();
    void FontChanged(TObject* sender);
    void PenChanged(TObject* sender);
    void BrushChanged(TObject* sender);
    void SelectFont();
    void SelectPen();
    void SelectBrush();

    HDC handle_ = nullptr;
    TCanvasState state_;
    TFont* font_;
    TPen* pen_;
    TBrush* brush_;
    POINT penPos_{0, 0};
    DWORD copyMode_ = SRCCOPY;
    UINT textFlags_ = 0;
    std::recursive_mutex lock_;
    int lockCount_ = 0;
};

// Lends `dc` (a painting context that is not the canvas's own) to a canvas while it lives. The
// canvas stays locked meanwhile, so that the giving back of cached contexts passes it by.
class TCanvasLoan {
public:
    TCanvasLoan(TCanvas& canvas, HDC dc) : canvas_(canvas)
    {
        canvas_.Lock();
        canvas_.SetHandle(dc);
    }
    ~TCanvasLoan()
    {
        canvas_.SetHandle(nullptr);
        canvas_.Unlock();
    }
    TCanvasLoan(const TCanvasLoan&) = delete;
    TCanvasLoan& operator=(const TCanvasLoan&) = delete;

private:
    TCanvas& canvas_;
};

// The system's colours or palette changed: every canvas lets go of its objects and the pens and
// brushes of system colours are made again with the new colours.
void PaletteChanged();

// Number of canvases alive in the process.
int CanvasCount();
