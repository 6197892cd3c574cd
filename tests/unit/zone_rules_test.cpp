#include "options/zone_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// A TZI value built field by field, little-endian as the registry holds it.
struct Tzi {
    int32_t bias = 0;
    int32_t standardBias = 0;
    int32_t daylightBias = 0;
    uint16_t standard[8] = {};
    uint16_t daylight[8] = {};

    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> out;
        for (int32_t v : {bias, standardBias, daylightBias}) {
            for (int shift = 0; shift < 32; shift += 8)
                out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> shift));
        }
        for (const uint16_t* date : {standard, daylight}) {
            for (int i = 0; i < 8; ++i) {
                out.push_back(static_cast<uint8_t>(date[i]));
                out.push_back(static_cast<uint8_t>(date[i] >> 8));
            }
        }
        return out;
    }
};

// Central Europe: standard time from the last Sunday of October at 3:00,
// daylight time from the last Sunday of March at 2:00.
Tzi Berlin() {
    Tzi t;
    t.bias = -60;
    t.daylightBias = -60;
    const uint16_t standard[8] = {0, 10, 0, 5, 3, 0, 0, 0};
    const uint16_t daylight[8] = {0, 3, 0, 5, 2, 0, 0, 0};
    std::copy(standard, standard + 8, t.standard);
    std::copy(daylight, daylight + 8, t.daylight);
    return t;
}

}  // namespace

TEST(ZoneRules, FieldsComeFromTheirOffsets) {
    Tzi tzi = Berlin();
    tzi.standardBias = 1;
    tzi.standard[6] = 30;   // second
    tzi.daylight[7] = 999;  // millisecond
    const std::vector<uint8_t> bytes = tzi.Bytes();
    ASSERT_EQ(bytes.size(), kZoneRulesSize);
    const auto rules = ParseZoneRules(bytes.data(), bytes.size());
    ASSERT_TRUE(rules);
    EXPECT_EQ(rules->bias, -60);
    EXPECT_EQ(rules->standardBias, 1);
    EXPECT_EQ(rules->daylightBias, -60);
    EXPECT_EQ(rules->standardDate.month, 10);
    EXPECT_EQ(rules->standardDate.day, 5);
    EXPECT_EQ(rules->standardDate.hour, 3);
    EXPECT_EQ(rules->standardDate.second, 30);
    EXPECT_EQ(rules->daylightDate.month, 3);
    EXPECT_EQ(rules->daylightDate.hour, 2);
    EXPECT_EQ(rules->daylightDate.milliseconds, 999);
}

TEST(ZoneRules, NegativeBiasesAcrossAllFourBytes) {
    Tzi tzi;
    tzi.bias = -840;  // Line Islands, UTC+14
    tzi.daylightBias = 1440;
    const std::vector<uint8_t> bytes = tzi.Bytes();
    const auto rules = ParseZoneRules(bytes.data(), bytes.size());
    ASSERT_TRUE(rules);
    EXPECT_EQ(rules->bias, -840);
    EXPECT_EQ(rules->daylightBias, 1440);
}

TEST(ZoneRules, ValuesOfAnotherSizeAreRefused) {
    const std::vector<uint8_t> bytes = Berlin().Bytes();
    for (size_t size : {size_t{0}, size_t{16}, kZoneRulesSize - 1}) {
        EXPECT_FALSE(ParseZoneRules(bytes.data(), size)) << size;
    }
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(ParseZoneRules(longer.data(), longer.size()));
    EXPECT_FALSE(ParseZoneRules(nullptr, kZoneRulesSize));
}

TEST(ZoneRules, RulesNoConversionCouldUseAreRefused) {
    struct Case {
        const char* what;
        void (*damage)(Tzi&);
        bool usable;
    } cases[] = {
        {"as stored", [](Tzi&) {}, true},
        {"no daylight time at all",
         [](Tzi& t) {
             std::fill(t.standard, t.standard + 8, 0);
             std::fill(t.daylight, t.daylight + 8, 0);
         },
         true},
        {"an absolute date of change",
         [](Tzi& t) {
             t.daylight[0] = 2026;
             t.daylight[3] = 29;
         },
         true},
        {"a change at 23:59:59.999",
         [](Tzi& t) {
             t.standard[4] = 23;
             t.standard[5] = 59;
             t.standard[6] = 59;
             t.standard[7] = 999;
         },
         true},
        {"bias of more than a day", [](Tzi& t) { t.bias = 1441; }, false},
        {"bias of all bits", [](Tzi& t) { t.bias = INT32_MIN; }, false},
        {"daylight bias of days", [](Tzi& t) { t.daylightBias = -100000; }, false},
        {"standard bias of days", [](Tzi& t) { t.standardBias = 100000; }, false},
        {"month 13", [](Tzi& t) { t.daylight[1] = 13; }, false},
        {"only the daylight date", [](Tzi& t) { t.standard[1] = 0; }, false},
        {"only the standard date", [](Tzi& t) { t.daylight[1] = 0; }, false},
        {"sixth week of a month", [](Tzi& t) { t.standard[3] = 6; }, false},
        {"week 0 of a month", [](Tzi& t) { t.daylight[3] = 0; }, false},
        {"weekday 7", [](Tzi& t) { t.daylight[2] = 7; }, false},
        {"hour 24", [](Tzi& t) { t.standard[4] = 24; }, false},
        {"minute 60", [](Tzi& t) { t.daylight[5] = 60; }, false},
        {"millisecond 1000", [](Tzi& t) { t.daylight[7] = 1000; }, false},
        {"absolute day 32",
         [](Tzi& t) {
             t.daylight[0] = 2026;
             t.daylight[3] = 32;
         },
         false},
        {"all bytes 0xFF",
         [](Tzi& t) {
             t.bias = t.standardBias = t.daylightBias = -1;
             std::fill(t.standard, t.standard + 8, 0xFFFF);
             std::fill(t.daylight, t.daylight + 8, 0xFFFF);
         },
         false},
    };
    for (const Case& c : cases) {
        Tzi tzi = Berlin();
        c.damage(tzi);
        const std::vector<uint8_t> bytes = tzi.Bytes();
        EXPECT_EQ(ParseZoneRules(bytes.data(), bytes.size()).has_value(), c.usable) << c.what;
    }
}
