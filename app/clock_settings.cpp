#include "app/clock_settings.h"

namespace {

int32_t ReadFlag(const SettingsStore& store, const char* name, uint32_t fallback) {
    return store.GetInt(kSettingsSection, name, fallback) != 0 ? 1 : 0;
}

int32_t ReadRaw(const SettingsStore& store, const char* name, uint32_t fallback) {
    return static_cast<int32_t>(store.GetInt(kSettingsSection, name, fallback));
}

uint8_t ReadByte(const SettingsStore& store, const char* name, uint32_t fallback) {
    return static_cast<uint8_t>(store.GetInt(kSettingsSection, name, fallback) & 0xFF);
}

std::string ReadText(const SettingsStore& store, const char* name, const std::string& fallback) {
    return store.GetString(kSettingsSection, name, fallback);
}

}  // namespace

void LoadSettings(const SettingsStore& store, ClockSettings& s, bool layeredSupported, bool isNT) {
    s.OnTop = ReadFlag(store, "OnTop", 1);
    s.UnmovableWin = ReadFlag(store, "UnmovableWin", 0);
    s.LimitWinPos = ReadFlag(store, "LimitWinPos", 0);
    s.ClickThrough = ReadFlag(store, "ClickThrough", 0);
    s.PinToDesktop = ReadFlag(store, "PinToDesktop", 0);
    s.Alpha = ReadByte(store, "Alpha", 255);
    s.Alpha2 = ReadByte(store, "Alpha2", 255);
    s.UseAlpha2 = ReadFlag(store, "UseAlpha2", 0);
    s.AAMethod = ReadByte(store, "AAMethod", 1);
    s.Priority = ReadRaw(store, "Priority", 1);
    s.BackgrndBitmap = ReadText(store, "BackgrndBitmap", layeredSupported ? "Original.png" : "default.bmp");
    s.LangFile = ReadText(store, "LangFile", "english.lng");
    s.ShowAMPM = static_cast<uint8_t>(ReadFlag(store, "ShowAMPM", 1));
    s.ShowDate = static_cast<uint8_t>(ReadFlag(store, "ShowDate", 0));
    s.SmoothPNGHands = static_cast<uint8_t>(ReadFlag(store, "SmoothPNGHands", 1));
    s.DontReposWindow = ReadFlag(store, "DontReposWindow", 0);
    s.TimeInSysTray = ReadFlag(store, "TimeInSysTray", 1);
    s.HideFromAltTab = ReadRaw(store, "HideFromAltTab", 1);
    s.MultipleInstances = ReadRaw(store, "MultipleInstances", 1);
    s.UseZoom = ReadFlag(store, "UseZoom", 0);
    s.ZoomValue = ReadRaw(store, "ZoomValue", 100);
    s.UseSecondHand = ReadFlag(store, "UseSecondHand", 1);
    s.DefaultTimeZone = isNT ? ReadText(store, "DefaultTimeZone", "") : std::string();
    s.MultipleTimeZones = ReadFlag(store, "MultipleTimeZones", 0);
}

void SaveSettings(SettingsStore& store, const ClockSettings& s) {
    auto writeInt = [&store](const char* name, int32_t value) {
        store.WriteInt(kSettingsSection, name, static_cast<uint32_t>(value));
    };
    auto writeText = [&store](const char* name, const std::string& value) {
        store.WriteString(kSettingsSection, name, value);
    };
    writeInt("OnTop", s.OnTop);
    writeInt("Alpha", s.Alpha);
    writeInt("Alpha2", s.Alpha2);
    writeInt("UseAlpha2", s.UseAlpha2);
    writeInt("AAMethod", s.AAMethod);
    writeInt("Priority", s.Priority);
    writeText("BackgrndBitmap", s.BackgrndBitmap);
    writeText("LangFile", s.LangFile);
    writeInt("UnmovableWin", s.UnmovableWin);
    writeInt("LimitWinPos", s.LimitWinPos);
    writeInt("ClickThrough", s.ClickThrough);
    writeInt("PinToDesktop", s.PinToDesktop);
    writeInt("ShowAMPM", s.ShowAMPM);
    writeInt("ShowDate", s.ShowDate);
    writeInt("SmoothPNGHands", s.SmoothPNGHands);
    writeInt("DontReposWindow", s.DontReposWindow);
    writeInt("TimeInSysTray", s.TimeInSysTray);
    writeInt("HideFromAltTab", s.HideFromAltTab);
    writeInt("MultipleInstances", s.MultipleInstances);
    writeInt("UseZoom", s.UseZoom);
    writeInt("ZoomValue", s.ZoomValue);
    writeInt("UseSecondHand", s.UseSecondHand);
    writeText("DefaultTimeZone", s.DefaultTimeZone);
    writeInt("MultipleTimeZones", s.MultipleTimeZones);
}
