#include "app/window_styles.h"

#include <gtest/gtest.h>

#include "app/window_placement.h"

namespace {

using namespace window_style;

TEST(WindowStyles, OptionsSetAndClearTheirBits) {
    constexpr uint32_t kForeign = 0x00000100;  // a bit no option governs
    struct Case {
        int hideFromAltTab, clickThrough, pinToDesktop;
        bool layered;
        uint32_t current, expected;
    } cases[] = {
        // Turning options on from a bare window.
        {1, 1, 1, true, kAppWindow, kToolWindow | kLayered | kTransparent | kNoActivate},
        // Turning them off again clears what they set; the layered bit stays.
        {0, 0, 0, true, kToolWindow | kLayered | kTransparent | kNoActivate | kForeign, kLayered | kForeign},
        // Without layered output only the tool-window bit follows its option.
        {1, 1, 1, false, kAppWindow | kForeign, kToolWindow | kForeign},
        {0, 1, 1, false, kToolWindow, 0},
    };
    for (const Case& c : cases) {
        ClockSettings s;
        s.HideFromAltTab = c.hideFromAltTab;
        s.ClickThrough = c.clickThrough;
        s.PinToDesktop = c.pinToDesktop;
        EXPECT_EQ(ExtendedStyleFor(c.current, s, c.layered), c.expected)
            << c.hideFromAltTab << c.clickThrough << c.pinToDesktop << c.layered;
    }
}

TEST(WindowStyles, OnTopWinsOverPinnedAndNeitherIsAnOrdinaryWindow) {
    const struct {
        int onTop, pinToDesktop;
        ZOrder expected;
    } cases[] = {{1, 1, ZOrder::Topmost}, {0, 1, ZOrder::Bottom}, {0, 0, ZOrder::Top}};
    for (const auto& c : cases) {
        ClockSettings s;
        s.OnTop = c.onTop;
        s.PinToDesktop = c.pinToDesktop;
        EXPECT_EQ(ZOrderFor(s), c.expected) << c.onTop << c.pinToDesktop;
    }
}

}  // namespace
