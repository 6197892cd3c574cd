#pragma once
// A scale as an exact fraction, so a 3x picture at 100 % is a third of its
// size to the pixel rather than 33 %.

#include <cstdint>

struct ScaleRatio {
    int64_t num;
    int64_t den;
};

// value x ratio, the product first, truncated toward zero, clamped to int.
int ScaleByRatio(int value, ScaleRatio ratio);
