// The time-zone database as Wine ships it, and broken zones written to a
// scratch database of our own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "options/select_time_zone_win.h"
#include "options/time_zone_database_win.h"
#include "win/platform_entry_points_win.h"
#include "win/proc_address_win.h"
#include "win/unique_handle.h"

namespace {

const char* const kScratchPath = "Software\\TavixTests\\TimeZones";

TimeZoneDatabase Scratch() {
    return TimeZoneDatabase{HKEY_CURRENT_USER, kScratchPath};
}

void LookUpConversion() {
    TheSystemTimeToTzSpecificLocalTime =
        LookupProc<TzSpecificLocalTimeFn>(::GetModuleHandleA("KERNEL32.DLL"), "SystemTimeToTzSpecificLocalTime");
    ASSERT_NE(TheSystemTimeToTzSpecificLocalTime, nullptr);
}

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME t = {};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    return t;
}

std::string Text(const SYSTEMTIME& t) {
    char text[64];
    ::wsprintfA(text, "%04u-%02u-%02u %02u:%02u:%02u day %u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
                t.wDayOfWeek);
    return text;
}

// Central European rules as Windows stores them.
std::vector<BYTE> BerlinTzi() {
    std::vector<BYTE> tzi(44, 0);
    const LONG bias = -60;
    const LONG daylightBias = -60;
    const WORD standard[8] = {0, 10, 0, 5, 3, 0, 0, 0};
    const WORD daylight[8] = {0, 3, 0, 5, 2, 0, 0, 0};
    memcpy(&tzi[0], &bias, 4);
    memcpy(&tzi[8], &daylightBias, 4);
    memcpy(&tzi[12], standard, 16);
    memcpy(&tzi[28], daylight, 16);
    return tzi;
}

class TimeZoneTest : public ::testing::Test {
protected:
    void SetUp() override {
        Wipe();
        LookUpConversion();
    }
    void TearDown() override { Wipe(); }

    static void Wipe() { ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratchPath); }

    // A zone key in the scratch database; a null type writes no value.
    static void WriteZone(const std::string& name,
                          DWORD tziType,
                          const std::vector<BYTE>& tzi,
                          const std::string* display = nullptr) {
        UniqueRegKey key;
        const std::string path = std::string(kScratchPath) + "\\" + name;
        ASSERT_EQ(
            ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr),
            ERROR_SUCCESS);
        if (tziType != REG_NONE) {
            ASSERT_EQ(::RegSetValueExA(key.get(), "TZI", 0, tziType, tzi.data(), static_cast<DWORD>(tzi.size())),
                      ERROR_SUCCESS);
        }
        if (display) {
            ASSERT_EQ(::RegSetValueExA(key.get(), "Display", 0, REG_SZ, reinterpret_cast<const BYTE*>(display->c_str()),
                                       static_cast<DWORD>(display->size() + 1)),
                      ERROR_SUCCESS);
        }
    }
};

}  // namespace

TEST_F(TimeZoneTest, RealZonesAreSelectedWithTheirRules) {
    struct Case {
        const char* zone;
        LONG bias;
        LONG daylightBias;
        WORD daylightMonth;
    } cases[] = {
        // Zones without daylight time store a daylight bias all the same.
        {"Tokyo Standard Time", -540, -60, 0},         // no daylight time
        {"India Standard Time", -330, -60, 0},         // half an hour off
        {"Pacific Standard Time", 480, -60, 3},        // west of UTC
        {"W. Europe Standard Time", -60, -60, 3},      // east of UTC
        {"AUS Eastern Standard Time", -600, -60, 10},  // southern summer
    };
    for (const Case& c : cases) {
        ShownTime shown;
        std::string name = c.zone;
        SelectTimeZone(name, shown);
        EXPECT_EQ(name, c.zone);
        ASSERT_TRUE(shown.HasZone()) << c.zone;
        EXPECT_EQ(shown.ZoneName(), c.zone);
        const ZoneRead read = ReadZoneRules(TimeZoneDatabase(), c.zone);
        EXPECT_EQ(read.rules.Bias, c.bias) << c.zone;
        EXPECT_EQ(read.rules.DaylightBias, c.daylightBias) << c.zone;
        EXPECT_EQ(read.rules.DaylightDate.wMonth, c.daylightMonth) << c.zone;
    }
}

TEST_F(TimeZoneTest, ZoneTimeFollowsDaylightSavingOfTheInstantsYear) {
    // Expected times from Python's zoneinfo for the same zones and instants.
    struct Case {
        const char* zone;
        SYSTEMTIME utc;
        SYSTEMTIME expected;
        WORD dayOfWeek;
    } cases[] = {
        {"Pacific Standard Time", Time(2026, 1, 15, 12, 0, 0), Time(2026, 1, 15, 4, 0, 0), 4},
        {"Pacific Standard Time", Time(2026, 7, 1, 12, 0, 0), Time(2026, 7, 1, 5, 0, 0), 3},
        {"Pacific Standard Time", Time(2026, 3, 8, 9, 59, 59), Time(2026, 3, 8, 1, 59, 59), 0},
        {"Pacific Standard Time", Time(2026, 3, 8, 10, 0, 0), Time(2026, 3, 8, 3, 0, 0), 0},
        {"W. Europe Standard Time", Time(2026, 1, 15, 12, 0, 0), Time(2026, 1, 15, 13, 0, 0), 4},
        {"W. Europe Standard Time", Time(2026, 7, 1, 12, 0, 0), Time(2026, 7, 1, 14, 0, 0), 3},
        {"W. Europe Standard Time", Time(2026, 10, 25, 0, 59, 59), Time(2026, 10, 25, 2, 59, 59), 0},
        {"W. Europe Standard Time", Time(2026, 10, 25, 1, 0, 0), Time(2026, 10, 25, 2, 0, 0), 0},
        {"W. Europe Standard Time", Time(2027, 3, 28, 1, 0, 0), Time(2027, 3, 28, 3, 0, 0), 0},
        {"AUS Eastern Standard Time", Time(2026, 1, 15, 12, 0, 0), Time(2026, 1, 15, 23, 0, 0), 4},
        {"AUS Eastern Standard Time", Time(2026, 7, 1, 12, 0, 0), Time(2026, 7, 1, 22, 0, 0), 3},
        {"AUS Eastern Standard Time", Time(2026, 12, 31, 14, 0, 0), Time(2027, 1, 1, 1, 0, 0), 5},
        {"Tokyo Standard Time", Time(2026, 7, 1, 20, 30, 15), Time(2026, 7, 2, 5, 30, 15), 4},
        {"India Standard Time", Time(2026, 12, 31, 18, 45, 0), Time(2027, 1, 1, 0, 15, 0), 5},
    };
    for (Case& c : cases) {
        ShownTime shown;
        std::string name = c.zone;
        SelectTimeZone(name, shown);
        const std::optional<SYSTEMTIME> zoneTime = shown.ZoneTimeAt(c.utc);
        ASSERT_TRUE(zoneTime) << c.zone;
        c.expected.wDayOfWeek = c.dayOfWeek;
        EXPECT_EQ(Text(*zoneTime), Text(c.expected)) << c.zone << " at " << Text(c.utc) << " UTC";
    }
}

TEST_F(TimeZoneTest, NowIsTheZoneTimeOfTheCurrentInstant) {
    ShownTime shown;
    std::string name = "Tokyo Standard Time";
    SelectTimeZone(name, shown);
    SYSTEMTIME before;
    ::GetSystemTime(&before);
    const SYSTEMTIME now = shown.Now();
    const SYSTEMTIME expected = *shown.ZoneTimeAt(before);
    FILETIME a, b;
    ::SystemTimeToFileTime(&now, &a);
    ::SystemTimeToFileTime(&expected, &b);
    const ULONGLONG later = (ULONGLONG(a.dwHighDateTime) << 32) | a.dwLowDateTime;
    const ULONGLONG earlier = (ULONGLONG(b.dwHighDateTime) << 32) | b.dwLowDateTime;
    EXPECT_GE(later, earlier);
    EXPECT_LT(later - earlier, 20000000ULL) << Text(now) << " vs " << Text(expected);

    // Without the platform's conversion the clock shows local time.
    TheSystemTimeToTzSpecificLocalTime = nullptr;
    EXPECT_FALSE(shown.ZoneTimeAt(before));
    SYSTEMTIME local;
    ::GetLocalTime(&local);
    EXPECT_EQ(shown.Now().wHour, local.wHour);
}

TEST_F(TimeZoneTest, ZonesThatCannotBeOpenedEmptyTheNameAndShowLocalTime) {
    const char* const names[] = {"No Such Zone", "Tokyo Standard Time\\Dynamic DST",
                                 "..\\Time Zones\\Tokyo Standard Time", "Tokyo Standard Time\\"};
    for (const char* zone : names) {
        ShownTime shown;
        std::string tokyo = "Tokyo Standard Time";
        SelectTimeZone(tokyo, shown);
        std::string name = zone;
        SelectTimeZone(name, shown);
        EXPECT_EQ(name, "") << zone;
        EXPECT_FALSE(shown.HasZone()) << zone;
    }
    // The whole database missing.
    ShownTime shown;
    std::string name = "Good";
    SelectTimeZone(name, shown, Scratch());
    EXPECT_EQ(name, "");
    EXPECT_FALSE(shown.HasZone());
}

TEST_F(TimeZoneTest, ZonesWithoutUsableRulesKeepTheZoneShownBefore) {
    const std::vector<BYTE> good = BerlinTzi();
    std::vector<BYTE> longer = good;
    longer.push_back(0);
    std::vector<BYTE> month13 = good;
    month13[30] = 13;
    WriteZone("Good", REG_BINARY, good);
    WriteZone("Short", REG_BINARY, std::vector<BYTE>(good.begin(), good.begin() + 40));
    WriteZone("Long", REG_BINARY, longer);
    WriteZone("Text", REG_SZ, good);
    WriteZone("Number", REG_DWORD, std::vector<BYTE>(good.begin(), good.begin() + 4));
    WriteZone("Missing", REG_NONE, {});
    WriteZone("Month 13", REG_BINARY, month13);

    for (const char* zone : {"Short", "Long", "Text", "Number", "Missing", "Month 13"}) {
        // After a good zone: that zone stays, under its own name.
        ShownTime shown;
        std::string name = "Good";
        SelectTimeZone(name, shown, Scratch());
        ASSERT_TRUE(shown.HasZone());
        name = zone;
        SelectTimeZone(name, shown, Scratch());
        EXPECT_EQ(name, "Good") << zone;
        EXPECT_EQ(shown.ZoneName(), "Good") << zone;
        EXPECT_TRUE(shown.HasZone()) << zone;
        EXPECT_TRUE(shown.ZoneTimeAt(Time(2026, 7, 1, 12, 0, 0))) << zone;

        // At start-up, with no zone before: local time, and the name goes.
        ShownTime fresh;
        name = zone;
        SelectTimeZone(name, fresh, Scratch());
        EXPECT_EQ(name, "") << zone;
        EXPECT_FALSE(fresh.HasZone()) << zone;
    }
}

TEST_F(TimeZoneTest, EmptyNameMeansLocalTime) {
    ShownTime shown;
    std::string name = "Tokyo Standard Time";
    SelectTimeZone(name, shown);
    name.clear();
    SelectTimeZone(name, shown);
    EXPECT_FALSE(shown.HasZone());
    EXPECT_EQ(shown.ZoneName(), "");
}

TEST_F(TimeZoneTest, EveryZoneOfTheDatabaseIsListedAndHasUsableRules) {
    const std::vector<TimeZoneEntry> zones = ReadTimeZoneList(TimeZoneDatabase());
    ASSERT_GE(zones.size(), 100u);
    std::set<std::string> keys;
    int32_t previous = 0;
    for (const TimeZoneEntry& zone : zones) {
        EXPECT_GT(zone.number, previous) << zone.keyName;
        previous = zone.number;
        EXPECT_TRUE(keys.insert(zone.keyName).second) << zone.keyName;
        EXPECT_FALSE(zone.displayName.empty()) << zone.keyName;
        EXPECT_EQ(ReadZoneRules(TimeZoneDatabase(), zone.keyName).status, ZoneRead::Status::Found) << zone.keyName;
    }
    EXPECT_EQ(keys.count("Tokyo Standard Time"), 1u);
}

TEST_F(TimeZoneTest, ListOfBrokenAndTwinZones) {
    const std::vector<BYTE> good = BerlinTzi();
    const std::string berlin = "(UTC+01:00) Berlin";
    const std::string huge(600, 'z');
    WriteZone("A Berlin", REG_BINARY, good, &berlin);
    WriteZone("B No Display", REG_BINARY, good);
    WriteZone("C Berlin Twin", REG_BINARY, good, &berlin);
    WriteZone("D Huge", REG_BINARY, good, &huge);
    {
        // A display name of the wrong type.
        UniqueRegKey key;
        ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kScratchPath) + "\\B No Display").c_str(), 0,
                                  KEY_WRITE, key.put()),
                  ERROR_SUCCESS);
        const DWORD number = 5;
        ::RegSetValueExA(key.get(), "Display", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
    for (int i = 0; i < 300; ++i)
        WriteZone("Z" + std::to_string(1000 + i), REG_BINARY, good);

    const std::vector<TimeZoneEntry> zones = ReadTimeZoneList(Scratch());
    ASSERT_EQ(zones.size(), 304u);
    EXPECT_EQ(zones[0].keyName, "A Berlin");
    EXPECT_EQ(zones[0].displayName, berlin);
    EXPECT_EQ(zones[1].displayName, "B No Display");
    EXPECT_EQ(zones[2].displayName, berlin);
    EXPECT_EQ(zones[3].displayName, std::string(511, 'z'));
    EXPECT_NE(zones[0].number, zones[2].number);

    // The twins stay apart through their numbers.
    const ZoneChange change = ZoneAfterOk(zones, zones[2].number, "A Berlin");
    EXPECT_EQ(change.defaultTimeZone, "C Berlin Twin");
}
