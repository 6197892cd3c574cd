#include "app/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kDefaultOrigin = 10;

// The store keeps DWORDs; a position left of or above the screen is negative.
int ReadCoordinate(const SettingsStore& store, const char* name) {
    return static_cast<int32_t>(store.GetInt(kSettingsSection, name, kDefaultOrigin));
}

int PullBack(int position, int screenSize, int windowSize) {
    // 64-bit, so that absurd stored positions or sizes cannot overflow.
    int64_t p = std::max<int64_t>(position, 0);
    p = std::min<int64_t>(p, static_cast<int64_t>(screenSize) - windowSize);
    return static_cast<int>(std::clamp<int64_t>(p, INT32_MIN, INT32_MAX));
}

}  // namespace

WindowPlacement ComputePlacement(const SettingsStore& store,
                                 const ClockSettings& s,
                                 int screenWidth,
                                 int screenHeight,
                                 int windowWidth,
                                 int windowHeight) {
    WindowPlacement placement{ReadCoordinate(store, "Left"), ReadCoordinate(store, "Top"), ZOrder::Top};
    if (s.DontReposWindow == 0) {
        placement.x = PullBack(placement.x, screenWidth, windowWidth);
        placement.y = PullBack(placement.y, screenHeight, windowHeight);
    }
    placement.zOrder = ZOrderFor(s);
    return placement;
}

ZOrder ZOrderFor(const ClockSettings& s) {
    if (s.OnTop != 0)
        return ZOrder::Topmost;
    if (s.PinToDesktop != 0)
        return ZOrder::Bottom;
    return ZOrder::Top;
}

void StoreWindowOrigin(SettingsStore& store, int left, int top) {
    store.WriteInt(kSettingsSection, "Left", static_cast<uint32_t>(left));
    store.WriteInt(kSettingsSection, "Top", static_cast<uint32_t>(top));
}
