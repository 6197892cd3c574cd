#include "render/scale_ratio.h"

#include <algorithm>

int ScaleByRatio(int value, ScaleRatio ratio) {
    if (ratio.den <= 0 || ratio.num < 0)
        return value;
    const int64_t scaled = int64_t{value} * ratio.num / ratio.den;
    return static_cast<int>(std::clamp<int64_t>(scaled, INT32_MIN, INT32_MAX));
}
