#pragma once
// The part of a frame that changed since the one before: rectangles of pixels
// on the work surface and the window, and the reach of what a hand draws.

#include <cstdint>

#include "render/hand_geometry.h"

// Pixels [left, right) x [top, bottom); empty when either span is.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const PixelRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool operator!=(const PixelRect& other) const { return !(*this == other); }
};

// The smallest rectangle holding both; an empty one adds nothing.
PixelRect Union(const PixelRect& a, const PixelRect& b);
PixelRect Intersect(const PixelRect& a, const PixelRect& b);
inline bool Intersects(const PixelRect& a, const PixelRect& b) {
    return !Intersect(a, b).Empty();
}
// The rectangle moved by (dx, dy), its edges clamped to the int range.
PixelRect Moved(const PixelRect& rect, int64_t dx, int64_t dy);
inline PixelRect WholeArea(int width, int height) {
    return {0, 0, width, height};
}

// Every pixel a solid pen of the given width may touch along the line, round
// ends included, with a pixel to spare for the rasterizer's rounding.
PixelRect DrawnHandReach(const HandLine& line, int penWidth);

// The window pixels whose 2 x 2 source blocks meet the work area, when the
// work surface is exactly twice the window; clipped to the window.
PixelRect HalvedArea(const PixelRect& work, int windowWidth, int windowHeight);

// Where a line of text of the given extent, centered on a point, may put
// pixels: its box grown by its height (at least 4) for overhanging and
// smoothed glyphs.
PixelRect CenteredTextReach(int centerX, int centerY, int width, int height);
