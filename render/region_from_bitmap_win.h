#pragma once
// The window's shape for a background without per-pixel alpha.

#include <windows.h>

#include <optional>
#include <vector>

#include "render/region_runs.h"

// The union of all pixels of the bitmap that differ from the cut color, or
// null when the bitmap cannot be read. The bitmap must not be selected into a
// device context (GetDIBits refuses such bitmaps). The caller owns the region.
HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF cutColor);

// The same shape as runs of pixels, rows from the top; nothing when the bitmap
// cannot be read (an empty list is a bitmap made only of the cut color).
std::optional<std::vector<RegionRect>> OpaqueRunsOfBitmap(HBITMAP bitmap, COLORREF cutColor);
// The region of those runs; null when the platform refuses it.
HRGN RegionFromRuns(const std::vector<RegionRect>& runs);
