#include "render/pixel_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace {

using Bytes4 = std::array<uint8_t, 4>;

Bytes4 Premultiplied(Bytes4 rgba) {
    Bytes4 out{};
    PremultiplyPixel(rgba.data(), out.data());
    return out;
}

Bytes4 Composited(Bytes4 rgba, std::array<uint8_t, 3> cut) {
    Bytes4 out{};
    CompositePixel(rgba.data(), cut.data(), out.data());
    return out;
}

TEST(PixelRulesTest, PremultiplyValues) {
    struct Case {
        Bytes4 rgba;
        Bytes4 bgra;
    };
    const Case cases[] = {
        {{255, 255, 255, 255}, {254, 254, 254, 255}},
        {{10, 20, 30, 0}, {0, 0, 0, 0}},
        {{255, 255, 255, 0}, {0, 0, 0, 0}},
        {{200, 100, 50, 128}, {25, 50, 100, 128}},
        {{1, 2, 3, 255}, {2, 1, 0, 255}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Premultiplied(c.rgba), c.bgra)
            << int(c.rgba[0]) << "," << int(c.rgba[1]) << "," << int(c.rgba[2]) << "," << int(c.rgba[3]);
    }
}

TEST(PixelRulesTest, CompositeOverCutColor) {
    const std::array<uint8_t, 3> red{255, 0, 0};
    const std::array<uint8_t, 3> odd{12, 200, 77};
    // Fully transparent gives the cut color exactly, fully opaque the pixel exactly.
    for (int v = 0; v < 256; v += 5) {
        const auto u = static_cast<uint8_t>(v);
        EXPECT_EQ(Composited({u, uint8_t(255 - u), u, 0}, odd), (Bytes4{77, 200, 12, 0}));
        EXPECT_EQ(Composited({u, uint8_t(255 - u), uint8_t(v / 2), 255}, odd),
                  (Bytes4{uint8_t(v / 2), uint8_t(255 - u), u, 255}));
    }
    EXPECT_EQ(Composited({255, 0, 0, 128}, red), (Bytes4{0, 0, 255, 128}));
    // Half white over black: 128 × 255 / 255 rounds to 128.
    EXPECT_EQ(Composited({255, 255, 255, 128}, {0, 0, 0}), (Bytes4{128, 128, 128, 128}));
}

// The bulk forms run vector code on blocks and the plain rule on the rest, so
// lengths around the block size and every alpha value must agree with the rule.
std::vector<uint8_t> TestPixels(size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> pixels(count * 4);
    for (auto& b : pixels)
        b = static_cast<uint8_t>(random());
    // Every alpha value with extreme and random colors.
    for (size_t i = 0; i < count && i < 512; ++i) {
        pixels[i * 4 + 3] = static_cast<uint8_t>(i);
        if (i >= 256)
            pixels[i * 4] = pixels[i * 4 + 1] = pixels[i * 4 + 2] = (i & 1) ? 255 : 0;
    }
    return pixels;
}

TEST(PixelRulesTest, BulkPremultiplyMatchesRule) {
    for (size_t count : {0u, 1u, 15u, 16u, 17u, 63u, 512u, 100003u}) {
        const std::vector<uint8_t> input = TestPixels(count, static_cast<uint32_t>(count));
        std::vector<uint8_t> bulk = input;
        std::vector<uint8_t> plane(count, 0xAB);
        ConvertToPremultiplied(bulk.data(), count, plane.data());
        std::vector<uint8_t> noPlane = input;
        ConvertToPremultiplied(noPlane.data(), count, nullptr);
        for (size_t i = 0; i < count; ++i) {
            uint8_t expected[4];
            PremultiplyPixel(&input[i * 4], expected);
            ASSERT_EQ(0, memcmp(expected, &bulk[i * 4], 4)) << "count " << count << " pixel " << i;
            ASSERT_EQ(plane[i], input[i * 4 + 3]) << "count " << count << " pixel " << i;
        }
        EXPECT_EQ(noPlane, bulk);
    }
}

TEST(PixelRulesTest, BulkCompositeMatchesRule) {
    const uint8_t cuts[][3] = {{255, 0, 0}, {0, 0, 0}, {255, 255, 255}, {13, 140, 251}};
    for (const auto& cut : cuts) {
        for (size_t count : {0u, 7u, 16u, 33u, 100003u}) {
            const std::vector<uint8_t> input = TestPixels(count, static_cast<uint32_t>(count + cut[2]));
            std::vector<uint8_t> bulk = input;
            std::vector<uint8_t> plane(count, 0xAB);
            ConvertOverCutColor(bulk.data(), count, cut, plane.data());
            std::vector<uint8_t> noPlane = input;
            ConvertOverCutColor(noPlane.data(), count, cut, nullptr);
            for (size_t i = 0; i < count; ++i) {
                uint8_t expected[4];
                CompositePixel(&input[i * 4], cut, expected);
                ASSERT_EQ(0, memcmp(expected, &bulk[i * 4], 4)) << "count " << count << " pixel " << i;
                ASSERT_EQ(plane[i], input[i * 4 + 3]) << "count " << count << " pixel " << i;
            }
            EXPECT_EQ(noPlane, bulk);
        }
    }
}

}  // namespace
