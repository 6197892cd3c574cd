#include "render/region_from_bitmap_win.h"

#include <cstdint>
#include <new>
#include <vector>

#include "render/region_runs.h"
#include "win/unique_handle.h"

namespace {

// A header with room for a full 256-entry color table (or three bit masks).
struct DibInfo {
    BITMAPINFOHEADER header;
    uint32_t colors[256];
};

std::optional<std::vector<RegionRect>> RunsOrThrow(HBITMAP bitmap, COLORREF cutColor) {
    BITMAP bm{};
    if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP)
        return std::nullopt;
    if (!GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return std::nullopt;
    UniqueMemoryDC display(CreateICA("DISPLAY", nullptr, nullptr, nullptr));
    if (!display)
        return std::nullopt;

    // Ask for the bitmap's own depth, so that the cut color is compared at the
    // precision the pixels were stored with.
    DibInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    if (!GetDIBits(display.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), nullptr,
                   reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS)) {
        return std::nullopt;
    }
    const int depth = info.header.biBitCount;
    if (!IsSupportedPixelDepth(depth))
        return std::nullopt;

    // Restate the format in full as plain bottom-up rows; 16-bit pixels are
    // asked for as 5-6-5.
    info = DibInfo{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = bm.bmWidth;
    info.header.biHeight = bm.bmHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(depth);
    info.header.biCompression = BI_RGB;
    if (depth == 16) {
        info.header.biCompression = BI_BITFIELDS;
        info.colors[0] = 0xF800;
        info.colors[1] = 0x07E0;
        info.colors[2] = 0x001F;
    }
    const size_t stride = ((static_cast<size_t>(bm.bmWidth) * depth + 31) / 32) * 4;
    const size_t height = static_cast<size_t>(bm.bmHeight);
    if (stride > (SIZE_MAX - 4) / height)
        return std::nullopt;
    std::vector<uint8_t> pixels(stride * height + 4);
    if (GetDIBits(display.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) <= 0) {
        return std::nullopt;
    }
    // Wine answers a request for 5-6-5 with the bitmap's own 5-5-5 pixels and
    // masks; compare them as 5-6-5 all the same, so that red is red at 16 bits.
    if (depth == 16) {
        const bool fields = info.header.biCompression == BI_BITFIELDS;
        if (!ConvertToRgb565(pixels.data(), bm.bmWidth, bm.bmHeight, stride, fields ? info.colors[0] : 0x7C00,
                             fields ? info.colors[1] : 0x03E0, fields ? info.colors[2] : 0x001F)) {
            return std::nullopt;
        }
    }
    return OpaqueRuns(pixels.data(), bm.bmWidth, bm.bmHeight, depth, stride,
                      /*bottomUp=*/true, depth <= 8 ? info.colors : nullptr, cutColor);
}

}  // namespace

HRGN RegionFromRuns(const std::vector<RegionRect>& runs) {
    const size_t headerBytes = sizeof(RGNDATAHEADER);
    if (runs.size() > (UINT32_MAX - headerBytes) / sizeof(RECT))
        return nullptr;
    std::vector<uint8_t> data;
    try {
        data.resize(headerBytes + runs.size() * sizeof(RECT));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh.dwSize = headerBytes;
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(runs.size());
    region->rdh.nRgnSize = 0;
    region->rdh.rcBound = RECT{0, 0, 0, 0};
    auto* rects = reinterpret_cast<RECT*>(region->Buffer);
    for (size_t i = 0; i < runs.size(); ++i)
        rects[i] = RECT{runs[i].left, runs[i].top, runs[i].right, runs[i].bottom};
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region);
}

std::optional<std::vector<RegionRect>> OpaqueRunsOfBitmap(HBITMAP bitmap, COLORREF cutColor) {
    try {
        return RunsOrThrow(bitmap, cutColor);
    } catch (const std::bad_alloc&) {
        // A huge, ragged background: no shape rather than an exception in the window procedure.
        return std::nullopt;
    }
}

HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF cutColor) {
    const std::optional<std::vector<RegionRect>> runs = OpaqueRunsOfBitmap(bitmap, cutColor);
    return runs ? RegionFromRuns(*runs) : nullptr;
}
