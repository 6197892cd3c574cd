#pragma once
// How a frame reaches the window size: drawn there directly, or drawn at twice
// the size and reduced by the platform's halftone stretch or by our own area
// average. The numbers are the stored option AAMethod.

#include <cstdint>

enum class SmoothingMethod : uint8_t { None = 0, System = 1, Own = 2 };

// A stored value outside 0..2 is drawn as the platform's reduction, the
// default of the option.
inline SmoothingMethod SmoothingMethodOf(uint32_t aaMethod) {
    return aaMethod <= 2 ? static_cast<SmoothingMethod>(aaMethod) : SmoothingMethod::System;
}
