#pragma once
// The user's locale for the alarm dialogs: time and date formats, day names,
// and the conversions between calendar fields and the platform's SYSTEMTIME.

#include <windows.h>

#include <array>
#include <string>

#include "alarms/alarm_rows.h"
#include "core/clock_time.h"

SYSTEMTIME ToSystemTime(const clock_time::CivilTime& t);
clock_time::CivilTime FromSystemTime(const SYSTEMTIME& t);
clock_time::CivilTime LocalCivilTimeNow();

// Full day names in the user's locale, Monday first.
std::array<std::string, 7> UserDayNames();
// The formats GetTimeFormatA and GetDateFormatA give for the user's locale.
AlarmRowLocale UserAlarmRowLocale();
