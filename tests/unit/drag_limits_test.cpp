#include "app/drag_limits.h"

#include <gtest/gtest.h>

#include <climits>

TEST(DragLimits, GrabbedPointFollowsTheCursorWithinTheScreenLimits) {
    struct Case {
        const char* what;
        ScreenRect window;
        ScreenPoint grab, cursor;
        bool limit;
        int screenWidth, screenHeight;
        ScreenPoint origin;
    } cases[] = {
        {"free move", {100, 100, 300, 300}, {50, 60}, {80, 40}, false, 1920, 1080, {130, 80}},
        {"free move off the screen", {10, 10, 210, 210}, {50, 50}, {-100, 2000}, false, 1920, 1080, {-140, 1960}},
        {"limited, inside", {100, 100, 300, 300}, {50, 60}, {80, 40}, true, 1920, 1080, {130, 80}},
        {"past the right edge", {1700, 100, 1900, 300}, {10, 10}, {200, 10}, true, 1920, 1080, {1720, 100}},
        {"exactly at the right edge", {1700, 100, 1900, 300}, {10, 10}, {30, 10}, true, 1920, 1080, {1720, 100}},
        {"past the left edge", {20, 100, 220, 300}, {10, 10}, {-50, 10}, true, 1920, 1080, {0, 100}},
        {"past the top and bottom", {100, 5, 300, 205}, {0, 0}, {0, -30}, true, 1920, 1080, {100, 0}},
        {"past the bottom", {100, 800, 300, 1000}, {0, 0}, {0, 500}, true, 1920, 1080, {100, 880}},
        // Wider than the screen: the right-edge test wins and leaves a negative left.
        {"wider than the screen", {0, 0, 1000, 200}, {0, 0}, {-10, 0}, true, 800, 600, {-200, 0}},
        {"wider, moved right", {0, 0, 1000, 200}, {0, 0}, {10, 0}, true, 800, 600, {-200, 0}},
        {"far beyond int range",
         {INT_MAX - 10, 0, INT_MAX, 10},
         {INT_MIN, 0},
         {INT_MAX, 0},
         false,
         800,
         600,
         {INT_MAX, 0}},
    };
    for (const Case& c : cases) {
        const ScreenPoint p = DraggedOrigin(c.window, c.grab, c.cursor, c.limit, c.screenWidth, c.screenHeight);
        EXPECT_EQ(p.x, c.origin.x) << c.what;
        EXPECT_EQ(p.y, c.origin.y) << c.what;
    }
}
