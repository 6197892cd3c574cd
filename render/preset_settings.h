#pragma once
// The drawing settings of the loaded preset (section "Settings" of its .INI),
// one process-wide set that every load overwrites.

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
    std::string HourPNG;
    int HourPNGCenterDist = 0;
    std::string MinutePNG;
    int MinutePNGCenterDist = 0;
    std::string SecondPNG;
    int SecondPNGCenterDist = 0;
    int CenterX = 0;
    int CenterY = 0;
    int AMPMCenterX = 0;
    int AMPMCenterY = 0;
    int DateCenterX = 0;
    int DateCenterY = 0;

    bool BackgroundHasAlpha = false;  // the background was read as a PNG file
    bool HasSecondHand = false;
};

PresetSettings& ThePresetSettings();
