#include "render/smooth_shrink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct Rgb24Image {
    int width;
    int height;
    size_t stride;
    std::vector<uint8_t> bytes;

    Rgb24Image(int w, int h) : width(w), height(h), stride(RowStride24(w)), bytes(stride * size_t(h), 0) {}
    uint8_t* Pixel(int x, int y) { return bytes.data() + size_t(y) * stride + size_t(x) * 3; }
};

// Deterministic noise, padding bytes included, so that a reduction that reads
// padding or mixes channels shows.
Rgb24Image Noise(int w, int h, uint32_t seed) {
    Rgb24Image image(w, h);
    for (auto& b : image.bytes) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<uint8_t>(seed >> 24);
    }
    return image;
}

using Reducer = void (*)(const uint8_t*, int, int, size_t, uint8_t*, int, int, size_t, float*);

Rgb24Image Reduce(Reducer reducer, const Rgb24Image& src, int w, int h) {
    Rgb24Image dst(w, h);
    std::vector<float> accumulator(size_t(w) * h * 3, -1.0f);
    reducer(src.bytes.data(), src.width, src.height, src.stride, dst.bytes.data(), w, h, dst.stride,
            accumulator.data());
    return dst;
}

TEST(SmoothShrink, HalvingAveragesEachBlockRoundingHalfUp) {
    // One 2 x 2 block per destination pixel; block sums 101, 102, 1020 and 0
    // give 25.25, 25.5, 255 and 0.
    Rgb24Image src(4, 4);
    const uint8_t blocks[2][2][4] = {{{10, 20, 30, 41}, {10, 20, 30, 42}}, {{255, 255, 255, 255}, {0, 0, 0, 0}}};
    for (int by = 0; by < 2; ++by)
        for (int bx = 0; bx < 2; ++bx)
            for (int i = 0; i < 4; ++i) {
                uint8_t* p = src.Pixel(bx * 2 + (i & 1), by * 2 + (i >> 1));
                p[0] = blocks[by][bx][i];
                p[1] = static_cast<uint8_t>(blocks[by][bx][i] / 2);
                p[2] = static_cast<uint8_t>(255 - blocks[by][bx][i]);
            }
    const uint8_t expected[2][2][3] = {{{25, 13, 230}, {26, 13, 230}}, {{255, 127, 0}, {0, 0, 255}}};
    for (Reducer reducer : {Reducer(AreaAverage), Reducer(AreaAverageReference)}) {
        Rgb24Image dst = Reduce(reducer, src, 2, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                for (int c = 0; c < 3; ++c)
                    EXPECT_EQ(dst.Pixel(x, y)[c], expected[y][x][c]) << "x " << x << " y " << y << " channel " << c;
    }
}

TEST(SmoothShrink, StraddlingPixelIsSharedByWeight) {
    // Three pixels onto two: the middle one counts half for each side.
    Rgb24Image src(3, 1);
    const uint8_t values[3] = {30, 60, 90};
    for (int x = 0; x < 3; ++x)
        std::memset(src.Pixel(x, 0), values[x], 3);
    for (Reducer reducer : {Reducer(AreaAverage), Reducer(AreaAverageReference)}) {
        Rgb24Image dst = Reduce(reducer, src, 2, 1);
        EXPECT_EQ(dst.Pixel(0, 0)[0], 40);
        EXPECT_EQ(dst.Pixel(1, 0)[2], 80);
    }
}

TEST(SmoothShrink, UniformSourceKeepsItsColor) {
    const struct {
        int sw, sh, dw, dh;
    } sizes[] = {{4, 4, 2, 2}, {601, 601, 300, 300}, {7, 5, 3, 2}, {10, 10, 3, 7}, {99, 37, 98, 36}, {5, 5, 1, 1}};
    for (const auto& size : sizes) {
        Rgb24Image src(size.sw, size.sh);
        for (int y = 0; y < size.sh; ++y)
            for (int x = 0; x < size.sw; ++x) {
                uint8_t* p = src.Pixel(x, y);
                p[0] = 17;
                p[1] = 128;
                p[2] = 255;
            }
        Rgb24Image dst = Reduce(AreaAverage, src, size.dw, size.dh);
        for (int y = 0; y < size.dh; ++y)
            for (int x = 0; x < size.dw; ++x) {
                const uint8_t* p = dst.Pixel(x, y);
                ASSERT_EQ(p[0], 17) << size.sw << "x" << size.sh << " -> " << size.dw << "x" << size.dh;
                ASSERT_EQ(p[1], 128);
                ASSERT_EQ(p[2], 255);
            }
    }
}

// The fast paths must give the reference's bytes exactly: the halving because
// its integer rounding equals the float rounding there, the general walk because
// it performs the very same float operations per destination cell.
TEST(SmoothShrink, MatchesReferenceExactly) {
    const struct {
        int sw, sh, dw, dh;
    } sizes[] = {
        {600, 600, 300, 300}, {601, 601, 300, 300}, {601, 600, 300, 300}, {3, 3, 1, 1},         {5, 7, 2, 3},
        {201, 101, 100, 50},  {7, 5, 3, 2},         {10, 10, 3, 7},       {1, 1, 1, 1},         {5, 5, 5, 5},
        {13, 1, 4, 1},        {1, 13, 1, 4},        {2, 2, 1, 1},         {2, 1, 1, 1},         {97, 89, 31, 60},
        {2, 2, 5, 5},         {3, 4, 7, 2},         {30000, 2, 15000, 1}, {30001, 3, 15000, 1}, {46, 10, 23, 5},
        {8, 8, 5, 5},         {4, 3, 3, 2},
    };
    uint32_t seed = 1;
    for (const auto& size : sizes) {
        const Rgb24Image src = Noise(size.sw, size.sh, seed++);
        const Rgb24Image fast = Reduce(AreaAverage, src, size.dw, size.dh);
        const Rgb24Image reference = Reduce(AreaAverageReference, src, size.dw, size.dh);
        EXPECT_EQ(fast.bytes, reference.bytes) << size.sw << "x" << size.sh << " -> " << size.dw << "x" << size.dh;
    }
}

// The clock keeps no scratch for its exact halvings; any other reduction needs
// one and, without it, leaves the destination as it was.
TEST(SmoothShrink, OnlyAnExactHalvingGoesWithoutScratch) {
    const struct {
        int srcWidth, srcHeight, dstWidth, dstHeight;
        bool reduces;
    } cases[] = {
        {8, 6, 4, 3, true}, {34, 2, 17, 1, true}, {9, 6, 4, 3, false}, {8, 7, 4, 3, false}, {3, 3, 3, 3, false}};
    for (const auto& c : cases) {
        const bool halving = c.reduces;
        const Rgb24Image src = Noise(c.srcWidth, c.srcHeight, 7);
        Rgb24Image dst(c.dstWidth, c.dstHeight);
        std::fill(dst.bytes.begin(), dst.bytes.end(), uint8_t{0xA5});
        const Rgb24Image untouched = dst;
        AreaAverage(src.bytes.data(), src.width, src.height, src.stride, dst.bytes.data(), dst.width, dst.height,
                    dst.stride, nullptr);
        Rgb24Image expected = halving ? Reduce(AreaAverageReference, src, c.dstWidth, c.dstHeight) : untouched;
        for (int y = 0; y < c.dstHeight; ++y)
            EXPECT_EQ(0, std::memcmp(dst.Pixel(0, y), expected.Pixel(0, y), 3 * size_t(c.dstWidth)))
                << c.srcWidth << "x" << c.srcHeight << " to " << c.dstWidth << "x" << c.dstHeight << ", row " << y;
    }
}

TEST(SmoothShrink, BuffersRefuseSizesThatDoNotFit) {
    ReductionBuffers buffers;
    EXPECT_FALSE(buffers.Prepare(0, 10, 5, 5));
    EXPECT_FALSE(buffers.Prepare(10, 10, 5, -1));
    EXPECT_FALSE(buffers.Prepare(1 << 30, 1 << 30, 5, 5));
    EXPECT_FALSE(buffers.Prepare(10, 10, 1 << 29, 3));
    EXPECT_TRUE(buffers.Empty());
    EXPECT_EQ(RowStride24(0), 0u);
    EXPECT_EQ(RowStride24(1 << 30), 0u);
}

TEST(SmoothShrink, BuffersHoldPicturesWiderThanSixteenBitStrides) {
    // 70000 pixels need 210000 bytes a row: past what a 16-bit stride can hold.
    ReductionBuffers buffers;
    ASSERT_TRUE(buffers.Prepare(70000, 4, 35000, 2));
    EXPECT_EQ(buffers.Source().stride, 210000u);
    EXPECT_EQ(buffers.Destination().stride, 105000u);
    Picture24& src = buffers.Source();
    for (size_t i = 0; i < src.pixels.size(); ++i)
        src.pixels[i] = static_cast<uint8_t>(i % 3 == 0 ? 200 : 8);
    buffers.Reduce();
    const Picture24& dst = buffers.Destination();
    const uint8_t* last = dst.data() + dst.stride + 3 * size_t(34999);
    EXPECT_EQ(last[0], 200);
    EXPECT_EQ(last[1], 8);
    EXPECT_EQ(last[2], 8);

    // A changed source size resizes the source and keeps the destination.
    ASSERT_TRUE(buffers.PrepareSource(70001, 5));
    EXPECT_EQ(buffers.Source().width, 70001);
    EXPECT_EQ(buffers.Destination().width, 35000);
}

}  // namespace
