#include "core/clock_time.h"

namespace clock_time {
namespace {

// Days from 1601-01-01 to the given date (proleptic Gregorian; month 1..12).
int64_t DaysSince1601(int64_t y, int m, int d) {
    // Shift the year to start in March so that the leap day is the last day.
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int64_t daysSince0000 = era * 146097 + doe;  // from 0000-03-01
    return daysSince0000 - 584694;                     // 1601-01-01 is day 584694 of that count
}

}  // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<uint64_t> ToClockTime(const CivilTime& t) {
    if (t.year < 1601 || t.year > 30827 || t.month < 1 || t.month > 12)
        return std::nullopt;
    if (t.day < 1 || t.day > DaysInMonth(t.year, t.month))
        return std::nullopt;
    if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59 ||
        t.millisecond < 0 || t.millisecond > 999)
        return std::nullopt;
    const int64_t days = DaysSince1601(t.year, t.month, t.day);
    return static_cast<uint64_t>(days) * kDay + static_cast<uint64_t>(t.hour) * 3600 * kSecond +
           static_cast<uint64_t>(t.minute) * kMinute + static_cast<uint64_t>(t.second) * kSecond +
           static_cast<uint64_t>(t.millisecond) * kMillisecond;
}

CivilTime FromClockTime(uint64_t t) {
    CivilTime c;
    const int64_t days = static_cast<int64_t>(t / kDay);
    uint64_t rest = t % kDay;
    c.hour = static_cast<int>(rest / (3600 * kSecond));
    rest %= 3600 * kSecond;
    c.minute = static_cast<int>(rest / kMinute);
    rest %= kMinute;
    c.second = static_cast<int>(rest / kSecond);
    rest %= kSecond;
    c.millisecond = static_cast<int>(rest / kMillisecond);
    c.dayOfWeek = static_cast<int>((days + 1) % 7);  // 1601-01-01 was a Monday

    // Civil date from a day count (inverse of DaysSince1601).
    const int64_t z = days + 584694;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    c.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    c.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    c.year = static_cast<int>(yoe + era * 400 + (c.month <= 2));
    return c;
}

}  // namespace clock_time
