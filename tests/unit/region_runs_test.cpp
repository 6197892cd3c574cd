#include "render/region_runs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t kRed = 0x0000FF;  // COLORREF of the default cut color

// An image drawn from rows of characters: '.' the cut color (red), '#' black,
// 'w' white, 'n' nearly red (a color that only a 5-6-5 pixel cannot tell
// from red). Encoded at the given depth with a color table for indexed ones.
struct EncodedBitmap {
    std::vector<uint8_t> bits;
    size_t stride = 0;
    std::vector<uint32_t> table;
    int width = 0;
    int height = 0;
};

uint32_t Rgb(char c) {
    switch (c) {
        case '.':
            return 0xFF0000;
        case 'w':
            return 0xFFFFFF;
        case 'n':
            return 0xFC0204;
        default:
            return 0x000000;
    }
}

EncodedBitmap Encode(const std::vector<std::string>& rows, int depth, bool bottomUp) {
    EncodedBitmap img;
    img.height = static_cast<int>(rows.size());
    img.width = static_cast<int>(rows[0].size());
    img.stride = ((static_cast<size_t>(img.width) * depth + 31) / 32) * 4;
    // Padding bytes hold garbage that must not matter.
    img.bits.assign(img.stride * img.height, 0xA5);
    if (depth <= 8) {
        // Red twice (indices 1 and 3), so that two entries of the same color are both cut.
        img.table.assign(size_t{1} << depth, 0x123456);
        img.table[0] = 0x000000;
        img.table[1] = 0xFF0000;
        if (depth > 1) {
            img.table[2] = 0xFFFFFF;
            img.table[3] = 0xFF0000;
        }
    }
    for (int y = 0; y < img.height; ++y) {
        uint8_t* row = img.bits.data() + (bottomUp ? img.height - 1 - y : y) * img.stride;
        for (int x = 0; x < img.width; ++x) {
            const char c = rows[y][x];
            const uint32_t rgb = Rgb(c);
            const uint8_t r = rgb >> 16, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
            switch (depth) {
                case 1:
                case 4:
                case 8: {
                    const unsigned index = c == '.' ? ((x & 1) && depth > 1 ? 3 : 1) : (c == 'w' ? 2 : 0);
                    const int perByte = 8 / depth;
                    const int shift = (perByte - 1 - x % perByte) * depth;
                    uint8_t& byte = row[x / perByte];
                    byte = static_cast<uint8_t>((byte & ~(((1 << depth) - 1) << shift)) | (index << shift));
                    break;
                }
                case 16: {
                    const uint16_t v = static_cast<uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
                    row[2 * x] = v & 0xFF;
                    row[2 * x + 1] = v >> 8;
                    break;
                }
                case 24:
                    row[3 * x] = b, row[3 * x + 1] = g, row[3 * x + 2] = r;
                    break;
                case 32:
                    // The fourth byte varies: only color decides.
                    row[4 * x] = b, row[4 * x + 1] = g, row[4 * x + 2] = r,
                            row[4 * x + 3] = static_cast<uint8_t>(x * 37);
                    break;
            }
        }
    }
    return img;
}

std::vector<RegionRect> Runs(const EncodedBitmap& img, int depth, bool bottomUp, uint32_t cut = kRed) {
    return OpaqueRuns(img.bits.data(), img.width, img.height, depth, img.stride, bottomUp,
                      img.table.empty() ? nullptr : img.table.data(), cut);
}

std::string Describe(const std::vector<RegionRect>& rects) {
    std::string s;
    for (const auto& r : rects) {
        s += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
             std::to_string(r.bottom) + ")";
    }
    return s;
}

}  // namespace

TEST(RegionRuns, CutColorInEachPixelFormat) {
    struct Case {
        uint32_t cut;
        int depth;
        uint32_t expected;
    } cases[] = {
        {0x0000FF, 16, 0xF800},   {0x00FF00, 16, 0x07E0},    {0xFF0000, 16, 0x001F},
        {0x0A0B0C, 16, 0x0841},   {0xFF0000FF, 16, 0xF800},  {0x0000FF, 24, 0xFF0000},
        {0x0000FF, 32, 0xFF0000}, {0x00332211, 8, 0x112233}, {0x01332211, 32, 0x01112233},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutColorInPixelFormat(c.cut, c.depth), c.expected)
            << std::hex << c.cut << " @" << std::dec << c.depth;
    }
}

TEST(RegionRuns, SameRunsAtEveryDepthAndRowOrder) {
    const std::vector<std::string> pattern = {
        ".....",  // all cut: no rectangle
        "#####",  // nothing cut: one run over the width
        "#.#.#",  // three runs
        "..##.",  // a run inside the row
        "...##",  // a run still open at the row's end
        "#....",
    };
    const char* expected = "(0,1,5,2)(0,2,1,3)(2,2,3,3)(4,2,5,3)(2,3,4,4)(3,4,5,5)(0,5,1,6)";
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        for (bool bottomUp : {false, true}) {
            SCOPED_TRACE(testing::Message() << depth << " bits, bottomUp " << bottomUp);
            EXPECT_EQ(Describe(Runs(Encode(pattern, depth, bottomUp), depth, bottomUp)), expected);
        }
    }
}

TEST(RegionRuns, WholeImagesOfOneKind) {
    for (int depth : {8, 16, 24, 32}) {
        SCOPED_TRACE(depth);
        EXPECT_TRUE(Runs(Encode({"...", "...", "..."}, depth, true), depth, true).empty());
        EXPECT_EQ(Describe(Runs(Encode({"#w#", "w#w"}, depth, true), depth, true)), "(0,0,3,1)(0,1,3,2)");
    }
}

TEST(RegionRuns, ColorPrecisionOfEachDepth) {
    // 16-bit pixels are compared as stored: a color that quantises to red is cut,
    // while 24- and 32-bit pixels keep it apart from red.
    EXPECT_TRUE(Runs(Encode({"n.n"}, 16, true), 16, true).empty());
    EXPECT_EQ(Describe(Runs(Encode({"n.n"}, 24, true), 24, true)), "(0,0,1,1)(2,0,3,1)");
    EXPECT_EQ(Describe(Runs(Encode({"n.n"}, 32, true), 32, true)), "(0,0,1,1)(2,0,3,1)");

    // A cut color with a non-zero top byte matches no 24-, 32-bit or palette pixel.
    for (int depth : {8, 24, 32}) {
        EXPECT_EQ(Describe(Runs(Encode({"..."}, depth, true), depth, true, 0x010000FF)), "(0,0,3,1)") << depth;
    }
}

TEST(RegionRuns, UnusableInputGivesNoRectangles) {
    const EncodedBitmap img = Encode({"###"}, 8, true);
    EXPECT_TRUE(OpaqueRuns(img.bits.data(), 3, 1, 8, img.stride, true, nullptr, kRed).empty());
    EXPECT_TRUE(OpaqueRuns(img.bits.data(), 3, 1, 15, img.stride, true, img.table.data(), kRed).empty());
    EXPECT_TRUE(OpaqueRuns(nullptr, 3, 1, 8, img.stride, true, img.table.data(), kRed).empty());
    EXPECT_TRUE(OpaqueRuns(img.bits.data(), 0, 1, 8, img.stride, true, img.table.data(), kRed).empty());
    EXPECT_TRUE(OpaqueRuns(img.bits.data(), 3, -1, 8, img.stride, true, img.table.data(), kRed).empty());
}

TEST(RegionRuns, SixteenBitFieldsBecomeRgb565) {
    // 5-5-5 red, white, black, a mid grey; 4-4-4 red and a dark green.
    const uint16_t rgb555[] = {0x7C00, 0x7FFF, 0x0000, 0x4210};
    std::vector<uint8_t> bits(8);
    for (int i = 0; i < 4; ++i)
        bits[2 * i] = rgb555[i] & 0xFF, bits[2 * i + 1] = rgb555[i] >> 8;
    ASSERT_TRUE(ConvertToRgb565(bits.data(), 4, 1, 8, 0x7C00, 0x03E0, 0x001F));
    const uint16_t expected[] = {0xF800, 0xFFFF, 0x0000, 0x8430};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bits[2 * i] | (bits[2 * i + 1] << 8), expected[i]) << i;

    const uint16_t rgb444[] = {0x0F00, 0x0040};
    for (int i = 0; i < 2; ++i)
        bits[2 * i] = rgb444[i] & 0xFF, bits[2 * i + 1] = rgb444[i] >> 8;
    ASSERT_TRUE(ConvertToRgb565(bits.data(), 2, 1, 8, 0x0F00, 0x00F0, 0x000F));
    EXPECT_EQ(bits[0] | (bits[1] << 8), 0xF800);
    EXPECT_EQ(bits[2] | (bits[3] << 8), 0x0220);  // green 4 -> 0x44 -> 6 bits 0x11

    EXPECT_TRUE(ConvertToRgb565(bits.data(), 2, 1, 8, 0xF800, 0x07E0, 0x001F));
    EXPECT_FALSE(ConvertToRgb565(bits.data(), 2, 1, 8, 0xFC00, 0x07E0, 0x001F));   // overlapping
    EXPECT_FALSE(ConvertToRgb565(bits.data(), 2, 1, 8, 0, 0x07E0, 0x001F));        // no red
    EXPECT_FALSE(ConvertToRgb565(bits.data(), 2, 1, 8, 0xF8000, 0x07E0, 0x001F));  // beyond 16 bits
}

TEST(RegionRuns, ShapeMaskMarksThePixelsOfTheRuns) {
    // The mask of a picture's runs is the picture's own shape, pixel for pixel.
    const std::vector<std::string> rows = {"..#w.", "#w#w#", ".....", "w...#"};
    const EncodedBitmap img = Encode(rows, 24, true);
    const std::vector<uint8_t> mask = ShapeMask(Runs(img, 24, true), img.width, img.height);
    ASSERT_EQ(mask.size(), 20u);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            EXPECT_EQ(mask[y * img.width + x], rows[y][x] == '.' ? 0 : 255) << x << "," << y;

    // Runs reaching past the picture are clipped; no size, no mask.
    EXPECT_EQ(ShapeMask({{-3, -1, 2, 1}, {1, 1, 9, 5}}, 3, 2), (std::vector<uint8_t>{255, 255, 0, 0, 255, 255}));
    EXPECT_TRUE(ShapeMask({{0, 0, 1, 1}}, 0, 4).empty());
}
