// The screen: metrics, system colours, monitors and the system's message box.
#include "platform/screen.h"

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
