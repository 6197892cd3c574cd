#pragma once
// The smooth reduction of a frame drawn at the work size down to the window
// size, with one process-wide cache of the result bitmap and the buffers, made
// on first use and kept until FreeReductionCache, so that no frame allocates.

#include <windows.h>

#include <memory>

#include "render/area_list.h"

// A reduction cache of its own, for a composer that must not share the
// process-wide one (a second clock face drawn beside the first).
class ReductionCache {
public:
    ReductionCache();
    ~ReductionCache();
    ReductionCache(const ReductionCache&) = delete;
    ReductionCache& operator=(const ReductionCache&) = delete;

    // As the functions below, on this cache.
    HBITMAP Shrink(HBITMAP source, int dstWidth, int dstHeight);
    HBITMAP ShrinkAreas(HBITMAP source, int dstWidth, int dstHeight, const AreaList& areas);
    void Free();
    HBITMAP Bitmap() const;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// The process-wide cache the functions below use.
ReductionCache& TheReductionCache();

// The cache's result bitmap holding source reduced to dstWidth x dstHeight, or
// null when a size is not positive or too large, or the destination size
// differs from the cache's (free the cache first). A source whose size changed
// is read at its new size. The bitmap belongs to the cache.
HBITMAP SmoothShrink(HBITMAP source, int dstWidth, int dstHeight);

// The same for the destination pixels of the areas alone: only the source pixels
// beneath them are read, the rest of the result stays as the last reduction
// left it. Null when that cannot give what a whole reduction would: no whole
// reduction of a source of this size went before, or the source is not exactly
// twice the destination. source must not be selected into a device context.
HBITMAP SmoothShrinkAreas(HBITMAP source, int dstWidth, int dstHeight, const AreaList& areas);

// Deletes the result bitmap and frees the buffers.
void FreeReductionCache();

// The cache's result bitmap, or null when there is no cache.
HBITMAP ReductionCacheBitmap();
