#pragma once
// Finding the opaque pixels of a bitmap for the window's shape: every pixel
// that differs from the cut color belongs to the window.

#include <cstddef>
#include <cstdint>
#include <vector>

struct RegionRect {
    int32_t left, top, right, bottom;
};

// The cut color (a COLORREF, 0x00BBGGRR) as a pixel of the given depth would
// hold it: RGB 5-6-5 for 16 bits, otherwise 0x00RRGGBB with the COLORREF's
// top byte kept (so a cut color with a non-zero top byte matches no pixel).
uint32_t CutColorInPixelFormat(uint32_t cutColorRef, int bitsPerPixel);

bool IsSupportedPixelDepth(int bitsPerPixel);  // 1, 4, 8, 16 (5-6-5), 24, 32

// Rewrites 16-bit pixels with the given channel masks (5-5-5 or any other
// bit fields) as RGB 5-6-5, each channel widened to 8 bits by repeating its
// top bits, as GDI does, before it is cut to 5-6-5. Returns false for masks
// that are empty or overlap.
bool ConvertToRgb565(uint8_t* bits,
                     int width,
                     int height,
                     size_t rowStride,
                     uint32_t redMask,
                     uint32_t greenMask,
                     uint32_t blueMask);

// One rectangle (x0, y, x1, y + 1) for every maximal run of opaque pixels of
// row y, rows counted from the top of the image, runs from left to right.
// Indexed depths (1, 4, 8) compare their color-table entry, read as a 32-bit
// value, and need a table of 1 << bitsPerPixel entries; 16 bits compare the
// whole 5-6-5 value; 24 and 32 bits the low 24 bits. Rows are rowStride bytes
// apart, the last row first when bottomUp. An unsupported depth, a missing
// color table or an empty image give no rectangles.
std::vector<RegionRect> OpaqueRuns(const uint8_t* bits,
                                   int width,
                                   int height,
                                   int bitsPerPixel,
                                   size_t rowStride,
                                   bool bottomUp,
                                   const uint32_t* colorTable,
                                   uint32_t cutColorRef);

// The shape the runs make, one byte per pixel of a width x height picture with
// rows from the top: 255 inside a run, 0 outside. Parts of runs outside the
// picture are left out; a size that is not positive gives an empty mask.
std::vector<uint8_t> ShapeMask(const std::vector<RegionRect>& runs, int width, int height);
