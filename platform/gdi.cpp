// GDI: device contexts, fonts, brushes, colours and text.
#include "platform/gdi.h"

namespace platform {

HDC WindowDC(HWND window) { return ::GetDC(window); }

void ReleaseWindowDC(HWND window, HDC dc) { ::ReleaseDC(window, dc); }

HDC BeginPaint(HWND window, PAINTSTRUCT& paint) { return ::BeginPaint(window, &paint); }

void EndPaint(HWND window, const PAINTSTRUCT& paint) { ::EndPaint(window, &paint); }

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

HGDIOBJ StockObject(int index) { return ::GetStockObject(index); }

bool DeleteObject(HGDIOBJ object) { return ::DeleteObject(object) != FALSE; }

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) { return ::SelectObject(dc, object); }

COLORREF SetTextColor(HDC dc, COLORREF color) { return ::SetTextColor(dc, color); }

COLORREF SetBackColor(HDC dc, COLORREF color) { return ::SetBkColor(dc, color); }

int SetBackMode(HDC dc, int mode) { return ::SetBkMode(dc, mode); }

bool FillRect(HDC dc, const RECT& rect, HBRUSH brush) { return ::FillRect(dc, &rect, brush) != 0; }

bool DrawIcon(HDC dc, int x, int y, HICON icon) { return ::DrawIcon(dc, x, y, icon) != FALSE; }

int DrawText(HDC dc, const std::string& text, RECT& rect, UINT format)
{
    return ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, format);
}

}  // namespace platform
