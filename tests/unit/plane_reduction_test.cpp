#include "render/plane_reduction.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 6 x 3 plane: opaque on the left third, half on the middle, clear on the right.
std::vector<uint8_t> Thirds() {
    std::vector<uint8_t> plane;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            plane.push_back(x < 2 ? 255 : x < 4 ? 128 : 0);
    return plane;
}

TEST(ReducePlane, AveragesTheCoveredPixels) {
    struct Case {
        int width, height;
        std::vector<uint8_t> expected;
    } cases[] = {
        {3, 1, {255, 128, 0}},
        // A pixel is the mean of the three it covers: (255 + 255 + 128) / 3 and (128 + 0 + 0) / 3.
        {2, 1, {213, 43}},
        {1, 1, {128}},
        {6, 3, Thirds()},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> plane = Thirds();
        ASSERT_TRUE(ReducePlane(6, 3, plane, c.width, c.height)) << c.width << "x" << c.height;
        EXPECT_EQ(plane, c.expected) << c.width << "x" << c.height;
    }
}

TEST(ReducePlane, RefusesEnlargingAndMismatchedSizes) {
    const struct {
        int width, height, newWidth, newHeight;
    } cases[] = {{6, 3, 7, 3}, {6, 3, 3, 4}, {6, 3, 0, 1}, {5, 3, 2, 1}, {6, 3, -1, 1}, {0, 0, 1, 1}};
    for (const auto& c : cases) {
        std::vector<uint8_t> plane = Thirds();
        EXPECT_FALSE(ReducePlane(c.width, c.height, plane, c.newWidth, c.newHeight));
        EXPECT_EQ(plane, Thirds());
    }
}

}  // namespace
