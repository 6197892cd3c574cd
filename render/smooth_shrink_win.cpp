#include "render/smooth_shrink_win.h"

#include <new>
#include <vector>

#include "render/smooth_shrink.h"
#include "win/bitmap_info_win.h"
#include "win/unique_handle.h"

namespace {

// 24-bit rows from the top in a bitmap section: the platform reads a frame
// into it whole or copies a part of one in, and the reduction reads it in place.
struct Section24 {
    UniqueBitmap bitmap;
    uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    size_t stride = 0;

    bool Make(HDC screen, int w, int h) {
        Free();
        const size_t rowBytes = RowStride24(w);
        if (rowBytes == 0 || h <= 0 || size_t(h) > (size_t(1) << 31) / rowBytes)
            return false;
        BITMAPINFO info = TopDownBitmapInfo(w, h, 24);
        void* memory = nullptr;
        bitmap.reset(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
        if (!bitmap || !memory) {
            Free();
            return false;
        }
        bits = static_cast<uint8_t*>(memory);
        width = w;
        height = h;
        stride = rowBytes;
        return true;
    }
    void Free() { *this = Section24{}; }
};

}  // namespace

struct ReductionCache::Parts {
    Section24 source;
    Section24 result;
    std::vector<float> accumulator;
    bool wholeDone = false;  // the result holds a whole reduction of source's size
    UniqueMemoryDC sourceDC;
    UniqueMemoryDC sectionDC;
};

ReductionCache::ReductionCache() : parts_(std::make_unique<Parts>()) {}
ReductionCache::~ReductionCache() = default;

ReductionCache& TheReductionCache() {
    static ReductionCache cache;
    return cache;
}

HBITMAP ReductionCache::Shrink(HBITMAP source, int dstWidth, int dstHeight) {
    if (!source || dstWidth <= 0 || dstHeight <= 0)
        return nullptr;
    BITMAP size{};
    if (!GetObjectA(source, sizeof size, &size))
        return nullptr;
    WindowDC screen(nullptr);
    if (!screen)
        return nullptr;

    Parts& cache = *parts_;
    // The clock halves exactly, which needs no scratch: it is held only for
    // other sizes (at zoom 300 it would be megabytes kept for nothing).
    const bool halving =
        int64_t(size.bmWidth) == 2 * int64_t(dstWidth) && int64_t(size.bmHeight) == 2 * int64_t(dstHeight);
    if (halving) {
        std::vector<float>().swap(cache.accumulator);
    } else if (cache.accumulator.size() != size_t(dstWidth) * size_t(dstHeight) * 3) {
        try {
            cache.accumulator.assign(size_t(dstWidth) * size_t(dstHeight) * 3, 0.0f);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    if (!cache.result.bitmap) {
        if (!cache.result.Make(screen.get(), dstWidth, dstHeight) ||
            !cache.source.Make(screen.get(), size.bmWidth, size.bmHeight)) {
            Free();
            return nullptr;
        }
    } else {
        if (cache.result.width != dstWidth || cache.result.height != dstHeight)
            return nullptr;
        // The buffer is sized for the source it was made for; reading a larger
        // source into it would run past its end.
        if ((cache.source.width != size.bmWidth || cache.source.height != size.bmHeight) &&
            !cache.source.Make(screen.get(), size.bmWidth, size.bmHeight))
            return nullptr;
    }
    cache.wholeDone = false;

    Section24& from = cache.source;
    BITMAPINFO fromHeader = TopDownBitmapInfo(from.width, from.height, 24);
    // A frame that cannot be read leaves the last good one on screen rather
    // than a reduction of garbage.
    if (GetDIBits(screen.get(), source, 0, static_cast<UINT>(from.height), from.bits, &fromHeader, DIB_RGB_COLORS) !=
        from.height)
        return nullptr;
    GdiFlush();
    Section24& to = cache.result;
    AreaAverage(from.bits, from.width, from.height, from.stride, to.bits, to.width, to.height, to.stride,
                cache.accumulator.empty() ? nullptr : cache.accumulator.data());
    cache.wholeDone = true;
    return to.bitmap.get();
}

HBITMAP ReductionCache::ShrinkAreas(HBITMAP source, int dstWidth, int dstHeight, const AreaList& areas) {
    Parts& cache = *parts_;
    Section24& from = cache.source;
    Section24& to = cache.result;
    if (!source || !cache.wholeDone || to.width != dstWidth || to.height != dstHeight ||
        int64_t(from.width) != 2 * int64_t(dstWidth) || int64_t(from.height) != 2 * int64_t(dstHeight))
        return nullptr;
    BITMAP size{};
    if (!GetObjectA(source, sizeof size, &size) || size.bmWidth != from.width || size.bmHeight != from.height)
        return nullptr;
    AreaList parts = areas;
    parts.ClipTo(WholeArea(dstWidth, dstHeight));
    if (parts.Empty())
        return to.bitmap.get();
    if (!cache.sourceDC)
        cache.sourceDC.reset(CreateCompatibleDC(nullptr));
    if (!cache.sectionDC)
        cache.sectionDC.reset(CreateCompatibleDC(nullptr));
    if (!cache.sourceDC || !cache.sectionDC)
        return nullptr;
    bool copied = true;
    {
        SelectGuard selectedSource(cache.sourceDC.get(), source);
        SelectGuard selectedSection(cache.sectionDC.get(), from.bitmap.get());
        for (const PixelRect& part : parts)
            copied = copied &&
                     BitBlt(cache.sectionDC.get(), 2 * part.left, 2 * part.top, 2 * (part.right - part.left),
                            2 * (part.bottom - part.top), cache.sourceDC.get(), 2 * part.left, 2 * part.top, SRCCOPY);
    }
    GdiFlush();
    if (!copied) {
        // What the source section holds is no longer known: the next frame reduces whole.
        cache.wholeDone = false;
        return nullptr;
    }
    // Each destination pixel is the average of its own 2 x 2 block, so a
    // part reduces alone to the bytes a whole reduction gives there.
    for (const PixelRect& part : parts)
        AreaAverage(from.bits + size_t(2 * part.top) * from.stride + size_t(2 * part.left) * 3,
                    2 * (part.right - part.left), 2 * (part.bottom - part.top), from.stride,
                    to.bits + size_t(part.top) * to.stride + size_t(part.left) * 3, part.right - part.left,
                    part.bottom - part.top, to.stride, nullptr);
    return to.bitmap.get();
}

void ReductionCache::Free() {
    *parts_ = Parts{};
}

HBITMAP ReductionCache::Bitmap() const {
    return parts_->result.bitmap.get();
}

HBITMAP SmoothShrink(HBITMAP source, int dstWidth, int dstHeight) {
    return TheReductionCache().Shrink(source, dstWidth, dstHeight);
}

HBITMAP SmoothShrinkAreas(HBITMAP source, int dstWidth, int dstHeight, const AreaList& areas) {
    return TheReductionCache().ShrinkAreas(source, dstWidth, dstHeight, areas);
}

void FreeReductionCache() {
    TheReductionCache().Free();
}

HBITMAP ReductionCacheBitmap() {
    return TheReductionCache().Bitmap();
}
