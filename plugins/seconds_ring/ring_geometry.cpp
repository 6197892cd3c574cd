#include "ring_geometry.h"

#include <algorithm>
#include <cmath>

RingSettings ClampRingSettings(RingSettings settings) {
    settings.color &= 0x00FFFFFF;
    settings.width = std::clamp(settings.width, RingSettings::kMinWidth, RingSettings::kMaxWidth);
    settings.sizePercent =
        std::clamp(settings.sizePercent, RingSettings::kMinSizePercent, RingSettings::kMaxSizePercent);
    return settings;
}

Ring RingForFace(int workWidth,
                 int workHeight,
                 int centerX,
                 int centerY,
                 int scalePercent,
                 const RingSettings& rawSettings) {
    const RingSettings settings = ClampRingSettings(rawSettings);
    Ring ring;
    ring.centerX = centerX;
    ring.centerY = centerY;
    // 64-bit: the pivot and size come from a preset and may be anything.
    const int64_t nearestEdge = std::min(
        {int64_t{centerX}, int64_t{centerY}, int64_t{workWidth} - 1 - centerX, int64_t{workHeight} - 1 - centerY});
    if (nearestEdge <= 0)
        return ring;
    const int64_t scale = std::clamp(scalePercent, 1, 10000);
    const int64_t pen = std::clamp<int64_t>(settings.width * scale / 100, 1, nearestEdge);
    const int64_t outer = nearestEdge * settings.sizePercent / 100;
    // The pen is centerd on the radius: keep its outer half on the surface.
    const int64_t radius = outer - pen / 2;
    if (radius < 1)
        return ring;
    ring.radius = static_cast<int>(radius);
    ring.penWidth = static_cast<int>(pen);
    ring.visible = true;
    return ring;
}

RingPoint PointOnRing(const Ring& ring, int second) {
    const double kPi = 3.14159265358979323846;
    const int wrapped = ((second % 60) + 60) % 60;
    const double angle = wrapped * (2 * kPi / 60);
    RingPoint p;
    p.x = ring.centerX + static_cast<int>(std::lround(std::sin(angle) * ring.radius));
    p.y = ring.centerY - static_cast<int>(std::lround(std::cos(angle) * ring.radius));
    return p;
}
