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

// Premultiplied pixels reduce channel by channel: a 6 x 3 picture whose thirds
// are opaque red, half-transparent green and clear.
TEST(ReducePixels32, ReducesColourAndAlphaAlikeAndRefusesToEnlarge) {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            const uint8_t px[4][4] = {{0, 0, 255, 255}, {0, 128, 0, 128}, {0, 0, 0, 0}};
            const uint8_t* p = px[x / 2];
            pixels.insert(pixels.end(), p, p + 4);
        }
    std::vector<uint8_t> out(3 * 1 * 4, 7);
    ASSERT_TRUE(ReducePixels32(pixels.data(), 6, 3, out.data(), 3, 1));
    EXPECT_EQ(out, (std::vector<uint8_t>{0, 0, 255, 255, 0, 128, 0, 128, 0, 0, 0, 0}));

    std::vector<uint8_t> one(4, 7);
    ASSERT_TRUE(ReducePixels32(pixels.data(), 6, 3, one.data(), 1, 1));
    EXPECT_EQ(one, (std::vector<uint8_t>{0, 43, 85, 128}));  // (255 + 128 + 0) / 3 of alpha
    EXPECT_LE(one[2], one[3]);

    std::vector<uint8_t> untouched(7 * 3 * 4, 7);
    EXPECT_FALSE(ReducePixels32(pixels.data(), 6, 3, untouched.data(), 7, 3));
    EXPECT_FALSE(ReducePixels32(nullptr, 6, 3, untouched.data(), 3, 1));
    EXPECT_EQ(untouched, std::vector<uint8_t>(7 * 3 * 4, 7));
}

}  // namespace
