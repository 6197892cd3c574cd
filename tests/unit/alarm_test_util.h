#pragma once
// Helpers shared by the alarm tests.

#include <cstdint>
#include <string>
#include <vector>

#include "alarms/alarm_record.h"
#include "core/clock_time.h"

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

// A one-shot alarm with the record's defaults otherwise.
inline AlarmRecord OneShot(const std::string& name, uint64_t due) {
    AlarmRecord a;
    a.Name = name;
    a.DueTime = due;
    return a;
}

inline AlarmList ListOf(const std::vector<AlarmRecord>& records) {
    AlarmList list;
    for (const auto& r : records)
        list.PushBack(r);
    return list;
}
