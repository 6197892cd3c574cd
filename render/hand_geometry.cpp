#include "render/hand_geometry.h"

#include <climits>
#include <cmath>
#include <cstdint>

double HourHandAngle(unsigned hour, unsigned minute) {
    return kQuarterTurn - ((hour % 12) / 6.0 + minute / 360.0) * kHalfTurn;
}

double MinuteHandAngle(unsigned minute, unsigned second) {
    return kQuarterTurn - (minute / 30.0 + second / 1800.0) * kHalfTurn;
}

double SecondHandAngle(unsigned second) {
    return kQuarterTurn - (second / 30.0) * kHalfTurn;
}

namespace {

constexpr double kCoordinateLimit = 1 << 27;

// Truncates toward zero. Converting a NaN or out-of-range double to an integer
// is undefined, so those are mapped into the coordinate range first.
int64_t TruncateCoordinate(double v) {
    if (!(v == v))
        return 0;
    if (v > kCoordinateLimit)
        return static_cast<int64_t>(kCoordinateLimit);
    if (v < -kCoordinateLimit)
        return -static_cast<int64_t>(kCoordinateLimit);
    return static_cast<int64_t>(v);
}

int ClampCoordinate(int64_t v) {
    constexpr int64_t limit = 1 << 27;
    return static_cast<int>(v > limit ? limit : (v < -limit ? -limit : v));
}

}  // namespace

HandLine DrawnHandLine(int centerX, int centerY, double angle, int lap, int length) {
    const int64_t cx = int64_t{centerX} + 1;
    const int64_t cy = int64_t{centerY} + 1;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    HandLine line;
    if (lap == 0) {
        line.startX = ClampCoordinate(cx);
        line.startY = ClampCoordinate(cy);
    } else {
        line.startX = ClampCoordinate(TruncateCoordinate(static_cast<double>(cx) - c * lap));
        line.startY = ClampCoordinate(TruncateCoordinate(s * lap + static_cast<double>(cy)));
    }
    line.tipX = ClampCoordinate(cx + TruncateCoordinate(c * length));
    line.tipY = ClampCoordinate(cy - TruncateCoordinate(s * length));
    return line;
}

int ScalePercent(int value, int percent) {
    const int64_t q = int64_t{value} * percent / 100;
    return static_cast<int>(q > INT_MAX ? INT_MAX : (q < INT_MIN ? INT_MIN : q));
}
