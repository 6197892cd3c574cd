#include "render/smooth_shrink_win.h"

#include "render/smooth_shrink.h"
#include "win/bitmap_info_win.h"
#include "win/unique_handle.h"

namespace {

struct ReductionCache {
    UniqueBitmap result;
    ReductionBuffers buffers;
};

ReductionCache& TheCache() {
    static ReductionCache cache;
    return cache;
}

// 24-bit rows from the top, as the buffers hold them.
BITMAPINFO TopDownHeader24(const Picture24& picture) {
    BITMAPINFO info = TopDownBitmapInfo(picture.width, picture.height, 24);
    info.bmiHeader.biXPelsPerMeter = 1;
    info.bmiHeader.biYPelsPerMeter = 1;
    return info;
}

}  // namespace

HBITMAP SmoothShrink(HBITMAP source, int dstWidth, int dstHeight) {
    if (!source || dstWidth <= 0 || dstHeight <= 0)
        return nullptr;
    BITMAP size{};
    if (!GetObjectA(source, sizeof size, &size))
        return nullptr;
    WindowDC screen(nullptr);
    if (!screen)
        return nullptr;

    ReductionCache& cache = TheCache();
    if (!cache.result) {
        if (!cache.buffers.Prepare(size.bmWidth, size.bmHeight, dstWidth, dstHeight))
            return nullptr;
        cache.result.reset(CreateCompatibleBitmap(screen.get(), dstWidth, dstHeight));
        if (!cache.result) {
            cache.buffers.Clear();
            return nullptr;
        }
    } else {
        const Picture24& destination = cache.buffers.Destination();
        if (destination.width != dstWidth || destination.height != dstHeight)
            return nullptr;
        // The buffer is sized for the source it was made for; reading a larger
        // source into it would run past its end.
        const Picture24& current = cache.buffers.Source();
        if ((current.width != size.bmWidth || current.height != size.bmHeight) &&
            !cache.buffers.PrepareSource(size.bmWidth, size.bmHeight))
            return nullptr;
    }

    Picture24& from = cache.buffers.Source();
    BITMAPINFO fromHeader = TopDownHeader24(from);
    // A frame that cannot be read or written back leaves the last good one on
    // screen rather than a reduction of garbage.
    if (GetDIBits(screen.get(), source, 0, static_cast<UINT>(from.height), from.data(), &fromHeader, DIB_RGB_COLORS) !=
        from.height)
        return nullptr;
    cache.buffers.Reduce();
    Picture24& to = cache.buffers.Destination();
    BITMAPINFO toHeader = TopDownHeader24(to);
    if (SetDIBits(screen.get(), cache.result.get(), 0, static_cast<UINT>(to.height), to.data(), &toHeader,
                  DIB_RGB_COLORS) != to.height)
        return nullptr;
    return cache.result.get();
}

void FreeReductionCache() {
    ReductionCache& cache = TheCache();
    cache.result.reset();
    cache.buffers.Clear();
}

HBITMAP ReductionCacheBitmap() {
    return TheCache().result.get();
}
