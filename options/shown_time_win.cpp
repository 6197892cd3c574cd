#include "options/shown_time_win.h"

#include "win/platform_entry_points_win.h"
#include "win/system_clock_win.h"

SYSTEMTIME ShownTime::Now() const {
    SYSTEMTIME shown;
    if (zone_ && TheSystemTimeToTzSpecificLocalTime) {
        SYSTEMTIME utc;
        ::GetSystemTime(&utc);
        if (TheSystemTimeToTzSpecificLocalTime(&*zone_, &utc, &shown))
            return shown;
    }
    ::GetLocalTime(&shown);
    return shown;
}

uint64_t ShownTime::NowAsClockTime() const {
    return ClockTimeOf(Now());
}
