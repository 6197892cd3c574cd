#include "render/hand_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

TEST(HandAngles, KnownTimes) {
    struct Case {
        unsigned hour, minute, second;
        double hourAngle, minuteAngle, secondAngle;
    } cases[] = {
        {12, 0, 0, kQuarterTurn, kQuarterTurn, kQuarterTurn},
        {0, 0, 0, kQuarterTurn, kQuarterTurn, kQuarterTurn},
        {3, 0, 0, 0.0, kQuarterTurn, kQuarterTurn},
        {6, 30, 0, -1.8325959166666663, kQuarterTurn - kHalfTurn, kQuarterTurn},
        {23, 59, 59, kQuarterTurn - (11 / 6.0 + 59 / 360.0) * kHalfTurn,
         kQuarterTurn - (59 / 30.0 + 59 / 1800.0) * kHalfTurn, kQuarterTurn - (59 / 30.0) * kHalfTurn},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << ":" << c.second);
        EXPECT_DOUBLE_EQ(HourHandAngle(c.hour, c.minute), c.hourAngle);
        EXPECT_DOUBLE_EQ(MinuteHandAngle(c.minute, c.second), c.minuteAngle);
        EXPECT_DOUBLE_EQ(SecondHandAngle(c.second), c.secondAngle);
    }
    EXPECT_EQ(HourHandAngle(3, 0), 0.0);
}

TEST(HandAngles, StepSizes) {
    const double degree = kHalfTurn / 180;
    EXPECT_NEAR(MinuteHandAngle(10, 0) - MinuteHandAngle(10, 1), 0.1 * degree, 1e-12);
    EXPECT_NEAR(HourHandAngle(4, 20) - HourHandAngle(4, 21), 0.5 * degree, 1e-12);
    EXPECT_NEAR(SecondHandAngle(7) - SecondHandAngle(8), 6 * degree, 1e-12);
    EXPECT_EQ(HourHandAngle(5, 59), HourHandAngle(17, 59));
}

TEST(DrawnHandLine, StartTruncatesWholeCoordinateTipOnlyItsOffset) {
    const double sixtyDegrees = kHalfTurn / 3;  // cos 0.5
    // Pivot x = 100. Start: trunc(100 - 2.5) = 97. Tip at 120 degrees: 100 + trunc(-2.5) = 98.
    HandLine line = DrawnHandLine(99, 49, sixtyDegrees, 5, 0);
    EXPECT_EQ(line.startX, 97);
    line = DrawnHandLine(99, 49, 2 * sixtyDegrees, 0, 5);
    EXPECT_EQ(line.tipX, 98);
    // Left of the surface's origin the start still truncates toward zero, not down.
    line = DrawnHandLine(-1, -1, sixtyDegrees, 5, 0);
    EXPECT_EQ(line.startX, -2);
}

TEST(DrawnHandLine, PointsAlongTheAngleFromThePivotBesideTheCenter) {
    struct Case {
        double angle;
        int lap, length;
        HandLine expected;
    } cases[] = {
        // The turn constants lie a hair past the exact angles, so a tip at 12, 6
        // or 9 o'clock ends one pixel short: trunc(39.99999...) = 39.
        {kQuarterTurn, 0, 40, {51, 31, 51, -8}},    // 12 o'clock; lap 0 starts at the pivot
        {0.0, 10, 40, {41, 31, 91, 31}},            // 3 o'clock with a tail
        {-kQuarterTurn, 10, 40, {51, 21, 51, 70}},  // 6 o'clock
        {kHalfTurn, 0, 40, {51, 31, 12, 31}},       // 9 o'clock
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        const HandLine line = DrawnHandLine(50, 30, c.angle, c.lap, c.length);
        EXPECT_EQ(line.startX, c.expected.startX);
        EXPECT_EQ(line.startY, c.expected.startY);
        EXPECT_EQ(line.tipX, c.expected.tipX);
        EXPECT_EQ(line.tipY, c.expected.tipY);
    }
}

TEST(DrawnHandLine, AbsurdPresetValuesStayInsideTheCoordinateRange) {
    const int limit = 1 << 27;
    HandLine line = DrawnHandLine(INT_MAX, INT_MIN, 0.0, INT_MIN, INT_MAX);
    EXPECT_EQ(line.startX, limit);
    EXPECT_EQ(line.startY, -limit);
    EXPECT_EQ(line.tipX, limit);
    EXPECT_EQ(line.tipY, -limit);
    line = DrawnHandLine(0, 0, NAN, 5, 5);
    EXPECT_EQ(line.tipX, 1);
    EXPECT_EQ(line.tipY, 1);
}

TEST(ScalePercent, ProductFirstTruncatedTowardZero) {
    struct Case {
        int value, percent, expected;
    } cases[] = {
        {33, 150, 49},
        {-33, 150, -49},
        {3, 33, 0},
        {-3, 33, 0},
        {100, 300, 300},
        {57, 200, 114},
        {0, 12345, 0},
        {7, -100, -7},
        {INT_MAX, 100, INT_MAX},
        // Products past 32 bits: the exact quotient, clamped to the int range.
        {INT_MAX, 50, 1073741823},
        {INT_MAX, 200, INT_MAX},
        {INT_MIN, 200, INT_MIN},
        {INT_MIN, -100, INT_MAX},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScalePercent(c.value, c.percent), c.expected) << c.value << " * " << c.percent;
    }
}
