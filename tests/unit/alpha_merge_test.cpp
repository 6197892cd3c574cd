#include "render/alpha_merge.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(AlphaMerge, EveryPixelTakesThePlaneByteAndKeepsItsColor) {
    // Counts around the tails of vector loops, and a whole 300 x 300 frame.
    for (size_t count : {size_t(1), size_t(15), size_t(16), size_t(17), size_t(37), size_t(300 * 300)}) {
        std::vector<uint8_t> pixels(count * 4);
        std::vector<uint8_t> plane(count);
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<uint8_t>(i * 7 + 3);
        for (size_t i = 0; i < count; ++i)
            plane[i] = static_cast<uint8_t>(255 - i * 13);
        const std::vector<uint8_t> before = pixels;

        MergeAlphaPlaneInto(pixels.data(), plane.data(), count);

        for (size_t i = 0; i < count; ++i) {
            ASSERT_EQ(pixels[4 * i + 3], plane[i]) << "pixel " << i << " of " << count;
            for (size_t c = 0; c < 3; ++c)
                ASSERT_EQ(pixels[4 * i + c], before[4 * i + c]) << "pixel " << i;
        }
    }
}

TEST(AlphaMerge, ShapeMaskMakesInsideOpaqueAndOutsideTransparentBlack) {
    for (size_t count : {size_t(1), size_t(15), size_t(16), size_t(17), size_t(37), size_t(300 * 300)}) {
        std::vector<uint8_t> pixels(count * 4);
        std::vector<uint8_t> mask(count);
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<uint8_t>(i * 7 + 3);
        // Any byte but 0 counts as inside.
        for (size_t i = 0; i < count; ++i)
            mask[i] = (i % 3 == 1) ? 0 : static_cast<uint8_t>(i * 5 + 1);
        const std::vector<uint8_t> before = pixels;

        MergeShapeMaskInto(pixels.data(), mask.data(), count);

        for (size_t i = 0; i < count; ++i) {
            const bool inside = mask[i] != 0;
            ASSERT_EQ(pixels[4 * i + 3], inside ? 255 : 0) << "pixel " << i << " of " << count;
            for (size_t c = 0; c < 3; ++c)
                ASSERT_EQ(pixels[4 * i + c], inside ? before[4 * i + c] : 0) << "pixel " << i;
        }
    }
}

}  // namespace
