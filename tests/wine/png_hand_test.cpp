#include "render/png_hand_win.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "render/alpha_blend_win.h"
#include "tools/png_write.h"
#include "win/bitmap_info_win.h"
#include "win/proc_address_win.h"
#include "win/unique_handle.h"

namespace {

constexpr int kSize = 200;
constexpr int kImageWidth = 40;
constexpr int kImageHeight = 8;
constexpr int kTip = 8;  // the last columns of the image are the red tip
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kWhite = 0xFFFFFF;

BITMAPINFO TopDown32(int width, int height) {
    return TopDownBitmapInfo(width, height, 32);
}

// A horizontal hand pointing to 3 o'clock as LoadPNG would deliver it: opaque
// blue with a red tip, premultiplied B, G, R, A.
void HandImage(HBITMAP& bitmap, void*& pixels) {
    BITMAPINFO info = TopDown32(kImageWidth, kImageHeight);
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    uint32_t* p = static_cast<uint32_t*>(pixels);
    for (int y = 0; y < kImageHeight; ++y)
        for (int x = 0; x < kImageWidth; ++x)
            p[y * kImageWidth + x] = 0xFF000000u | (x >= kImageWidth - kTip ? kRed : kBlue);
}

// A white 32-bit surface with the preset center at (99, 99): the hands turn
// about pixel (100, 100).
constexpr POINT kCenter = {99, 99};

class PngHandTest : public ::testing::Test {
protected:
    void SetUp() override {
        msimg32_.reset(LoadLibraryA("msimg32.dll"));
        const auto alphaBlend = LookupProc<AlphaBlendFn>(msimg32_.get(), "AlphaBlend");
        ASSERT_NE(alphaBlend, nullptr);
        SetAlphaBlend(alphaBlend);

        BITMAPINFO info = TopDown32(kSize, kSize);
        void* bits = nullptr;
        surface_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        ASSERT_TRUE(surface_);
        pixels_ = static_cast<uint32_t*>(bits);
        dc_.reset(CreateCompatibleDC(nullptr));
        previous_ = SelectObject(dc_.get(), surface_.get());
        Clear();
    }
    void TearDown() override {
        if (dc_)
            SelectObject(dc_.get(), previous_);
        SetAlphaBlend(nullptr);
    }

    void Clear() {
        GdiFlush();
        for (int i = 0; i < kSize * kSize; ++i)
            pixels_[i] = kWhite;
    }
    uint32_t At(int x, int y) {
        GdiFlush();
        return pixels_[y * kSize + x] & 0xFFFFFF;
    }
    bool AllWhite() {
        GdiFlush();
        for (int i = 0; i < kSize * kSize; ++i)
            if ((pixels_[i] & 0xFFFFFF) != kWhite)
                return false;
        return true;
    }
    void AttachHand(CPNGHand& hand, unsigned centerDistance) {
        HBITMAP bitmap = nullptr;
        void* bits = nullptr;
        HandImage(bitmap, bits);
        ASSERT_EQ(hand.Attach(bitmap, bits, centerDistance), 1);
    }

    struct Point {
        int x, y;
        uint32_t color;
    };
    void ExpectPoints(CPNGHand& hand, double angle, const std::vector<Point>& points) {
        Clear();
        hand.Draw(dc_.get(), angle, kCenter);
        for (const Point& p : points)
            EXPECT_EQ(At(p.x, p.y), p.color) << "at (" << p.x << ", " << p.y << "), angle " << angle;
    }

    UniqueModule msimg32_;
    UniqueBitmap surface_;
    uint32_t* pixels_ = nullptr;
    UniqueMemoryDC dc_;
    HGDIOBJ previous_ = nullptr;
};

TEST_F(PngHandTest, PointsRightAtThreeAndUpAtTwelve) {
    CPNGHand hand;
    AttachHand(hand, 0);
    EXPECT_EQ(hand.CenterDistance(), kImageWidth / 2);
    // From the pivot to the right, eight rows high; the tip at the far end.
    ExpectPoints(hand, 0.0,
                 {{120, 100, kBlue},
                  {136, 100, kRed},
                  {120, 97, kBlue},
                  {90, 100, kWhite},
                  {120, 90, kWhite},
                  {145, 100, kWhite},
                  {120, 108, kWhite}});
    // Up from the pivot, the tip at the top.
    ExpectPoints(hand, 1.5707965,
                 {{100, 85, kBlue},
                  {100, 65, kRed},
                  {100, 110, kWhite},
                  {110, 85, kWhite},
                  {100, 55, kWhite},
                  {90, 85, kWhite}});
    // 6 o'clock and 9 o'clock mirror them.
    ExpectPoints(hand, -1.5707965, {{100, 115, kBlue}, {100, 135, kRed}, {100, 90, kWhite}});
    ExpectPoints(hand, 3.141593, {{80, 100, kBlue}, {64, 100, kRed}, {110, 100, kWhite}});
}

TEST_F(PngHandTest, CenterDistanceMovesTheImageAlongTheHand) {
    CPNGHand hand;
    AttachHand(hand, 10);  // a tail of 10 pixels past the pivot
    ExpectPoints(hand, 0.0, {{92, 100, kBlue}, {126, 100, kRed}, {86, 100, kWhite}, {135, 100, kWhite}});
}

TEST_F(PngHandTest, DrawsNothingWithoutAlphaBlendOrImage) {
    CPNGHand hand;
    AttachHand(hand, 0);
    SetAlphaBlend(nullptr);
    hand.Draw(dc_.get(), 0.5, kCenter);
    EXPECT_TRUE(AllWhite());

    // A center distance past the int range places the hand nowhere.
    SetAlphaBlend(LookupProc<AlphaBlendFn>(msimg32_.get(), "AlphaBlend"));
    CPNGHand distant;
    AttachHand(distant, 0xFFFFFFFFu);
    EXPECT_EQ(distant.CenterDistance(), INT_MAX);
    distant.Draw(dc_.get(), 0.0, kCenter);
    EXPECT_TRUE(AllWhite());

    CPNGHand empty;
    EXPECT_EQ(empty.Load("no such file.png", 0), 0);
    empty.Scale({200, 100});
    EXPECT_FALSE(empty.HasImage());
    EXPECT_EQ(empty.Width(), 0);
    empty.Draw(dc_.get(), 0.5, kCenter);
    EXPECT_TRUE(AllWhite());
}

TEST_F(PngHandTest, ScaleStretchesTheImageAndTheCenterDistance) {
    CPNGHand hand;
    AttachHand(hand, 0);
    hand.Scale({200, 100});
    ASSERT_TRUE(hand.HasImage());
    EXPECT_EQ(hand.Width(), 2 * kImageWidth);
    EXPECT_EQ(hand.Height(), 2 * kImageHeight);
    EXPECT_EQ(hand.CenterDistance(), kImageWidth);
    const uint32_t* p = static_cast<const uint32_t*>(hand.Pixels());
    EXPECT_EQ(p[0], 0xFF000000u | kBlue);
    EXPECT_EQ(p[2 * kImageWidth * 2 * kImageHeight - 1], 0xFF000000u | kRed);
    ExpectPoints(hand, 0.0, {{150, 100, kBlue}, {175, 100, kRed}, {150, 93, kBlue}, {150, 88, kWhite}});
}

TEST_F(PngHandTest, LoadsAPngFile) {
    char temp[MAX_PATH];
    ASSERT_NE(0u, GetTempPathA(MAX_PATH, temp));
    const std::string path = std::string(temp) + "tavix_png_hand.png";
    PngImage image;
    image.width = kImageWidth;
    image.height = kImageHeight;
    for (int y = 0; y < kImageHeight; ++y)
        for (int x = 0; x < kImageWidth; ++x) {
            const bool tip = x >= kImageWidth - kTip;
            image.rows.insert(image.rows.end(), {uint8_t(tip ? 255 : 0), 0, uint8_t(tip ? 0 : 255), 255});
        }
    ASSERT_TRUE(WritePng(path, image));

    CPNGHand hand;
    EXPECT_EQ(hand.Load(path.c_str(), 7), 1);
    DeleteFileA(path.c_str());
    EXPECT_EQ(hand.Width(), kImageWidth);
    EXPECT_EQ(hand.Height(), kImageHeight);
    EXPECT_EQ(hand.CenterDistance(), 7);
    // Premultiplied: 255 x 255 >> 8 is 254.
    ExpectPoints(hand, 0.0, {{100, 100, 0x0000FE}, {123, 100, 0xFE0000}, {85, 100, kWhite}});
}

}  // namespace
