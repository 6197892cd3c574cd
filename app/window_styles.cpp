#include "app/window_styles.h"

namespace {

uint32_t SetOrClear(uint32_t style, uint32_t bit, bool on) {
    return on ? (style | bit) : (style & ~bit);
}

}  // namespace

uint32_t ExtendedStyleFor(uint32_t current, const ClockSettings& s, bool layeredSupported) {
    using namespace window_style;
    uint32_t style = current & ~kAppWindow;
    style = SetOrClear(style, kToolWindow, s.HideFromAltTab != 0);
    if (layeredSupported) {
        style |= kLayered;
        style = SetOrClear(style, kTransparent, s.ClickThrough != 0);
        style = SetOrClear(style, kNoActivate, s.PinToDesktop != 0);
    }
    return style;
}
