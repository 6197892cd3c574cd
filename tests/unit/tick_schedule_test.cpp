#include "app/tick_schedule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/clock_time.h"

using namespace clock_time;

namespace {

uint64_t At(int hour, int minute, int second, int millisecond) {
    return *ToClockTime({2026, 12, 4, 10, hour, minute, second, millisecond});
}

}  // namespace

TEST(TickSchedule, WithoutSecondHandFramesFollowTheQuarterMinutes) {
    uint64_t next = 0;  // as left by a preset load
    std::vector<int> composedAt;
    for (int s = 7; s <= 61; ++s) {
        if (ShouldComposeFrame(false, At(12, 0, 0, 300) + s * kSecond, next))
            composedAt.push_back(s);
        if (s == 7) {
            EXPECT_EQ(next, At(12, 0, 15, 0));
        }
    }
    EXPECT_EQ(composedAt, (std::vector<int>{7, 15, 30, 45, 60}));

    // A tick exactly on the mark is not later than it.
    next = At(12, 0, 15, 0);
    EXPECT_FALSE(ShouldComposeFrame(false, At(12, 0, 15, 0), next));
    EXPECT_TRUE(ShouldComposeFrame(false, At(12, 0, 15, 20), next));
    EXPECT_EQ(next, At(12, 0, 30, 0));
}

TEST(TickSchedule, SecondHandComposesEveryTick) {
    uint64_t next = At(12, 0, 30, 0);
    EXPECT_TRUE(ShouldComposeFrame(true, At(12, 0, 16, 0), next));
    EXPECT_EQ(next, At(12, 0, 30, 0));
}

TEST(TickSchedule, TimeSetBackRedrawsAtOnce) {
    uint64_t next = 0;
    ASSERT_TRUE(ShouldComposeFrame(false, At(3, 0, 1, 0), next));
    // End of summer time: the shown time goes back an hour.
    EXPECT_TRUE(ShouldComposeFrame(false, At(2, 0, 2, 0), next));
    EXPECT_EQ(next, At(2, 0, 15, 0));
    EXPECT_FALSE(ShouldComposeFrame(false, At(2, 0, 3, 0), next));
}

TEST(TickSchedule, TooltipRefreshesOncePerMinute) {
    struct Case {
        const char* name;
        bool pending;
        uint64_t prev, now;
        bool refresh;
    } cases[] = {
        {"same minute", false, At(12, 0, 10, 0), At(12, 0, 11, 0), false},
        {"pending", true, At(12, 0, 10, 0), At(12, 0, 11, 0), true},
        {"minute boundary", false, At(12, 0, 59, 300), At(12, 1, 0, 300), true},
        {"more than a minute later", false, At(12, 0, 10, 0), At(12, 1, 10, 500), true},
        {"set back within the minute", false, At(12, 0, 30, 0), At(11, 59, 40, 0), true},
        {"first tick after start", false, At(11, 58, 7, 300), At(12, 0, 8, 300), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShouldRefreshTooltip(c.pending, c.prev, c.now), c.refresh) << c.name;
}

TEST(TickSchedule, TrayTipSharesItsRoom) {
    EXPECT_EQ(ComposeTrayTip("Thursday, December 10, 2026", "1:10 AM", "Thursday"),
              "Thursday, December 10, 2026\n1:10 AM, Thursday");

    struct Case {
        size_t dateLength;
        std::string expectedTail;
    } cases[] = {
        {200, ""},  // the date alone fills the tip
        {127, ""},
        {126, "\n"},
        {125, "\nt"},           // the time gets one character
        {121, "\ntttt,"},       // the separator is cut
        {116, "\ntttt, dddd"},  // the day name is cut
        {100, "\ntttt, dddddddd"},
    };
    for (const Case& c : cases) {
        const std::string date(c.dateLength, 'D');
        const std::string tip = ComposeTrayTip(date, "tttt", "dddddddd");
        EXPECT_EQ(tip.size(), std::min<size_t>(kTrayTipSize - 1, c.dateLength + 15)) << c.dateLength;
        EXPECT_EQ(tip.substr(std::min(c.dateLength, kTrayTipSize - 1)), c.expectedTail) << c.dateLength;
    }
}

TEST(TickSchedule, DayNamesStartOnMonday) {
    const int expected[] = {6, 0, 1, 2, 3, 4, 5};
    for (int weekday = 0; weekday < 7; ++weekday)
        EXPECT_EQ(DayNameIndex(weekday), expected[weekday]);
}
