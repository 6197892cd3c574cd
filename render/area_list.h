#pragma once
// A handful of rectangles that together hold what changed in a frame. A frame
// drawn, reduced and merged rectangle by rectangle costs a little for each one
// besides its pixels; neighbors are joined where one rectangle costs less than
// two, so a hand at a slant is a chain of small boxes instead of one box that
// is mostly empty.

#include <array>
#include <cstddef>
#include <cstdint>

#include "render/frame_area.h"

// What one more rectangle costs a frame, in pixels of the surface it is drawn
// on: the calls to restore, draw, reduce and merge it, measured under Wine at
// a few tens of microseconds against some 10 ns a pixel.
constexpr int64_t kRectangleCostInPixels = 4096;

class AreaList {
public:
    static constexpr int kCapacity = 48;

    // Empty rectangles are left out. Past the capacity a rectangle is joined
    // to the one it grows least, so nothing is ever lost.
    void Add(const PixelRect& rect);
    void Add(const AreaList& other);
    void Clear() { count_ = 0; }

    int Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    const PixelRect* begin() const { return rects_.data(); }
    const PixelRect* end() const { return rects_.data() + count_; }
    const PixelRect& operator[](int i) const { return rects_[size_t(i)]; }

    // The smallest rectangle holding them all.
    PixelRect Bounds() const;
    bool Intersects(const PixelRect& rect) const;
    // Each rectangle cut to the given one; those left empty are dropped.
    void ClipTo(const PixelRect& rect);
    // Joins two rectangles wherever their union costs no more than both
    // apart: its area at most theirs plus a rectangle's cost. Runs until no
    // pair is left to join.
    void JoinNeighbors(int64_t rectangleCost = kRectangleCostInPixels);

    bool operator==(const AreaList& other) const;
    bool operator!=(const AreaList& other) const { return !(*this == other); }

private:
    std::array<PixelRect, kCapacity> rects_{};
    int count_ = 0;
};

// Pixels in a rectangle, without overflow for any that Intersect can give.
int64_t Area(const PixelRect& rect);
