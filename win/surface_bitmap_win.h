#pragma once
// The bitmaps a clock draws on every second: 32-bit sections, rows from the
// top. A section moves in and out of a memory DC at a fraction of what a
// device-dependent bitmap costs there (under Wine a tenth), and holds the same
// colors on every display a clock runs on.

#include "win/unique_handle.h"

// Null when a side is not positive or the platform refuses the size.
UniqueBitmap CreateSurfaceBitmap(int width, int height);
