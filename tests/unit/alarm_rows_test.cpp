#include "alarms/alarm_rows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "alarm_test_util.h"

namespace {

std::string Stamp(const char* format, int a, int b, int c) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// Stands in for the user's locale: a visible time and date format and day names.
AlarmRowLocale TestLocale() {
    AlarmRowLocale locale;
    locale.timeOfDay = [](const clock_time::CivilTime& t) { return Stamp("%d:%02d:%02d", t.hour, t.minute, t.second); };
    locale.shortDate = [](const clock_time::CivilTime& t) { return Stamp("%d/%d/%d", t.month, t.day, t.year); };
    locale.dayNames = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    return locale;
}

AlarmRecord TeaAlarm(uint64_t due, uint32_t reoccurence, int32_t minutes = 0) {
    AlarmRecord a = OneShot("Tea", due);
    a.Reoccurence = reoccurence;
    a.Minutes = minutes;
    return a;
}

struct RowCase {
    const char* what;
    AlarmRecord alarm;
    const char* monthlyFormat;
    const char* time;
    const char* repeat;
};

}  // namespace

TEST(AlarmRowsTest, TimeAndRepeatColumnsForEveryKind) {
    const uint64_t due = At(2026, 3, 5, 7, 30, 15);
    const RowCase cases[] = {
        {"once shows the date", TeaAlarm(due, 0), "", "7:30:15", "3/5/2026"},
        {"daily", TeaAlarm(due, REPEAT_DAILY), "", "7:30:15", "Daily"},
        {"weekly days from Monday, joined without blanks",
         TeaAlarm(due, REPEAT_WEEKLY | REPEAT_FRIDAY | REPEAT_MONDAY | REPEAT_WEDNESDAY), "", "7:30:15", "Mon,Wed,Fri"},
        {"weekly Sunday only", TeaAlarm(due, REPEAT_WEEKLY | REPEAT_SUNDAY), "", "7:30:15", "Sun"},
        {"weekly without days", TeaAlarm(due, REPEAT_WEEKLY), "", "7:30:15", ""},
        {"monthly", TeaAlarm(At(2026, 1, 31, 10, 0), REPEAT_MONTHLY), "Monthly, day %d", "10:00:00", "Monthly, day 31"},
        {"monthly with a hostile format", TeaAlarm(At(2026, 1, 31, 10, 0), REPEAT_MONTHLY), "%s%n", "10:00:00",
         "%s%n 31"},
        {"yearly: month then day, two digits", TeaAlarm(due, REPEAT_YEARLY), "", "7:30:15", "Yearly 03/05"},
        {"every N minutes", TeaAlarm(due, REPEAT_MINUTES, 15), "", "7:30:15", "15.(Every N minutes)"},
        {"the first kind bit wins", TeaAlarm(due, REPEAT_DAILY | REPEAT_YEARLY | REPEAT_MINUTES, 5), "", "7:30:15",
         "Daily"},
        {"no kind bit shows the date", TeaAlarm(due, 0x20 | REPEAT_MONDAY), "", "7:30:15", "3/5/2026"},
        {"due time 0", TeaAlarm(0, 0), "", "0:00:00", "1/1/1601"},
    };
    for (const RowCase& c : cases) {
        LanguageTable texts;
        texts.Set(kTextDaily, "Daily");
        texts.Set(kTextYearly, "Yearly");
        texts.Set(kTextEveryNMinutes, "Every N minutes");
        texts.Set(kTextMonthlyFormat, c.monthlyFormat);
        const AlarmRowTexts row = FormatAlarmRow(c.alarm, TestLocale(), texts);
        EXPECT_EQ(row.name, "Tea") << c.what;
        EXPECT_EQ(row.time, c.time) << c.what;
        EXPECT_EQ(row.repeat, c.repeat) << c.what;
    }
}
