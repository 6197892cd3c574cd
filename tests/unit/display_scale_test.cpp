#include "render/display_scale.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(FaceSizes, ZoomTimesMonitorScaleOverImageScale) {
    struct Case {
        int width, height;
        bool useZoom;
        int zoom, dpi, imageScale, aaMethod;
        PresetSizes expected;
    } cases[] = {
        // The nominal 240-pixel face at 100, 125, 150, 200 and 300 %.
        {240, 240, false, 100, 96, 100, 0, {240, 240, 240, 240, 100, false}},
        {240, 240, false, 100, 120, 100, 0, {300, 300, 300, 300, 125, true}},
        {240, 240, false, 100, 144, 100, 0, {360, 360, 360, 360, 150, true}},
        {240, 240, false, 100, 192, 100, 0, {480, 480, 480, 480, 200, true}},
        {240, 240, false, 100, 288, 100, 0, {720, 720, 720, 720, 300, true}},
        // Zoom and monitor scale multiply; smoothing doubles the work size.
        {240, 240, true, 150, 144, 100, 0, {540, 540, 540, 540, 225, true}},
        {240, 240, true, 50, 192, 100, 1, {240, 240, 480, 480, 200, true}},
        // A face drawn at 3x: a third of its pictures at 100 %, to the pixel;
        // at 300 % its pictures as they are.
        {720, 720, false, 100, 96, 300, 0, {240, 240, 240, 240, 33, true}},
        {720, 720, false, 100, 144, 300, 0, {360, 360, 360, 360, 50, true}},
        {720, 720, false, 100, 192, 300, 2, {480, 480, 960, 960, 133, true}},
        {720, 720, false, 100, 288, 300, 0, {720, 720, 720, 720, 100, false}},
        {721, 361, true, 125, 96, 300, 0, {300, 150, 300, 150, 41, true}},
        // Odd DPIs: exact sides, the percent truncated.
        {200, 150, false, 100, 110, 100, 0, {229, 171, 229, 171, 114, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " zoom " << c.useZoom << "/" << c.zoom
                                        << " dpi " << c.dpi << " image " << c.imageScale << " aa " << c.aaMethod);
        const PresetSizes s = ComputeFaceSizes(c.width, c.height, {c.useZoom, c.zoom, c.dpi, c.imageScale}, c.aaMethod);
        EXPECT_EQ(s.windowWidth, c.expected.windowWidth);
        EXPECT_EQ(s.windowHeight, c.expected.windowHeight);
        EXPECT_EQ(s.workWidth, c.expected.workWidth);
        EXPECT_EQ(s.workHeight, c.expected.workHeight);
        EXPECT_EQ(s.scale, c.expected.scale);
        EXPECT_EQ(s.zoomed, c.expected.zoomed);
    }
}

TEST(FaceSizes, LimitsApplyToTheEffectiveSize) {
    struct Case {
        int width, height;
        bool useZoom;
        int zoom, dpi, imageScale, aaMethod;
        PresetSizes expected;
    } cases[] = {
        // Zoom x monitor past 4096: the monitor scale alone.
        {1000, 1000, true, 300, 192, 100, 0, {2000, 2000, 2000, 2000, 200, true}},
        // The monitor scale alone past 4096 too: the picture's own size.
        {3000, 3000, false, 100, 192, 100, 0, {3000, 3000, 3000, 3000, 100, false}},
        {3000, 3000, true, 200, 192, 100, 1, {3000, 3000, 3000, 3000, 100, false}},
        // Zoom shrinking a side to nothing: the monitor scale alone.
        {50, 400, true, 1, 144, 100, 0, {75, 600, 75, 600, 150, true}},
        // Smoothing stops doubling at 4096 on the work surface.
        {1400, 1400, false, 100, 192, 100, 1, {2800, 2800, 2800, 2800, 200, true}},
        {2048, 2048, false, 100, 96, 300, 1, {682, 682, 1365, 1365, 66, true}},
        // Failed look-ups and absurd values: 96 DPI, pictures at 100 %.
        {240, 240, false, 100, 0, 100, 0, {240, 240, 240, 240, 100, false}},
        {240, 240, false, 100, -144, 100, 0, {240, 240, 240, 240, 100, false}},
        {240, 240, false, 100, INT_MAX, 100, 0, {240, 240, 240, 240, 100, false}},
        {240, 240, false, 100, 96, 0, 0, {240, 240, 240, 240, 100, false}},
        {240, 240, false, 100, 96, 50, 0, {240, 240, 240, 240, 100, false}},
        {240, 240, false, 100, 96, INT_MIN, 0, {240, 240, 240, 240, 100, false}},
        {240, 240, true, INT_MAX, 144, 100, 0, {360, 360, 360, 360, 150, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " zoom " << c.useZoom << "/" << c.zoom
                                        << " dpi " << c.dpi << " image " << c.imageScale << " aa " << c.aaMethod);
        const PresetSizes s = ComputeFaceSizes(c.width, c.height, {c.useZoom, c.zoom, c.dpi, c.imageScale}, c.aaMethod);
        EXPECT_EQ(s.windowWidth, c.expected.windowWidth);
        EXPECT_EQ(s.windowHeight, c.expected.windowHeight);
        EXPECT_EQ(s.workWidth, c.expected.workWidth);
        EXPECT_EQ(s.workHeight, c.expected.workHeight);
        EXPECT_EQ(s.scale, c.expected.scale);
        EXPECT_EQ(s.zoomed, c.expected.zoomed);
    }
}

class OneKey : public IniSource {
public:
    explicit OneKey(int value) : value_(value) {}
    int ReadInt(const char* key, int fallback) const override {
        return std::string(key) == "ImageScale" && value_ != 0 ? value_ : fallback;
    }
    std::string ReadString(const char*, const char* fallback, size_t) const override { return fallback; }

private:
    int value_;  // 0: no key
};

// A 720-pixel face drawn at 3x with its pivot in the middle: the pivot and the
// fonts land where a 240-pixel face puts them, and plug-ins are told the
// scale against 240 pixels.
TEST(FaceSizes, PicturesDrawnLargerScaleToTheNominalFace) {
    struct Case {
        int imageKey, dpi, aaMethod;
        int workWidth, centerX, fontSize, pluginScale;
    } cases[] = {
        {300, 96, 0, 240, 120, 12, 100},
        {300, 144, 0, 360, 180, 18, 150},
        {300, 192, 1, 960, 480, 48, 400},
        {300, 288, 0, 720, 360, 36, 300},
        // Without the key, or with one no generator writes: the pictures are the face.
        {0, 96, 0, 720, 360, 36, 100},
        {0, 144, 1, 2160, 1080, 108, 300},
        {-300, 96, 0, 720, 360, 36, 100},
        {99, 96, 0, 720, 360, 36, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "ImageScale " << c.imageKey << " dpi " << c.dpi << " aa " << c.aaMethod);
        const int imageScale = ReadImageScale(OneKey(c.imageKey));
        ScaleRatio work{0, 1};
        const PresetSizes s = ComputeFaceSizes(720, 720, {false, 100, c.dpi, imageScale}, c.aaMethod, &work);
        EXPECT_EQ(s.workWidth, c.workWidth);
        PresetSettings settings;
        settings.CenterX = 360;
        settings.DateFontSize = 36;
        ScaleFaceGeometry(settings, work);
        EXPECT_EQ(settings.CenterX, c.centerX);
        EXPECT_EQ(settings.DateFontSize, c.fontSize);
        EXPECT_EQ(NominalScalePercent(work, imageScale), c.pluginScale);
    }
}

}  // namespace
