#include "app/drag_limits.h"

#include <algorithm>
#include <cstdint>

namespace {

int ToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

ScreenPoint DraggedOrigin(const ScreenRect& window,
                          ScreenPoint grab,
                          ScreenPoint cursor,
                          bool limitToScreen,
                          int screenWidth,
                          int screenHeight) {
    // 64-bit: a capture reports points far outside the window when the cursor
    // runs off a large virtual screen.
    const int64_t dx = int64_t{cursor.x} - grab.x;
    const int64_t dy = int64_t{cursor.y} - grab.y;
    int64_t left = window.left + dx;
    int64_t top = window.top + dy;
    if (limitToScreen) {
        left = std::max<int64_t>(left, 0);
        top = std::max<int64_t>(top, 0);
        const int64_t width = int64_t{window.right} - window.left;
        const int64_t height = int64_t{window.bottom} - window.top;
        if (window.right + dx > screenWidth)
            left = screenWidth - width;
        if (window.bottom + dy > screenHeight)
            top = screenHeight - height;
    }
    return {ToInt(left), ToInt(top)};
}
