#include "alarms/alarm_rows.h"

#include <cstdio>

#include "core/language_format.h"

namespace {

std::string RepeatText(const AlarmRecord& alarm,
                       const clock_time::CivilTime& due,
                       const AlarmRowLocale& locale,
                       const LanguageTable& texts) {
    const uint32_t r = alarm.Reoccurence;
    if (r & REPEAT_DAILY)
        return texts.Text(kTextDaily);
    if (r & REPEAT_WEEKLY) {
        std::string days;
        for (int i = 0; i < 7; ++i) {
            if (!(r & (REPEAT_MONDAY << i)))
                continue;
            if (!days.empty())
                days += ',';
            days += locale.dayNames[static_cast<size_t>(i)];
        }
        return days;
    }
    if (r & REPEAT_MONTHLY)
        return FormatWithInteger(texts.Text(kTextMonthlyFormat), due.day);
    if (r & REPEAT_YEARLY) {
        char monthDay[16];
        std::snprintf(monthDay, sizeof monthDay, " %02d/%02d", due.month, due.day);
        return texts.Text(kTextYearly) + std::string(monthDay);
    }
    if (r & REPEAT_MINUTES)
        return std::to_string(alarm.Minutes) + ".(" + texts.Text(kTextEveryNMinutes) + ")";
    // Once, and stored values without any kind bit, which the tick treats as
    // due on their date: the date is what tells them apart.
    return locale.shortDate(due);
}

}  // namespace

AlarmRowTexts FormatAlarmRow(const AlarmRecord& alarm, const AlarmRowLocale& locale, const LanguageTable& texts) {
    // The due time is already clock time: no conversion for display.
    const clock_time::CivilTime due = clock_time::FromClockTime(alarm.DueTime);
    return {alarm.Name, locale.timeOfDay(due), RepeatText(alarm, due, locale, texts)};
}
