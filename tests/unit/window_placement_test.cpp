#include "app/window_placement.h"

#include <gtest/gtest.h>

#include <optional>

TEST(WindowPlacement, StoredOriginIsPulledBackOntoTheScreen) {
    struct Case {
        std::optional<int> left, top;
        int dontRepos;
        int screenWidth, screenHeight, windowWidth, windowHeight;
        int x, y;
    } cases[] = {
        {std::nullopt, std::nullopt, 0, 1920, 1080, 200, 200, 10, 10},
        {-50, 20, 0, 1920, 1080, 200, 200, 0, 20},
        {-50, -7, 1, 1920, 1080, 200, 200, -50, -7},
        {5000, 5000, 0, 1920, 1080, 200, 200, 1720, 880},
        {5000, 5000, 1, 1920, 1080, 200, 200, 5000, 5000},
        {10, 10, 0, 800, 600, 1000, 700, -200, -100},  // larger than the screen
        {1720, 880, 0, 1920, 1080, 200, 200, 1720, 880},
        {INT32_MIN, INT32_MAX, 0, 1920, 1080, 200, 200, 0, 880},
    };
    for (const Case& c : cases) {
        MemoryStore store;
        if (c.left)
            store.WriteInt("", "Left", static_cast<uint32_t>(*c.left));
        if (c.top)
            store.WriteInt("", "Top", static_cast<uint32_t>(*c.top));
        ClockSettings s;
        s.DontReposWindow = c.dontRepos;
        const WindowPlacement p =
            ComputePlacement(store, s, c.screenWidth, c.screenHeight, c.windowWidth, c.windowHeight);
        EXPECT_EQ(p.x, c.x) << c.left.value_or(10) << " repos " << c.dontRepos;
        EXPECT_EQ(p.y, c.y) << c.top.value_or(10) << " repos " << c.dontRepos;
    }
}

TEST(WindowPlacement, ZOrderFollowsOnTopThenPinToDesktop) {
    struct Case {
        int onTop, pin;
        ZOrder zOrder;
    } cases[] = {
        {1, 1, ZOrder::Topmost},
        {1, 0, ZOrder::Topmost},
        {0, 1, ZOrder::Bottom},
        {0, 0, ZOrder::Top},
    };
    MemoryStore store;
    for (const Case& c : cases) {
        ClockSettings s;
        s.OnTop = c.onTop;
        s.PinToDesktop = c.pin;
        EXPECT_EQ(ComputePlacement(store, s, 1920, 1080, 200, 200).zOrder, c.zOrder) << c.onTop << c.pin;
    }
}

TEST(WindowPlacement, DraggedOriginIsStoredAndComesBack) {
    MemoryStore store;
    StoreWindowOrigin(store, -30, 40);
    ClockSettings s;
    s.DontReposWindow = 1;
    const WindowPlacement p = ComputePlacement(store, s, 1920, 1080, 200, 200);
    EXPECT_EQ(p.x, -30);
    EXPECT_EQ(p.y, 40);
}
