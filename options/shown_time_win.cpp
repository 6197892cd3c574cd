#include "options/shown_time_win.h"

#include <utility>

#include "win/platform_entry_points_win.h"
#include "win/system_clock_win.h"

void ShownTime::UseZone(std::string zoneName, const TIME_ZONE_INFORMATION& rules) {
    zone_ = rules;
    zoneName_ = std::move(zoneName);
}

void ShownTime::UseLocalTime() {
    zone_.reset();
    zoneName_.clear();
}

std::optional<SYSTEMTIME> ShownTime::ZoneTimeAt(const SYSTEMTIME& utc) const {
    SYSTEMTIME shown;
    if (zone_ && TheSystemTimeToTzSpecificLocalTime && TheSystemTimeToTzSpecificLocalTime(&*zone_, &utc, &shown))
        return shown;
    return std::nullopt;
}

SYSTEMTIME ShownTime::Now() const {
    if (zone_) {
        SYSTEMTIME utc;
        ::GetSystemTime(&utc);
        if (const std::optional<SYSTEMTIME> shown = ZoneTimeAt(utc))
            return *shown;
    }
    SYSTEMTIME local;
    ::GetLocalTime(&local);
    return local;
}

uint64_t ShownTime::NowAsClockTime() const {
    return ClockTimeOf(Now());
}
