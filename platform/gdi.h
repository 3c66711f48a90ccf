// GDI: device contexts, fonts, pens, brushes, colours, text and drawing.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

namespace platform {

HDC WindowDC(HWND window);  // GetDC: the client area
// GetDCEx with DCX_CACHE | DCX_CLIPSIBLINGS: a cached client-area context that must be released.
HDC CachedWindowDC(HWND window);
void ReleaseWindowDC(HWND window, HDC dc);
HDC CreateMemoryDC(HDC compatibleWith);  // CreateCompatibleDC; null: the screen's
// CreateDCA / CreateICA for a printer (its driver, device and port; the device mode may be null).
HDC CreateDeviceDC(const std::string& driver, const std::string& device, const std::string& port, const DEVMODEA* mode);
HDC CreateInfoDC(const std::string& driver, const std::string& device, const std::string& port, const DEVMODEA* mode);
bool DeleteDC(HDC dc);
DWORD Layout(HDC dc);  // GetLayout: LAYOUT_RTL for a right-to-left context
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
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HPEN CreatePen(const LOGPEN& pen);  // CreatePenIndirect
bool UnrealizeObject(HGDIOBJ object);
HGDIOBJ StockObject(int index);
// Deletes a pen, brush, font, bitmap or region. An object still selected into a device context the
// program holds is refused, as Windows refuses it (Wine would delete it later): the object stays,
// the answer is false, and the refusal is counted and told to the refusal hook.
bool DeleteObject(HGDIOBJ object);
// Selects `object` into `dc`; from then on the program holds `dc` until it is released or deleted.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Deletes refused so far in the process.
long RefusedDeletes();
// Told of every refused delete: the object and the device context it is selected into.
using RefusedDeleteHook = void (*)(HGDIOBJ object, HDC dc);
// Installs `hook` (null: none) and answers the one it replaces.
RefusedDeleteHook SetRefusedDeleteHook(RefusedDeleteHook hook);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBackColor(HDC dc, COLORREF color);  // SetBkColor
int SetBackMode(HDC dc, int mode);              // SetBkMode
int SetRasterMode(HDC dc, int mode);            // SetROP2: how the pen combines with the screen
bool FillRect(HDC dc, const RECT& rect, HBRUSH brush);
bool DrawIcon(HDC dc, int x, int y, HICON icon);
// DrawTextA; with DT_CALCRECT `rect` receives the text's extent. Returns the text height.
int DrawText(HDC dc, const std::string& text, RECT& rect, UINT format);
// ExtTextOutA of the text's bytes; `clip` may be null.
bool ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* clip, const std::string& text);
// GetTextExtentPoint32A of the text's bytes; false (and 0, 0) on failure.
bool TextExtent(HDC dc, const std::string& text, SIZE& size);
// The selected font's average character width (tmAveCharWidth of GetTextMetricsA); 0 on failure.
int AverageCharWidth(HDC dc);

// Lines and shapes, drawn with the selected pen and filled with the selected brush.
bool MoveTo(HDC dc, int x, int y);  // MoveToEx
bool LineTo(HDC dc, int x, int y);
POINT CurrentPosition(HDC dc);  // GetCurrentPositionEx
bool Rectangle(HDC dc, const RECT& rect);
bool RoundRect(HDC dc, const RECT& rect, int cornerWidth, int cornerHeight);
bool Ellipse(HDC dc, const RECT& rect);
bool Polyline(HDC dc, const POINT* points, int count);
bool Polygon(HDC dc, const POINT* points, int count);
bool FrameRect(HDC dc, const RECT& rect, HBRUSH brush);
COLORREF Pixel(HDC dc, int x, int y);  // GetPixel
void SetPixel(HDC dc, int x, int y, COLORREF color);
// StretchBlt from one context's rectangle to another's with a raster operation.
bool StretchBlt(HDC target, const RECT& to, HDC source, const RECT& from, DWORD rop);

// Print jobs on a printer's device context.
int StartDoc(HDC dc, const DOCINFOA& info);
int StartPage(HDC dc);
int EndPage(HDC dc);
int EndDoc(HDC dc);
int AbortDoc(HDC dc);
int SetAbortProc(HDC dc, ABORTPROC procedure);

// The face names of a device's fonts of every character set (EnumFontFamiliesExA); null: the screen.
std::vector<std::string> FontFamilyNames(HDC dc);

}  // namespace platform
