#include "render/preset_settings.h"

#include <cstdint>

#include "render/display_scale.h"
#include "render/hand_geometry.h"

namespace {

constexpr size_t kFontNameChars = 49;
constexpr size_t kFileNameChars = 259;

uint32_t ReadColor(const IniSource& ini, const char* key, uint32_t fallback) {
    return static_cast<uint32_t>(ini.ReadInt(key, static_cast<int>(fallback)));
}

int ReadFlag(const IniSource& ini, const char* key) {
    return ini.ReadInt(key, 0) != 0 ? 1 : 0;
}

std::string ReadHandImageName(const IniSource& ini, const char* key) {
    std::string name = ini.ReadString(key, "", kFileNameChars);
    if (name.size() < 2)
        name.clear();
    return name;
}

}  // namespace

void ReadTextSettings(const IniSource& ini, PresetSettings& s) {
    s.CutColor = ReadColor(ini, "CutColor", 255);
    s.DisableAMPM = ReadFlag(ini, "DisableAMPM");
    s.AMPMColor = ReadColor(ini, "AMPMColor", 7895160);
    s.AMPMFont = ini.ReadString("AMPMFont", "Times New Roman", kFontNameChars);
    s.AMPMFontSize = ini.ReadInt("AMPMFontSize", 10);
    s.DisableDate = ReadFlag(ini, "DisableDate");
    s.DateColor = ReadColor(ini, "DateColor", 7895160);
    s.DateFont = ini.ReadString("DateFont", "Arial", kFontNameChars);
    s.DateFontSize = ini.ReadInt("DateFontSize", 12);
}

void ReadHandImageNames(const IniSource& ini, PresetSettings& s) {
    s.HourPNG = ReadHandImageName(ini, "HourPNG");
    s.HourPNGCenterDist = ini.ReadInt("HourPNGCenterDist", 0);
    s.MinutePNG = ReadHandImageName(ini, "MinutePNG");
    s.MinutePNGCenterDist = ini.ReadInt("MinutePNGCenterDist", 0);
    s.SecondPNG = ReadHandImageName(ini, "SecondPNG");
    s.SecondPNGCenterDist = ini.ReadInt("SecondPNGCenterDist", 0);
}

DrawnHandSpec ReadDrawnHand(const IniSource& ini, HandKind kind) {
    struct Keys {
        const char* color;
        const char* length;
        const char* lap;
        const char* width;
        DrawnHandSpec fallback;
    };
    static const Keys kKeys[] = {
        {"HourColor", "HourLength", "HourLap", "HourWidth", {11165525, 33, 0, 3}},
        {"MinuteColor", "MinuteLength", "MinuteLap", "MinuteWidth", {11165525, 51, 0, 2}},
        {"SecondColor", "SecondLength", "SecondLap", "SecondWidth", {5586943, 54, 0, 1}},
    };
    const Keys& k = kKeys[static_cast<int>(kind)];
    DrawnHandSpec spec;
    spec.color = ReadColor(ini, k.color, k.fallback.color);
    spec.length = ini.ReadInt(k.length, k.fallback.length);
    spec.lap = ini.ReadInt(k.lap, k.fallback.lap);
    spec.width = ini.ReadInt(k.width, k.fallback.width);
    return spec;
}

void ReadCenters(const IniSource& ini, int width, int height, PresetSettings& s) {
    s.CenterX = ini.ReadInt("CenterX", width >> 1);
    s.CenterY = ini.ReadInt("CenterY", height >> 1);
    s.AMPMCenterX = ini.ReadInt("AMPMCenterX", (width >> 1) + 1);
    s.AMPMCenterY = ini.ReadInt("AMPMCenterY", height - (height >> 2) - 3);
    s.DateCenterX = ini.ReadInt("DateCenterX", (width >> 1) + 2);
    s.DateCenterY = ini.ReadInt("DateCenterY", (height >> 1) - (height >> 3));
}

PresetSizes ComputePresetSizes(int width, int height, bool useZoom, int zoomValue, int aaMethod) {
    FaceScale scale;
    scale.useZoom = useZoom;
    scale.zoomValue = zoomValue;
    return ComputeFaceSizes(width, height, scale, aaMethod);
}

void ScalePresetGeometry(PresetSettings& s, int scale) {
    for (int* v : {&s.CenterX, &s.CenterY, &s.AMPMCenterX, &s.AMPMCenterY, &s.DateCenterX, &s.DateCenterY,
                   &s.AMPMFontSize, &s.DateFontSize}) {
        *v = ScalePercent(*v, scale);
    }
}

namespace {

size_t FileNameStart(const std::string& path) {
    const size_t sep = path.find_last_of("\\/");
    return sep == std::string::npos ? 0 : sep + 1;
}

// The position of the extension's "." inside the file name, or npos.
size_t ExtensionDot(const std::string& path) {
    const size_t dot = path.rfind('.');
    return dot != std::string::npos && dot >= FileNameStart(path) ? dot : std::string::npos;
}

}  // namespace

std::string SettingsPathFor(const std::string& imagePath) {
    const size_t dot = ExtensionDot(imagePath);
    return (dot == std::string::npos ? imagePath : imagePath.substr(0, dot)) + ".INI";
}

bool IsBitmapExtension(const std::string& path) {
    const size_t dot = ExtensionDot(path);
    if (dot == std::string::npos || path.size() - dot != 4)
        return false;
    const char* ext = path.c_str() + dot + 1;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(ext[0]) == 'b' && lower(ext[1]) == 'm' && lower(ext[2]) == 'p';
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, FileNameStart(path));
}
