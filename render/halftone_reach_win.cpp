#include "render/halftone_reach_win.h"

#include <cstdint>
#include <vector>

#include "win/bitmap_info_win.h"
#include "win/surface_bitmap_win.h"
#include "win/unique_handle.h"

namespace {

constexpr int kSide = 40;  // of the test's destination; its source is twice that

// Noise, the same every time: any pixel a destination pixel depends on shows.
void FillWithNoise(HBITMAP bitmap, int width, int height, uint32_t seed) {
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (uint32_t& pixel : pixels) {
        seed = seed * 1664525u + 1013904223u;
        pixel = seed >> 8;
    }
    BITMAPINFO info = TopDownBitmapInfo(width, height, 32);
    WindowDC screen(nullptr);
    ::SetDIBits(screen.get(), bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
}

// The colors of a bitmap that no DC holds, top row first; empty on failure.
std::vector<uint32_t> ReadPixels(HBITMAP bitmap, int width, int height) {
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    BITMAPINFO info = TopDownBitmapInfo(width, height, 32);
    WindowDC screen(nullptr);
    if (::GetDIBits(screen.get(), bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS) != height)
        return {};
    for (uint32_t& pixel : pixels)
        pixel &= 0xFFFFFFu;
    return pixels;
}

PixelRect Grown(const PixelRect& part, int reach, const PixelRect& whole) {
    return Intersect(PixelRect{part.left - reach, part.top - reach, part.right + reach, part.bottom + reach}, whole);
}

bool ReachHolds(int reach) {
    WindowDC screen(nullptr);
    UniqueMemoryDC workDC(::CreateCompatibleDC(screen.get()));
    UniqueMemoryDC frameDC(::CreateCompatibleDC(screen.get()));
    UniqueMemoryDC scratchDC(::CreateCompatibleDC(screen.get()));
    UniqueBitmap work = CreateSurfaceBitmap(2 * kSide, 2 * kSide);
    UniqueBitmap whole = CreateSurfaceBitmap(kSide, kSide);
    UniqueBitmap byParts = CreateSurfaceBitmap(kSide, kSide);
    UniqueBitmap scratch = CreateSurfaceBitmap(kSide, kSide);
    if (!screen || !workDC || !frameDC || !scratchDC || !work || !whole || !byParts || !scratch)
        return false;
    FillWithNoise(work.get(), 2 * kSide, 2 * kSide, 1);
    FillWithNoise(byParts.get(), kSide, kSide, 2);
    const std::vector<uint32_t> before = ReadPixels(byParts.get(), kSide, kSide);
    if (!HalftoneStretch(workDC.get(), frameDC.get(), work.get(), whole.get(), 2 * kSide, 2 * kSide, kSide, kSide))
        return false;
    // Parts at the edges and inside, at odd and even places and sizes, one
    // overlapping two others.
    AreaList parts;
    for (const PixelRect& part : {PixelRect{0, 0, 7, 5}, PixelRect{3, 9, 17, 22}, PixelRect{20, 1, 40, 12},
                                  PixelRect{11, 27, 29, 40}, PixelRect{33, 30, 40, 40}, PixelRect{14, 18, 26, 31}})
        parts.Add(part);
    if (!StretchHalvedParts(workDC.get(), scratchDC.get(), frameDC.get(), work.get(), scratch.get(), byParts.get(),
                            parts, WholeArea(kSide, kSide), reach))
        return false;
    const std::vector<uint32_t> expected = ReadPixels(whole.get(), kSide, kSide);
    const std::vector<uint32_t> got = ReadPixels(byParts.get(), kSide, kSide);
    if (expected.empty() || got.empty() || before.empty())
        return false;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            bool inPart = false;
            for (const PixelRect& part : parts)
                inPart = inPart || (x >= part.left && x < part.right && y >= part.top && y < part.bottom);
            const size_t at = size_t(y) * kSide + size_t(x);
            // Inside a part the whole stretch's pixel; outside, untouched.
            if (got[at] != (inPart ? expected[at] : before[at]))
                return false;
        }
    }
    return true;
}

}  // namespace

bool HalftoneStretch(HDC fromDC,
                     HDC toDC,
                     HBITMAP from,
                     HBITMAP to,
                     int fromWidth,
                     int fromHeight,
                     int toWidth,
                     int toHeight) {
    SelectGuard selectedFrom(fromDC, from);
    SelectGuard selectedTo(toDC, to);
    ::SetStretchBltMode(toDC, HALFTONE);
    ::SetBrushOrgEx(toDC, 0, 0, nullptr);
    return ::StretchBlt(toDC, 0, 0, toWidth, toHeight, fromDC, 0, 0, fromWidth, fromHeight, SRCCOPY) != FALSE;
}

bool StretchHalvedParts(HDC workDC,
                        HDC scratchDC,
                        HDC frameDC,
                        HBITMAP work,
                        HBITMAP scratch,
                        HBITMAP frame,
                        const AreaList& parts,
                        const PixelRect& whole,
                        int reach) {
    SelectGuard selectedWork(workDC, work);
    SelectGuard selectedScratch(scratchDC, scratch);
    SelectGuard selectedFrame(frameDC, frame);
    ::SetStretchBltMode(scratchDC, HALFTONE);
    ::SetBrushOrgEx(scratchDC, 0, 0, nullptr);
    for (const PixelRect& part : parts) {
        const PixelRect read = Grown(part, reach, whole);
        if (read.Empty())
            continue;
        const int width = read.right - read.left;
        const int height = read.bottom - read.top;
        if (!::StretchBlt(scratchDC, read.left, read.top, width, height, workDC, 2 * read.left, 2 * read.top, 2 * width,
                          2 * height, SRCCOPY) ||
            !::BitBlt(frameDC, part.left, part.top, part.right - part.left, part.bottom - part.top, scratchDC,
                      part.left, part.top, SRCCOPY))
            return false;
    }
    return true;
}

int HalftoneHalvingReach() {
    static const int reach = [] {
        for (int tried : {2, 8})
            if (ReachHolds(tried))
                return tried;
        return -1;
    }();
    return reach;
}
