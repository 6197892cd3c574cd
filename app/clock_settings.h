#pragma once
// The clock's option values, one member per value of the application's store
// section, and the two operations that read and write them all.

#include <cstdint>
#include <string>

#include "core/settings_store.h"

// The clock's values lie in the application's key itself.
constexpr const char* kSettingsSection = "";

struct ClockSettings {
    // Members are zero until LoadSettings fills them; nothing reads them before that.
    uint8_t Alpha = 0;
    uint8_t Alpha2 = 0;
    uint8_t AAMethod = 0;
    uint8_t ShowAMPM = 0;
    uint8_t SmoothPNGHands = 0;
    uint8_t ShowDate = 0;
    int32_t OnTop = 0;
    int32_t UnmovableWin = 0;
    int32_t LimitWinPos = 0;
    int32_t ClickThrough = 0;
    int32_t PinToDesktop = 0;
    int32_t DontReposWindow = 0;
    int32_t HideFromAltTab = 0;
    int32_t MultipleInstances = 0;
    int32_t UseZoom = 0;
    int32_t UseSecondHand = 0;
    int32_t UseAlpha2 = 0;
    int32_t Priority = 0;
    int32_t ZoomValue = 0;
    std::string BackgrndBitmap;
    std::string LangFile;
    std::string DefaultTimeZone;
    int32_t MultipleTimeZones = 0;
    int32_t TimeInSysTray = 0;
};

// Reads every value; a missing one (or one stored with another type) takes its
// default. Flags are reduced to 0/1, opacities and the smoothing method keep the
// low 8 bits, Priority, ZoomValue, HideFromAltTab and MultipleInstances are taken
// unchanged. The default preset depends on whether layered windows are available;
// the time zone is read only on NT-family systems.
void LoadSettings(const SettingsStore& store, ClockSettings& s, bool layeredSupported, bool isNT);

// Writes every value back (never the window position, which only a drag writes).
void SaveSettings(SettingsStore& store, const ClockSettings& s);
