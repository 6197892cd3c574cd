#pragma once
// The platform's calendar time as a clock time (100-ns units since 1601 of
// the same wall clock, no conversion to UTC).

#include <windows.h>

#include <cstdint>

inline uint64_t ClockTimeOf(const SYSTEMTIME& time) {
    FILETIME ft;
    if (!::SystemTimeToFileTime(&time, &ft))
        return 0;
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

inline uint64_t LocalClockTimeNow() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return ClockTimeOf(now);
}
