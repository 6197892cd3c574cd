#pragma once
// Platform functions looked up at run time; null means the feature is absent.

#include <windows.h>

using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
// Windows Vista and later: a layered update that names the rectangle that changed.
using UpdateLayeredWindowIndirectFn = BOOL(WINAPI*)(HWND, const UPDATELAYEREDWINDOWINFO*);
using TzSpecificLocalTimeFn = BOOL(WINAPI*)(const TIME_ZONE_INFORMATION*, const SYSTEMTIME*, SYSTEMTIME*);

extern UpdateLayeredWindowFn TheUpdateLayeredWindow;
extern UpdateLayeredWindowIndirectFn TheUpdateLayeredWindowIndirect;  // null: whole updates only
extern TzSpecificLocalTimeFn TheSystemTimeToTzSpecificLocalTime;
