#pragma once
// The three columns of an alarm's row in the alarms dialog: name, time of day
// and how often it repeats. The locale's formats come from the platform
// (alarms_dlg_win.cpp) and are passed in, so the rules here build anywhere.

#include <array>
#include <functional>
#include <string>

#include "alarms/alarm_record.h"
#include "core/clock_time.h"
#include "core/language_table.h"

// Language string numbers of the list's texts.
constexpr int kTextEveryNMinutes = 31;
constexpr int kTextMonthlyFormat = 49;
constexpr int kTextDaily = 50;
constexpr int kTextYearly = 53;

struct AlarmRowLocale {
    // The user's time format and short date format for a calendar time.
    std::function<std::string(const clock_time::CivilTime&)> timeOfDay;
    std::function<std::string(const clock_time::CivilTime&)> shortDate;
    // Full day names, Monday first.
    std::array<std::string, 7> dayNames;
};

struct AlarmRowTexts {
    std::string name;
    std::string time;
    std::string repeat;
};

AlarmRowTexts FormatAlarmRow(const AlarmRecord& alarm, const AlarmRowLocale& locale, const LanguageTable& texts);
