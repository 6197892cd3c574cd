#include "render/frame_area.h"

#include <gtest/gtest.h>

TEST(FrameArea, UnionAndIntersectionTreatEmptyRectanglesAsNothing) {
    const PixelRect a{2, 3, 10, 8};
    const PixelRect b{5, 6, 20, 7};
    EXPECT_EQ(Union(a, b), (PixelRect{2, 3, 20, 8}));
    EXPECT_EQ(Union(a, PixelRect{50, 50, 50, 60}), a) << "an empty rectangle far away does not grow the union";
    EXPECT_EQ(Union(PixelRect{}, PixelRect{}), PixelRect{});
    EXPECT_EQ(Intersect(a, b), (PixelRect{5, 6, 10, 7}));
    EXPECT_TRUE(Intersect(a, PixelRect{10, 3, 12, 8}).Empty()) << "touching edges share no pixel";
    EXPECT_FALSE(Intersects(a, PixelRect{10, 3, 12, 8}));
}

TEST(FrameArea, DrawnHandReachCoversThePenAndItsRoundEnds) {
    struct Case {
        HandLine line;
        int width;
        PixelRect reach;
    } cases[] = {
        {{50, 50, 80, 40}, 1, {48, 38, 83, 53}},
        {{50, 50, 80, 40}, 0, {48, 38, 83, 53}},  // width 0 is one pixel as well
        {{80, 40, 50, 50}, 6, {45, 35, 86, 56}},  // from tip to start: the same box
        {{0, 0, 0, 0}, 1, {-2, -2, 3, 3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DrawnHandReach(c.line, c.width), c.reach) << c.width;
    const PixelRect far = DrawnHandReach({-(1 << 27), 0, 1 << 27, 0}, 2147483647);
    EXPECT_LT(far.left, -(1 << 27)) << "absurd widths do not overflow";
    EXPECT_GT(far.right, 1 << 27);
}

TEST(FrameArea, HalvedAreaTakesEveryWindowPixelWhoseBlockIsTouched) {
    struct Case {
        PixelRect work;
        PixelRect window;
    } cases[] = {
        {{4, 6, 10, 12}, {2, 3, 5, 6}},  // aligned to the blocks
        {{5, 7, 11, 13}, {2, 3, 6, 7}},  // half blocks at every edge
        {{-7, -3, 3, 1}, {0, 0, 2, 1}},  // clipped to the window
        {{190, 190, 260, 230}, {95, 95, 100, 100}},
        {{200, 0, 210, 10}, {}},  // wholly outside
    };
    for (const Case& c : cases)
        EXPECT_EQ(HalvedArea(c.work, 100, 100), c.window) << c.work.left << "," << c.work.top;
}

TEST(FrameArea, CenteredTextReachHoldsTheTextAndItsOverhangs) {
    // 40 x 12 about (100, 50): half extents 20 and 6, grown by the height 12 and a pixel.
    EXPECT_EQ(CenteredTextReach(100, 50, 40, 12), (PixelRect{67, 31, 133, 69}));
    EXPECT_EQ(CenteredTextReach(0, 0, 0, 0), (PixelRect{-5, -5, 5, 5})) << "an empty text still grows by 4";
    const PixelRect far = CenteredTextReach(2147483647, -2147483647 - 1, 2147483647, 2147483647);
    EXPECT_EQ(far.right, 2147483647) << "clamped, not wrapped";
    EXPECT_EQ(far.top, -2147483647 - 1);
}
