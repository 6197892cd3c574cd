#pragma once
// The clock window's extended styles as the options want them. Options turned
// off clear their bits as options turned on set them; bits that no option
// governs are kept.

#include <cstdint>

#include "app/clock_settings.h"

namespace window_style {
// The values of the platform's extended styles (WS_EX_*), which this
// window-free code cannot take from the platform's headers.
constexpr uint32_t kToolWindow = 0x00000080;
constexpr uint32_t kTransparent = 0x00000020;
constexpr uint32_t kAppWindow = 0x00040000;
constexpr uint32_t kLayered = 0x00080000;
constexpr uint32_t kNoActivate = 0x08000000;
}  // namespace window_style

// The app-window bit is always cleared (the clock has no taskbar button);
// tool window follows HideFromAltTab; with layered output the window is
// layered, click-through follows ClickThrough and no-activate PinToDesktop.
uint32_t ExtendedStyleFor(uint32_t current, const ClockSettings& s, bool layeredSupported);
