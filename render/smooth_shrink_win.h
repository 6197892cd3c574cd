#pragma once
// The smooth reduction of a frame drawn at the work size down to the window
// size, with one process-wide cache of the result bitmap and the buffers, made
// on first use and kept until FreeReductionCache, so that no frame allocates.

#include <windows.h>

// The cache's result bitmap holding source reduced to dstWidth x dstHeight, or
// null when a size is not positive or too large, or the destination size
// differs from the cache's (free the cache first). A source whose size changed
// is read at its new size. The bitmap belongs to the cache.
HBITMAP SmoothShrink(HBITMAP source, int dstWidth, int dstHeight);

// Deletes the result bitmap and frees the buffers.
void FreeReductionCache();

// The cache's result bitmap, or null when there is no cache.
HBITMAP ReductionCacheBitmap();
