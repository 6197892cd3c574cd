#pragma once
// The window's shape for a background without per-pixel alpha.

#include <windows.h>

// The union of all pixels of the bitmap that differ from the cut color, or
// null when the bitmap cannot be read. The bitmap must not be selected into a
// device context (GetDIBits refuses such bitmaps). The caller owns the region.
HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF cutColor);
