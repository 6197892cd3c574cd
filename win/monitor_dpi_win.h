#pragma once
// The DPI of the monitor a window is on. The per-monitor entry points are
// looked up at run time: they are missing before Windows 8.1 and 10.

#include <windows.h>

// GetDpiForWindow; else GetDpiForMonitor of the window's monitor; else the
// system DPI; else 96.
int WindowDpi(HWND window);
