#include "render/hand_rotation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Every pixel names its own column and row, and none is 0 (transparent).
std::vector<uint32_t> NamedPixels(int width, int height) {
    std::vector<uint32_t> image(size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image[size_t(y) * width + x] = 0xFF000000u | uint32_t(y) << 12 | uint32_t(x);
    return image;
}
int ColumnOf(uint32_t pixel) {
    return int(pixel & 0xFFF);
}
int RowOf(uint32_t pixel) {
    return int((pixel >> 12) & 0xFFF);
}

std::vector<uint32_t> Turn(const std::vector<uint32_t>& image, int width, int height, double angle, TurnedBounds& b) {
    b = ComputeTurnedBounds(width, height, angle);
    std::vector<uint32_t> out(size_t(b.width) * b.height, 0xDEADBEEF);
    FillTurnedImage(image.data(), width, height, angle, b, out.data());
    return out;
}

TEST(HandRotation, UnturnedRepeatsFirstColumnAndRowAndDropsTheLast) {
    const int w = 5, h = 3;
    TurnedBounds b;
    const auto out = Turn(NamedPixels(w, h), w, h, 0.0, b);
    EXPECT_EQ(b.minX, 0);
    EXPECT_EQ(b.minY, 0);
    ASSERT_EQ(b.width, w);
    ASSERT_EQ(b.height, h);
    // The -0.5 truncated toward zero maps destination 0 and 1 to source 0.
    const int sourceOf[] = {0, 0, 1, 2, 3};
    for (int j = 0; j < h; ++j)
        for (int k = 0; k < w; ++k) {
            const uint32_t pixel = out[size_t(j) * w + k];
            EXPECT_EQ(ColumnOf(pixel), sourceOf[k]) << "k " << k << " j " << j;
            EXPECT_EQ(RowOf(pixel), sourceOf[j]) << "k " << k << " j " << j;
        }
}

TEST(HandRotation, TwelveOClockTurnsTheTopEdgeToTheLeft) {
    const int w = 40, h = 9;
    TurnedBounds b;
    const auto out = Turn(NamedPixels(w, h), w, h, 1.5707965, b);
    // Pointing up: the box is about as wide as the image is high, reaching from
    // the pivot row upwards.
    EXPECT_EQ(b.minX, 0);
    EXPECT_EQ(b.width, 8);
    EXPECT_EQ(b.minY, -39);
    EXPECT_EQ(b.height, 39);
    int shown = 0;
    for (int j = 0; j < b.height; ++j) {
        const uint32_t left = out[size_t(j) * b.width];
        const uint32_t right = out[size_t(j) * b.width + b.width - 1];
        if (left) {
            EXPECT_EQ(RowOf(left), 0) << "row " << j;
        }
        if (right) {
            EXPECT_GE(RowOf(right), h - 3) << "row " << j;
        }
        shown += left != 0;
    }
    EXPECT_GT(shown, 30);
    // The tip (last columns) is at the top, the pivot end at the bottom.
    EXPECT_GE(ColumnOf(out[2]), w - 3);
    EXPECT_LE(ColumnOf(out[size_t(b.height - 1) * b.width + 2]), 1);
}

TEST(HandRotation, BoundsOfNothingAreEmpty) {
    const struct {
        int w, h;
        double angle;
    } cases[] = {{0, 5, 0.0}, {5, 0, 1.0}, {-3, 5, 0.0}, {5, 5, NAN}, {5, 5, INFINITY}, {1 << 30, 2, 0.0}};
    for (const auto& c : cases) {
        const TurnedBounds b = ComputeTurnedBounds(c.w, c.h, c.angle);
        EXPECT_EQ(b.width, 0) << c.w << "x" << c.h << " " << c.angle;
        EXPECT_EQ(b.height, 0) << c.w << "x" << c.h << " " << c.angle;
    }
}

// The fast fill narrows each row before sampling; any slip in that narrowing or
// any change in the order of the floating-point operations would show here.
TEST(HandRotation, FastFillMatchesThePerPixelRuleExactly) {
    const struct { int w, h; } sizes[] = {{1, 1}, {2, 1}, {1, 5}, {40, 9}, {200, 20}, {7, 33}, {64, 64}, {3, 2}};
    std::vector<double> angles = {0.0,       1.5707965, -1.5707965, 3.141593, -3.141593, M_PI / 2, M_PI,
                                  -M_PI / 2, M_PI / 4,  2 * M_PI,   1e-17,    -1e-17,    1e-9};
    // Every angle the clock's hands take: minutes and seconds, and the hour hand.
    for (int i = 0; i < 720; ++i)
        angles.push_back(1.5707965 - (i / 360.0) * 3.141593);
    for (int i = 0; i < 60; ++i)
        angles.push_back(1.5707965 - (i / 30.0) * 3.141593);
    for (int i = -50; i <= 50; ++i)
        angles.push_back(i * 0.1234567);

    for (const auto& size : sizes) {
        const auto image = NamedPixels(size.w, size.h);
        for (double angle : angles) {
            const TurnedBounds b = ComputeTurnedBounds(size.w, size.h, angle);
            // Without the + 1 a one-pixel image can turn into an empty box.
            if (b.width == 0 || b.height == 0)
                continue;
            std::vector<uint32_t> fast(size_t(b.width) * b.height, 1);
            std::vector<uint32_t> reference(fast.size(), 2);
            FillTurnedImage(image.data(), size.w, size.h, angle, b, fast.data());
            FillTurnedImageReference(image.data(), size.w, size.h, angle, b, reference.data());
            ASSERT_EQ(fast, reference) << size.w << "x" << size.h << " at " << angle;
        }
    }
}

// A hand that only touches the changed area is turned over that part of its
// box alone; the part must hold exactly the pixels the whole box holds there.
TEST(HandRotation, PartOfTheBoxEqualsThoseCellsOfTheWhole) {
    constexpr int kWidth = 200;
    constexpr int kHeight = 20;
    const auto image = NamedPixels(kWidth, kHeight);
    // Parts as fractions of the box (left, top, right, bottom, in eighths):
    // corners, a strip through the middle, a single column and row.
    const struct {
        int l, t, r, b;
    } parts[] = {{0, 0, 3, 3}, {5, 5, 8, 8}, {3, 0, 5, 8}, {0, 3, 8, 5}, {4, 0, 4, 8}, {0, 4, 8, 4}, {2, 2, 6, 6}};
    for (int second = 0; second < 60; ++second) {
        const double angle = 1.5707965 - (second / 30.0) * 3.141593;
        TurnedBounds whole;
        const auto full = Turn(image, kWidth, kHeight, angle, whole);
        for (const auto& p : parts) {
            const int left = whole.width * p.l / 8;
            const int top = whole.height * p.t / 8;
            const int right = std::max(left + 1, whole.width * p.r / 8);
            const int bottom = std::max(top + 1, whole.height * p.b / 8);
            const TurnedBounds part{whole.minX + left, whole.minY + top, right - left, bottom - top};
            std::vector<uint32_t> out(size_t(part.width) * part.height, 0xDEADBEEF);
            FillTurnedImage(image.data(), kWidth, kHeight, angle, part, out.data());
            for (int y = 0; y < part.height; ++y)
                for (int x = 0; x < part.width; ++x)
                    ASSERT_EQ(out[size_t(y) * part.width + x], full[size_t(top + y) * whole.width + left + x])
                        << "second " << second << ", part " << left << "," << top << " at " << x << "," << y;
        }
    }
}

}  // namespace
