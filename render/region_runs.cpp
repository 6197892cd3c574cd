#include "render/region_runs.h"

#include <algorithm>

uint32_t CutColorInPixelFormat(uint32_t cutColorRef, int bitsPerPixel) {
    const uint32_t red = cutColorRef & 0xFF;
    const uint32_t green = (cutColorRef >> 8) & 0xFF;
    const uint32_t blue = (cutColorRef >> 16) & 0xFF;
    if (bitsPerPixel == 16)
        return ((red & 0xF8) << 8) | ((green & 0xFC) << 3) | (blue >> 3);
    return (cutColorRef & 0xFF000000u) | (red << 16) | (green << 8) | blue;
}

bool IsSupportedPixelDepth(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            return true;
        default:
            return false;
    }
}

namespace {

// Widens the masked channel of a pixel to 8 bits.
struct Channel {
    int shift = 0;
    int bits = 0;

    static Channel Of(uint32_t mask) {
        Channel c;
        if (!mask)
            return c;
        while (!((mask >> c.shift) & 1))
            ++c.shift;
        while (c.shift + c.bits < 32 && ((mask >> (c.shift + c.bits)) & 1))
            ++c.bits;
        return c;
    }

    uint32_t Expand(uint32_t pixel) const {
        const uint32_t v = (pixel >> shift) & ((1u << bits) - 1);
        if (bits >= 8)
            return v >> (bits - 8);
        uint32_t wide = 0;
        for (int filled = 0; filled < 8; filled += bits)
            wide |= (v << (8 - bits)) >> filled;
        return wide & 0xFF;
    }
};

}  // namespace

bool ConvertToRgb565(uint8_t* bits,
                     int width,
                     int height,
                     size_t rowStride,
                     uint32_t redMask,
                     uint32_t greenMask,
                     uint32_t blueMask) {
    if ((redMask & greenMask) || (redMask & blueMask) || (greenMask & blueMask))
        return false;
    if (((redMask | greenMask | blueMask) >> 16) != 0)
        return false;
    const Channel red = Channel::Of(redMask), green = Channel::Of(greenMask), blue = Channel::Of(blueMask);
    if (!red.bits || !green.bits || !blue.bits)
        return false;
    if (redMask == 0xF800 && greenMask == 0x07E0 && blueMask == 0x001F)
        return true;
    for (int y = 0; y < height; ++y) {
        uint8_t* p = bits + static_cast<size_t>(y) * rowStride;
        for (int x = 0; x < width; ++x, p += 2) {
            const uint32_t pixel = p[0] | (uint32_t{p[1]} << 8);
            const uint32_t v =
                ((red.Expand(pixel) & 0xF8) << 8) | ((green.Expand(pixel) & 0xFC) << 3) | (blue.Expand(pixel) >> 3);
            p[0] = static_cast<uint8_t>(v & 0xFF);
            p[1] = static_cast<uint8_t>(v >> 8);
        }
    }
    return true;
}

namespace {

// The value of pixel x of a row that is compared with the converted cut color.
uint32_t ComparablePixel(const uint8_t* row, int x, int bitsPerPixel, const uint32_t* colorTable) {
    switch (bitsPerPixel) {
        case 1:
            return colorTable[(row[x >> 3] >> (7 - (x & 7))) & 1];
        case 4:
            return colorTable[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
        case 8:
            return colorTable[row[x]];
        case 16:
            return row[2 * x] | (uint32_t{row[2 * x + 1]} << 8);
        case 24: {
            const uint8_t* p = row + 3 * static_cast<size_t>(x);
            return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16);
        }
        default: {
            const uint8_t* p = row + 4 * static_cast<size_t>(x);
            return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16);
        }
    }
}

}  // namespace

std::vector<RegionRect> OpaqueRuns(const uint8_t* bits,
                                   int width,
                                   int height,
                                   int bitsPerPixel,
                                   size_t rowStride,
                                   bool bottomUp,
                                   const uint32_t* colorTable,
                                   uint32_t cutColorRef) {
    std::vector<RegionRect> rects;
    if (!bits || width <= 0 || height <= 0 || !IsSupportedPixelDepth(bitsPerPixel))
        return rects;
    if (bitsPerPixel <= 8 && !colorTable)
        return rects;
    const uint32_t cut = CutColorInPixelFormat(cutColorRef, bitsPerPixel);
    rects.reserve(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const size_t stored = bottomUp ? static_cast<size_t>(height - 1 - y) : static_cast<size_t>(y);
        const uint8_t* row = bits + stored * rowStride;
        int runStart = -1;
        for (int x = 0; x < width; ++x) {
            const bool opaque = ComparablePixel(row, x, bitsPerPixel, colorTable) != cut;
            if (opaque && runStart < 0) {
                runStart = x;
            } else if (!opaque && runStart >= 0) {
                rects.push_back({runStart, y, x, y + 1});
                runStart = -1;
            }
        }
        if (runStart >= 0)
            rects.push_back({runStart, y, width, y + 1});
    }
    return rects;
}

std::vector<uint8_t> ShapeMask(const std::vector<RegionRect>& runs, int width, int height) {
    std::vector<uint8_t> mask;
    if (width <= 0 || height <= 0)
        return mask;
    mask.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    for (const RegionRect& r : runs) {
        const int left = std::max(r.left, 0), right = std::min(r.right, width);
        const int top = std::max(r.top, 0), bottom = std::min(r.bottom, height);
        for (int y = top; y < bottom && left < right; ++y) {
            uint8_t* row = mask.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
            std::fill(row + left, row + right, uint8_t(255));
        }
    }
    return mask;
}
