// The screen: metrics, system colours, monitors and the system's message box.
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform {

int SystemMetric(int index);      // GetSystemMetrics
COLORREF SystemColor(int index);  // GetSysColor
DWORD SystemVersion();            // GetVersion
int WheelScrollLines();           // SystemParametersInfo SPI_GETWHEELSCROLLLINES
// The font of status bars and hints (SPI_GETNONCLIENTMETRICS); false when the system cannot tell.
bool StatusFont(LOGFONTA& font);
// The font of message boxes (SPI_GETNONCLIENTMETRICS); false when the system cannot tell.
bool MessageFont(LOGFONTA& font);
// The font of menus (SPI_GETNONCLIENTMETRICS); false when the system cannot tell.
bool MenuFont(LOGFONTA& font);

HMONITOR MonitorOfWindow(HWND window);  // the nearest one
HMONITOR MonitorOfPoint(POINT point);   // the nearest one
RECT MonitorRect(HMONITOR monitor);     // whole monitor, screen coordinates
RECT MonitorWorkArea(HMONITOR monitor);

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

}  // namespace platform
