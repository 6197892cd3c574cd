#pragma once
// What Windows' dialog manager does for DM_REPOSITION, done by us because Wine's
// dialog manager ignores the request.

#include <windows.h>

// Moves a top-level window wholly into the work area of the monitor nearest to
// it, keeping its size and z-order. A window larger than the work area goes to
// the work area's left or top edge. Child windows are left alone.
void MoveIntoWorkArea(HWND window);
