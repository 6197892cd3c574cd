#pragma once
// The alarms list's column widths at the list's DPI. The time column is wide
// enough for the locale's longest time of day ("12:58:58 PM"), which a fixed
// 60 pixels cut even at 100 %.

#include <windows.h>

#include <string>

// Width in pixels of column `index` (0 name, 1 time, 2 repeat) of the list,
// given its width in pixels at 96 DPI and the header text.
int AlarmColumnWidth(HWND list, int index, int widthAt96, const std::string& header);
