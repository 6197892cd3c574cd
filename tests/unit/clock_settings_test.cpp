#include "app/clock_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records the names written, in order.
class RecordingStore : public MemoryStore {
public:
    bool WriteInt(const std::string& section, const std::string& name, uint32_t value) override {
        written.push_back(name);
        return MemoryStore::WriteInt(section, name, value);
    }
    bool WriteString(const std::string& section, const std::string& name, const std::string& value) override {
        written.push_back(name);
        return MemoryStore::WriteString(section, name, value);
    }
    std::vector<std::string> written;
};

}  // namespace

TEST(ClockSettings, FreshUserGetsTheDefaults) {
    MemoryStore store;
    for (bool layered : {true, false}) {
        ClockSettings s;
        LoadSettings(store, s, layered, true);
        EXPECT_EQ(s.OnTop, 1);
        EXPECT_EQ(s.UnmovableWin, 0);
        EXPECT_EQ(s.LimitWinPos, 0);
        EXPECT_EQ(s.ClickThrough, 0);
        EXPECT_EQ(s.PinToDesktop, 0);
        EXPECT_EQ(s.Alpha, 255);
        EXPECT_EQ(s.Alpha2, 255);
        EXPECT_EQ(s.UseAlpha2, 0);
        EXPECT_EQ(s.AAMethod, 1);
        EXPECT_EQ(s.Priority, 1);
        EXPECT_EQ(s.BackgrndBitmap, layered ? "Original.png" : "default.bmp");
        EXPECT_EQ(s.LangFile, "english.lng");
        EXPECT_EQ(s.ShowAMPM, 1);
        EXPECT_EQ(s.ShowDate, 0);
        EXPECT_EQ(s.SmoothPNGHands, 1);
        EXPECT_EQ(s.DontReposWindow, 0);
        EXPECT_EQ(s.TimeInSysTray, 1);
        EXPECT_EQ(s.HideFromAltTab, 1);
        EXPECT_EQ(s.MultipleInstances, 1);
        EXPECT_EQ(s.UseZoom, 0);
        EXPECT_EQ(s.ZoomValue, 100);
        EXPECT_EQ(s.UseSecondHand, 1);
        EXPECT_EQ(s.DefaultTimeZone, "");
        EXPECT_EQ(s.MultipleTimeZones, 0);
    }
    EXPECT_TRUE(store.Sections().empty());
}

TEST(ClockSettings, StoredValuesAreReducedByTheirKind) {
    MemoryStore store;
    store.WriteInt("", "Alpha", 300);             // byte: 300 mod 256
    store.WriteInt("", "AAMethod", 0x102);        // byte
    store.WriteInt("", "OnTop", 5);               // flag
    store.WriteInt("", "ShowAMPM", 0x100);        // flag in an 8-bit member: not truncated to 0
    store.WriteInt("", "HideFromAltTab", 5);      // raw
    store.WriteInt("", "Priority", 7);            // raw, no range check
    store.WriteInt("", "ZoomValue", 0xFFFFFFCE);  // raw, reads as -50
    store.WriteString("", "UseSecondHand", "0");  // wrong type: default
    store.WriteInt("", "LangFile", 3);            // wrong type: default
    store.WriteString("", "DefaultTimeZone", "Tokyo Standard Time");
    store.WriteInt("", "MultipleTimeZones", 0xFFFFFFFF);

    ClockSettings s;
    LoadSettings(store, s, true, true);
    EXPECT_EQ(s.Alpha, 44);
    EXPECT_EQ(s.AAMethod, 2);
    EXPECT_EQ(s.OnTop, 1);
    EXPECT_EQ(s.ShowAMPM, 1);
    EXPECT_EQ(s.HideFromAltTab, 5);
    EXPECT_EQ(s.Priority, 7);
    EXPECT_EQ(s.ZoomValue, -50);
    EXPECT_EQ(s.UseSecondHand, 1);
    EXPECT_EQ(s.LangFile, "english.lng");
    EXPECT_EQ(s.DefaultTimeZone, "Tokyo Standard Time");
    EXPECT_EQ(s.MultipleTimeZones, 1);

    // Outside the NT family there are no time zones.
    LoadSettings(store, s, true, false);
    EXPECT_EQ(s.DefaultTimeZone, "");
}

TEST(ClockSettings, SaveWritesEveryValueInOrderAndReadsBackTheSame) {
    MemoryStore source;
    source.WriteInt("", "OnTop", 5);
    source.WriteInt("", "HideFromAltTab", 5);
    source.WriteInt("", "Alpha", 300);
    source.WriteInt("", "ZoomValue", static_cast<uint32_t>(-50));
    source.WriteString("", "BackgrndBitmap", "Face.png");
    source.WriteString("", "DefaultTimeZone", "Tokyo Standard Time");
    ClockSettings loaded;
    LoadSettings(source, loaded, true, true);

    RecordingStore store;
    store.WriteInt("", "Left", 123);
    store.written.clear();
    SaveSettings(store, loaded);
    const std::vector<std::string> order = {
        "OnTop",           "Alpha",          "Alpha2",          "UseAlpha2",         "AAMethod",
        "Priority",        "BackgrndBitmap", "LangFile",        "UnmovableWin",      "LimitWinPos",
        "ClickThrough",    "PinToDesktop",   "ShowAMPM",        "ShowDate",          "SmoothPNGHands",
        "DontReposWindow", "TimeInSysTray",  "HideFromAltTab",  "MultipleInstances", "UseZoom",
        "ZoomValue",       "UseSecondHand",  "DefaultTimeZone", "MultipleTimeZones"};
    EXPECT_EQ(store.written, order);
    EXPECT_EQ(store.GetInt("", "OnTop", 0), 1u);
    EXPECT_EQ(store.GetInt("", "HideFromAltTab", 0), 5u);
    EXPECT_EQ(store.GetInt("", "Alpha", 0), 44u);
    EXPECT_EQ(store.GetInt("", "Left", 0), 123u);

    ClockSettings again;
    LoadSettings(store, again, false, true);
    EXPECT_EQ(again.ZoomValue, -50);
    EXPECT_EQ(again.BackgrndBitmap, "Face.png");
    EXPECT_EQ(again.DefaultTimeZone, "Tokyo Standard Time");
    EXPECT_EQ(again.Alpha, 44);
    EXPECT_EQ(again.OnTop, 1);
    EXPECT_EQ(again.HideFromAltTab, 5);
}
