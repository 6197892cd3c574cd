#pragma once
// Helpers shared by the alarm tests.

#include <cstdint>

#include "app/clock_time.h"

// A clock time from its calendar fields; the date must exist.
inline uint64_t At(int year, int month, int day, int hour, int minute, int second = 0, int millisecond = 0) {
    clock_time::CivilTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    t.millisecond = millisecond;
    return clock_time::ToClockTime(t).value();
}
