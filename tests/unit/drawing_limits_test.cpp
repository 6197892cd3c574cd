#include "render/drawing_limits.h"
#include "render/picture_limits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

namespace {

// A 200 x 100 work surface: reach 300, sizes within +-600, x within -300..500,
// y within -300..400.
constexpr int kWorkWidth = 200;
constexpr int kWorkHeight = 100;

TEST(FitDrawnHand, KeepsSizesWithinWhatTheSurfaceShows) {
    const struct {
        DrawnHandSpec given, fitted;
    } cases[] = {
        {{0xAA5F55, 33, 0, 3}, {0xAA5F55, 33, 0, 3}},  // an ordinary hand is untouched
        {{1, 600, -600, 600}, {1, 600, -600, 600}},    // the bound itself
        {{1, 54, 0, 1000000}, {1, 54, 0, 600}},        // HourWidth=1000000
        {{1, 1000000000, 0, 1}, {1, 600, 0, 1}},       // SecondLength=1e9
        {{1, INT_MAX, INT_MAX, INT_MAX}, {1, 600, 600, 600}},
        {{1, INT_MIN, INT_MIN, INT_MIN}, {1, -600, -600, -600}},
        {{1, -40, 20, -2}, {1, -40, 20, -2}},  // signs are kept
    };
    for (const auto& c : cases) {
        const DrawnHandSpec f = FitDrawnHand(c.given, kWorkWidth, kWorkHeight);
        EXPECT_EQ(f.color, c.fitted.color);
        EXPECT_EQ(f.length, c.fitted.length) << c.given.length;
        EXPECT_EQ(f.lap, c.fitted.lap) << c.given.lap;
        EXPECT_EQ(f.width, c.fitted.width) << c.given.width;
    }
}

TEST(FitPresetGeometry, KeepsPositionsNearTheSurfaceAndFontsWithinReach) {
    PresetSettings s;
    s.CenterX = 100;
    s.CenterY = 50;
    s.AMPMCenterX = INT_MAX;
    s.AMPMCenterY = INT_MIN;
    s.DateCenterX = -301;
    s.DateCenterY = 401;
    s.AMPMFontSize = 1000000;
    s.DateFontSize = -12;
    FitPresetGeometry(s, kWorkWidth, kWorkHeight);
    EXPECT_EQ(s.CenterX, 100);
    EXPECT_EQ(s.CenterY, 50);
    EXPECT_EQ(s.AMPMCenterX, 500);
    EXPECT_EQ(s.AMPMCenterY, -300);
    EXPECT_EQ(s.DateCenterX, -300);
    EXPECT_EQ(s.DateCenterY, 400);
    EXPECT_EQ(s.AMPMFontSize, 600);
    EXPECT_EQ(s.DateFontSize, -12);
}

TEST(PictureLimits, SidesWithinTheLimit) {
    EXPECT_TRUE(FitsPictureLimit(4096, 4096, kMaxFaceSide));
    EXPECT_TRUE(FitsPictureLimit(1, 1, kMaxHandImageSide));
    EXPECT_FALSE(FitsPictureLimit(4097, 10, kMaxFaceSide));
    EXPECT_FALSE(FitsPictureLimit(10, 2049, kMaxHandImageSide));
    EXPECT_FALSE(FitsPictureLimit(0, 10, kMaxFaceSide));
    EXPECT_FALSE(FitsPictureLimit(10, -5, kMaxFaceSide));
}

std::vector<uint8_t> BitmapHeader(uint32_t infoSize, int32_t width, int32_t height) {
    std::vector<uint8_t> bytes(kBitmapHeaderBytes, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    auto put = [&bytes](size_t at, uint32_t v, int count) {
        for (int i = 0; i < count; ++i)
            bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put(14, infoSize, 4);
    if (infoSize == 12) {
        put(18, static_cast<uint32_t>(width), 2);
        put(20, static_cast<uint32_t>(height), 2);
    } else {
        put(18, static_cast<uint32_t>(width), 4);
        put(22, static_cast<uint32_t>(height), 4);
    }
    return bytes;
}

TEST(BitmapFileSize, ReadsTheDeclaredSizeBeforeAnythingIsLoaded) {
    const struct {
        std::vector<uint8_t> header;
        bool known;
        int64_t width, height;
    } cases[] = {
        {BitmapHeader(40, 200, 150), true, 200, 150},
        {BitmapHeader(40, 16000, 16000), true, 16000, 16000},  // a small RLE file may declare this
        {BitmapHeader(124, 300, -200), true, 300, 200},        // top-down
        {BitmapHeader(40, -5, 10), true, -5, 10},              // refused by the limit, not here
        {BitmapHeader(12, 640, 480), true, 640, 480},          // OS/2 core header
        {BitmapHeader(8, 640, 480), false, 0, 0},
        {{'P', 'K', 3, 4}, false, 0, 0},
        {{'B', 'M'}, false, 0, 0},
    };
    for (const auto& c : cases) {
        const auto size = BitmapFileSize(c.header.data(), c.header.size());
        ASSERT_EQ(size.has_value(), c.known);
        if (size) {
            EXPECT_EQ(size->width, c.width);
            EXPECT_EQ(size->height, c.height);
        }
    }
    EXPECT_FALSE(BitmapFileSize(nullptr, 0));
}

TEST(CappedHandScale, NoHandGrowsPastTheLargestFace) {
    const struct {
        int width, height, percent, longSide;  // the longer side once scaled
    } cases[] = {
        {100, 10, 200, 200},     // ordinary smoothing
        {2048, 40, 200, 4096},   // the largest hand image, doubled: exactly the largest face
        {2048, 40, 2000, 4096},  // zoomed 1000 % and smoothed
        {40, 3000, 1000, 4096},  // the taller side counts
        {100, 10, 50, 50},       // shrinking is never capped
        {279, 57, 100, 279},
    };
    for (const auto& c : cases) {
        const ScaleRatio r = CappedHandScale(c.width, c.height, {c.percent, 100});
        EXPECT_EQ(ScaleByRatio(std::max(c.width, c.height), r), c.longSide) << c.width << "x" << c.height;
    }
    const ScaleRatio none = CappedHandScale(0, 0, {200, 100});
    EXPECT_EQ(none.num, 200);
    EXPECT_EQ(none.den, 100);
}

}  // namespace
