#include "plugins/seconds_ring/ring_geometry.h"

#include <gtest/gtest.h>

#include <climits>

TEST(RingGeometry, RingStaysOnTheSurfaceAroundThePivot) {
    RingSettings s;
    s.width = 4;
    s.sizePercent = 100;
    struct Case {
        int width, height, centerX, centerY, scale;
        bool visible;
        int radius, penWidth;
    } cases[] = {
        {201, 201, 100, 100, 100, true, 98, 4},   // nearest edge 100, half the pen inside it
        {400, 400, 200, 200, 200, true, 195, 8},  // smoothing doubles the pen with the rest
        {300, 100, 150, 50, 100, true, 47, 4},    // the short side decides
        {201, 201, 20, 100, 100, true, 18, 4},    // an off-center pivot near the left edge
        {201, 201, 0, 100, 100, false, 0, 0},     // pivot on the edge: no room
        {201, 201, -5, 100, 100, false, 0, 0},
        {201, 201, 100, 250, 100, false, 0, 0},
        {201, 201, 100, 100, 1, true, 100, 1},  // a tiny scale still draws one pixel wide
        {5, 5, 2, 2, 100, true, 1, 2},          // the pen never outgrows the room
        {INT_MAX, INT_MAX, INT_MAX / 2, INT_MAX / 2, INT_MAX, true, INT_MAX / 2 - 200, 400},
    };
    for (const Case& c : cases) {
        const Ring ring = RingForFace(c.width, c.height, c.centerX, c.centerY, c.scale, s);
        EXPECT_EQ(ring.visible, c.visible) << c.width << "x" << c.height << " at " << c.centerX << "," << c.centerY;
        if (!c.visible)
            continue;
        EXPECT_EQ(ring.radius, c.radius) << c.width << "x" << c.height << " scale " << c.scale;
        EXPECT_EQ(ring.penWidth, c.penWidth) << c.width << "x" << c.height << " scale " << c.scale;
        EXPECT_EQ(ring.centerX, c.centerX);
        EXPECT_EQ(ring.centerY, c.centerY);
    }
}

TEST(RingGeometry, SizeShrinksTheRadius) {
    RingSettings s;
    s.width = 2;
    s.sizePercent = 50;
    EXPECT_EQ(RingForFace(201, 201, 100, 100, 100, s).radius, 49);
}

TEST(RingGeometry, SecondsRunClockwiseFromTwelve) {
    Ring ring;
    ring.centerX = 100;
    ring.centerY = 100;
    ring.radius = 50;
    struct Case {
        int second, x, y;
    } cases[] = {
        {0, 100, 50}, {15, 150, 100}, {30, 100, 150}, {45, 50, 100}, {60, 100, 50}, {-15, 50, 100}, {75, 150, 100},
    };
    for (const Case& c : cases) {
        const RingPoint p = PointOnRing(ring, c.second);
        EXPECT_EQ(p.x, c.x) << "second " << c.second;
        EXPECT_EQ(p.y, c.y) << "second " << c.second;
    }
}

TEST(RingGeometry, StoredValuesOutOfRangeAreClamped) {
    struct Case {
        uint32_t color;
        int width, size;
        uint32_t wantColor;
        int wantWidth, wantSize;
    } cases[] = {
        {0x00123456, 3, 92, 0x00123456, 3, 92},
        {0xFF123456, 0, 0, 0x00123456, 1, 10},
        {0, -7, -1, 0, 1, 10},
        {0, 1000, 1000, 0, 40, 100},
        {0, INT_MAX, INT_MAX, 0, 40, 100},
    };
    for (const Case& c : cases) {
        RingSettings s;
        s.color = c.color;
        s.width = c.width;
        s.sizePercent = c.size;
        const RingSettings clamped = ClampRingSettings(s);
        EXPECT_EQ(clamped.color, c.wantColor);
        EXPECT_EQ(clamped.width, c.wantWidth) << c.width;
        EXPECT_EQ(clamped.sizePercent, c.wantSize) << c.size;
    }
}
