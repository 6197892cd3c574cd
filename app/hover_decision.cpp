#include "app/hover_decision.h"

bool HoverNeedsPolling(const ClockSettings& s) {
    return s.ClickThrough != 0 || s.Alpha2 == 0;
}

bool MouseMoveStartsHover(const ClockSettings& s, bool layeredSupported, bool hovered, bool polling) {
    // Platforms differ in whether a click-through layered window still gets
    // mouse messages; while the poll owns the hover state they are ignored.
    return s.UseAlpha2 != 0 && layeredSupported && !hovered && s.Alpha2 != 0 && !polling;
}

bool HoverRectContains(const ScreenRect& r, ScreenPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

HoverChange PollHover(bool hovered, const ScreenRect& hoverRect, ScreenPoint cursor) {
    const bool inside = HoverRectContains(hoverRect, cursor);
    if (hovered && !inside)
        return HoverChange::Leave;
    if (!hovered && inside)
        return HoverChange::Enter;
    return HoverChange::None;
}
