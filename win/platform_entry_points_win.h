#pragma once
// Platform functions looked up at run time; null means the feature is absent.

#include <windows.h>

using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using TzSpecificLocalTimeFn = BOOL(WINAPI*)(const TIME_ZONE_INFORMATION*, const SYSTEMTIME*, SYSTEMTIME*);

extern UpdateLayeredWindowFn TheUpdateLayeredWindow;
extern TzSpecificLocalTimeFn TheSystemTimeToTzSpecificLocalTime;
