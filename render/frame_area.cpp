#include "render/frame_area.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

int ClampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

// Rounds toward minus infinity, also for negative values.
int FloorHalf(int v) {
    return v >= 0 ? v / 2 : -((-int64_t{v} + 1) / 2);
}

}  // namespace

PixelRect Union(const PixelRect& a, const PixelRect& b) {
    if (a.Empty())
        return b.Empty() ? PixelRect{} : b;
    if (b.Empty())
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
    const PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                      std::min(a.bottom, b.bottom)};
    return r.Empty() ? PixelRect{} : r;
}

PixelRect Moved(const PixelRect& rect, int64_t dx, int64_t dy) {
    return {ClampToInt(rect.left + dx), ClampToInt(rect.top + dy), ClampToInt(rect.right + dx),
            ClampToInt(rect.bottom + dy)};
}

PixelRect DrawnHandReach(const HandLine& line, int penWidth) {
    // Widths 0 and 1 are one pixel; a wider pen reaches half its width past
    // the line, its round ends as far past the end points.
    const int64_t reach = int64_t{std::max(penWidth, 1)} / 2 + 2;
    return {ClampToInt(std::min(line.startX, line.tipX) - reach), ClampToInt(std::min(line.startY, line.tipY) - reach),
            ClampToInt(int64_t{std::max(line.startX, line.tipX)} + reach + 1),
            ClampToInt(int64_t{std::max(line.startY, line.tipY)} + reach + 1)};
}

PixelRect HalvedArea(const PixelRect& work, int windowWidth, int windowHeight) {
    if (work.Empty())
        return {};
    const PixelRect halved{FloorHalf(work.left), FloorHalf(work.top), ClampToInt((int64_t{work.right} + 1) / 2),
                           ClampToInt((int64_t{work.bottom} + 1) / 2)};
    return Intersect(halved, WholeArea(windowWidth, windowHeight));
}

PixelRect CenteredTextReach(int centerX, int centerY, int width, int height) {
    const int64_t margin = std::max<int64_t>(height, 4);
    const int64_t halfWidth = std::max<int64_t>(width, 0) / 2 + margin + 1;
    const int64_t halfHeight = std::max<int64_t>(height, 0) / 2 + margin + 1;
    return {ClampToInt(int64_t{centerX} - halfWidth), ClampToInt(int64_t{centerY} - halfHeight),
            ClampToInt(int64_t{centerX} + halfWidth), ClampToInt(int64_t{centerY} + halfHeight)};
}
