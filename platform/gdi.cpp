// GDI: device contexts, fonts, pens, brushes, colours, text and drawing.
#include "platform/gdi.h"

#include <atomic>

#include "platform/held_contexts.h"

namespace platform {

namespace {

HDC Held(HDC dc)
{
    held::Hold(dc);
    return dc;
}

std::atomic<long> refusedDeletes{0};
std::atomic<RefusedDeleteHook> refusedDeleteHook{nullptr};

}  // namespace

HDC WindowDC(HWND window) { return Held(::GetDC(window)); }

HDC CachedWindowDC(HWND window) { return Held(::GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS)); }

void ReleaseWindowDC(HWND window, HDC dc)
{
    held::LetGo(dc);
    ::ReleaseDC(window, dc);
}

HDC CreateMemoryDC(HDC compatibleWith) { return Held(::CreateCompatibleDC(compatibleWith)); }

namespace {

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

HDC CreateDeviceDC(const std::string& driver, const std::string& device, const std::string& port, const DEVMODEA* mode)
{
    return Held(::CreateDCA(OrNull(driver), device.c_str(), OrNull(port), mode));
}

HDC CreateInfoDC(const std::string& driver, const std::string& device, const std::string& port, const DEVMODEA* mode)
{
    return Held(::CreateICA(OrNull(driver), device.c_str(), OrNull(port), mode));
}

bool DeleteDC(HDC dc)
{
    held::LetGo(dc);
    return ::DeleteDC(dc) != FALSE;
}

DWORD Layout(HDC dc)
{
    DWORD layout = ::GetLayout(dc);
    return layout == GDI_ERROR ? 0 : layout;
}

HDC BeginPaint(HWND window, PAINTSTRUCT& paint) { return Held(::BeginPaint(window, &paint)); }

void EndPaint(HWND window, const PAINTSTRUCT& paint)
{
    held::LetGo(paint.hdc);
    ::EndPaint(window, &paint);
}

int DeviceCaps(HDC dc, int index) { return ::GetDeviceCaps(dc, index); }

int SaveDC(HDC dc) { return ::SaveDC(dc); }

bool RestoreDC(HDC dc, int saved) { return ::RestoreDC(dc, saved) != FALSE; }

bool MoveWindowOrigin(HDC dc, int dx, int dy) { return ::OffsetWindowOrgEx(dc, -dx, -dy, nullptr) != FALSE; }

int IntersectClipRect(HDC dc, const RECT& rect)
{
    return ::IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
}

bool RectVisible(HDC dc, const RECT& rect) { return ::RectVisible(dc, &rect) != FALSE; }

HFONT CreateFont(const LOGFONTA& font) { return ::CreateFontIndirectA(&font); }

bool FontDescription(HFONT font, LOGFONTA& description)
{
    return ::GetObjectA(font, sizeof description, &description) == sizeof description;
}

HBRUSH CreateSolidBrush(COLORREF color) { return ::CreateSolidBrush(color); }

HBRUSH CreateHatchBrush(int hatch, COLORREF color) { return ::CreateHatchBrush(hatch, color); }

HBRUSH CreateHollowBrush() { return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH)); }

HBRUSH CreatePatternBrush(HBITMAP bitmap) { return ::CreatePatternBrush(bitmap); }

HPEN CreatePen(const LOGPEN& pen) { return ::CreatePenIndirect(&pen); }

bool UnrealizeObject(HGDIOBJ object) { return ::UnrealizeObject(object) != FALSE; }

HGDIOBJ StockObject(int index) { return ::GetStockObject(index); }

bool DeleteObject(HGDIOBJ object)
{
    if (HDC holder = held::HolderOf(object)) {
        ++refusedDeletes;
        if (RefusedDeleteHook hook = refusedDeleteHook)
            hook(object, holder);
        return false;
    }
    return ::DeleteObject(object) != FALSE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    held::Hold(dc);
    return ::SelectObject(dc, object);
}

long RefusedDeletes() { return refusedDeletes; }

RefusedDeleteHook SetRefusedDeleteHook(RefusedDeleteHook hook) { return refusedDeleteHook.exchange(hook); }

COLORREF SetTextColor(HDC dc, COLORREF color) { return ::SetTextColor(dc, color); }

COLORREF SetBackColor(HDC dc, COLORREF color) { return ::SetBkColor(dc, color); }

int SetBackMode(HDC dc, int mode) { return ::SetBkMode(dc, mode); }

int SetRasterMode(HDC dc, int mode) { return ::SetROP2(dc, mode); }

bool FillRect(HDC dc, const RECT& rect, HBRUSH brush) { return ::FillRect(dc, &rect, brush) != 0; }

bool DrawIcon(HDC dc, int x, int y, HICON icon) { return ::DrawIcon(dc, x, y, icon) != FALSE; }

int DrawText(HDC dc, const std::string& text, RECT& rect, UINT format)
{
    return ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, format);
}

bool ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* clip, const std::string& text)
{
    return ::ExtTextOutA(dc, x, y, options, clip, text.data(), static_cast<UINT>(text.size()), nullptr) != FALSE;
}

bool TextExtent(HDC dc, const std::string& text, SIZE& size)
{
    if (::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size))
        return true;
    size = {0, 0};
    return false;
}

int AverageCharWidth(HDC dc)
{
    TEXTMETRICA metrics{};
    return ::GetTextMetricsA(dc, &metrics) ? metrics.tmAveCharWidth : 0;
}

bool MoveTo(HDC dc, int x, int y) { return ::MoveToEx(dc, x, y, nullptr) != FALSE; }

bool LineTo(HDC dc, int x, int y) { return ::LineTo(dc, x, y) != FALSE; }

POINT CurrentPosition(HDC dc)
{
    POINT point{0, 0};
    ::GetCurrentPositionEx(dc, &point);
    return point;
}

bool Rectangle(HDC dc, const RECT& r) { return ::Rectangle(dc, r.left, r.top, r.right, r.bottom) != FALSE; }

bool RoundRect(HDC dc, const RECT& r, int cornerWidth, int cornerHeight)
{
    return ::RoundRect(dc, r.left, r.top, r.right, r.bottom, cornerWidth, cornerHeight) != FALSE;
}

bool Ellipse(HDC dc, const RECT& r) { return ::Ellipse(dc, r.left, r.top, r.right, r.bottom) != FALSE; }

bool Polyline(HDC dc, const POINT* points, int count) { return ::Polyline(dc, points, count) != FALSE; }

bool Polygon(HDC dc, const POINT* points, int count) { return ::Polygon(dc, points, count) != FALSE; }

bool FrameRect(HDC dc, const RECT& rect, HBRUSH brush) { return ::FrameRect(dc, &rect, brush) != 0; }

COLORREF Pixel(HDC dc, int x, int y) { return ::GetPixel(dc, x, y); }

void SetPixel(HDC dc, int x, int y, COLORREF color) { ::SetPixel(dc, x, y, color); }

bool StretchBlt(HDC target, const RECT& to, HDC source, const RECT& from, DWORD rop)
{
    return ::StretchBlt(target, to.left, to.top, to.right - to.left, to.bottom - to.top, source, from.left, from.top,
                        from.right - from.left, from.bottom - from.top, rop) != FALSE;
}

int StartDoc(HDC dc, const DOCINFOA& info) { return ::StartDocA(dc, &info); }

int StartPage(HDC dc) { return ::StartPage(dc); }

int EndPage(HDC dc) { return ::EndPage(dc); }

int EndDoc(HDC dc) { return ::EndDoc(dc); }

int AbortDoc(HDC dc) { return ::AbortDoc(dc); }

int SetAbortProc(HDC dc, ABORTPROC procedure) { return ::SetAbortProc(dc, procedure); }

namespace {

int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM names)
{
    reinterpret_cast<std::vector<std::string>*>(names)->push_back(font->lfFaceName);
    return 1;
}

}  // namespace

std::vector<std::string> FontFamilyNames(HDC dc)
{
    std::vector<std::string> names;
    HDC screen = dc ? nullptr : ::GetDC(nullptr);
    LOGFONTA any{};
    any.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExA(dc ? dc : screen, &any, AddFamily, reinterpret_cast<LPARAM>(&names), 0);
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return names;
}

}  // namespace platform
