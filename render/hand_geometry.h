#pragma once
// Where the hands point and where a drawn hand's line lies. Angles are radians
// counterclockwise from 3 o'clock; screen y grows downwards.

constexpr double kQuarterTurn = 1.5707965;
constexpr double kHalfTurn = 3.141593;

// hour 0..23, minute and second 0..59 (larger values simply turn further).
double HourHandAngle(unsigned hour, unsigned minute);
double MinuteHandAngle(unsigned minute, unsigned second);
double SecondHandAngle(unsigned second);

struct HandLine {
    int startX, startY, tipX, tipY;
};

// The line of a drawn hand about the preset center (centerX, centerY); the
// hand turns about the pixel one right and one down of it. The start point
// rounds the whole coordinate toward zero, the tip only its offset from the
// pivot; presets are laid out for exactly these pixels.
// Coordinates are limited to +-2^27, the range GDI accepts, so absurd preset
// values give a line far off the surface instead of an overflow.
HandLine DrawnHandLine(int centerX, int centerY, double angle, int lap, int length);

// value * percent / 100 with the product first and the quotient truncated
// toward zero, as 32-bit arithmetic gives wherever the product fits. The
// product is taken in 64 bits so a larger one cannot overflow: the exact
// quotient is returned, clamped to the int range.
int ScalePercent(int value, int percent);
