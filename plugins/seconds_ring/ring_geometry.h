#pragma once
// Where the seconds ring lies on a face and how far its arc reaches: plain
// arithmetic, no window, so it is tested natively.

#include <cstdint>

struct RingSettings {
    static constexpr int kMinWidth = 1;
    static constexpr int kMaxWidth = 40;
    static constexpr int kMinSizePercent = 10;
    static constexpr int kMaxSizePercent = 100;

    uint32_t color = 0x003838E0;  // COLORREF 0x00BBGGRR: a warm red
    int width = 3;                // pen width in pixels at the preset's own size
    int sizePercent = 92;         // radius as a share of the distance to the nearest edge
};

// Values from a damaged or hand-edited store brought into range.
RingSettings ClampRingSettings(RingSettings settings);

struct Ring {
    int centerX = 0;
    int centerY = 0;
    int radius = 0;  // of the middle of the stroke
    int penWidth = 0;
    bool visible = false;
};

// The ring around the pivot (centerX, centerY) on a work surface of the given
// size drawn at scalePercent. The whole stroke stays on the surface; a pivot on
// or outside the edge leaves no room and gives an invisible ring.
Ring RingForFace(int workWidth,
                 int workHeight,
                 int centerX,
                 int centerY,
                 int scalePercent,
                 const RingSettings& settings);

struct RingPoint {
    int x = 0;
    int y = 0;
};

// The point on the ring `second` seconds (0..59, wrapped) clockwise from 12
// o'clock, in screen coordinates (y down).
RingPoint PointOnRing(const Ring& ring, int second);
