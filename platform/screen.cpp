// The screen: metrics, system colours, monitors and the system's message box.
#include "platform/screen.h"

#include <cstddef>

namespace platform {

int SystemMetric(int index) { return ::GetSystemMetrics(index); }

COLORREF SystemColor(int index) { return ::GetSysColor(index); }

DWORD SystemVersion() { return ::GetVersion(); }

int WheelScrollLines()
{
    UINT lines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return static_cast<int>(lines);
}

namespace {

bool NonClientMetrics(NONCLIENTMETRICSA& metrics)
{
    metrics = {};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return true;
    // Systems before the padded border know the record without its last field.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    return ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0) != FALSE;
}

// One of the fonts the system draws its window frames and bars with.
bool NonClientFont(LOGFONTA NONCLIENTMETRICSA::*which, LOGFONTA& font)
{
    NONCLIENTMETRICSA metrics;
    if (!NonClientMetrics(metrics))
        return false;
    font = metrics.*which;
    return true;
}

}  // namespace

bool StatusFont(LOGFONTA& font) { return NonClientFont(&NONCLIENTMETRICSA::lfStatusFont, font); }

bool MessageFont(LOGFONTA& font) { return NonClientFont(&NONCLIENTMETRICSA::lfMessageFont, font); }

bool MenuFont(LOGFONTA& font) { return NonClientFont(&NONCLIENTMETRICSA::lfMenuFont, font); }

HMONITOR MonitorOfWindow(HWND window) { return ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST); }

HMONITOR MonitorOfPoint(POINT point) { return ::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST); }

RECT MonitorRect(HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ::GetMonitorInfoA(monitor, &info);
    return info.rcMonitor;
}

RECT MonitorWorkArea(HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ::GetMonitorInfoA(monitor, &info);
    return info.rcWork;
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags)
{
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace platform
