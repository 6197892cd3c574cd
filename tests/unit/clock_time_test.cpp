#include "core/clock_time.h"

#include <gtest/gtest.h>

using namespace clock_time;

TEST(ClockTime, KnownInstantsRoundTrip) {
    struct Case {
        CivilTime civil;
        uint64_t ticks;
    } cases[] = {
        {{1601, 1, 1, 1, 0, 0, 0, 0}, 0},
        {{1970, 1, 4, 1, 0, 0, 0, 0}, kUnixEpoch},
        {{2000, 2, 2, 29, 12, 30, 15, 250}, 125963010152500000ULL},
        {{2026, 12, 4, 10, 1, 10, 0, 0}, 134413386000000000ULL},
    };
    for (const auto& c : cases) {
        auto ticks = ToClockTime(c.civil);
        ASSERT_TRUE(ticks.has_value()) << c.civil.year;
        EXPECT_EQ(*ticks, c.ticks) << c.civil.year;
        CivilTime back = FromClockTime(c.ticks);
        EXPECT_EQ(back.year, c.civil.year);
        EXPECT_EQ(back.month, c.civil.month);
        EXPECT_EQ(back.day, c.civil.day);
        EXPECT_EQ(back.dayOfWeek, c.civil.dayOfWeek);
        EXPECT_EQ(back.hour, c.civil.hour);
        EXPECT_EQ(back.minute, c.civil.minute);
        EXPECT_EQ(back.second, c.civil.second);
        EXPECT_EQ(back.millisecond, c.civil.millisecond);
    }
}

TEST(ClockTime, RefusesDatesThatDoNotExist) {
    const CivilTime bad[] = {
        {2023, 2, 0, 29, 0, 0, 0, 0},  {2100, 2, 0, 29, 0, 0, 0, 0}, {2026, 4, 0, 31, 0, 0, 0, 0},
        {2026, 13, 0, 1, 0, 0, 0, 0},  {2026, 1, 0, 0, 0, 0, 0, 0},  {2026, 1, 0, 1, 24, 0, 0, 0},
        {1600, 12, 0, 31, 0, 0, 0, 0},
    };
    for (const auto& c : bad)
        EXPECT_FALSE(ToClockTime(c).has_value()) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_TRUE(ToClockTime({2000, 2, 0, 29, 0, 0, 0, 0}).has_value());
}

TEST(ClockTime, EveryDayOfFourHundredYearsRoundTrips) {
    uint64_t start = *ToClockTime({1999, 12, 0, 31, 0, 0, 0, 0});
    int previousDayOfWeek = FromClockTime(start).dayOfWeek;
    for (int i = 1; i < 146097; ++i) {
        CivilTime c = FromClockTime(start + i * kDay);
        ASSERT_EQ(*ToClockTime(c), start + i * kDay);
        ASSERT_EQ(c.dayOfWeek, (previousDayOfWeek + 1) % 7);
        previousDayOfWeek = c.dayOfWeek;
    }
}
