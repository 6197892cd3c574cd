#include "render/preset_settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <map>
#include <string>

namespace {

// Section "Settings" of an .INI file held in memory; a key holding no number
// reads as 0, as the platform's private-profile reader does.
class MemoryIni : public IniSource {
public:
    MemoryIni(std::initializer_list<std::pair<const std::string, std::string>> values) : values_(values) {}
    int ReadInt(const char* key, int fallback) const override {
        auto it = values_.find(key);
        return it == values_.end() ? fallback : std::atoi(it->second.c_str());
    }
    std::string ReadString(const char* key, const char* fallback, size_t maxChars) const override {
        auto it = values_.find(key);
        return (it == values_.end() ? std::string(fallback) : it->second).substr(0, maxChars);
    }

private:
    std::map<std::string, std::string> values_;
};

const MemoryIni kNoFile{};

}  // namespace

TEST(PresetSettings, MissingFileGivesTheDefaults) {
    PresetSettings s;
    s.CutColor = 1;
    s.AMPMFont = "x";
    s.DisableDate = 1;
    ReadTextSettings(kNoFile, s);
    EXPECT_EQ(s.CutColor, 255u);
    EXPECT_EQ(s.DisableAMPM, 0);
    EXPECT_EQ(s.AMPMColor, 0x787878u);
    EXPECT_EQ(s.AMPMFont, "Times New Roman");
    EXPECT_EQ(s.AMPMFontSize, 10);
    EXPECT_EQ(s.DisableDate, 0);
    EXPECT_EQ(s.DateColor, 0x787878u);
    EXPECT_EQ(s.DateFont, "Arial");
    EXPECT_EQ(s.DateFontSize, 12);

    ReadCenters(kNoFile, 200, 150, s);
    EXPECT_EQ(s.CenterX, 100);
    EXPECT_EQ(s.CenterY, 75);
    EXPECT_EQ(s.AMPMCenterX, 101);
    EXPECT_EQ(s.AMPMCenterY, 110);
    EXPECT_EQ(s.DateCenterX, 102);
    EXPECT_EQ(s.DateCenterY, 57);

    struct {
        HandKind kind;
        uint32_t color;
        int length, lap, width;
    } hands[] = {
        {HandKind::Hour, 0xAA5F55, 33, 0, 3},
        {HandKind::Minute, 0xAA5F55, 51, 0, 2},
        {HandKind::Second, 0x553FFF, 54, 0, 1},
    };
    for (const auto& h : hands) {
        SCOPED_TRACE(static_cast<int>(h.kind));
        const DrawnHandSpec spec = ReadDrawnHand(kNoFile, h.kind);
        EXPECT_EQ(spec.color, h.color);
        EXPECT_EQ(spec.length, h.length);
        EXPECT_EQ(spec.lap, h.lap);
        EXPECT_EQ(spec.width, h.width);
    }
}

TEST(PresetSettings, ReadsEachKeyIntoItsOwnField) {
    const MemoryIni ini{
        {"CutColor", "16711935"}, {"DisableAMPM", "7"},  {"AMPMColor", "-1"},   {"AMPMFont", std::string(60, 'f')},
        {"AMPMFontSize", "9"},    {"DisableDate", "-2"}, {"DateColor", "4"},    {"DateFont", "Tahoma"},
        {"DateFontSize", "14"},   {"CenterX", "99"},     {"AMPMCenterY", "64"}, {"MinuteLap", "12"},
        {"SecondLength", "0"},    {"SecondColor", "200"}};
    PresetSettings s;
    ReadTextSettings(ini, s);
    EXPECT_EQ(s.CutColor, 0xFF00FFu);
    EXPECT_EQ(s.DisableAMPM, 1);
    EXPECT_EQ(s.AMPMColor, 0xFFFFFFFFu);
    EXPECT_EQ(s.AMPMFont, std::string(49, 'f'));
    EXPECT_EQ(s.AMPMFontSize, 9);
    EXPECT_EQ(s.DisableDate, 1);
    EXPECT_EQ(s.DateColor, 4u);
    EXPECT_EQ(s.DateFont, "Tahoma");
    EXPECT_EQ(s.DateFontSize, 14);

    ReadCenters(ini, 200, 150, s);
    EXPECT_EQ(s.CenterX, 99);
    EXPECT_EQ(s.CenterY, 75);
    EXPECT_EQ(s.AMPMCenterY, 64);

    EXPECT_EQ(ReadDrawnHand(ini, HandKind::Minute).lap, 12);
    EXPECT_EQ(ReadDrawnHand(ini, HandKind::Hour).lap, 0);
    const DrawnHandSpec second = ReadDrawnHand(ini, HandKind::Second);
    EXPECT_EQ(second.length, 0);
    EXPECT_EQ(second.color, 200u);
    EXPECT_EQ(second.width, 1);
}

TEST(PresetSettings, HandImageNamesShorterThanTwoCharactersAreAbsent) {
    const MemoryIni ini{{"HourPNG", "h"},
                        {"HourPNGCenterDist", "7"},
                        {"MinutePNG", "m.png"},
                        {"SecondPNG", ""},
                        {"SecondPNGCenterDist", "3"}};
    PresetSettings s;
    s.SecondPNG = "old.png";
    ReadHandImageNames(ini, s);
    EXPECT_EQ(s.HourPNG, "");
    EXPECT_EQ(s.HourPNGCenterDist, 7);
    EXPECT_EQ(s.MinutePNG, "m.png");
    EXPECT_EQ(s.MinutePNGCenterDist, 0);
    EXPECT_EQ(s.SecondPNG, "");
    EXPECT_EQ(s.SecondPNGCenterDist, 3);

    const MemoryIni longName{{"HourPNG", std::string(300, 'n')}, {"MinutePNG", "ab"}};
    ReadHandImageNames(longName, s);
    EXPECT_EQ(s.HourPNG.size(), 259u);
    EXPECT_EQ(s.MinutePNG, "ab");
}

TEST(PresetSizes, ZoomAndSmoothing) {
    struct Case {
        int width, height;
        bool useZoom;
        int zoom, aaMethod;
        PresetSizes expected;
    } cases[] = {
        {200, 150, false, 150, 0, {200, 150, 200, 150, 100, false}},
        {200, 150, false, 150, 1, {200, 150, 400, 300, 200, false}},
        {200, 150, true, 150, 1, {300, 225, 600, 450, 300, true}},
        {200, 150, true, 150, 0, {300, 225, 300, 225, 150, true}},
        {201, 151, true, 150, 2, {301, 226, 603, 453, 300, true}},
        {200, 150, true, 25, 2, {50, 37, 100, 75, 50, true}},
        {200, 150, true, 100, 0, {200, 150, 200, 150, 100, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " zoom " << c.useZoom << "/" << c.zoom
                                        << " aa " << c.aaMethod);
        const PresetSizes s = ComputePresetSizes(c.width, c.height, c.useZoom, c.zoom, c.aaMethod);
        EXPECT_EQ(s.windowWidth, c.expected.windowWidth);
        EXPECT_EQ(s.windowHeight, c.expected.windowHeight);
        EXPECT_EQ(s.workWidth, c.expected.workWidth);
        EXPECT_EQ(s.workHeight, c.expected.workHeight);
        EXPECT_EQ(s.scale, c.expected.scale);
        EXPECT_EQ(s.zoomed, c.expected.zoomed);
    }
}

TEST(PresetSizes, AbsurdZoomOrHugeSizesFallBackToSoundOnes) {
    struct Case {
        int width, height, zoom, aaMethod;
        PresetSizes expected;
    } cases[] = {
        // Zoom values no dialog offers, from a hand-edited registry: no zoom.
        {200, 150, -150, 1, {200, 150, 400, 300, 200, false}},
        {200, 150, 0, 1, {200, 150, 400, 300, 200, false}},
        {200, 150, 1001, 0, {200, 150, 200, 150, 100, false}},
        {200, 150, INT_MAX, 1, {200, 150, 400, 300, 200, false}},
        {200, 150, INT_MIN, 0, {200, 150, 200, 150, 100, false}},
        // A zoom that shrinks a side to nothing or grows it past 16384: no zoom.
        {50, 400, 1, 0, {50, 400, 50, 400, 100, false}},
        {2000, 100, 1000, 0, {2000, 100, 2000, 100, 100, false}},
        // Smoothing that would need a work side past 16384: drawn at window size.
        {3000, 3000, 300, 1, {9000, 9000, 9000, 9000, 300, true}},
        {10000, 50, 100, 2, {10000, 50, 10000, 50, 100, true}},
        {30000, 20, 100, 1, {30000, 20, 30000, 20, 100, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " zoom " << c.zoom << " aa " << c.aaMethod);
        const PresetSizes s = ComputePresetSizes(c.width, c.height, true, c.zoom, c.aaMethod);
        EXPECT_EQ(s.windowWidth, c.expected.windowWidth);
        EXPECT_EQ(s.windowHeight, c.expected.windowHeight);
        EXPECT_EQ(s.workWidth, c.expected.workWidth);
        EXPECT_EQ(s.workHeight, c.expected.workHeight);
        EXPECT_EQ(s.scale, c.expected.scale);
        EXPECT_EQ(s.zoomed, c.expected.zoomed);
    }
}

TEST(PresetSizes, ScalingMovesCentersAndFontSizes) {
    PresetSettings s;
    ReadCenters(kNoFile, 200, 150, s);
    s.DateFontSize = 12;
    s.AMPMFontSize = -5;
    ScalePresetGeometry(s, 300);
    EXPECT_EQ(s.CenterX, 300);
    EXPECT_EQ(s.CenterY, 225);
    EXPECT_EQ(s.AMPMCenterX, 303);
    EXPECT_EQ(s.AMPMCenterY, 330);
    EXPECT_EQ(s.DateCenterX, 306);
    EXPECT_EQ(s.DateCenterY, 171);
    EXPECT_EQ(s.DateFontSize, 36);
    EXPECT_EQ(s.AMPMFontSize, -15);
    ScalePresetGeometry(s, 50);
    EXPECT_EQ(s.CenterY, 112);
    EXPECT_EQ(s.AMPMFontSize, -7);
}

TEST(PresetPaths, SettingsFileExtensionAndFolder) {
    struct Case {
        const char* path;
        const char* settings;
        bool bitmap;
        const char* folder;
    } cases[] = {
        {"C:\\Tavix\\Presets\\Original.png", "C:\\Tavix\\Presets\\Original.INI", false, "C:\\Tavix\\Presets\\"},
        {"C:\\Tavix\\Presets\\default.bmp", "C:\\Tavix\\Presets\\default.INI", true, "C:\\Tavix\\Presets\\"},
        {"C:\\P\\face.BMP", "C:\\P\\face.INI", true, "C:\\P\\"},
        {"C:\\P\\face.Bmp", "C:\\P\\face.INI", true, "C:\\P\\"},
        {"C:\\P\\face.tar.bmp", "C:\\P\\face.tar.INI", true, "C:\\P\\"},
        {"C:\\P\\face.bmpx", "C:\\P\\face.INI", false, "C:\\P\\"},
        {"C:\\P\\face.jpg", "C:\\P\\face.INI", false, "C:\\P\\"},
        // A "." in a folder name is not the extension.
        {"C:\\My.Skins\\face", "C:\\My.Skins\\face.INI", false, "C:\\My.Skins\\"},
        {"C:\\My.bmp\\face", "C:\\My.bmp\\face.INI", false, "C:\\My.bmp\\"},
        {"D:/skins/face.bmp", "D:/skins/face.INI", true, "D:/skins/"},
        {"face", "face.INI", false, ""},
        {"bmp", "bmp.INI", false, ""},
        {".bmp", ".INI", true, ""},
        {"", ".INI", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(SettingsPathFor(c.path), c.settings);
        EXPECT_EQ(IsBitmapExtension(c.path), c.bitmap);
        EXPECT_EQ(FolderOf(c.path), c.folder);
    }
}
