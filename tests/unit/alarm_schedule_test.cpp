#include "alarms/alarm_schedule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarm_test_util.h"

namespace {

using clock_time::kDay;
using clock_time::kMillisecond;
using clock_time::kMinute;

AlarmRecord Alarm(uint64_t due, uint32_t reoccurence, int32_t minutes = 0) {
    AlarmRecord a;
    a.DueTime = due;
    a.Reoccurence = reoccurence;
    a.Minutes = minutes;
    return a;
}

struct NextDueCase {
    const char* what;
    AlarmRecord alarm;
    uint64_t now;
    uint64_t expected;
};

// 2026-04-13 is a Monday; 2026-04-16 a Thursday; 2026-04-18 a Saturday.
const NextDueCase kNextDueCases[] = {
    {"one-shot in the past keeps its time", Alarm(At(2026, 4, 1, 7, 0), 0), At(2026, 4, 13, 9, 0),
     At(2026, 4, 1, 7, 0)},
    {"daily, loaded half a second after its time", Alarm(At(2026, 4, 1, 7, 0), REPEAT_DAILY),
     At(2026, 4, 13, 7, 0, 0, 500), At(2026, 4, 14, 7, 0)},
    {"daily, loaded a second before its time", Alarm(At(2026, 4, 1, 7, 0), REPEAT_DAILY), At(2026, 4, 13, 6, 59, 59),
     At(2026, 4, 13, 7, 0)},
    {"daily, loaded exactly at its time", Alarm(At(2026, 4, 1, 7, 0), REPEAT_DAILY), At(2026, 4, 13, 7, 0),
     At(2026, 4, 14, 7, 0)},
    {"daily keeps the milliseconds of its time", Alarm(At(2020, 1, 1, 7, 0, 0, 250), REPEAT_DAILY),
     At(2026, 4, 13, 8, 0), At(2026, 4, 14, 7, 0, 0, 250)},
    {"daily, stored with a date in the future", Alarm(At(2027, 1, 1, 7, 0), REPEAT_DAILY), At(2026, 4, 13, 6, 0),
     At(2026, 4, 13, 7, 0)},
    {"weekly Mon+Thu, Monday after its time, goes to Thursday",
     Alarm(At(2026, 4, 6, 7, 0), REPEAT_WEEKLY | REPEAT_MONDAY | REPEAT_THURSDAY), At(2026, 4, 13, 8, 0),
     At(2026, 4, 16, 7, 0)},
    {"weekly Monday only, Monday after its time, goes a week on",
     Alarm(At(2026, 4, 6, 7, 0), REPEAT_WEEKLY | REPEAT_MONDAY), At(2026, 4, 13, 8, 0), At(2026, 4, 20, 7, 0)},
    {"weekly Monday, Monday before its time, stays today", Alarm(At(2026, 4, 6, 7, 0), REPEAT_WEEKLY | REPEAT_MONDAY),
     At(2026, 4, 13, 6, 0), At(2026, 4, 13, 7, 0)},
    {"weekly Sunday, loaded Saturday, crosses the week end", Alarm(At(2026, 4, 5, 7, 0), REPEAT_WEEKLY | REPEAT_SUNDAY),
     At(2026, 4, 18, 8, 0), At(2026, 4, 19, 7, 0)},
    {"weekly Monday, loaded Saturday", Alarm(At(2026, 4, 6, 7, 0), REPEAT_WEEKLY | REPEAT_MONDAY),
     At(2026, 4, 18, 8, 0), At(2026, 4, 20, 7, 0)},
    {"weekly Saturday, loaded Sunday after its time", Alarm(At(2026, 4, 4, 7, 0), REPEAT_WEEKLY | REPEAT_SATURDAY),
     At(2026, 4, 19, 8, 0), At(2026, 4, 25, 7, 0)},
    {"weekly without days stays on today's passed time", Alarm(At(2026, 4, 6, 7, 0), REPEAT_WEEKLY),
     At(2026, 4, 13, 8, 0), At(2026, 4, 13, 7, 0)},
    {"monthly on the 15th, after it in December, goes to January", Alarm(At(2026, 1, 15, 10, 0), REPEAT_MONTHLY),
     At(2026, 12, 20, 9, 0), At(2027, 1, 15, 10, 0)},
    {"monthly on the 31st, loaded on 10 April, goes to 31 May", Alarm(At(2026, 3, 31, 10, 0), REPEAT_MONTHLY),
     At(2026, 4, 10, 9, 0), At(2026, 5, 31, 10, 0)},
    {"monthly on the 31st, on 31 January before its time", Alarm(At(2025, 12, 31, 10, 0), REPEAT_MONTHLY),
     At(2026, 1, 31, 9, 0), At(2026, 1, 31, 10, 0)},
    {"monthly on the 31st, on 31 January after its time, skips February",
     Alarm(At(2025, 12, 31, 10, 0), REPEAT_MONTHLY), At(2026, 1, 31, 11, 0), At(2026, 3, 31, 10, 0)},
    {"monthly on the 30th, loaded in February", Alarm(At(2026, 1, 30, 10, 0), REPEAT_MONTHLY), At(2026, 2, 10, 9, 0),
     At(2026, 3, 30, 10, 0)},
    {"monthly on the 29th, in a leap February", Alarm(At(2028, 1, 29, 10, 0), REPEAT_MONTHLY), At(2028, 2, 10, 9, 0),
     At(2028, 2, 29, 10, 0)},
    {"monthly on the 31st, on 31 December after its time", Alarm(At(2026, 10, 31, 10, 0), REPEAT_MONTHLY),
     At(2026, 12, 31, 11, 0), At(2027, 1, 31, 10, 0)},
    {"yearly on 5 March, after it", Alarm(At(2020, 3, 5, 8, 0), REPEAT_YEARLY), At(2026, 4, 1, 9, 0),
     At(2027, 3, 5, 8, 0)},
    {"yearly on 5 March, before it", Alarm(At(2020, 3, 5, 8, 0), REPEAT_YEARLY), At(2026, 1, 1, 9, 0),
     At(2026, 3, 5, 8, 0)},
    {"yearly on 29 February, in a common year", Alarm(At(2024, 2, 29, 8, 0), REPEAT_YEARLY), At(2025, 3, 1, 9, 0),
     At(2028, 2, 29, 8, 0)},
    {"yearly on 29 February, on that day after its time", Alarm(At(2024, 2, 29, 8, 0), REPEAT_YEARLY),
     At(2024, 2, 29, 9, 0), At(2028, 2, 29, 8, 0)},
    {"yearly on 29 February across a century without one", Alarm(At(2096, 2, 29, 8, 0), REPEAT_YEARLY),
     At(2097, 1, 1, 9, 0), At(2104, 2, 29, 8, 0)},
    {"every 15 minutes, between grid points", Alarm(At(2026, 4, 13, 10, 0), REPEAT_MINUTES, 15),
     At(2026, 4, 13, 10, 37), At(2026, 4, 13, 10, 45)},
    {"every 15 minutes, on a grid point", Alarm(At(2026, 4, 13, 10, 0), REPEAT_MINUTES, 15), At(2026, 4, 13, 10, 45),
     At(2026, 4, 13, 11, 0)},
    {"every 15 minutes, at its start", Alarm(At(2026, 4, 13, 10, 0), REPEAT_MINUTES, 15), At(2026, 4, 13, 10, 0),
     At(2026, 4, 13, 10, 0)},
    {"every 15 minutes, before its start", Alarm(At(2026, 4, 13, 10, 0), REPEAT_MINUTES, 15), At(2026, 4, 13, 9, 0),
     At(2026, 4, 13, 10, 0)},
    {"every 15 minutes, a millisecond past a grid point", Alarm(At(2026, 4, 13, 10, 0), REPEAT_MINUTES, 15),
     At(2026, 4, 13, 10, 45) + kMillisecond, At(2026, 4, 13, 11, 0)},
    {"every 0 minutes keeps its time", Alarm(At(2026, 4, 13, 10, 0), REPEAT_MINUTES, 0), At(2026, 4, 13, 11, 0),
     At(2026, 4, 13, 10, 0)},
    {"every -5 minutes keeps its time", Alarm(At(2026, 4, 13, 10, 0), REPEAT_MINUTES, -5), At(2026, 4, 13, 11, 0),
     At(2026, 4, 13, 10, 0)},
    {"minutes win over the other kinds", Alarm(At(2026, 4, 13, 10, 0), REPEAT_MINUTES | REPEAT_DAILY, 60),
     At(2026, 4, 13, 11, 30), At(2026, 4, 13, 12, 0)},
};

TEST(NextDueTime, MovesEachKindToItsNextOccurrence) {
    for (const auto& c : kNextDueCases) {
        const uint64_t got = NextDueTime(c.alarm, c.now);
        const auto g = clock_time::FromClockTime(got);
        EXPECT_EQ(got, c.expected) << c.what << ": got " << g.year << "-" << g.month << "-" << g.day << " " << g.hour
                                   << ":" << g.minute;
    }
}

TEST(NextDueTime, AMonthlyAlarmVisitsEveryMonthThatHasItsDay) {
    AlarmRecord alarm = Alarm(At(2026, 1, 31, 10, 0), REPEAT_MONTHLY);
    std::vector<int> months;
    for (int i = 0; i < 7; ++i) {
        alarm.DueTime = NextDueTime(alarm, alarm.DueTime + kMinute);
        months.push_back(clock_time::FromClockTime(alarm.DueTime).month);
        EXPECT_EQ(clock_time::FromClockTime(alarm.DueTime).day, 31);
    }
    EXPECT_EQ(months, (std::vector<int>{3, 5, 7, 8, 10, 12, 1}));
}

TEST(ConfirmedDueTime, TakesTheFieldsTheKindUses) {
    clock_time::CivilTime now{2026, 4, 1, 13, 9, 30, 45, 500};  // Monday 13 April 2026 09:30:45.500
    const clock_time::CivilTime time{1601, 1, 1, 1, 7, 15, 20, 999};
    auto date = [](int y, int m, int d) { return clock_time::CivilTime{y, m, 0, d, 0, 0, 0, 0}; };
    struct Case {
        const char* what;
        uint32_t kind;
        clock_time::CivilTime date;
        uint64_t expected;
    } cases[] = {
        {"once", 0, date(2027, 2, 3), At(2027, 2, 3, 7, 15, 20)},
        {"daily keeps today", REPEAT_DAILY, date(2027, 2, 3), At(2026, 4, 13, 7, 15, 20)},
        {"weekly keeps today", REPEAT_WEEKLY, date(2027, 2, 3), At(2026, 4, 13, 7, 15, 20)},
        {"monthly takes the day", REPEAT_MONTHLY, date(2027, 2, 3), At(2026, 4, 3, 7, 15, 20)},
        {"yearly takes month and day", REPEAT_YEARLY, date(2027, 2, 3), At(2026, 2, 3, 7, 15, 20)},
        {"minutes take the whole date", REPEAT_MINUTES, date(2027, 2, 3), At(2027, 2, 3, 7, 15, 20)},
        {"monthly on a day April lacks", REPEAT_MONTHLY, date(2026, 3, 31), At(2026, 5, 31, 7, 15, 20)},
        {"yearly on 29 February in a common year", REPEAT_YEARLY, date(2024, 2, 29), At(2028, 2, 29, 7, 15, 20)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConfirmedDueTime(now, time, c.date, c.kind), c.expected) << c.what;
}

struct Fired {
    std::vector<std::string> names;
    int saves = 0;
};

class RecordingHooks : public AlarmCheckHooks {
public:
    explicit RecordingHooks(Fired& fired) : fired_(fired) {}
    void Fire(const AlarmRecord& alarm) override { fired_.names.push_back(alarm.Name); }
    void Save() override { ++fired_.saves; }

private:
    Fired& fired_;
};

AlarmRecord Named(const char* name, uint64_t due, uint32_t flags = ALARM_ENABLED, uint32_t reoccurence = 0) {
    AlarmRecord a = Alarm(due, reoccurence);
    a.Name = name;
    a.Flags = flags;
    return a;
}

TEST(CheckAlarms, DueWithinTheTicksStretchAndAtMost35MinutesOld) {
    const uint64_t now = At(2026, 4, 13, 12, 0);
    const uint64_t prev = now - 10 * kDay;
    struct Case {
        const char* what;
        uint64_t prev;
        uint64_t due;
        uint32_t flags;
        bool fires;
    } cases[] = {
        {"due at now", now - 1, now, ALARM_ENABLED, true},
        {"due at prev", now - 10000000, now - 10000000, ALARM_ENABLED, false},
        {"due one unit after prev", now - 10000000, now - 9999999, ALARM_ENABLED, true},
        {"due after now", prev, now + 1, ALARM_ENABLED, false},
        {"exactly 35 minutes old", prev, now - kAlarmCatchUp, ALARM_ENABLED, false},
        {"one unit younger than 35 minutes", prev, now - kAlarmCatchUp + 1, ALARM_ENABLED, true},
        {"disabled", prev, now - 1, ALARM_NOTICE, false},
    };
    for (const auto& c : cases) {
        AlarmList list;
        list.PushBack(Named("a", c.due, c.flags, REPEAT_DAILY));
        Fired fired;
        RecordingHooks hooks(fired);
        EXPECT_EQ(CheckAlarms(list, c.prev, now, hooks), c.fires) << c.what;
        EXPECT_EQ(fired.names.size(), c.fires ? 1u : 0u) << c.what;
    }
}

TEST(CheckAlarms, AfterASleepOnlyTheLast35MinutesRing) {
    const uint64_t now = At(2026, 4, 13, 12, 0);
    AlarmList list;
    list.PushBack(Named("early", now - 110 * kMinute));
    list.PushBack(Named("late", now - 30 * kMinute));
    Fired fired;
    RecordingHooks hooks(fired);
    EXPECT_TRUE(CheckAlarms(list, now - 120 * kMinute, now, hooks));
    EXPECT_EQ(fired.names, std::vector<std::string>{"late"});
    EXPECT_TRUE(list[0].Flags & ALARM_ENABLED) << "a missed one-shot alarm stays armed";
    EXPECT_FALSE(list[1].Flags & ALARM_ENABLED);
}

TEST(CheckAlarms, FiresEveryDueAlarmInListOrderAndSavesEachOneShot) {
    const uint64_t now = At(2026, 4, 13, 12, 0);
    AlarmList list;
    list.PushBack(Named("first", now - 2 * kMinute, ALARM_ENABLED | ALARM_NOTICE, 0));
    list.PushBack(Named("second", now - kMinute, ALARM_ENABLED, REPEAT_DAILY));
    list.PushBack(Named("third", now, ALARM_ENABLED, 0));
    list.PushBack(Named("later", now + kMinute, ALARM_ENABLED, 0));
    Fired fired;
    RecordingHooks hooks(fired);
    EXPECT_TRUE(CheckAlarms(list, now - 3 * kMinute, now, hooks));
    EXPECT_EQ(fired.names, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(fired.saves, 2);
    EXPECT_EQ(list[0].Flags, ALARM_NOTICE);
    EXPECT_EQ(list[1].Flags, ALARM_ENABLED) << "recurring alarms stay armed";
    EXPECT_EQ(list[2].Flags, 0u);
    EXPECT_EQ(list[3].Flags, ALARM_ENABLED);
}

TEST(CheckAlarms, SilentFlagRunsNoActionsButCountsAsDue) {
    const uint64_t now = At(2026, 4, 13, 12, 0);
    AlarmList list;
    list.PushBack(Named("quiet", now, ALARM_ENABLED | ALARM_SILENT, 0));
    Fired fired;
    RecordingHooks hooks(fired);
    EXPECT_TRUE(CheckAlarms(list, now - kMinute, now, hooks));
    EXPECT_TRUE(fired.names.empty());
    EXPECT_EQ(fired.saves, 1);
    EXPECT_EQ(list[0].Flags, ALARM_SILENT);
}

TEST(CheckAlarms, AnEmptyListIsNeverDue) {
    AlarmList list;
    Fired fired;
    RecordingHooks hooks(fired);
    EXPECT_FALSE(CheckAlarms(list, 0, At(2026, 4, 13, 12, 0), hooks));
}

}  // namespace
