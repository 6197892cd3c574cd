#include "render/alpha_plane_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/smooth_shrink.h"
#include "render/smooth_shrink_win.h"
#include "win/bitmap_info_win.h"
#include "win/message_box_win.h"
#include "win/unique_handle.h"

namespace {

std::vector<std::string> shownMessages;

void RecordMessage(const char* text) {
    shownMessages.emplace_back(text);
}

BITMAPINFO TopDown24(int width, int height) {
    return TopDownBitmapInfo(width, height, 24);
}

// A device bitmap in the screen's format, like the clock's frames, holding the
// given 24-bit rows.
UniqueBitmap DeviceBitmap(const Picture24& picture) {
    WindowDC screen(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), picture.width, picture.height));
    BITMAPINFO info = TopDown24(picture.width, picture.height);
    SetDIBits(screen.get(), bitmap.get(), 0, picture.height, picture.data(), &info, DIB_RGB_COLORS);
    return bitmap;
}

Picture24 Pattern(int width, int height, int seed) {
    Picture24 picture;
    picture.width = width;
    picture.height = height;
    picture.stride = RowStride24(width);
    picture.pixels.assign(picture.stride * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                picture.pixels[y * picture.stride + 3 * x + c] =
                    static_cast<uint8_t>((x * 37 + y * 91 + c * 53 + seed) & 0xFF);
    return picture;
}

Picture24 ReadBack(HBITMAP bitmap, int width, int height) {
    Picture24 picture = Pattern(width, height, 0);
    WindowDC screen(nullptr);
    BITMAPINFO info = TopDown24(width, height);
    EXPECT_EQ(height, GetDIBits(screen.get(), bitmap, 0, height, picture.data(), &info, DIB_RGB_COLORS));
    return picture;
}

class AlphaPlaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        shownMessages.clear();
        SetMessageBoxHook(RecordMessage);
        FreeReductionCache();
    }
    void TearDown() override {
        FreeReductionCache();
        SetMessageBoxHook(nullptr);
    }
};

TEST_F(AlphaPlaneTest, AlphaDibIsA32BitTopDownSectionOfTheFrameSize) {
    const UniqueBitmap frame = DeviceBitmap(Pattern(9, 4, 1));
    BITMAPINFO header{};
    void* pixels = nullptr;
    UniqueBitmap dib(CreateAlphaDIB(frame.get(), &pixels, &header));
    ASSERT_TRUE(dib);
    EXPECT_NE(pixels, nullptr);
    EXPECT_EQ(header.bmiHeader.biWidth, 9);
    EXPECT_EQ(header.bmiHeader.biHeight, -4);
    EXPECT_EQ(header.bmiHeader.biBitCount, 32);
    EXPECT_EQ(header.bmiHeader.biCompression, static_cast<DWORD>(BI_RGB));
    DIBSECTION section{};
    ASSERT_EQ(static_cast<int>(sizeof section), GetObjectA(dib.get(), sizeof section, &section));
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(section.dsBm.bmBits, pixels);

    EXPECT_EQ(CreateAlphaDIB(nullptr, &pixels, &header), nullptr);
    EXPECT_EQ(pixels, nullptr);
}

TEST_F(AlphaPlaneTest, MergeSetsEveryAlphaByteAndKeepsTheFramesColors) {
    // 36 pixels: the last 16 of them once kept the alpha of the read-back.
    const Picture24 picture = Pattern(9, 4, 2);
    const UniqueBitmap frame = DeviceBitmap(picture);
    BITMAPINFO header{};
    void* pixels = nullptr;
    UniqueBitmap dib(CreateAlphaDIB(frame.get(), &pixels, &header));
    ASSERT_TRUE(dib);
    std::vector<uint8_t> plane(36);
    for (size_t i = 0; i < plane.size(); ++i)
        plane[i] = static_cast<uint8_t>(250 - i * 7);

    ASSERT_TRUE(MergeAlphaPlane(frame.get(), plane, &header, pixels));
    const uint8_t* bytes = static_cast<const uint8_t*>(pixels);
    for (int i = 0; i < 36; ++i) {
        const int x = i % 9;
        const int y = i / 9;
        EXPECT_EQ(bytes[4 * i + 3], plane[i]) << "pixel " << i;
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(bytes[4 * i + c], picture.pixels[y * picture.stride + 3 * x + c]) << "pixel " << i;
    }

    EXPECT_FALSE(MergeAlphaPlane(frame.get(), static_cast<const uint8_t*>(nullptr), &header, pixels));
    EXPECT_FALSE(MergeAlphaPlane(nullptr, plane.data(), &header, pixels));
    EXPECT_FALSE(MergeAlphaPlane(frame.get(), plane.data(), &header, nullptr));
    EXPECT_FALSE(MergeAlphaPlane(frame.get(), std::vector<uint8_t>(), &header, pixels));
    EXPECT_FALSE(MergeAlphaPlane(frame.get(), std::vector<uint8_t>(35), &header, pixels));
}

TEST_F(AlphaPlaneTest, ResizedPlaneHasTheNewSizeAndKeepsItsRowsInOrder) {
    // Top half transparent, bottom half opaque.
    const int w = 10, h = 6;
    std::vector<uint8_t> plane(w * h, 0);
    for (int i = w * h / 2; i < w * h; ++i)
        plane[i] = 255;
    const struct { int w2, h2; } sizes[] = {{20, 12}, {15, 9}, {5, 3}, {10, 6}};
    for (const auto& size : sizes) {
        std::vector<uint8_t> resized = plane;
        ASSERT_TRUE(ResizeAlphaPlane(w, h, resized, size.w2, size.h2)) << size.w2 << "x" << size.h2;
        ASSERT_EQ(resized.size(), size_t(size.w2) * size.h2);
        EXPECT_EQ(resized.front(), 0) << size.w2 << "x" << size.h2;
        EXPECT_EQ(resized.back(), 255) << size.w2 << "x" << size.h2;
        EXPECT_EQ(resized[size.w2 - 1], 0);
        EXPECT_EQ(resized[size_t(size.w2) * (size.h2 - 1)], 255);
    }
    EXPECT_TRUE(shownMessages.empty());
}

// Every failure empties the plane: the window must not merge a plane of the
// old size into frames of the new one.
TEST_F(AlphaPlaneTest, FailedResizeLeavesNoPlane) {
    std::vector<uint8_t> plane(11, 200);  // one byte short of 4 x 3
    EXPECT_FALSE(ResizeAlphaPlane(4, 3, plane, 8, 6));
    EXPECT_TRUE(plane.empty());

    plane.assign(12, 200);
    EXPECT_FALSE(ResizeAlphaPlane(4, 3, plane, 1 << 28, 1 << 28));
    EXPECT_TRUE(plane.empty());

    plane.assign(12, 200);
    ASSERT_TRUE(ResizeAlphaPlane(4, 3, plane, 8, 6));
    EXPECT_EQ(plane, std::vector<uint8_t>(48, 200));
}

TEST_F(AlphaPlaneTest, SmoothShrinkGivesTheAreaAverageInTheCachedBitmap) {
    const Picture24 picture = Pattern(8, 6, 3);
    const UniqueBitmap source = DeviceBitmap(picture);
    HBITMAP result = SmoothShrink(source.get(), 4, 3);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result, ReductionCacheBitmap());

    Picture24 expected = Pattern(4, 3, 0);
    std::vector<float> accumulator(4 * 3 * 3);
    AreaAverage(picture.data(), 8, 6, picture.stride, expected.data(), 4, 3, expected.stride, accumulator.data());
    EXPECT_EQ(ReadBack(result, 4, 3).pixels, expected.pixels);

    // Later frames reuse the bitmap; a source of another size is read whole.
    const Picture24 wider = Pattern(11, 7, 4);
    const UniqueBitmap widerSource = DeviceBitmap(wider);
    EXPECT_EQ(SmoothShrink(widerSource.get(), 4, 3), result);
    AreaAverage(wider.data(), 11, 7, wider.stride, expected.data(), 4, 3, expected.stride, accumulator.data());
    EXPECT_EQ(ReadBack(result, 4, 3).pixels, expected.pixels);

    // The frame is still selected into the work surface when it is reduced.
    {
        UniqueMemoryDC work(CreateCompatibleDC(nullptr));
        SelectGuard selected(work.get(), source.get());
        EXPECT_EQ(SmoothShrink(source.get(), 4, 3), result);
    }
    AreaAverage(picture.data(), 8, 6, picture.stride, expected.data(), 4, 3, expected.stride, accumulator.data());
    EXPECT_EQ(ReadBack(result, 4, 3).pixels, expected.pixels);

    // The cache's sizes hold until it is freed.
    EXPECT_EQ(SmoothShrink(source.get(), 5, 3), nullptr);
    FreeReductionCache();
    EXPECT_EQ(ReductionCacheBitmap(), nullptr);
    EXPECT_NE(SmoothShrink(source.get(), 5, 3), nullptr);
}

}  // namespace
