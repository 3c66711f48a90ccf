// GDI: device contexts, fonts, brushes, colours and text.
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform {

HDC WindowDC(HWND window);  // GetDC: the client area
void ReleaseWindowDC(HWND window, HDC dc);
HDC BeginPaint(HWND window, PAINTSTRUCT& paint);
void EndPaint(HWND window, const PAINTSTRUCT& paint);
int DeviceCaps(HDC dc, int index);
int SaveDC(HDC dc);
bool RestoreDC(HDC dc, int saved);
// Moves the drawing origin by (dx, dy) (OffsetWindowOrgEx by the opposite amount).
bool MoveWindowOrigin(HDC dc, int dx, int dy);
int IntersectClipRect(HDC dc, const RECT& rect);
bool RectVisible(HDC dc, const RECT& rect);

HFONT CreateFont(const LOGFONTA& font);
bool FontDescription(HFONT font, LOGFONTA& description);  // GetObjectA
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
HBRUSH CreateHollowBrush();
HGDIOBJ StockObject(int index);
bool DeleteObject(HGDIOBJ object);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBackColor(HDC dc, COLORREF color);  // SetBkColor
int SetBackMode(HDC dc, int mode);              // SetBkMode
bool FillRect(HDC dc, const RECT& rect, HBRUSH brush);
bool DrawIcon(HDC dc, int x, int y, HICON icon);
// DrawTextA; with DT_CALCRECT `rect` receives the text's extent. Returns the text height.
int DrawText(HDC dc, const std::string& text, RECT& rect, UINT format);

}  // namespace platform
