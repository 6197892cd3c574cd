#include "app/hover_decision.h"

#include <gtest/gtest.h>

namespace {

ClockSettings Hover(int useAlpha2, int alpha2, int clickThrough) {
    ClockSettings s;
    s.Alpha = 255;
    s.UseAlpha2 = useAlpha2;
    s.Alpha2 = static_cast<uint8_t>(alpha2);
    s.ClickThrough = clickThrough;
    return s;
}

}  // namespace

// Mouse messages and the poll never drive the hover state together.
TEST(HoverDecision, EitherMouseMessagesOrThePoll) {
    struct Case {
        const char* what;
        ClockSettings s;
        bool layered, hovered;
        bool polls, mouseStarts;
    } cases[] = {
        {"second opacity in use", Hover(1, 100, 0), true, false, false, true},
        {"already hovered", Hover(1, 100, 0), true, true, false, false},
        {"second opacity off", Hover(0, 100, 0), true, false, false, false},
        {"no layered output", Hover(1, 100, 0), false, false, false, false},
        {"invisible under the cursor", Hover(1, 0, 0), true, false, true, false},
        {"click-through", Hover(1, 100, 1), true, false, true, false},
    };
    for (const Case& c : cases) {
        const bool polls = HoverNeedsPolling(c.s);
        EXPECT_EQ(polls, c.polls) << c.what;
        EXPECT_EQ(MouseMoveStartsHover(c.s, c.layered, c.hovered, polls), c.mouseStarts) << c.what;
    }
}

TEST(HoverDecision, PollSwitchesOnlyWhenTheCursorCrossesTheEdge) {
    const ScreenRect r{100, 200, 300, 400};
    struct Case {
        bool hovered;
        ScreenPoint cursor;
        HoverChange change;
    } cases[] = {
        {false, {100, 200}, HoverChange::Enter},  // left and top edges are inside
        {false, {299, 399}, HoverChange::Enter},
        {false, {300, 250}, HoverChange::None},  // right and bottom edges are outside
        {false, {250, 400}, HoverChange::None},
        {true, {300, 250}, HoverChange::Leave},
        {true, {99, 250}, HoverChange::Leave},
        {true, {150, 250}, HoverChange::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PollHover(c.hovered, r, c.cursor), c.change)
            << c.hovered << " at " << c.cursor.x << "," << c.cursor.y;
    }
}
