#include "render/picture_limits.h"

#include <algorithm>

namespace {

uint32_t Little16(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8;
}

uint32_t Little32(const uint8_t* p) {
    return Little16(p) | Little16(p + 2) << 16;
}

}  // namespace

bool FitsPictureLimit(int64_t width, int64_t height, int maxSide) {
    return width >= 1 && height >= 1 && width <= maxSide && height <= maxSide;
}

std::optional<PictureSize> BitmapFileSize(const uint8_t* data, size_t size) {
    constexpr size_t kFileHeader = 14;
    if (!data || size < kFileHeader + 4 || data[0] != 'B' || data[1] != 'M')
        return std::nullopt;
    const uint8_t* info = data + kFileHeader;
    const uint32_t infoSize = Little32(info);
    // The OS/2 core header holds 16-bit sides; every later header 32-bit signed ones.
    if (infoSize == 12) {
        if (size < kFileHeader + 8)
            return std::nullopt;
        return PictureSize{Little16(info + 4), Little16(info + 6)};
    }
    if (infoSize < 16 || size < kFileHeader + 12)
        return std::nullopt;
    const int64_t width = static_cast<int32_t>(Little32(info + 4));
    const int64_t height = static_cast<int32_t>(Little32(info + 8));
    return PictureSize{width, height < 0 ? -height : height};
}

ScaleRatio CappedHandScale(int width, int height, ScaleRatio ratio) {
    const int64_t side = std::max(width, height);
    if (side <= 0 || ratio.num <= 0 || ratio.den <= 0 || side * ratio.num / ratio.den <= kMaxFaceSide)
        return ratio;
    return {kMaxFaceSide, side};
}
