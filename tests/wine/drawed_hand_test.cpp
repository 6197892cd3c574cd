#include "render/drawed_hand_win.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "render/hand_geometry.h"
#include "win/bitmap_info_win.h"
#include "win/unique_handle.h"

namespace {

constexpr int kSize = 120;
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr POINT kCenter = {59, 59};

// A white 32-bit top-down surface with the preset center at (59, 59), so the
// hands turn about pixel (60, 60).
class DrawedHandTest : public ::testing::Test {
protected:
    void SetUp() override {
        BITMAPINFO info = TopDownBitmapInfo(kSize, kSize, 32);
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        ASSERT_TRUE(bitmap_);
        pixels_ = static_cast<uint32_t*>(bits);
        dc_.reset(CreateCompatibleDC(nullptr));
        ASSERT_TRUE(dc_);
        previous_ = SelectObject(dc_.get(), bitmap_.get());
        Clear();
    }
    void TearDown() override {
        if (dc_)
            SelectObject(dc_.get(), previous_);
    }

    void Clear() {
        GdiFlush();
        for (int i = 0; i < kSize * kSize; ++i)
            pixels_[i] = 0x00FFFFFF;
    }

    COLORREF PixelAt(int x, int y) {
        GdiFlush();
        const uint32_t p = pixels_[y * kSize + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    // The pixel at distance d from the pivot in the direction angle.
    COLORREF AlongHand(double angle, double d) {
        return PixelAt(static_cast<int>(std::lround(60 + d * std::cos(angle))),
                       static_cast<int>(std::lround(60 - d * std::sin(angle))));
    }

    int CountColored() {
        GdiFlush();
        int n = 0;
        for (int i = 0; i < kSize * kSize; ++i)
            n += (pixels_[i] & 0xFFFFFF) != 0x00FFFFFF;
        return n;
    }

    UniqueBitmap bitmap_;
    UniqueMemoryDC dc_;
    HGDIOBJ previous_ = nullptr;
    uint32_t* pixels_ = nullptr;
};

}  // namespace

TEST_F(DrawedHandTest, PointsFromThePivotTowardTheAngle) {
    const double degree = kHalfTurn / 180;
    CDrawedHand hand;
    hand.Init(50, 3, kBlue, 0);
    for (double angle : {kQuarterTurn, 0.0, -kQuarterTurn, kHalfTurn, 30 * degree, -125 * degree}) {
        SCOPED_TRACE(angle);
        Clear();
        hand.Draw(dc_.get(), angle, kCenter);
        EXPECT_EQ(AlongHand(angle, 5), kBlue);
        EXPECT_EQ(AlongHand(angle, 45), kBlue);
        EXPECT_EQ(AlongHand(angle, 56), kWhite);                // past the tip
        EXPECT_EQ(AlongHand(angle, -8), kWhite);                // no tail with lap 0
        EXPECT_EQ(AlongHand(angle + kQuarterTurn, 8), kWhite);  // beside the hand
    }
}

TEST_F(DrawedHandTest, LapReachesPastThePivot) {
    CDrawedHand hand;
    hand.Init(40, 2, kBlue, 15);
    hand.Draw(dc_.get(), 0.0, kCenter);
    EXPECT_EQ(PixelAt(60 - 12, 60), kBlue);
    EXPECT_EQ(PixelAt(60 - 20, 60), kWhite);
    EXPECT_EQ(PixelAt(60 + 38, 60), kBlue);
    EXPECT_EQ(PixelAt(60 + 45, 60), kWhite);
}

TEST_F(DrawedHandTest, ScaleMultipliesLengthWidthAndLap) {
    CDrawedHand hand;
    hand.Init(33, 3, kBlue, -5);
    hand.Scale({150, 100});
    EXPECT_EQ(hand.Length(), 49);
    EXPECT_EQ(hand.Width(), 4);
    EXPECT_EQ(hand.Lap(), -7);
    EXPECT_EQ(hand.Color(), kBlue);

    hand.Init(30, 1, kBlue, 0);
    hand.Scale({200, 100});
    hand.Draw(dc_.get(), -kQuarterTurn, kCenter);
    EXPECT_EQ(PixelAt(60, 60 + 55), kBlue);
}

TEST_F(DrawedHandTest, PenWidthSetsTheThickness) {
    CDrawedHand hand;
    int thin = 0;
    for (int width : {0, 1, 7}) {
        SCOPED_TRACE(width);
        Clear();
        hand.Init(40, width, kBlue, 0);
        hand.Draw(dc_.get(), 0.0, kCenter);
        const int colored = CountColored();
        if (width <= 1) {
            EXPECT_GE(colored, 39);
            EXPECT_LE(colored, 41);
            thin = colored;
        } else {
            EXPECT_GT(colored, 5 * thin);
            EXPECT_EQ(PixelAt(80, 60 + 3), kBlue);
            EXPECT_EQ(PixelAt(80, 60 - 3), kBlue);
            EXPECT_EQ(PixelAt(80, 60 + 6), kWhite);
        }
    }
}

TEST_F(DrawedHandTest, FollowsThePresetCenter) {
    CDrawedHand hand;
    hand.Init(30, 1, kBlue, 0);
    hand.Draw(dc_.get(), kQuarterTurn, POINT{19, 99});
    EXPECT_EQ(PixelAt(20, 99), kBlue);
    EXPECT_EQ(PixelAt(20, 75), kBlue);
    EXPECT_EQ(PixelAt(60, 60), kWhite);
}
