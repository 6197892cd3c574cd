#pragma once
// When the clock switches between its two opacities. Hover is noticed either
// from the clock's own mouse messages or by polling the cursor every 125 ms,
// never both: a click-through clock gets no mouse messages, and one that is
// fully transparent under the cursor gets none either.

#include "app/clock_settings.h"
#include "app/drag_limits.h"

// The poll runs instead of the mouse messages.
bool HoverNeedsPolling(const ClockSettings& s);

// A mouse move over the clock starts the hover opacity (and asks for a leave
// notification).
bool MouseMoveStartsHover(const ClockSettings& s, bool layeredSupported, bool hovered, bool polling);

// The rectangle of the poll includes its left and top edges, not its right
// and bottom ones.
bool HoverRectContains(const ScreenRect& r, ScreenPoint p);

enum class HoverChange { None, Enter, Leave };

// One poll: a change only when the cursor crossed the rectangle's edge.
HoverChange PollHover(bool hovered, const ScreenRect& hoverRect, ScreenPoint cursor);
