#pragma once
// The drawing settings of a preset (section "Settings" of its .INI). Each
// loaded preset carries its own set, scaled to its work size.

#include <cstddef>
#include <cstdint>
#include <string>

struct PresetSettings {
    uint32_t CutColor = 255;  // COLORREF 0x00BBGGRR
    int DisableAMPM = 0;
    uint32_t AMPMColor = 7895160;
    std::string AMPMFont = "Times New Roman";
    int AMPMFontSize = 10;
    int DisableDate = 0;
    uint32_t DateColor = 7895160;
    std::string DateFont = "Arial";
    int DateFontSize = 12;
    std::string HourPNG;  // empty: no image hand
    int HourPNGCenterDist = 0;
    std::string MinutePNG;
    int MinutePNGCenterDist = 0;
    std::string SecondPNG;
    int SecondPNGCenterDist = 0;
    // Positions in pixels of the background; after a load multiplied by the drawing scale.
    int CenterX = 0;
    int CenterY = 0;
    int AMPMCenterX = 0;
    int AMPMCenterY = 0;
    int DateCenterX = 0;
    int DateCenterY = 0;

    bool BackgroundHasAlpha = false;  // the background was read as a PNG file
    bool HasSecondHand = false;
};

// The keys of section "Settings" of a preset's .INI file. A missing file or
// key gives the fallback.
class IniSource {
public:
    virtual ~IniSource() = default;
    virtual int ReadInt(const char* key, int fallback) const = 0;
    // At most maxChars characters of the value.
    virtual std::string ReadString(const char* key, const char* fallback, size_t maxChars) const = 0;
};

// CutColor .. DateFontSize.
void ReadTextSettings(const IniSource& ini, PresetSettings& settings);
// HourPNG .. SecondPNGCenterDist; a name of fewer than 2 characters reads as empty.
void ReadHandImageNames(const IniSource& ini, PresetSettings& settings);

enum class HandKind { Hour, Minute, Second };
struct DrawnHandSpec {
    uint32_t color;  // COLORREF
    int length;
    int lap;
    int width;
};
DrawnHandSpec ReadDrawnHand(const IniSource& ini, HandKind kind);

// CenterX .. DateCenterY, with defaults from the background's width and height.
void ReadCenters(const IniSource& ini, int width, int height, PresetSettings& settings);

struct PresetSizes {
    int windowWidth, windowHeight;
    int workWidth, workHeight;  // the size a frame is drawn at
    int scale;                  // drawing scale in percent
    bool zoomed;                // the window is scaled from the picture (zoom or monitor scale)
};

// The window and work sizes of a width x height background at 96 DPI and a
// picture scale of 100 % (ComputeFaceSizes). A zoom outside
// 1..1000, or one that would give a window side below 1 or above 4096
// (kMaxFaceSide), is ignored (as if UseZoom were off). Smoothing (aaMethod not
// 0) doubles the drawing scale only while the work sides stay within 4096;
// otherwise the frame is drawn at the window size.
PresetSizes ComputePresetSizes(int width, int height, bool useZoom, int zoomValue, int aaMethod);

// Multiplies the six centers and the two font sizes by scale / 100.
void ScalePresetGeometry(PresetSettings& settings, int scale);

// The preset's settings file: the image path with its extension replaced by
// ".INI", or ".INI" appended when the file name has none.
std::string SettingsPathFor(const std::string& imagePath);
// The extension "bmp" in any letter case: a Windows bitmap; anything else is read as PNG.
bool IsBitmapExtension(const std::string& path);
// The path up to and including its last "\" (or "/"); empty without one.
std::string FolderOf(const std::string& path);
