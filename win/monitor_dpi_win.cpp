#include "win/monitor_dpi_win.h"

#include "win/proc_address_win.h"
#include "win/unique_handle.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
// MDT_EFFECTIVE_DPI is 0: the DPI that scales what a window shows.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

int SystemDpi() {
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return 0;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

int MonitorDpi(HWND window) {
    // Loaded once and kept: the clock asks on every preset load.
    static const UniqueModule shcore(::LoadLibraryA("shcore.dll"));
    static const auto getDpiForMonitor = LookupProc<GetDpiForMonitorFn>(shcore.get(), "GetDpiForMonitor");
    if (!getDpiForMonitor)
        return 0;
    UINT x = 0, y = 0;
    HMONITOR monitor = ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (!monitor || FAILED(getDpiForMonitor(monitor, 0, &x, &y)))
        return 0;
    return static_cast<int>(y);
}

}  // namespace

int WindowDpi(HWND window) {
    static const auto getDpiForWindow =
        LookupProc<GetDpiForWindowFn>(::GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    int dpi = 0;
    if (getDpiForWindow && window)
        dpi = static_cast<int>(getDpiForWindow(window));
    if (dpi <= 0 && window)
        dpi = MonitorDpi(window);
    if (dpi <= 0)
        dpi = SystemDpi();
    return dpi > 0 ? dpi : 96;
}
