#pragma once
// Clock time: 100-nanosecond intervals since 1601-01-01 00:00 of the wall-clock
// time the clock shows (never converted to UTC), the platform's file-time scale.
// The calendar conversions here are our own so that they can be tested without
// Windows, and they refuse dates that do not exist.

#include <cstdint>
#include <optional>

namespace clock_time {

constexpr uint64_t kMillisecond = 10000;
constexpr uint64_t kSecond = 10000000;
constexpr uint64_t kMinute = 600000000;
constexpr uint64_t kQuarterMinute = 150000000;
constexpr uint64_t kDay = 864000000000;
// 1970-01-01 in clock-time units.
constexpr uint64_t kUnixEpoch = 116444736000000000;

// The fields of the platform's SYSTEMTIME; dayOfWeek counts from Sunday = 0.
struct CivilTime {
    int year = 1601;
    int month = 1;  // 1..12
    int dayOfWeek = 1;
    int day = 1;  // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// nullopt for a date or time that does not exist or lies before 1601 or after 30827.
// dayOfWeek is ignored.
std::optional<uint64_t> ToClockTime(const CivilTime& t);
CivilTime FromClockTime(uint64_t t);

}  // namespace clock_time
